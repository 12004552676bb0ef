// Lessons saved to a file and opened again through the real window: the
// file keeps every value exactly, opening brings the window, the chart and
// the views back as they were and the next lesson goes on to the bit; a
// file that is no sound lesson changes nothing and says why; the errors as
// CSV. A fuzz run opens mutated files as a user would: each opens whole or
// not at all.

#include "gui_fixture.h"

#include "chart/error_chart.h"
#include "chart/error_series.h"
#include "decision/decision_view.h"
#include "workbench/lesson_files.h"
#include "workbench/lesson_progress.h"
#include "worked_step/worked_step_view.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cfloat>
#include <limits>
#include <random>

namespace {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Bias on, AND, the graph on, a lesson of `count`; the sigmoid box ticked
// after it, so the neuron's activation and the box differ; both views open.
void runLesson(Workbench &wb, const QString &count)
{
    Ui::MainWindow &c = wb.c();
    wb.click(c.biasCBox);
    wb.click(c.andGateB);
    wb.click(c.errGraphCB);
    wb.type(c.repeatEdit, count);
    wb.click(c.lessonB);
    wb.click(c.sigmoidCB);
    wb.window().views().toggleDecisionView();
    wb.window().views().toggleWorkedStepView();
}

// As drawn once the charts have laid out what changed.
QImage pictureOf(QWidget *widget)
{
    for (int pass = 0; pass < 3; ++pass)
        QApplication::processEvents();
    return widget->grab().toImage();
}

} // namespace

class LessonFilesTest : public QObject {
    Q_OBJECT
private slots:
    // Floats that a decimal text could lose (negative zero, the least
    // subnormal, the largest float), counts beyond a double's whole
    // numbers, texts of every script: written and read back, all the same.
    void fileKeepsEveryValueExactly()
    {
        LessonFile lesson;
        lesson.language = Language::Slovak;
        lesson.languageChosen = Language::Slovak;
        lesson.biasBox = true;
        lesson.texts.weight0 = QStringLiteral("−0,5 \"Ľ\"");
        lesson.texts.targets = QStringLiteral("| 1 |1 |  ->1 |\n\ttab");
        lesson.session.inputs = 3;
        lesson.session.weights = {-0.0f, FLT_TRUE_MIN, -FLT_MAX};
        lesson.session.values = {0.1f, 1.0f, 1.0f};
        lesson.session.threshold = 1e-38f;
        lesson.session.gate = XorGate;
        lesson.session.repeatsLeft = std::numeric_limits<int64_t>::max();
        lesson.session.lessonTotal = std::numeric_limits<int64_t>::min();
        lesson.session.patternIndex = 4;
        WorkedStep step;
        step.biasInput = true;
        step.pattern = 3;
        step.values = {1, 0, 1};
        step.weights = {FLT_MAX, -0.0f, 0.3f};
        step.kind = OutputKind::Sigmoid;
        step.learns = true;
        lesson.lastStep = step;
        lesson.trail.assign(DecisionView::trailLength, DecisionNeuron{0.25f, -0.0f, FLT_MIN, 0.5f, true});
        ErrorSeries series;
        const float errors[] = {-1.0f, 0.0f, 0.1f};
        series.addRepeating(int64_t{1} << 62, errors, 3, 100000);
        lesson.chartPoints = series.toBytes();
        lesson.axisMaximum = double(int64_t{1} << 62) + 100000;
        const QByteArray json = lessonToJson(lesson);
        const auto read = lessonFromJson(json);
        QVERIFY(std::holds_alternative<LessonFile>(read));
        QVERIFY(std::get<LessonFile>(read) == lesson);
        // A person can read it: a format name, a version, decimals with a dot.
        QVERIFY(json.contains("\"format\": \"tivaro-lesson\""));
        QVERIFY(json.contains("\"version\": 1"));
        QVERIFY(json.contains("\"value\": \"0.1\""));
        QVERIFY(json.contains("\"weight\": \"-0\""));
    }

    // Saved with Ctrl+S's own path, opened in a new window: the same texts,
    // boxes, views and pixels; the next lesson in each gives the same.
    void savedLessonOpensAsItWasAndGoesOnTheSame()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("and"));
        Workbench first;
        first.window().show();
        runLesson(first, QStringLiteral("37"));
        first.click(first.c().enRB);
        first.window().saveLesson(path); // ".tivaro" is added
        QVERIFY(first.reports.errors.isEmpty());
        QVERIFY(QFile::exists(path + QStringLiteral(".tivaro")));

        Workbench second;
        second.window().show();
        second.window().openLesson(path + QStringLiteral(".tivaro"));
        QVERIFY2(second.reports.errors.isEmpty(), qPrintable(second.reports.errors.join(u'|')));
        const LessonFile shown = first.window().files().lessonShown();
        QVERIFY(second.window().files().lessonShown() == shown);
        QCOMPARE(second.c().lessonCntEdit->text(), QStringLiteral("0 / 37"));
        QCOMPARE(second.c().infoLab->text(), QStringLiteral("AND gate"));
        QVERIFY(second.bias().weight0Edit && second.c().outputEdit->y() == first.c().outputEdit->y());
        QVERIFY(second.c().errorChart->isVisible() && !second.c().diagramImage->isVisible());
        QCOMPARE(pictureOf(second.c().errorChart), pictureOf(first.c().errorChart));
        QCOMPARE(second.window().views().workedStepView()->description(),
                 first.window().views().workedStepView()->description());
        QCOMPARE(pictureOf(second.window().views().decisionView()), pictureOf(first.window().views().decisionView()));

        for (Workbench *wb : {&first, &second})
            wb->click(wb->c().lessonB);
        QVERIFY(second.window().files().lessonShown() == first.window().files().lessonShown());
        QCOMPARE(second.c().weight1Edit->text(), first.c().weight1Edit->text());
        QCOMPARE(second.c().lessonCntEdit->text(), QStringLiteral("0 / 74"));
    }

    // Nothing of a file that is no sound lesson reaches the window: one
    // message names the file and the reason, in the chosen language.
    void refusedFilesChangeNothing_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("reason");
        QTest::newRow("garbage") << ""
                                 << ""
                                 << "die Datei ist keine Tivaro-Lektion";
        QTest::newRow("cut short") << "cut"
                                   << ""
                                   << "beschädigt oder unvollständig";
        QTest::newRow("newer") << "\"version\": 1"
                               << "\"version\": 2"
                               << "neueren Version";
        QTest::newRow("not a number") << "\"threshold\": \""
                                      << "\"threshold\": \"nan"
                                      << "neuron.threshold";
        QTest::newRow("beyond a float") << "\"learningRate\": \""
                                        << "\"learningRate\": \"1e999"
                                        << "lesson.learningRate";
        QTest::newRow("huge number") << "\"total\": "
                                     << "\"total\": 1e999"
                                     << "beschädigt";
        QTest::newRow("negative count") << "\"repeatsLeft\": 0"
                                        << "\"repeatsLeft\": -5"
                                        << "lesson.repeatsLeft";
        QTest::newRow("no such gate") << "\"AND\""
                                      << "\"NOR\""
                                      << "lesson.gate";
        QTest::newRow("no edit takes it") << "\"repeat\": \""
                                          << "\"repeat\": \"1\\n"
                                          << "texts.repeat";
        QTest::newRow("key missing") << "\"sigmoid\": "
                                     << "\"sigmoidal\": "
                                     << "beschädigt";
        QTest::newRow("too large") << "large"
                                   << ""
                                   << "größer, als eine Lektion";
        QTest::newRow("no such file") << "none"
                                      << ""
                                      << "diese Datei gibt es nicht";
    }
    void refusedFilesChangeNothing()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        const QString good = folder.filePath(QStringLiteral("good.tivaro"));
        const QString bad = folder.filePath(QStringLiteral("bad.tivaro"));
        {
            Workbench saver;
            runLesson(saver, QStringLiteral("5"));
            saver.window().saveLesson(good);
        }
        QByteArray bytes = contentsOf(good);
        if (from.isEmpty())
            bytes = "\x89PNG garbage";
        else if (from == QLatin1String("cut"))
            bytes.truncate(bytes.size() / 2);
        else if (to.isEmpty())
            bytes.clear();
        else
            bytes.replace(from.toUtf8(), to.toUtf8());
        if (from != QLatin1String("none"))
            write(bad, bytes);
        if (from == QLatin1String("large"))
            QVERIFY(QFile::resize(bad, LessonFile::mostBytes + 1));

        Workbench wb;
        wb.click(wb.c().orGateB);
        const LessonFile before = wb.window().files().lessonShown();
        wb.window().openLesson(bad);
        QCOMPARE(wb.reports.errors.size(), 1);
        const QString message = wb.reports.errors.front();
        QVERIFY2(message.contains(QStringLiteral("„%1“").arg(bad)) && message.contains(reason), qPrintable(message));
        QVERIFY(wb.window().files().lessonShown() == before);
    }

    // A save that fails says why, and a file already there stays as it was.
    void failedSavesSayWhyAndKeepTheFile()
    {
        QTemporaryDir folder;
        Workbench wb;
        const QString nowhere = folder.filePath(QStringLiteral("none/lesson.tivaro"));
        wb.window().saveLesson(nowhere);
        QCOMPARE(wb.reports.takeError(),
                 QStringLiteral("Die Lektion konnte nicht nach „%1“ geschrieben werden: Diesen Ordner gibt es nicht.")
                     .arg(nowhere));
        const QString kept = folder.filePath(QStringLiteral("kept.tivaro"));
        write(kept, "earlier");
        // More text than a file holds, pasted into the target list.
        wb.c().targetMemo->setPlainText(QString((1 << 20) + 1, u'x'));
        wb.window().saveLesson(kept);
        const QString tooLarge = wb.reports.takeError();
        QVERIFY2(tooLarge.endsWith(QStringLiteral("die Lektion ist zu groß für eine Datei.")), qPrintable(tooLarge));
        QCOMPARE(contentsOf(kept), QByteArray("earlier"));
    }

    // A step lesson of 37 iterations as CSV, where the decimal separator is
    // a comma: a header and a row per iteration, fields apart by ';'.
    void errorsAsCsv()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("errors.csv"));
        Workbench wb;
        wb.click(wb.c().andGateB);
        wb.click(wb.c().showAnalogCBox); // step output
        wb.click(wb.c().errGraphCB);
        wb.type(wb.c().repeatEdit, QStringLiteral("37"));
        wb.click(wb.c().lessonB);
        wb.window().files().saveErrors(path);
        const QList<QByteArray> rows = contentsOf(path).split('\n');
        QCOMPARE(rows.size(), 1 + 37 + 1); // the last line ends too
        QCOMPARE(rows.front(), QByteArray("Iteration;Fehler\r"));
        QVERIFY(rows.at(1).startsWith("1;"));
        QVERIFY(rows.at(37).startsWith("37;"));
    }

    // Ctrl+S from inside an edit asks where, titled in the chosen language;
    // a file dropped on the window opens; the chart's menu has the entries.
    void keysMenusAndDropsReachTheFiles()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("dropped.tivaro"));
        Workbench wb;
        wb.window().show();
        QVERIFY(QTest::qWaitForWindowActive(&wb.window()));
        wb.click(wb.c().skRB);
        QString title;
        QTimer::singleShot(0, &wb.window(), [&title] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                title = dialog->windowTitle();
                dialog->reject();
            }
        });
        wb.c().weight1Edit->setFocus();
        QTest::keyClick(wb.c().weight1Edit, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(title, QStringLiteral("Uložiť lekciu"));

        QStringList entries;
        const std::unique_ptr<QMenu> menu = wb.c().errorChart->buildContextMenu();
        for (QAction *action : menu->actions())
            entries.append(action->text());
        QCOMPARE(entries.mid(3, 4),
                 (QStringList{QStringLiteral("Uložiť chyby ako CSV…"), QString(), QStringLiteral("Uložiť lekciu…"),
                              QStringLiteral("Otvoriť lekciu…")}));

        Workbench saver;
        saver.click(saver.c().nandGateB);
        saver.window().saveLesson(path);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&wb.window(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&wb.window(), &drop);
        QVERIFY2(wb.reports.errors.isEmpty(), qPrintable(wb.reports.errors.join(u'|')));
        QCOMPARE(wb.c().infoLab->text(), QStringLiteral("NAND gate"));
    }

    // While a lesson runs, opening is turned away like every other action.
    void openingWaitsForNoLesson()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("xor.tivaro"));
        Workbench saver;
        saver.click(saver.c().xorGateB);
        saver.window().saveLesson(path);
        Workbench wb;
        wb.click(wb.c().andGateB);
        wb.type(wb.c().repeatEdit, QStringLiteral("100000000"));
        LessonProgress::setShowDelayMs(0);
        QTimer::singleShot(0, &wb.window(), [&wb, &path] {
            wb.window().openLesson(path);
            QProgressDialog *dialog = wb.window().findChild<QProgressDialog *>();
            if (dialog)
                dialog->cancel();
        });
        wb.click(wb.c().lessonB);
        LessonProgress::setShowDelayMs(500);
        QCOMPARE(wb.c().infoLab->text(), QStringLiteral("AND gate"));
        QVERIFY(wb.reports.errors.isEmpty());
    }
};

TIVARO_GUI_TEST_MAIN(LessonFilesTest)
#include "test_lesson_files.moc"
