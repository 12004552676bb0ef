#include "chart/error_chart.h"

#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>
#include <QtTest>
#include <cmath>

namespace {

// Runs one lesson the way the workbench does, iteration by iteration.
void runLesson(ErrorChart &chart, int64_t total, int count, double (*error)(int64_t))
{
    for (int i = 1; i <= count; ++i) {
        chart.bottomAxis().setMaximum(double(total + count));
        chart.bottomAxis().setIncrement(1);
        chart.bottomAxis().recompute();
        chart.addPoint(double(total + i), error(total + i));
    }
}

double alternating(int64_t x)
{
    return x % 2 ? 1.0 : -1.0;
}
double sawtooth(int64_t x)
{
    return double(x % 7) / 3.5 - 1;
}

// A visible chart of the size the main window gives it.
struct ShownChart {
    QWidget window;
    ErrorChart *chart = new ErrorChart(&window);
    ShownChart()
    {
        window.resize(600, 300);
        chart->setGeometry(8, 8, 425, 209);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
    }
};

bool showsColour(const QImage &image, QColor colour, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

} // namespace

class ErrorChartViewTest : public QObject {
    Q_OBJECT

private slots:
    void startsConfigured()
    {
        ShownChart shown;
        ErrorChart &chart = *shown.chart;
        QChart *c = chart.chart();
        QCOMPARE(c->title(), QStringLiteral("Tivaro"));
        QVERIFY(!c->legend()->isVisible());
        QCOMPARE(c->animationOptions(), QChart::NoAnimation);
        QCOMPARE(c->series().size(), 1);
        QCOMPARE(chart.drawnSeries()->name(), QStringLiteral("OutError"));
        QVERIFY(!chart.drawnSeries()->pointsVisible());
        QCOMPARE(c->axes().size(), 2);
        QCOMPARE(c->axes(Qt::Vertical).first(), chart.leftAxis().valueAxis());
        QCOMPARE(c->axes(Qt::Horizontal).first(), chart.bottomAxis().valueAxis());
        QCOMPARE(chart.bottomAxis().minimum(), 1.0);
        QCOMPARE(chart.bottomAxis().maximum(), 1000.0);
        QCOMPARE(chart.bottomAxis().increment(), 1.0);
        QCOMPARE(chart.leftAxis().increment(), 0.1);
        QVERIFY(chart.leftAxis().valueAxis()->titleFont().bold());
        QCOMPARE(chart.bottomAxis().valueAxis()->titleFont().pixelSize(), 13);
        // Small as it is, the widget leaves a real plot area.
        QVERIFY(c->plotArea().width() > 250 && c->plotArea().height() > 80);
        QCOMPARE(chart.pointCount(), int64_t(0));
    }

    void pointsReachQtChartsOnlyWhenPainted()
    {
        ShownChart shown;
        ErrorChart &chart = *shown.chart;
        runLesson(chart, 0, 100, alternating);
        QCOMPARE(chart.pointCount(), int64_t(100));
        QCOMPARE(chart.drawnSeries()->count(), 0); // the lesson itself drew nothing

        QTRY_COMPARE(chart.drawnSeries()->count(), 100); // the event loop's paint
        QCOMPARE(chart.drawnPointCount(), 100);
        QCOMPARE(chart.drawnSeries()->at(0), QPointF(1, 1));
        QCOMPARE(chart.drawnSeries()->at(99), QPointF(100, -1));

        // The next lesson widens the axis; after the next paint the line covers both.
        runLesson(chart, 100, 100, alternating);
        QCOMPARE(chart.drawnSeries()->count(), 100);
        QTRY_COMPARE(chart.drawnSeries()->count(), 200);
    }

    void aPaintShowsTheNewLineAtOnce()
    {
        ErrorChart chart;
        chart.resize(425, 209);
        chart.bottomAxis().setMaximum(100);
        chart.bottomAxis().recompute();
        const QImage empty = chart.grab().toImage();
        for (int x = 1; x <= 100; ++x)
            chart.addPoint(x, 0);
        // grab() paints once: the line along error 0 must already be in it.
        const QImage painted = chart.grab().toImage();
        QVERIFY(chart.drawnPointCount() > 0);
        const QRect plot = chart.chart()->plotArea().toAlignedRect().adjusted(2, 2, -2, -2);
        const QColor line = chart.drawnSeries()->color();
        QVERIFY(!showsColour(empty, line, plot));
        QVERIFY(showsColour(painted, line, plot));
    }

    void manyPointsHandQtChartsFewThousand()
    {
        ShownChart shown;
        ErrorChart &chart = *shown.chart;
        runLesson(chart, 0, 3'000'000, sawtooth);
        QTRY_VERIFY(chart.drawnPointCount() > 0);
        QVERIFY(chart.drawnPointCount() <= 4 * 425 + 2);
        QCOMPARE(chart.drawnSeries()->count(), chart.drawnPointCount());
        double low = INFINITY, high = -INFINITY;
        for (const QPointF &p : chart.drawnSeries()->points()) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
        QCOMPARE(low, -1.0);
        QCOMPARE(high, sawtooth(6));

        // The counter typed back to 5: only the first stretch is visible now.
        chart.bottomAxis().setMaximum(5);
        chart.bottomAxis().recompute();
        QTRY_VERIFY(chart.drawnSeries()->count() <= 6);
        const QList<QPointF> points = chart.drawnSeries()->points();
        QCOMPARE(points.first(), QPointF(1, sawtooth(1)));
        QVERIFY(points.last().x() <= 7.5); // the line only runs on to the next point
    }

    void clearingEmptiesTheDrawnLine()
    {
        ShownChart shown;
        ErrorChart &chart = *shown.chart;
        runLesson(chart, 0, 100, alternating);
        QTRY_COMPARE(chart.drawnSeries()->count(), 100);
        chart.clearPoints();
        QCOMPARE(chart.pointCount(), int64_t(0));
        QTRY_COMPARE(chart.drawnSeries()->count(), 0);
        QCOMPARE(chart.drawnPointCount(), 0);
        QCOMPARE(chart.bottomAxis().workingMaximum(), 100.0); // axes keep their settings
    }

    void wildValuesReachQtChartsTamed()
    {
        ShownChart shown;
        ErrorChart &chart = *shown.chart;
        chart.bottomAxis().setMaximum(10);
        chart.bottomAxis().recompute();
        for (double x : {-9.2e18, 2.0, 3.0, 4.0, 9.2e18})
            chart.addPoint(x, x == 3.0 ? 3.4e38 : x == 4.0 ? -INFINITY : 0.5);
        QTRY_VERIFY(chart.drawnSeries()->count() > 0);
        for (const QPointF &p : chart.drawnSeries()->points()) {
            QVERIFY(std::isfinite(p.x()) && std::abs(p.x()) < 100);
            QVERIFY(std::isfinite(p.y()) && std::abs(p.y()) < 10);
        }
    }

    void oneIterationDisplaysSanely()
    {
        ShownChart shown;
        ErrorChart &chart = *shown.chart;
        runLesson(chart, 0, 1, alternating);
        QTRY_COMPARE(chart.drawnSeries()->count(), 1);
        const QValueAxis *axis = chart.bottomAxis().valueAxis();
        QVERIFY(axis->min() < 1 && axis->max() > 1);
        QVERIFY(!chart.grab().isNull());
    }
};

QTEST_MAIN(ErrorChartViewTest)
#include "test_chart_view.moc"
