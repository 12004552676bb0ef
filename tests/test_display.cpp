// Showing the neuron, presenting patterns and the settings handlers.

#include "gui_fixture.h"

#include <QTest>
#include <cfloat>

class DisplayTest : public QObject {
    Q_OBJECT
private slots:
    void stepAndAnalogOutputs()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        Neuron &n = wb.neuron();
        n.SetInput(0, 1.0f);
        n.SetInput(1, 1.0f);
        n.SetWeight(0, 0.5f);
        n.SetWeight(1, 0.2349f);
        wb.type(c.thresholdEdit, QStringLiteral("0,5"));
        wb.click(c.showAnalogCBox); // off: the step value
        QCOMPARE(c.outputEdit->text(), QStringLiteral("1"));
        QCOMPARE(c.weight2Edit->text(), QStringLiteral("0,2300"));
        wb.click(c.showAnalogCBox); // on: the sum
        QCOMPARE(c.outputEdit->text(), QStringLiteral("0,7300"));
        wb.click(c.sigmoidCB); // takes effect at the next display
        QCOMPARE(c.outputEdit->text(), QStringLiteral("0,7300"));
        QCOMPARE(n.ActivationMode, uint8_t(1));
        wb.type(c.thresholdEdit, QStringLiteral("0.7349")); // either separator is read
        QCOMPARE(n.Threshold, 0.7349f);
    }

    void thresholdFallsBackToZeroSilently()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        for (const char *text : {"", "abc", "0,5,5", "inf", "  "}) {
            wb.type(c.thresholdEdit, QStringLiteral("0,3"));
            wb.type(c.thresholdEdit, QString::fromLatin1(text));
            QCOMPARE(wb.neuron().Threshold, 0.0f);
        }
        QVERIFY(wb.reports.errors.isEmpty());
        // Typing into the output edit applies the threshold edit again.
        wb.type(c.thresholdEdit, QStringLiteral("0,4"));
        wb.neuron().Threshold = 9.0f;
        wb.type(c.outputEdit, QStringLiteral("x"));
        QCOMPARE(wb.neuron().Threshold, 0.4f);
    }

    void learningRateReportsBadTextAndKeepsItsValue()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.type(c.lRateEdit, QStringLiteral("0,25"));
        QCOMPARE(wb.state().learningRate(), 0.25f);
        wb.type(c.lRateEdit, QString());
        QCOMPARE(wb.reports.takeError(), QStringLiteral("'' is not a valid floating point value."));
        QCOMPARE(wb.state().learningRate(), 0.25f);
        wb.type(c.lRateEdit, QStringLiteral("1E39"));
        QCOMPARE(wb.reports.takeError(), QStringLiteral("Floating point overflow."));
        QCOMPARE(wb.state().learningRate(), 0.25f);
        // Typed digit by digit, no message on the way.
        for (const char *step : {"0", "0,", "0,5"})
            wb.type(c.lRateEdit, QString::fromLatin1(step));
        QVERIFY(wb.reports.errors.isEmpty());
        QCOMPARE(wb.state().learningRate(), 0.5f);
    }

    void nextPatternCyclesAndEvaluates()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.nandGateB);
        const float inputs[][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {0, 0}};
        for (const auto &expected : inputs) {
            wb.click(c.nextPatternB);
            QCOMPARE(wb.neuron().GetInput(0), expected[0]);
            QCOMPARE(wb.neuron().GetInput(1), expected[1]);
            QCOMPARE(c.in1Edit->text(), expected[0] == 1 ? QStringLiteral("1,0000") : QStringLiteral("0,0000"));
        }
        QCOMPARE(wb.state().patternIndex(), 1);
        // The weights shown are what the neuron continues from.
        wb.type(c.weight1Edit, QStringLiteral("0.125"));
        wb.click(c.nextPatternB);
        QCOMPARE(c.weight1Edit->text(), QStringLiteral("0,1300"));
        wb.click(c.nextPatternB);
        QCOMPARE(wb.neuron().GetWeight(0), 0.13f);
    }

    void missingInputsGiveANoticeAndChangeNothing()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        const float weight = wb.neuron().GetWeight(0);
        c.in2Edit->clear();
        wb.type(c.weight1Edit, QStringLiteral("0,9"));
        wb.window().evaluate();
        QCOMPARE(wb.reports.notices, QStringList{QStringLiteral("Missing input values!")});
        QCOMPARE(wb.neuron().GetWeight(0), weight);
        QCOMPARE(c.weight1Edit->text(), QStringLiteral("0,9"));
    }

    void badWeightStopsTheEvaluationHalfWay()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.andGateB);
        wb.type(c.weight1Edit, QStringLiteral("0,5"));
        wb.type(c.weight2Edit, QStringLiteral("1,2,3"));
        wb.click(c.nextPatternB);
        QCOMPARE(wb.reports.takeError(), QStringLiteral("'1,2,3' is not a valid floating point value."));
        QCOMPARE(wb.neuron().GetWeight(0), 0.5f);
        QCOMPARE(c.weight2Edit->text(), QStringLiteral("1,2,3"));
    }

    void overflowingSumKeepsTheOldOutputText()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.andGateB);
        wb.type(c.weight1Edit, QStringLiteral("3E38"));
        wb.type(c.weight2Edit, QStringLiteral("3E38"));
        const QString output = c.outputEdit->text();
        wb.click(c.nextPatternB); // pattern 1: inputs 1 and 1
        QCOMPARE(wb.reports.takeError(), QStringLiteral("Floating point overflow."));
        QCOMPARE(c.outputEdit->text(), output);
        QCOMPARE(c.weight1Edit->text(), QStringLiteral("3E0038"));
        QVERIFY(wb.reports.errors.isEmpty());
    }
};

TIVARO_GUI_TEST_MAIN(DisplayTest)
#include "test_display.moc"
