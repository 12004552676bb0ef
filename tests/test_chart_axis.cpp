#include "chart/axis_labels.h"
#include "chart/error_chart.h"
#include "raised_message.h"
#include "runtime/number_text.h"

#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QValueAxis>
#include <QtTest>
#include <cmath>
#include <limits>

class ChartAxisTest : public QObject {
    Q_OBJECT

private slots:
    void maximumBelowMinimumIsRefusedAndOldOneKept()
    {
        ErrorChart chart;
        ChartAxis &axis = chart.bottomAxis();
        axis.setMaximum(100);
        axis.recompute();
        const QString belowMinimum = QStringLiteral("Axis Maximum Value must be >= Minimum");
        for (double bad : {0.0, -5.0, 0.999, std::nan("")}) {
            QCOMPARE(raisedMessage([&] { axis.setMaximum(bad); }), belowMinimum);
            QCOMPARE(axis.maximum(), 100.0);
        }
        QVERIFY(!raisedMessage([&] { axis.setMaximum(std::numeric_limits<double>::infinity()); }).isEmpty());
        axis.recompute();
        QCOMPARE(axis.workingMaximum(), 100.0);
        QCOMPARE(chart.leftAxis().maximum(), 1.1);
        QCOMPARE(raisedMessage([&] { chart.leftAxis().setMaximum(-1.2); }), belowMinimum);
    }

    void negativeIncrementIsRefused()
    {
        ErrorChart chart;
        ChartAxis &axis = chart.bottomAxis();
        QCOMPARE(raisedMessage([&] { axis.setIncrement(-1); }), QStringLiteral("Axis increment must be >= 0"));
        QCOMPARE(raisedMessage([&] { axis.setIncrement(std::nan("")); }),
                 QStringLiteral("Axis increment must be >= 0"));
        QCOMPARE(axis.increment(), 1.0);
        QCOMPARE(raisedMessage([&] { axis.setIncrement(0); }), QString());
        QCOMPARE(axis.increment(), 0.0);
    }

    void rangeTakesEffectOnlyAtRecomputeAndExactly()
    {
        ErrorChart chart;
        ChartAxis &axis = chart.bottomAxis();
        QCOMPARE(axis.workingMinimum(), 1.0);
        QCOMPARE(axis.workingMaximum(), 1000.0); // the layout's value
        for (double n : {2.0, 25.0, 250.0, 4294967294.0, 1.0}) {
            axis.setMaximum(n);
            axis.setIncrement(1);
            QVERIFY(axis.workingMaximum() != n || n == 1.0);
            axis.recompute();
            QCOMPARE(axis.workingMinimum(), 1.0);
            QCOMPARE(axis.workingMaximum(), n);
        }
        QCOMPARE(chart.leftAxis().workingMinimum(), -1.1);
        QCOMPARE(chart.leftAxis().workingMaximum(), 1.1);
    }

    void shownRangeIsTheWorkingRangeUnlessEmpty()
    {
        ErrorChart chart;
        ChartAxis &axis = chart.bottomAxis();
        axis.setMaximum(4000);
        axis.recompute();
        QCOMPARE(axis.valueAxis()->min(), 1.0);
        QCOMPARE(axis.valueAxis()->max(), 4000.0);

        // One iteration: minimum == maximum still makes a drawable axis around 1.
        axis.setMaximum(1);
        axis.recompute();
        QCOMPARE(axis.workingMaximum(), 1.0);
        QVERIFY(axis.shownMinimum() < 1 && axis.shownMaximum() > 1);
        QCOMPARE(axis.valueAxis()->min(), axis.shownMinimum());
        QCOMPARE(axis.valueAxis()->max(), axis.shownMaximum());
    }

    void labelsStayFewAndRound()
    {
        ErrorChart chart;
        chart.resize(425, 209);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        ChartAxis &axis = chart.bottomAxis();
        for (double n : {1.0, 2.0, 7.0, 100.0, 1000.0, 123456.0, 1e9, 2147483647.0 * 2, 9.2e18}) {
            axis.setMaximum(n);
            axis.recompute();
            const double interval = axis.labelInterval();
            QVERIFY2(interval >= 1, qPrintable(QString::number(n)));
            const double labels = std::floor((axis.shownMaximum() - axis.shownMinimum()) / interval) + 1;
            QVERIFY2(labels >= 1 && labels <= 12, qPrintable(QString::number(n)));
            QCOMPARE(axis.valueAxis()->labelFormat(), QStringLiteral("%.0f"));
        }
        // The error axis keeps steps of its 0.1 increment and shows one decimal.
        const double errorStep = chart.leftAxis().labelInterval();
        QCOMPARE(axis_labels::decimals(errorStep), 1);
        QVERIFY(std::abs(errorStep / 0.1 - std::round(errorStep / 0.1)) < 1e-9);
        QCOMPARE(chart.leftAxis().valueAxis()->labelFormat(), QStringLiteral("%.1f"));

        // A tall enough chart has room for a label every 0.1.
        chart.resize(425, 1200);
        QCOMPARE(chart.leftAxis().labelInterval(), 0.1);
    }

    void labelIntervalIsTheSmallestRoundMultiple_data()
    {
        QTest::addColumn<double>("span");
        QTest::addColumn<double>("increment");
        QTest::addColumn<int>("room");
        QTest::addColumn<double>("expected");
        QTest::newRow("fits at increment") << 99.0 << 1.0 << 100 << 1.0;
        QTest::newRow("doubles") << 99.0 << 1.0 << 50 << 2.0;
        QTest::newRow("fives") << 99.0 << 1.0 << 25 << 5.0;
        QTest::newRow("tens") << 99.0 << 1.0 << 10 << 10.0;
        QTest::newRow("billion") << 1e9 << 1.0 << 6 << 2e8;
        QTest::newRow("error axis") << 2.2 << 0.1 << 8 << 0.5;
        QTest::newRow("no increment") << 7.0 << 0.0 << 5 << 2.0;
        QTest::newRow("empty span") << 0.0 << 1.0 << 5 << 1.0;
        QTest::newRow("no room") << 10.0 << 1.0 << 0 << 10.0;
    }
    void labelIntervalIsTheSmallestRoundMultiple()
    {
        QFETCH(double, span);
        QFETCH(double, increment);
        QFETCH(int, room);
        QFETCH(double, expected);
        QCOMPARE(axis_labels::interval(span, increment, room), expected);
    }

    void decimalsShowTheStepExactly()
    {
        QCOMPARE(axis_labels::decimals(1), 0);
        QCOMPARE(axis_labels::decimals(2e8), 0);
        QCOMPARE(axis_labels::decimals(0.1), 1);
        QCOMPARE(axis_labels::decimals(0.5), 1);
        QCOMPARE(axis_labels::decimals(0.25), 2);
        QCOMPARE(axis_labels::decimals(0.1 * 3), 1);
        QCOMPARE(axis_labels::decimals(0), 0);
    }

    // The labels as drawn: the user's decimal separator, digits grouped.
    void labelsWriteNumbersAsTheUserDoes()
    {
        const auto drawnLabels = [](ErrorChart &chart) {
            chart.grab();
            QCoreApplication::processEvents(); // Qt Charts lays the labels out when it gets to it
            QStringList texts;
            for (QGraphicsItem *item : chart.scene()->items())
                if (auto *text = dynamic_cast<QGraphicsTextItem *>(item))
                    texts.append(text->toPlainText());
            return texts;
        };
        for (QChar separator : {u',', u'.'}) {
            numtext::setDecimalSeparator(separator);
            ErrorChart chart;
            chart.resize(425, 209);
            chart.show();
            chart.bottomAxis().setMaximum(3'000'000);
            chart.bottomAxis().recompute();
            const QStringList labels = drawnLabels(chart);
            const bool comma = separator == u',';
            QVERIFY2(labels.contains(comma ? QStringLiteral("0,5") : QStringLiteral("0.5")),
                     qPrintable(labels.join(u' ')));
            QVERIFY2(labels.contains(comma ? QStringLiteral("2.000.000") : QStringLiteral("2,000,000")),
                     qPrintable(labels.join(u' ')));
        }
        numtext::setDecimalSeparator(u',');
        ErrorChart chart; // and a change of the system's format shows after the next paint
        chart.resize(425, 209);
        chart.show();
        drawnLabels(chart);
        numtext::setDecimalSeparator(u'.');
        QVERIFY(drawnLabels(chart).contains(QStringLiteral("0.5")));
    }

    void titlesAreSetAsGiven()
    {
        ErrorChart chart;
        QCOMPARE(chart.leftAxis().title(), QStringLiteral("Error"));
        QCOMPARE(chart.bottomAxis().title(), QStringLiteral("Iterations"));
        chart.leftAxis().setTitle(QStringLiteral("Fehler"));
        chart.bottomAxis().setTitle(QStringLiteral("Iterationen"));
        QCOMPARE(chart.leftAxis().title(), QStringLiteral("Fehler"));
        QCOMPARE(chart.bottomAxis().title(), QStringLiteral("Iterationen"));
        QCOMPARE(chart.chart()->title(), QStringLiteral("Tivaro"));
    }
};

QTEST_MAIN(ChartAxisTest)
#include "test_chart_axis.moc"
