// The lesson as the user runs it: figures, pattern order, the counter, and
// the error chart's iteration axis.

#include "gui_fixture.h"

#include "chart/error_chart.h"
#include "lesson/perceptron_rule.h"

#include <QLineSeries>
#include <QTest>
#include <set>

namespace {

// AND gate with every weight typed as "0", graph off; analog linear output
// unless `step`.
void startAndGate(Workbench &wb, bool bias, bool step = false)
{
    Ui::MainWindow &c = wb.c();
    if (bias)
        wb.click(c.biasCBox);
    wb.click(c.andGateB);
    if (step)
        wb.click(c.showAnalogCBox); // shows the neuron: before typing the weights
    wb.type(c.weight1Edit, QStringLiteral("0"));
    wb.type(c.weight2Edit, QStringLiteral("0"));
    if (bias)
        wb.type(wb.bias().weight0Edit, QStringLiteral("0"));
}

// Iterations of the exact rule on the AND gate from zero weights, until
// `count` ran or one overflowed; returns how many completed.
int exactRunFromZero(Neuron &reference, float rate, int count)
{
    const std::array<Pattern, 4> andGate{{{1, 1, 1}, {0, 1, 0}, {1, 0, 0}, {0, 0, 0}}};
    for (int i = 0; i < reference.InputCount; ++i)
        reference.SetWeight(i, 0.0f);
    reference.SetInput(2, 1.0f);
    reference.AnalogOutput = true;
    reference.ActivationMode = 0;
    int index = 1;
    for (int done = 0; done < count; ++done) {
        index = index >= 4 ? 1 : index + 1;
        try {
            exactIteration(reference, andGate[std::size_t(index - 1)], rate);
        } catch (const AppError &) {
            return done;
        }
    }
    return count;
}

// The X values the chart draws (after a paint); with fewer points than
// pixel columns every point is drawn.
std::set<double> drawnXs(ErrorChart &chart)
{
    chart.grab();
    std::set<double> xs;
    for (const QPointF &point : chart.drawnSeries()->points())
        xs.insert(point.x());
    return xs;
}

std::set<double> range(double from, double to)
{
    std::set<double> xs;
    for (double x = from; x <= to; ++x)
        xs.insert(x);
    return xs;
}

} // namespace

class LessonTest : public QObject {
    Q_OBJECT
private slots:
    void linearOutputOverflows_data()
    {
        QTest::addColumn<bool>("bias");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<int>("failingIteration");
        QTest::newRow("without bias, rate 2") << false << "2" << 324;
        QTest::newRow("with bias, rate 1.5") << true << "1,5" << 486;
    }
    void linearOutputOverflows()
    {
        QFETCH(bool, bias);
        QFETCH(QString, rate);
        QFETCH(int, failingIteration);
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        startAndGate(wb, bias);
        wb.click(c.errGraphCB);
        wb.type(c.lRateEdit, rate);
        wb.type(c.repeatEdit, QStringLiteral("1000"));
        const QString shownWeight = c.weight1Edit->text();

        wb.click(c.lessonB);
        QCOMPARE(wb.reports.errors, QStringList{QStringLiteral("Floating point overflow.")});
        QCOMPARE(c.errorChart->pointCount(), int64_t(failingIteration - 1));
        // Nothing reports the failed lesson as done.
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0"));
        QCOMPARE(c.weight1Edit->text(), shownWeight);

        // The neuron keeps exactly the weights of the iterations that ran.
        Neuron reference(bias ? 3 : 2);
        QCOMPARE(exactRunFromZero(reference, numtext::parseFloat32(rate), 1000), failingIteration - 1);
        for (int i = 0; i < reference.InputCount; ++i)
            QCOMPARE(wb.neuron().GetWeight(i), reference.GetWeight(i));
    }

    void linearOutputWithBiasEndsFinite()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        startAndGate(wb, true);
        wb.type(c.lRateEdit, QStringLiteral("1"));
        wb.type(c.repeatEdit, QStringLiteral("1000"));
        wb.click(c.lessonB);
        QVERIFY(wb.reports.errors.isEmpty());
        QCOMPARE(wb.neuron().GetWeight(0), 126.0f);
        QCOMPARE(wb.neuron().GetWeight(1), 0.0f);
        QCOMPARE(wb.neuron().GetWeight(2), 125.0f);
        QCOMPARE(c.weight1Edit->text(), QStringLiteral("1,3E0002"));
        QCOMPARE(wb.bias().weight0Edit->text(), QStringLiteral("1,3E0002"));
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0 / 1000"));
    }

    void stepOutputLearnsOnlyFromPatternOne()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        startAndGate(wb, false, true);
        wb.type(c.thresholdEdit, QStringLiteral("0,5"));
        wb.type(c.lRateEdit, QStringLiteral("0,1"));

        wb.type(c.repeatEdit, QStringLiteral("3")); // patterns 2, 3, 4: output 0 = target
        wb.click(c.lessonB);
        QCOMPARE(c.weight1Edit->text(), QStringLiteral("0,0000"));
        QCOMPARE(c.weight2Edit->text(), QStringLiteral("0,0000"));
        QCOMPARE(c.outputEdit->text(), QStringLiteral("0"));

        wb.type(c.lessonCntEdit, QStringLiteral("0"));
        wb.type(c.repeatEdit, QStringLiteral("4")); // pattern 1: error 1
        wb.click(c.lessonB);
        QCOMPARE(wb.neuron().GetWeight(0), 0.1f);
        QCOMPARE(wb.neuron().GetWeight(1), 0.1f);
        QCOMPARE(c.weight1Edit->text(), QStringLiteral("0,1000"));
        QCOMPARE(c.weight2Edit->text(), QStringLiteral("0,1000"));
        QVERIFY(wb.reports.errors.isEmpty());
    }

    void biasWeightStartsFromItsEdit()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        startAndGate(wb, true, true);
        wb.type(c.thresholdEdit, QStringLiteral("0"));
        wb.type(wb.bias().weight0Edit, QStringLiteral("0,5"));
        wb.type(c.lRateEdit, QStringLiteral("0,25"));
        // Pattern 2 (0, 1) -> 0: the bias alone makes the output 1, error -1.
        wb.type(c.repeatEdit, QStringLiteral("1"));
        wb.click(c.lessonB);
        QCOMPARE(wb.neuron().GetWeight(2), 0.25f);
        QCOMPARE(wb.neuron().GetWeight(0), 0.0f); // its input was 0
        QCOMPARE(wb.neuron().GetWeight(1), -0.25f);
        QCOMPARE(wb.bias().weight0Edit->text(), QStringLiteral("0,2500"));
    }

    void patternsRunTwoThreeFourOne()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.andGateB); // (1,1) (0,1) (1,0) (0,0)
        const QStringList in1After{"0,0000", "1,0000", "0,0000", "1,0000", "0,0000"};
        const QStringList in2After{"1,0000", "0,0000", "0,0000", "1,0000", "1,0000"};
        for (int n = 1; n <= 5; ++n) {
            wb.type(c.repeatEdit, QString::number(n));
            wb.click(c.lessonB);
            QCOMPARE(wb.state().patternIndex(), n % 4 + 1);
            QCOMPARE(c.in1Edit->text(), in1After[n - 1]);
            QCOMPARE(c.in2Edit->text(), in2After[n - 1]);
        }
        // The next-pattern button goes on after the pattern the lesson left.
        wb.click(c.nextPatternB);
        QCOMPARE(wb.state().patternIndex(), 3);
        QCOMPARE(c.in1Edit->text(), QStringLiteral("1,0000"));
        QCOMPARE(c.in2Edit->text(), QStringLiteral("0,0000"));
        // A lesson of four ends on pattern 1, so the button presents pattern 2.
        wb.type(c.repeatEdit, QStringLiteral("4"));
        wb.click(c.lessonB);
        wb.click(c.nextPatternB);
        QCOMPARE(wb.state().patternIndex(), 2);
        QVERIFY(wb.reports.errors.isEmpty());
    }

    void counterAccumulatesAndResetsAtZero()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.andGateB);
        wb.click(c.lessonB);
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0 / 100"));
        QCOMPARE(wb.state().lessonTotal(), int64_t(100));

        // No reset now: the neuron keeps a threshold set behind the edit's back.
        wb.neuron().Threshold = 7.0f;
        wb.click(c.lessonB);
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0 / 200"));
        QCOMPARE(wb.neuron().Threshold, 7.0f);

        // Any counter whose number reads 0 resets from the edits.
        for (const char *zero : {"0", "0 / 0", " 12 /  0 ", "/0"}) {
            wb.type(c.lessonCntEdit, QString::fromLatin1(zero));
            wb.neuron().Threshold = 7.0f;
            wb.click(c.lessonB);
            QCOMPARE(wb.neuron().Threshold, 0.5f);
            QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0 / 100"));
        }
        // A reset reads the threshold text strictly.
        wb.type(c.lessonCntEdit, QStringLiteral("0"));
        wb.type(c.thresholdEdit, QStringLiteral("x"));
        wb.click(c.lessonB);
        QCOMPARE(wb.reports.takeError(), QStringLiteral("'x' is not a valid floating point value."));
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0"));
        QVERIFY(wb.reports.errors.isEmpty());
    }

    void resetTakesTheSigmoidBox()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.andGateB);
        wb.click(c.sigmoidCB);
        wb.neuron().ActivationMode = 0;
        wb.click(c.lessonB);
        QCOMPARE(wb.neuron().ActivationMode, uint8_t(1));
        wb.click(c.sigmoidCB);
        wb.neuron().ActivationMode = 1;
        wb.type(c.lessonCntEdit, QStringLiteral("0"));
        wb.click(c.lessonB);
        QCOMPARE(wb.neuron().ActivationMode, uint8_t(0));
    }

    void badCounterTextChangesNothing()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.andGateB);
        wb.click(c.errGraphCB);
        wb.type(c.weight1Edit, QStringLiteral("0,3"));
        wb.neuron().Threshold = 7.0f;
        const float weightBefore = wb.neuron().GetWeight(0);
        for (const char *bad : {"abc", "0 / 1,5", "0 / 99999999999999999999", ""}) {
            wb.type(c.lessonCntEdit, QString::fromLatin1(bad));
            wb.click(c.lessonB);
            const QString number = QString::fromLatin1(bad).mid(QString::fromLatin1(bad).indexOf(u'/') + 1).trimmed();
            QCOMPARE(wb.reports.takeError(), QStringLiteral("''%1'' is not a valid integer value.").arg(number));
            QCOMPARE(c.lessonCntEdit->text(), QString::fromLatin1(bad));
            QCOMPARE(wb.neuron().GetWeight(0), weightBefore);
            QCOMPARE(wb.neuron().Threshold, 7.0f);
            QCOMPARE(wb.state().patternIndex(), 0);
            QCOMPARE(c.errorChart->pointCount(), int64_t(0));
        }
        QVERIFY(wb.reports.errors.isEmpty());
    }

    void totalsBeyondThirtyTwoBitsContinue()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.andGateB);
        wb.click(c.errGraphCB);
        wb.type(c.lessonCntEdit, QStringLiteral("0 / 2147483647"));
        wb.click(c.lessonB);
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0 / 2147483747"));
        wb.click(c.lessonB);
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0 / 2147483847"));
        QCOMPARE(c.errorChart->bottomAxis().maximum(), 2147483847.0);
        QCOMPARE(c.errorChart->pointCount(), int64_t(200));
        QVERIFY(wb.reports.errors.isEmpty());

        // A total that could not be counted to the end is refused up front.
        wb.type(c.lessonCntEdit, QStringLiteral("0 / 9223372036854775800"));
        wb.click(c.lessonB);
        QCOMPARE(wb.reports.takeError(), QStringLiteral("''9223372036854775800'' is not a valid integer value."));
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0 / 9223372036854775800"));
        QCOMPARE(c.errorChart->pointCount(), int64_t(200));
    }

    void counterShowsItsWholeText()
    {
        // Whether the start of the text is in view while the cursor stands
        // at its end: Qt scrolls a text that does not fit.
        const auto showsWhole = [](QLineEdit *edit) {
            edit->setCursorPosition(int(edit->text().size()));
            edit->grab();
            return edit->cursorPositionAt(QPoint(1, edit->height() / 2)) == 0;
        };
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        QLineEdit *counter = c.lessonCntEdit;
        const QRect designed = counter->geometry();
        const int panelEdge = c.lessonPanel->contentsRect().right() + 1;
        wb.click(c.andGateB);
        for (const char *before : {"0 / 1890451358", "0 / 4294967194", "0 / 9223372036854775000"}) {
            wb.type(counter, QString::fromLatin1(before));
            wb.click(c.lessonB);
            QVERIFY(wb.reports.errors.isEmpty());
            // Grown to the right inside the panel; what still does not fit,
            // the tool tip shows.
            QCOMPARE(counter->x(), designed.x());
            QVERIFY(counter->geometry().right() < panelEdge);
            QVERIFY2(showsWhole(counter) || counter->toolTip() == counter->text(), qPrintable(counter->text()));
        }
        QCOMPARE(counter->toolTip(), counter->text()); // that long a total never fits
        // Typed text grows it as well; a short text gives back the designed size.
        wb.type(counter, QStringLiteral("0 / 1890451458"));
        QVERIFY(showsWhole(counter));
        QVERIFY(counter->toolTip().isEmpty());
        wb.click(c.andGateB);
        QCOMPARE(counter->text(), QStringLiteral("0"));
        QCOMPARE(counter->geometry(), designed);

        // The repeat count grows the same way, up to the largest count.
        wb.type(c.repeatEdit, QStringLiteral("2147483647"));
        QVERIFY(showsWhole(c.repeatEdit));
        QVERIFY(c.repeatEdit->geometry().right() < panelEdge);
    }

    void noIterationsStillShowsTheCounter()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.andGateB);
        wb.click(c.errGraphCB);
        for (const char *count : {"0", "-7"}) {
            wb.type(c.repeatEdit, QString::fromLatin1(count));
            QCOMPARE(wb.reports.takeError(), QStringLiteral("Axis Maximum Value must be >= Minimum."));
            wb.type(c.lessonCntEdit, QStringLiteral("0 / 42"));
            wb.type(c.weight1Edit, QStringLiteral("0,3"));
            wb.neuron().SetWeight(0, 9.0f);
            wb.click(c.lessonB);
            QVERIFY(wb.reports.errors.isEmpty());
            QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0 / 42"));
            QCOMPARE(wb.neuron().GetWeight(0), 0.3f);                  // taken from the edit
            QCOMPARE(c.weight1Edit->text(), QStringLiteral("0,3000")); // and shown again
            QCOMPARE(c.errorChart->pointCount(), int64_t(0));
        }
    }

    void negativeTotalStopsAtTheAxis()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.andGateB);
        wb.click(c.showAnalogCBox); // step output
        wb.click(c.errGraphCB);
        wb.type(c.thresholdEdit, QStringLiteral("0,1"));
        wb.type(c.lRateEdit, QStringLiteral("0,25"));
        wb.type(c.weight1Edit, QStringLiteral("0,5"));
        wb.type(c.weight2Edit, QStringLiteral("0,5"));
        wb.type(c.lessonCntEdit, QStringLiteral("0 / -500"));
        const double axisBefore = c.errorChart->bottomAxis().maximum();

        wb.click(c.lessonB);
        QCOMPARE(wb.reports.takeError(), QStringLiteral("Axis Maximum Value must be >= Minimum."));
        // Pattern 2 (0, 1) -> 0 with output 1 moved weight 2 once.
        QCOMPARE(wb.neuron().GetWeight(0), 0.5f);
        QCOMPARE(wb.neuron().GetWeight(1), 0.25f);
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0 / -500"));
        QCOMPARE(c.weight2Edit->text(), QStringLiteral("0,5"));
        QCOMPARE(c.errorChart->pointCount(), int64_t(0));
        QCOMPARE(c.errorChart->bottomAxis().maximum(), axisBefore);
        QVERIFY(wb.reports.errors.isEmpty());
    }

    void graphNumbersLessonsOneAfterAnother()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        ErrorChart &chart = *c.errorChart;
        wb.click(c.andGateB);
        wb.click(c.errGraphCB);
        wb.click(c.lessonB);
        QCOMPARE(chart.pointCount(), int64_t(100));
        QCOMPARE(chart.bottomAxis().maximum(), 100.0);
        QCOMPARE(drawnXs(chart), range(1, 100));
        wb.click(c.lessonB);
        QCOMPARE(chart.pointCount(), int64_t(200));
        QCOMPARE(chart.bottomAxis().maximum(), 200.0);
        QCOMPARE(drawnXs(chart), range(1, 200));

        // Off and on again: empty, and the axis spans the repeat count only.
        wb.click(c.errGraphCB);
        wb.click(c.errGraphCB);
        QCOMPARE(chart.pointCount(), int64_t(0));
        QCOMPARE(chart.bottomAxis().maximum(), 100.0);
        // A lesson with the graph off leaves its stretch empty.
        wb.click(c.errGraphCB);
        wb.click(c.lessonB);
        wb.click(c.errGraphCB);
        wb.type(c.repeatEdit, QStringLiteral("50"));
        wb.click(c.lessonB);
        QCOMPARE(chart.pointCount(), int64_t(50));
        QCOMPARE(chart.bottomAxis().maximum(), 350.0);
        QCOMPARE(drawnXs(chart), range(301, 350));
        QVERIFY(wb.reports.errors.isEmpty());
    }

    void repeatEditScalesTheAxisKeystrokeByKeystroke()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        ChartAxis &axis = c.errorChart->bottomAxis();
        QCOMPARE(axis.maximum(), 100.0);
        wb.type(c.repeatEdit, QString());
        QCOMPARE(wb.reports.takeError(), QStringLiteral("'''' is not a valid integer value."));
        QCOMPARE(axis.maximum(), 100.0);
        for (const char *text : {"2", "25", "250"}) {
            wb.type(c.repeatEdit, QString::fromLatin1(text));
            QCOMPARE(axis.maximum(), QString::fromLatin1(text).toDouble());
            QCOMPARE(axis.workingMaximum(), axis.maximum());
            QCOMPARE(axis.increment(), 1.0);
        }
        wb.type(c.repeatEdit, QStringLiteral("0"));
        QCOMPARE(wb.reports.takeError(), QStringLiteral("Axis Maximum Value must be >= Minimum."));
        wb.type(c.repeatEdit, QStringLiteral("25x"));
        QCOMPARE(wb.reports.takeError(), QStringLiteral("''25x'' is not a valid integer value."));
        wb.type(c.repeatEdit, QStringLiteral("3000000000"));
        QCOMPARE(wb.reports.takeError(), QStringLiteral("''3000000000'' is not a valid integer value."));
        QCOMPARE(axis.maximum(), 250.0);
        QCOMPARE(axis.minimum(), 1.0);
        QVERIFY(wb.reports.errors.isEmpty());
    }

    void errorGraphBoxSwapsChartAndDiagram()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        QVERIFY(c.errorChart->isHidden());
        QVERIFY(!c.diagramImage->isHidden());
        wb.click(c.andGateB);
        wb.click(c.lessonB); // graph off: no points
        QCOMPARE(c.errorChart->pointCount(), int64_t(0));

        wb.type(c.repeatEdit, QStringLiteral("30"));
        wb.click(c.errGraphCB);
        QVERIFY(!c.errorChart->isHidden());
        QVERIFY(c.diagramImage->isHidden());
        QCOMPARE(c.errorChart->bottomAxis().maximum(), 30.0); // whatever ran before
        wb.click(c.lessonB);
        QCOMPARE(c.errorChart->bottomAxis().maximum(), 130.0);

        wb.click(c.errGraphCB);
        QVERIFY(c.errorChart->isHidden());
        QVERIFY(!c.diagramImage->isHidden());
        QCOMPARE(c.errorChart->pointCount(), int64_t(0));

        // A bad repeat count leaves the rectangle empty while the box is checked.
        wb.type(c.repeatEdit, QStringLiteral("x"));
        wb.reports.errors.clear();
        wb.click(c.errGraphCB);
        QCOMPARE(wb.reports.takeError(), QStringLiteral("''x'' is not a valid integer value."));
        QVERIFY(c.errGraphCB->isChecked());
        QVERIFY(c.errorChart->isHidden());
        QVERIFY(c.diagramImage->isHidden());
        wb.click(c.errGraphCB);
        QVERIFY(!c.diagramImage->isHidden());
        wb.type(c.repeatEdit, QStringLiteral("0"));
        wb.click(c.errGraphCB);
        QCOMPARE(wb.reports.errors.size(), 2); // typing and checking both refuse 0
        QVERIFY(c.errorChart->isHidden());
        QVERIFY(c.diagramImage->isHidden());
        wb.click(c.errGraphCB);
        wb.type(c.repeatEdit, QStringLiteral("100"));
        wb.click(c.errGraphCB);
        QVERIFY(!c.errorChart->isHidden());
        QVERIFY(c.diagramImage->isHidden());
    }
};

TIVARO_GUI_TEST_MAIN(LessonTest)
#include "test_lesson.moc"
