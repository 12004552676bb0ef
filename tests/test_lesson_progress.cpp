// Long lessons: the progress dialog, cancelling it, and the memory the error
// chart keeps for millions of points.

#include "gui_fixture.h"

#include "chart/error_chart.h"
#include "lesson/lesson_run.h"
#include "workbench/lesson_progress.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <bit>
#include <functional>

namespace {

// Counts progress dialogs being shown, wherever they come from.
class DialogWatch : public QObject {
public:
    DialogWatch() { qApp->installEventFilter(this); }
    ~DialogWatch() override { qApp->removeEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<QProgressDialog *>(watched))
            ++shown;
        return false;
    }
};

// Step output on the AND gate with the bias input: converges, never overflows.
void prepareLongLesson(Workbench &wb, bool graph)
{
    Ui::MainWindow &c = wb.c();
    wb.click(c.biasCBox);
    wb.click(c.andGateB);
    wb.click(c.showAnalogCBox); // step output
    if (graph)
        wb.click(c.errGraphCB);
    wb.type(c.repeatEdit, QStringLiteral("2000000000"));
}

QProgressDialog *shownProgress()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<QProgressDialog *>(window); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

// The iterations the dialog says are done: the first number of its line.
int64_t shownDone(const QProgressDialog &dialog)
{
    static const QRegularExpression firstNumber(QStringLiteral("\\d+"));
    return firstNumber.match(dialog.labelText()).captured().toLongLong();
}

// Once the dialog shows more than the first iteration done, `how` ends the
// lesson. Waiting for that, not for a time, lets a machine of any speed
// (qemu's too) run at least one chunk first.
class CancelOnceRunning {
public:
    explicit CancelOnceRunning(std::function<void(QProgressDialog &)> how) : how(std::move(how))
    {
        poll.callOnTimeout([this] {
            QProgressDialog *dialog = shownProgress();
            if (!dialog || shownDone(*dialog) <= 1)
                return;
            poll.stop();
            this->how(*dialog);
        });
        poll.start(1);
    }

private:
    std::function<void(QProgressDialog &)> how;
    QTimer poll;
};

} // namespace

class LessonProgressTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { LessonProgress::setShowDelayMs(500); }

    void cancelEndsTheLessonAsIfThatWasTheCount_data()
    {
        QTest::addColumn<bool>("graph");
        QTest::addColumn<bool>("escape");
        QTest::newRow("graph on, Cancel button") << true << false;
        QTest::newRow("graph on, Esc") << true << true;
        QTest::newRow("graph off, Cancel button") << false << false;
    }
    void cancelEndsTheLessonAsIfThatWasTheCount()
    {
        QFETCH(bool, graph);
        QFETCH(bool, escape);
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        prepareLongLesson(wb, graph);
        // A linear output that unlearns: its weights grow all the time, so
        // the lesson never comes back to earlier ones and runs until cancelled.
        wb.click(c.showAnalogCBox);
        wb.type(c.lessonCntEdit, QStringLiteral("0 / 5000")); // earlier lessons count on
        wb.type(c.lRateEdit, QStringLiteral("-0,0000001"));   // no reset: the rate comes from here
        LessonProgress::setShowDelayMs(0);
        DialogWatch watch;
        CancelOnceRunning cancel([escape](QProgressDialog &dialog) {
            if (escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                dialog.findChild<QPushButton *>()->click();
        });

        wb.click(c.lessonB);
        QVERIFY(wb.reports.errors.isEmpty());
        QCOMPARE(watch.shown, 1);
        QVERIFY(!shownProgress());
        const int64_t total = wb.state().lessonTotal();
        const int64_t done = total - 5000;
        QVERIFY2(done > 1 && done < 2000000000, QByteArray::number(done));
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0 / %1").arg(total));
        QCOMPARE(wb.state().repeatCount(), int64_t(0));
        if (graph) {
            QCOMPARE(c.errorChart->pointCount(), int64_t(done));
            QCOMPARE(c.errorChart->bottomAxis().maximum(), double(total));
        } else {
            QCOMPARE(c.errorChart->pointCount(), int64_t(0));
        }
        // The cursor stands on the last pattern that ran, and ShowNeuron
        // showed the neuron as the lesson left it.
        QCOMPARE(wb.state().patternIndex(), int32_t(done % 4 + 1));
        const Pattern &last = wb.state().pattern(wb.state().patternIndex());
        QCOMPARE(c.in1Edit->text(), numtext::formatFixed(last.In1));
        QCOMPARE(c.in2Edit->text(), numtext::formatFixed(last.In2));
        QCOMPARE(c.weight1Edit->text(), numtext::formatFixed(wb.neuron().GetWeight(0)));
        QCOMPARE(wb.bias().weight0Edit->text(), numtext::formatFixed(wb.neuron().GetWeight(2)));
        QCOMPARE(c.outputEdit->text(), numtext::formatFixed(wb.neuron().Output()));

        // The next lesson goes on from the total that really ran.
        LessonProgress::setShowDelayMs(500);
        wb.type(c.repeatEdit, QStringLiteral("10"));
        wb.click(c.lessonB);
        QCOMPARE(wb.state().lessonTotal(), total + 10);
        if (graph)
            QCOMPARE(c.errorChart->pointCount(), int64_t(done + 10));
    }

    void dialogSpeaksTheChosenLanguage_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("progress");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("German") << "deRB"
                                << "Lektion läuft"
                                << "Iteration %1 von 2000000000"
                                << "Abbrechen";
        QTest::newRow("English") << "enRB"
                                 << "Lesson running"
                                 << "Iteration %1 of 2000000000"
                                 << "Cancel";
        QTest::newRow("Slovak") << "skRB"
                                << "Učenie prebieha"
                                << "Iterácia %1 z 2000000000"
                                << "Zrušiť";
    }
    void dialogSpeaksTheChosenLanguage()
    {
        QFETCH(QString, radio);
        QFETCH(QString, title);
        QFETCH(QString, progress);
        QFETCH(QString, cancel);
        Workbench wb;
        prepareLongLesson(wb, false);
        wb.click(wb.window().findChild<QAbstractButton *>(radio));
        LessonProgress::setShowDelayMs(0);
        QString shownTitle, shownText, shownCancel;
        QTimer::singleShot(0, qApp, [&] {
            QProgressDialog *dialog = shownProgress();
            shownTitle = dialog->windowTitle();
            shownText = dialog->labelText();
            shownCancel = dialog->findChild<QPushButton *>()->text();
            dialog->cancel();
        });
        wb.click(wb.c().lessonB);
        QCOMPARE(shownTitle, title);
        QCOMPARE(shownText, progress.arg(0));
        QCOMPARE(shownCancel, cancel);
    }

    void shortLessonShowsNoDialog()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        prepareLongLesson(wb, true);
        // Several chunks, yet well inside the delay even on a slow,
        // sanitized build of a busy machine.
        LessonProgress::setShowDelayMs(60'000);
        wb.type(c.repeatEdit, QStringLiteral("200000"));
        DialogWatch watch;
        wb.click(c.lessonB);
        QCOMPARE(watch.shown, 0);
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0 / 200000"));
        QCOMPARE(c.errorChart->pointCount(), int64_t(200000));
        QVERIFY(wb.reports.errors.isEmpty());
    }

    // The lessons users let run for two billion iterations: once the
    // weights repeat, the rest ends at once, with no dialog even after a
    // long delay, and leaves what the plain rule gives. Their period divides
    // 2^20, so the plain rule needs only as many iterations modulo that.
    void settledLessonEndsAtOnce_data()
    {
        QTest::addColumn<bool>("bias");
        QTest::addColumn<int>("output"); // 0 step, 1 linear, 2 sigmoid
        QTest::addColumn<QString>("gate");
        QTest::newRow("linear") << false << 1 << "andGateB";
        QTest::newRow("step with bias") << true << 0 << "andGateB";
        QTest::newRow("sigmoid with bias") << true << 2 << "xorGateB";
    }
    void settledLessonEndsAtOnce()
    {
        QFETCH(bool, bias);
        QFETCH(int, output);
        QFETCH(QString, gate);
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        if (bias)
            wb.click(c.biasCBox);
        if (output == 0)
            wb.click(c.showAnalogCBox);
        if (output == 2)
            wb.click(c.sigmoidCB);
        wb.click(c.errGraphCB);
        wb.click(wb.window().findChild<QAbstractButton *>(gate));
        wb.type(c.thresholdEdit, QStringLiteral("0"));
        wb.type(c.lRateEdit, QStringLiteral("0,1"));
        constexpr int64_t count = 2147483647;
        wb.type(c.repeatEdit, QString::number(count));
        // The plain rule from the same start.
        Neuron plain(bias ? 3 : 2);
        for (int i = 0; i < plain.InputCount; ++i)
            plain.SetWeight(i,
                            i == 2 ? numtext::parseFloat32(wb.bias().weight0Edit->text())
                                   : numtext::parseFloat32((i ? c.weight2Edit : c.weight1Edit)->text()));
        plain.SetInput(2, 1.0f);
        plain.Threshold = 0;
        plain.AnalogOutput = output != 0;
        plain.ActivationMode = output == 2 ? 1 : 0;
        LessonRun plainRun(plain, wb.state().patterns(), 0.1f, 1);
        plainRun.run((1 << 20) + count % (1 << 20), [](float) noexcept {});
        const int32_t plainIndex = plainRun.patternIndex();

        LessonProgress::setShowDelayMs(60'000);
        DialogWatch watch;
        wb.click(c.lessonB);
        QVERIFY(wb.reports.errors.isEmpty());
        QCOMPARE(watch.shown, 0);
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0 / 2147483647"));
        QCOMPARE(c.errorChart->pointCount(), count);
        QCOMPARE(wb.state().patternIndex(), plainIndex);
        for (int i = 0; i < plain.InputCount; ++i)
            QCOMPARE(std::bit_cast<uint32_t>(wb.neuron().GetWeight(i)), std::bit_cast<uint32_t>(plain.GetWeight(i)));
    }

    void seriesMemoryStaysBounded()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        prepareLongLesson(wb, true);
        LessonProgress::setShowDelayMs(int64_t(1) << 40);
        wb.type(c.repeatEdit, QStringLiteral("30000000"));
        wb.click(c.lessonB);
        QVERIFY(wb.reports.errors.isEmpty());
        QCOMPARE(c.errorChart->pointCount(), int64_t(30000000));
        QVERIFY2(c.errorChart->seriesBytes() <= std::size_t(64) << 20,
                 QByteArray::number(qulonglong(c.errorChart->seriesBytes())));
        // The chart still draws a bounded number of points.
        c.errorChart->grab();
        QVERIFY(c.errorChart->drawnPointCount() > 0);
        QVERIFY(c.errorChart->drawnPointCount() <= 4 * 1024 + 2);
    }
};

TIVARO_GUI_TEST_MAIN(LessonProgressTest)
#include "test_lesson_progress.moc"
