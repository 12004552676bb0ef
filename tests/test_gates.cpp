// Loading a gate's truth table as the training set.

#include "gui_fixture.h"

#include "chart/error_chart.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

QStringList memoLines(Ui::MainWindow &c)
{
    const QString text = c.targetMemo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

QPushButton *gateButton(Ui::MainWindow &c, const QString &name)
{
    if (name == u"AND")
        return c.andGateB;
    if (name == u"OR")
        return c.orGateB;
    if (name == u"NAND")
        return c.nandGateB;
    return c.xorGateB;
}

} // namespace

class GatesTest : public QObject {
    Q_OBJECT
private slots:
    void loadsTheTruthTable_data()
    {
        QTest::addColumn<QString>("gate");
        QTest::addColumn<bool>("bias");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("in1");
        QTest::addColumn<QString>("in2");
        QTest::addColumn<QString>("threshold");

        const QStringList andLines{"1 |1 |  ->1 |", "0 |1 |  ->0 |", "1 |0 |  ->0 |", "0 |0 |  ->0 |"};
        const QStringList orLines{"1 |1 |  ->1 |", "0 |1 |  ->1 |", "1 |0 |  ->1 |", "0 |0 |  ->0 |"};
        const QStringList nandLines{"0 |0 |  ->1 |", "0 |1 |  ->1 |", "1 |0 |  ->1 |", "1 |1 |  ->0 |"};
        const QStringList xorLines{"1 |1 |  ->0 |", "0 |1 |  ->1 |", "1 |0 |  ->1 |", "0 |0 |  ->0 |"};
        const auto prefixed = [](QStringList lines, const QString &prefix) {
            for (QString &line : lines)
                line.prepend(prefix);
            return lines;
        };
        for (const bool bias : {false, true}) {
            const QString prefix = bias ? QStringLiteral("| 1 | ") : QStringLiteral("| ");
            const char *suffix = bias ? " with bias" : " without bias";
            // AND keeps the start-up text; the others choose one for the gate.
            QTest::addRow("AND%s", suffix) << "AND" << bias << prefixed(andLines, prefix) << "1,0000"
                                           << "1,0000"
                                           << "0,500";
            QTest::addRow("OR%s", suffix) << "OR" << bias << prefixed(orLines, prefix) << "1,0000"
                                          << "1,0000" << (bias ? "0" : "0,5");
            QTest::addRow("NAND%s", suffix) << "NAND" << bias << prefixed(nandLines, prefix) << "0,0000"
                                            << "0,0000" << (bias ? "0" : "1,0");
            QTest::addRow("XOR%s", suffix) << "XOR" << bias << prefixed(xorLines, prefix) << "1,0000"
                                           << "1,0000" << (bias ? "0" : "1,0");
        }
    }
    void loadsTheTruthTable()
    {
        QFETCH(QString, gate);
        QFETCH(bool, bias);
        QFETCH(QStringList, lines);
        QFETCH(QString, in1);
        QFETCH(QString, in2);
        QFETCH(QString, threshold);

        Workbench wb;
        Ui::MainWindow &c = wb.c();
        QVERIFY(!c.lessonB->isEnabled());
        QVERIFY(!c.nextPatternB->isEnabled());
        if (bias)
            wb.click(c.biasCBox);
        wb.type(c.lessonCntEdit, QStringLiteral("0 / 300"));

        wb.click(gateButton(c, gate));
        QCOMPARE(memoLines(c), lines);
        QCOMPARE(c.in1Edit->text(), in1);
        QCOMPARE(c.in2Edit->text(), in2);
        QCOMPARE(c.thresholdEdit->text(), threshold);
        QCOMPARE(c.infoLab->text(), gate + QStringLiteral(" gate"));
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0"));
        QVERIFY(c.lessonB->isEnabled());
        QVERIFY(c.nextPatternB->isEnabled());

        // The neuron sees pattern 1, and the bias input stays 1.
        const float first1 = in1 == u"1,0000" ? 1.0f : 0.0f;
        QCOMPARE(wb.neuron().GetInput(0), first1);
        QCOMPARE(wb.neuron().GetInput(1), first1);
        if (bias)
            QCOMPARE(wb.neuron().GetInput(2), 1.0f);
        // The neuron takes the threshold text it was given.
        QCOMPARE(wb.neuron().Threshold, numtext::parseFloat32(threshold));
        for (int p = 1; p <= 4; ++p) {
            const Pattern &pattern = wb.state().pattern(p);
            const QString expected = lines[p - 1].mid(bias ? 6 : 2);
            QCOMPARE(numtext::formatPlain(pattern.In1) + " |" + numtext::formatPlain(pattern.In2) + " |  ->" +
                         numtext::formatPlain(pattern.Target) + " |",
                     expected);
        }
        QVERIFY(wb.reports.errors.isEmpty());
    }

    void thresholdTextsUseTheUsersSeparator()
    {
        Workbench wb(u'.');
        Ui::MainWindow &c = wb.c();
        wb.click(c.orGateB);
        QCOMPARE(c.thresholdEdit->text(), QStringLiteral("0.5"));
        QCOMPARE(wb.neuron().Threshold, 0.5f);
        QCOMPARE(c.in1Edit->text(), QStringLiteral("1.0000"));
        wb.click(c.nandGateB);
        QCOMPARE(c.thresholdEdit->text(), QStringLiteral("1.0"));
        QCOMPARE(wb.neuron().Threshold, 1.0f);
        QCOMPARE(c.in1Edit->text(), QStringLiteral("0.0000"));
        wb.click(c.xorGateB);
        QCOMPARE(c.thresholdEdit->text(), QStringLiteral("1.0"));
    }

    void andKeepsWhateverThresholdTheUserTyped()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.xorGateB);
        wb.type(c.thresholdEdit, QStringLiteral("0,25"));
        wb.click(c.andGateB);
        QCOMPARE(c.thresholdEdit->text(), QStringLiteral("0,25"));
        QCOMPARE(wb.neuron().Threshold, 0.25f);
        // ...and shows the neuron on pattern 1, unlike the other gates.
        QCOMPARE(c.weight1Edit->text(), numtext::formatFixed(wb.neuron().GetWeight(0)));
        QCOMPARE(c.outputEdit->text(), numtext::formatFixed(wb.neuron().Output()));
    }

    void sameGateTwiceListsFourLines()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.xorGateB);
        wb.click(c.xorGateB);
        QCOMPARE(memoLines(c).size(), 4);
        QCOMPARE(c.targetMemo->document()->blockCount(), 4);
        wb.click(c.andGateB);
        QCOMPARE(memoLines(c).size(), 4);
        QCOMPARE(memoLines(c).first(), QStringLiteral("| 1 |1 |  ->1 |"));
    }

    void clearsTheChartOnlyWhileTheGraphIsOn()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        ErrorChart &chart = *c.errorChart;
        chart.addPoint(1, 0.5);
        chart.addPoint(2, -0.5);
        wb.click(c.orGateB);
        QCOMPARE(chart.pointCount(), 2); // graph off: left alone

        wb.click(c.errGraphCB);
        QCOMPARE(chart.pointCount(), 2); // switching on clears nothing
        wb.click(c.nandGateB);
        QCOMPARE(chart.pointCount(), 0);
        QVERIFY(!chart.isHidden()); // emptied, still shown
    }

    void loadingKeepsThePatternCursor()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.andGateB);
        wb.click(c.nextPatternB); // pattern 1
        wb.click(c.nextPatternB); // pattern 2
        QCOMPARE(wb.state().patternIndex(), 2);
        wb.click(c.nandGateB);
        QCOMPARE(wb.state().patternIndex(), 2);
        wb.click(c.nextPatternB); // NAND pattern 3 is (1, 0)
        QCOMPARE(c.in1Edit->text(), QStringLiteral("1,0000"));
        QCOMPARE(c.in2Edit->text(), QStringLiteral("0,0000"));
    }
};

TIVARO_GUI_TEST_MAIN(GatesTest)
#include "test_gates.moc"
