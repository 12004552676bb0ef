#include "chart/band_clip.h"
#include "chart/error_series.h"

#include <QtTest>
#include <algorithm>
#include <ctime>
#include <cmath>
#include <fstream>
#include <map>
#include <random>
#include <string>

namespace {

struct Point {
    double x, y;
};

// The full list as the chart defines it: each point goes after every point
// whose X is not greater.
std::vector<Point> referenceList(const std::vector<Point> &added)
{
    std::vector<Point> list;
    for (const Point &p : added) {
        const auto at = std::upper_bound(list.begin(), list.end(), p.x,
                                         [](double x, const Point &q) { return x < q.x; });
        list.insert(at, p);
    }
    return list;
}

struct ColumnSummary {
    QPointF first, last;
    double low = INFINITY, high = -INFINITY;
    bool operator==(const ColumnSummary &) const = default;
};

struct Drawing {
    std::map<int, ColumnSummary> columns;
    std::optional<QPointF> before, after;
};

int columnOf(double x, double from, double to, int columns)
{
    return std::min(columns - 1, int(std::floor((x - from) * columns / (to - from))));
}

// What a polyline through `points` (in list order) puts into each column.
Drawing summarise(const std::vector<QPointF> &points, double from, double to, int columns)
{
    Drawing d;
    for (const QPointF &p : points) {
        if (p.x() < from) {
            d.before = p;
            continue;
        }
        if (p.x() > to) {
            if (!d.after)
                d.after = p;
            continue;
        }
        const int c = columnOf(p.x(), from, to, columns);
        auto [it, fresh] = d.columns.try_emplace(c);
        if (fresh)
            it->second.first = p;
        it->second.last = p;
        it->second.low = std::min(it->second.low, p.y());
        it->second.high = std::max(it->second.high, p.y());
    }
    return d;
}

Drawing summariseList(const std::vector<Point> &list, double from, double to, int columns)
{
    std::vector<QPointF> points;
    for (const Point &p : list)
        points.emplace_back(p.x, p.y);
    return summarise(points, from, to, columns);
}

Drawing summariseDrawn(const ErrorSeries &series, double from, double to, int columns)
{
    const QList<QPointF> drawn = series.drawnPoints(from, to, columns);
    return summarise(std::vector<QPointF>(drawn.begin(), drawn.end()), from, to, columns);
}

void compareDrawings(const Drawing &drawn, const Drawing &expected)
{
    QCOMPARE(drawn.columns.size(), expected.columns.size());
    for (const auto &[column, want] : expected.columns) {
        const auto got = drawn.columns.find(column);
        QVERIFY2(got != drawn.columns.end(), qPrintable(QString("column %1 missing").arg(column)));
        QVERIFY2(got->second == want, qPrintable(QString("column %1 differs").arg(column)));
    }
    QCOMPARE(drawn.before, expected.before);
    QCOMPARE(drawn.after, expected.after);
}

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

}

class ErrorSeriesTest : public QObject {
    Q_OBJECT

private slots:
    void drawsWhatTheFullListDraws_data()
    {
        QTest::addColumn<int>("order");   // 0 in order, 1 shuffled, 2 descending, 3 lessons typed back
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<int>("columns");
        for (int order : {0, 1, 2, 3}) {
            const QByteArray name = QByteArray::number(order);
            QTest::newRow(name + " whole range, one column per X") << order << 1.0 << 400.0 << 400;
            QTest::newRow(name + " whole range, coarse columns") << order << 1.0 << 400.0 << 37;
            QTest::newRow(name + " middle, neighbours outside") << order << 100.0 << 250.0 << 16;
            QTest::newRow(name + " beyond the points") << order << 500.0 << 900.0 << 10;
            QTest::newRow(name + " before the points") << order << -90.0 << -10.0 << 10;
        }
    }
    void drawsWhatTheFullListDraws()
    {
        QFETCH(int, order);
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(int, columns);

        std::mt19937 random(order * 7919 + columns);
        std::uniform_real_distribution<double> error(-1, 1);
        std::vector<Point> added;
        const auto lesson = [&](int start, int count) {
            for (int i = 1; i <= count; ++i)
                added.push_back({double(start + i), error(random)});
        };
        switch (order) {
        case 0: lesson(0, 400); break;
        case 1:
            lesson(0, 400);
            lesson(0, 400);   // every X twice
            std::shuffle(added.begin(), added.end(), random);
            break;
        case 2:
            for (int x = 400; x >= 1; --x)
                added.push_back({double(x), error(random)});
            break;
        case 3:
            lesson(100, 100);  // a lesson after the graph was off, then the counter typed back
            lesson(0, 150);
            lesson(50, 300);
            lesson(200, 30);
            break;
        }

        ErrorSeries series;
        for (const Point &p : added)
            series.add(p.x, p.y);
        QCOMPARE(series.count(), int64_t(added.size()));
        QCOMPARE(series.bucketWidth(), 1.0);
        compareDrawings(summariseDrawn(series, from, to, columns),
                        summariseList(referenceList(added), from, to, columns));
    }

    void equalXGoesAfterTheEarlierPoints()
    {
        ErrorSeries series;
        series.add(5, 0.1);
        series.add(7, 0.7);
        series.add(5, 0.2);   // between the two: after the first 5
        series.add(5, 0.3);
        series.add(3, -0.3);
        // Columns of width 1 over 3..7 hold the 5s alone: first 0.1, last 0.3.
        const QList<QPointF> drawn = series.drawnPoints(3, 8, 5);
        const QList<QPointF> expected{{3, -0.3}, {5, 0.1}, {5, 0.3}, {7, 0.7}};
        QCOMPARE(drawn, expected);
    }

    void clearForgetsEverything()
    {
        ErrorSeries series;
        for (int x = 0; x < 300000; ++x)
            series.add(x, 0.5);
        const uint64_t before = series.version();
        series.clear();
        QCOMPARE(series.count(), int64_t(0));
        QVERIFY(series.version() != before);
        QVERIFY(series.drawnPoints(0, 300000, 100).isEmpty());
        QCOMPARE(series.bytes(), std::size_t(0));
        QCOMPARE(series.bucketWidth(), 1.0);
        series.add(2, 0.25);
        QCOMPARE(series.drawnPoints(1, 3, 2), QList<QPointF>{QPointF(2, 0.25)});
    }

    // Coarser buckets still give exact columns when every column holds whole
    // buckets; shuffled order stands for any out-of-order arrival.
    void mergedBucketsKeepColumnsExact()
    {
        constexpr int pointCount = 1 << 20;
        std::mt19937 random(42);
        std::uniform_real_distribution<double> error(-1, 1);
        std::vector<Point> added;
        added.reserve(pointCount + pointCount / 4);
        for (int x = 0; x < pointCount; ++x)
            added.push_back({double(x), error(random)});
        for (int i = 0; i < pointCount / 4; ++i)   // repeated X values
            added.push_back({double(random() % pointCount), error(random)});
        std::shuffle(added.begin(), added.end(), random);

        ErrorSeries series;
        for (const Point &p : added)
            series.add(p.x, p.y);
        QVERIFY(series.bucketWidth() > 1);
        QVERIFY(series.bytes() <= ErrorSeries::mostBuckets * 64);

        // The list's summaries follow from the placing rule without building it:
        // the first point has the lowest X (earliest added among equals), the
        // last the highest X (latest added among equals).
        const double from = 0, to = pointCount;
        const int columns = 256;
        Drawing expected;
        for (const Point &p : added) {
            auto [it, fresh] = expected.columns.try_emplace(columnOf(p.x, from, to, columns));
            ColumnSummary &c = it->second;
            if (fresh || p.x < c.first.x())
                c.first = {p.x, p.y};
            if (fresh || p.x >= c.last.x())
                c.last = {p.x, p.y};
            c.low = std::min(c.low, p.y);
            c.high = std::max(c.high, p.y);
        }
        compareDrawings(summariseDrawn(series, from, to, columns), expected);
    }

    void memoryStaysBounded()
    {
        ErrorSeries series;
        const auto addRun = [&](int64_t from, int64_t count) {
            for (int64_t i = 0; i < count; ++i)
                series.add(double(from + i), (i % 3) - 1.0);
        };
        addRun(1, 20'000'000);
        const long residentAfterFirst = residentKiB();
        QVERIFY(series.bytes() <= 32u << 20);
        addRun(20'000'001, 20'000'000);
        addRun(-5'000'000'000, 1'000'000);   // far to the left: the window must not follow it
        QCOMPARE(series.count(), int64_t(41'000'000));
        QVERIFY(series.bytes() <= 32u << 20);
        const long growthKiB = residentKiB() - residentAfterFirst;
        QVERIFY2(growthKiB < 40 * 1024, qPrintable(QString("resident set grew by %1 KiB").arg(growthKiB)));
        // Still drawn from both ends of the data.
        const QList<QPointF> drawn = series.drawnPoints(-5e9, 4e7, 500);
        QVERIFY(!drawn.isEmpty() && drawn.size() <= 4 * 500 + 2);
        QVERIFY(drawn.first().x() < -4.99e9 && drawn.last().x() > 3.99e7);
    }

    // Each of these runs adds points away from the end of ten million points.
    // Inserting into a plain list would move millions of points per point and
    // never finish; here each costs the same as an appended one.
    void pointsOutOfOrderCostNoMore()
    {
        ErrorSeries series;
        for (int x = 1; x <= 10'000'000; ++x)
            series.add(x, 0.5);
        for (int x = 5'000'001; x <= 6'000'000; ++x)   // lesson counter typed back to 5e6
            series.add(x, -0.5);
        for (int x = -1; x >= -1'000'000; --x)          // descending, before everything
            series.add(x, 1);
        for (int i = 0; i < 1'000'000; ++i)             // scattered over the whole range
            series.add(double((i * 7919LL) % 10'000'000), -1);
        QCOMPARE(series.count(), int64_t(13'000'000));

        const QList<QPointF> drawn = series.drawnPoints(-1'000'000, 10'000'000, 400);
        const auto [low, high] = std::minmax_element(drawn.begin(), drawn.end(),
                                                     [](QPointF a, QPointF b) { return a.y() < b.y(); });
        QCOMPARE(low->y(), -1.0);
        QCOMPARE(high->y(), 1.0);
        QVERIFY(std::is_sorted(drawn.begin(), drawn.end(), [](QPointF a, QPointF b) { return a.x() < b.x(); }));
    }

    void oddXValuesAreHandled()
    {
        ErrorSeries series;
        const double huge = 9.2e18;
        const double points[][2] = {{0, 0.1}, {-3, 0.2}, {0.25, 0.3}, {0.75, 0.4}, {huge, 0.5},
                                    {-huge, 0.6}, {1e300, 0.7}, {huge, 0.8}};
        for (const auto &p : points)
            series.add(p[0], p[1]);
        series.add(std::nan(""), 0);
        series.add(INFINITY, 0);
        series.add(1, std::nan(""));
        series.add(2, INFINITY);   // kept: the line shoots off the top
        QCOMPARE(series.count(), int64_t(12));

        const QList<QPointF> all = series.drawnPoints(-1e301, 1e301, 100);
        QVERIFY(std::is_sorted(all.begin(), all.end(), [](QPointF a, QPointF b) { return a.x() < b.x(); }));
        QCOMPARE(all.first(), QPointF(-huge, 0.6));
        QCOMPARE(all.last(), QPointF(1e300, 0.7));
        for (const QPointF &p : all)
            QVERIFY(!std::isnan(p.x()) && !std::isnan(p.y()));

        // Two points at the largest X: the later one is last.
        const QList<QPointF> nearHuge = series.drawnPoints(huge / 2, huge * 2, 3);
        QVERIFY(nearHuge.contains(QPointF(huge, 0.8)));
        QCOMPARE(nearHuge.at(nearHuge.size() - 2), QPointF(huge, 0.8));
    }

    void bandClipKeepsTheVisibleLine()
    {
        const Band band{0, 10, -2, 2};
        // Crossing far out of the band and back: the crossings stay where they were.
        const QList<QPointF> steep{{1, 0}, {2, 1e30}, {3, 0}};
        const QList<QPointF> expected{{1, 0}, {1, 2}, {2, 2}, {3, 2}, {3, 0}};
        const QList<QPointF> clipped = clipToBand(steep, band);
        QCOMPARE(clipped.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QVERIFY(std::abs(clipped[i].x() - expected[i].x()) < 1e-9);
            QCOMPARE(clipped[i].y(), expected[i].y());
        }
        // A line towards an infinite error rises at the finite end.
        QCOMPARE(clipToBand({{4, 0}, {5, INFINITY}, {6, 0}}, band),
                 (QList<QPointF>{{4, 0}, {4, 2}, {5, 2}, {6, 2}, {6, 0}}));
        for (const QPointF &p : clipToBand({{4, 0}, {5, INFINITY}, {6, -INFINITY}, {7, 1}}, band))
            QVERIFY(p.y() >= -2 && p.y() <= 2);
        // Far neighbours are cut at the sides along the same line.
        QCOMPARE(clipToBand({{-1e18, 1}, {5, 1}, {1e18, -1}}, band),
                 (QList<QPointF>{{0, 1}, {5, 1}, {10, 1 - 2 * 5 / (1e18 - 5)}}));
        QCOMPARE(clipToBand({{-100, 0}, {100, 0}}, band), (QList<QPointF>{{0, 0}, {10, 0}}));
        QVERIFY(clipToBand({}, band).isEmpty());
    }

    // By hand: TIVARO_CHART_MEASURE=1 ./test_chart_series measureAddingPoints
    void measureAddingPoints()
    {
        if (qEnvironmentVariableIsEmpty("TIVARO_CHART_MEASURE"))
            QSKIP("measurement only; set TIVARO_CHART_MEASURE=1");
        // Processor time of this thread: a busy machine must not inflate it.
        const auto cpuNanoseconds = [] {
            timespec now{};
            clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
            return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
        };
        ErrorSeries series;
        constexpr int count = 100'000'000;
        double start = cpuNanoseconds();
        for (int i = 1; i <= count; ++i)
            series.add(i, (i & 1) - 0.5);
        qInfo("in order: %.2f ns per point, %zu bytes", (cpuNanoseconds() - start) / count, series.bytes());

        start = cpuNanoseconds();
        for (int i = 1; i <= 10'000'000; ++i)
            series.add(double((i * 7919LL) % count), -1);
        qInfo("scattered: %.2f ns per point", (cpuNanoseconds() - start) / 1e7);
    }
};

QTEST_GUILESS_MAIN(ErrorSeriesTest)
#include "test_chart_series.moc"
