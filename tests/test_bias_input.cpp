// Switching the bias input on and off: controls, positions, the new neuron.

#include "gui_fixture.h"

#include <QLabel>
#include <QTest>

namespace {

// The box, the four controls and the three-input neuron go together.
bool invariantHolds(Workbench &wb)
{
    const BiasControls &s = wb.bias();
    const bool on = wb.c().biasCBox->isChecked();
    const bool controls = s.biasLab && s.biasEdit && s.weight0Lab && s.weight0Edit;
    const bool none = !s.biasLab && !s.biasEdit && !s.weight0Lab && !s.weight0Edit;
    return on ? (controls && wb.neuron().InputCount == 3) : (none && wb.neuron().InputCount == 2);
}

} // namespace

class BiasInputTest : public QObject {
    Q_OBJECT
private slots:
    void switchingOnPlacesFourBlueControls()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.biasCBox);
        const BiasControls &s = wb.bias();
        QVERIFY(invariantHolds(wb));
        QCOMPARE(s.biasLab->pos(), QPoint(17, 234));
        QCOMPARE(s.biasLab->text(), QStringLiteral("Bias"));
        QVERIFY(s.biasLab->font().bold());
        QCOMPARE(s.biasEdit->geometry(), QRect(6, 249, 94, 31));
        QCOMPARE(s.biasEdit->font().pointSize(), 14);
        QCOMPARE(s.biasEdit->text(), QStringLiteral("1"));
        QVERIFY(s.biasEdit->isReadOnly());
        QCOMPARE(s.weight0Lab->pos(), QPoint(131, 269));
        QCOMPARE(s.weight0Lab->text(), QStringLiteral("weight 0"));
        QCOMPARE(s.weight0Edit->geometry(), QRect(143, 284, 79, 24));
        QVERIFY(!s.weight0Edit->isReadOnly());
        QCOMPARE(s.weight0Edit->palette().color(QPalette::Text), QColor(Qt::blue));
        QCOMPARE(s.weight0Lab->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QCOMPARE(c.outputLab->y(), 304);
        QCOMPARE(c.outputEdit->y(), 329);
        // A fresh random weight in the fixed format.
        const QString shown = s.weight0Edit->text();
        QCOMPARE(numtext::formatFixed(numtext::parseFloat32(shown)), shown);
        QVERIFY(wb.reports.errors.isEmpty());
    }

    void switchingOffRestoresTheLayout()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        for (int round = 0; round < 3; ++round) {
            wb.click(c.biasCBox);
            QVERIFY(invariantHolds(wb));
            wb.click(c.biasCBox);
            QVERIFY(invariantHolds(wb));
            QCOMPARE(c.outputLab->y(), 334);
            QCOMPARE(c.outputEdit->y(), 359);
        }
        QCOMPARE(wb.window().findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly).size(),
                 Workbench().window().findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly).size());
    }

    void switchKeepsTrainingStateButEmptiesTheMemo()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.orGateB);
        const QString weightText = c.weight1Edit->text();
        wb.click(c.biasCBox);
        QVERIFY(c.targetMemo->toPlainText().isEmpty());
        QVERIFY(c.lessonB->isEnabled() && c.nextPatternB->isEnabled());
        QCOMPARE(wb.state().pattern(1).Target, 1.0f);
        QCOMPARE(c.weight1Edit->text(), weightText);
        QCOMPARE(c.infoLab->text(), QStringLiteral("OR gate"));
    }

    void newNeuronComputesWhatTheBoxesShow()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.sigmoidCB);
        wb.type(c.thresholdEdit, QStringLiteral("0,25"));
        wb.click(c.biasCBox);
        QVERIFY(wb.neuron().AnalogOutput);
        QCOMPARE(wb.neuron().ActivationMode, uint8_t(1));
        QCOMPARE(wb.neuron().Threshold, 0.25f);
        wb.click(c.showAnalogCBox);
        wb.click(c.sigmoidCB);
        wb.type(c.thresholdEdit, QStringLiteral("kaputt"));
        wb.click(c.biasCBox);
        QVERIFY(!wb.neuron().AnalogOutput);
        QCOMPARE(wb.neuron().ActivationMode, uint8_t(0));
        QCOMPARE(wb.neuron().Threshold, 0.0f);
        QVERIFY(wb.reports.errors.isEmpty());
    }

    void evaluationReadsTheTypedBiasWeight()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.biasCBox);
        wb.click(c.andGateB);
        wb.type(wb.bias().weight0Edit, QStringLiteral("0,75"));
        wb.click(c.nextPatternB);
        QCOMPARE(wb.neuron().GetWeight(2), 0.75f);
        QCOMPARE(wb.neuron().GetInput(2), 1.0f);
        QCOMPARE(wb.bias().weight0Edit->text(), QStringLiteral("0,7500"));

        wb.type(wb.bias().weight0Edit, QStringLiteral("zwei"));
        wb.click(c.nextPatternB);
        QCOMPARE(wb.reports.takeError(), QStringLiteral("'zwei' is not a valid floating point value."));
        QCOMPARE(wb.neuron().GetWeight(2), 0.75f);
    }

    void overflowOfTheShownThresholdStillLeavesAConsistentNeuron()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.type(c.thresholdEdit, QStringLiteral("1E39"));
        QCOMPARE(wb.reports.takeError(), QStringLiteral("Floating point overflow."));
        wb.click(c.biasCBox);
        QCOMPARE(wb.reports.takeError(), QStringLiteral("Floating point overflow."));
        QVERIFY(invariantHolds(wb));
        QVERIFY(wb.state().hasNeuron());
    }
};

TIVARO_GUI_TEST_MAIN(BiasInputTest)
#include "test_bias_input.moc"
