// Saving, copying and reading off the error chart, in the user's language.

#include "gui_fixture.h"

#include "chart/error_chart.h"
#include "runtime/app_error.h"

#include <QAction>
#include <QClipboard>
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
            const std::unique_ptr<QMenu> menu = wb.c().Chart1->buildContextMenu();
            for (QAction *action : menu->actions())
                list.append(action->text());
            return list;
        };
        // After a separator, the entry that opens the decision view.
        QCOMPARE(texts(), (QStringList{QStringLiteral("Bild speichern…"), QStringLiteral("Bild kopieren"), QString(),
                                       QStringLiteral("Entscheidungsgrenze zeigen")}));
        wb.click(wb.c().enRB);
        QCOMPARE(texts(), (QStringList{QStringLiteral("Save image…"), QStringLiteral("Copy image"), QString(),
                                       QStringLiteral("Show decision boundary")}));
        wb.click(wb.c().skRB);
        QCOMPARE(texts().size(), 4);
        QVERIFY(texts().first().startsWith(QStringLiteral("Uložiť")));
    }

    void savesAndCopiesThePictureAsShown()
    {
        Workbench wb;
        Ui::Form1 &c = wb.c();
        wb.window().show();
        wb.click(c.errGraphCB);
        wb.click(c.andGateB);
        wb.click(c.lessonB);
        ErrorChart &chart = *c.Chart1;

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("chart.png"));
        chart.saveImage(path);
        QImage saved(path);
        QVERIFY(!saved.isNull());
        QCOMPARE(saved.size(), chart.size() * chart.devicePixelRatioF());

        try {
            chart.saveImage(dir.filePath(QStringLiteral("no/such/folder/chart.png")));
            QFAIL("an unwritable path must raise");
        } catch (const AppError &error) {
            QVERIFY(error.message().contains(QStringLiteral("no/such/folder")));
        }

        chart.copyImage();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), saved.size());
    }

    void tipNamesTheIterationAndItsError()
    {
        Workbench wb;
        Ui::Form1 &c = wb.c();
        wb.window().show();
        wb.click(c.enRB);
        wb.click(c.errGraphCB);
        wb.click(c.andGateB);
        wb.click(c.showAnalogCBox); // step output: errors are -1, 0 or 1
        wb.click(c.lessonB);
        c.Chart1->grab(); // paint, so the drawn line exists
        const QString tip = c.Chart1->tipAt(4.2);
        QVERIFY2(tip.startsWith(QStringLiteral("Iterations: 4\nError: ")), qPrintable(tip));
        const QString error = tip.section(QStringLiteral("Error: "), 1);
        QVERIFY2(QStringList({"-1,0000", "0,0000", "1,0000"}).contains(error), qPrintable(error));
    }
};

QTEST_MAIN(ChartExportTest)
#include "test_chart_export.moc"
