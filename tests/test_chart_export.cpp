// Saving, copying and reading off the error chart, in the user's language.

#include "gui_fixture.h"

#include "chart/error_chart.h"
#include "runtime/app_error.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

class ChartExportTest : public QObject {
    Q_OBJECT
private slots:
    void menuFollowsTheLanguage()
    {
        Workbench wb;
        const auto texts = [&wb] {
            QStringList list;
            const std::unique_ptr<QMenu> menu = wb.c().errorChart->buildContextMenu();
            for (QAction *action : menu->actions())
                list.append(action->text());
            return list;
        };
        // After a separator the errors as CSV, the lesson saved and opened,
        // and the entries that open the decision view and the worked step.
        QCOMPARE(texts(),
                 (QStringList{QStringLiteral("Bild speichern…"), QStringLiteral("Bild kopieren"), QString(),
                              QStringLiteral("Fehler als CSV speichern…"), QString(),
                              QStringLiteral("Lektion speichern…"), QStringLiteral("Lektion öffnen…"), QString(),
                              QStringLiteral("Entscheidungsgrenze zeigen"), QStringLiteral("Rechenweg zeigen")}));
        wb.click(wb.c().enRB);
        QCOMPARE(texts(),
                 (QStringList{QStringLiteral("Save image…"), QStringLiteral("Copy image"), QString(),
                              QStringLiteral("Save errors as CSV…"), QString(), QStringLiteral("Save lesson…"),
                              QStringLiteral("Open lesson…"), QString(), QStringLiteral("Show decision boundary"),
                              QStringLiteral("Show worked step")}));
        wb.click(wb.c().skRB);
        QCOMPARE(texts().size(), 10);
        QVERIFY(texts().first().startsWith(QStringLiteral("Uložiť")));
    }

    void savesAndCopiesThePictureAsShown()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.window().show();
        wb.click(c.errGraphCB);
        wb.click(c.andGateB);
        wb.click(c.lessonB);
        ErrorChart &chart = *c.errorChart;

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("chart.png"));
        chart.saveImage(path);
        QImage saved(path);
        QVERIFY(!saved.isNull());
        QCOMPARE(saved.size(), chart.size() * chart.devicePixelRatioF());

        // The error speaks the language, its reason too; a file already
        // there is left as it was.
        const auto failure = [&chart](const QString &path) {
            try {
                chart.saveImage(path);
            } catch (const AppError &error) {
                return error.message();
            }
            return QString();
        };
        const QString missing = failure(dir.filePath(QStringLiteral("no/such/folder/chart.png")));
        QVERIFY2(missing.startsWith(QStringLiteral("Das Bild konnte nicht nach „")) &&
                     missing.contains(QStringLiteral("no/such/folder")) &&
                     missing.endsWith(QStringLiteral(": Diesen Ordner gibt es nicht")),
                 qPrintable(missing));
        wb.click(c.skRB);
        QVERIFY(failure(dir.filePath(QStringLiteral("no/chart.png"))).endsWith(u"Taký priečinok neexistuje"));
        wb.click(c.enRB);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const QString readOnly = failure(path);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (!readOnly.isEmpty()) { // root may write anywhere
            QVERIFY2(readOnly.startsWith(QStringLiteral("Cannot write the image to \"")), qPrintable(readOnly));
            QCOMPARE(QImage(path), saved);
        }

        chart.copyImage();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), saved.size());
    }

    void qtsOwnDialogsSpeakTheLanguage()
    {
        // The save dialog's question when the chosen file exists.
        const auto question = [] {
            return QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?");
        };
        const QString english = QStringLiteral("%1 already exists.\nDo you want to replace it?");
        Workbench wb;
        const QString german = question();
        wb.click(wb.c().skRB);
        const QString slovak = question();
        wb.click(wb.c().enRB);
        QCOMPARE(question(), english);
        QVERIFY2(german != english && slovak != english && german != slovak, qPrintable(german + slovak));
        wb.click(wb.c().deRB);
        QCOMPARE(question(), german);
    }
};

TIVARO_GUI_TEST_MAIN(ChartExportTest)
#include "test_chart_export.moc"
