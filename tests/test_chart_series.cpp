// The stored series against the full point list built the slow way.

#include "chart/band_clip.h"
#include "chart/error_series.h"
#include "chart_reference.h"
#include "lesson/lesson_run.h"
#include "neuron/neuron.h"

#include <QtTest>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>
#include <random>

using namespace chart_reference;

namespace {

// A neuron learning a gate the way lessons do, with bias and sigmoid
// switched at will: its errors are what the chart gets.
class Learner {
public:
    explicit Learner(std::array<Pattern, 4> gate) : patterns(gate) { configure(false, false); }

    void configure(bool withBias, bool withSigmoid)
    {
        bias = withBias;
        sigmoid = withSigmoid;
        neuron = std::make_unique<Neuron>(bias ? 3 : 2);
        for (int i = 0; i < neuron->InputCount; ++i)
            neuron->SetWeight(i, 0.0f);
        neuron->SetInput(2, 1.0f);
        neuron->Threshold = 0.5f;
        neuron->AnalogOutput = sigmoid; // step output otherwise: errors -1, 0 or 1
        neuron->ActivationMode = sigmoid ? 1 : 0;
    }

    // The lesson's own loop, bit for bit the exact rule (test_lesson_rule),
    // and fast also where the rule runs in software.
    std::vector<QPointF> lesson(int64_t total, int64_t count)
    {
        std::vector<float> errors(static_cast<std::size_t>(count));
        float *next = errors.data();
        LessonRun(*neuron, patterns, 0.05f, 1).runCollecting(count, next);
        std::vector<QPointF> run;
        run.reserve(std::size_t(count));
        for (int64_t i = 1; i <= count; ++i)
            run.emplace_back(double(total + i), errors[std::size_t(i - 1)]);
        return run;
    }

    bool bias = false, sigmoid = false;

private:
    std::array<Pattern, 4> patterns;
    std::unique_ptr<Neuron> neuron;
};

const std::array<Pattern, 4> xorGate{{{1, 1, 0}, {0, 1, 1}, {1, 0, 1}, {0, 0, 0}}};

void addAll(ErrorSeries &series, PointList &list, const std::vector<QPointF> &run)
{
    for (QPointF p : run)
        series.add(p.x(), p.y());
    list.addRun(run);
}

// Columns as a plot of `count` pixels starting at a fraction of a pixel lays them out.
ErrorSeries::Columns pixelColumns(double to, int count, double offset)
{
    const double width = (to - ErrorSeries::firstShownX) / (count - offset);
    return {ErrorSeries::firstShownX - offset * width, width, count};
}

#define COMPARE_DRAWING(series, list, to, columns)                                                                     \
    do {                                                                                                               \
        const QString difference = compare((series).drawnPoints(to, columns), (list).all(), to, columns);              \
        QVERIFY2(difference.isEmpty(),                                                                                 \
                 qPrintable(QStringLiteral("up to %1 in %2 columns: %3")                                               \
                                .arg(to, 0, 'f', 1)                                                                    \
                                .arg((columns).count)                                                                  \
                                .arg(difference)));                                                                    \
    } while (false)

} // namespace

class ErrorSeriesTest : public QObject {
    Q_OBJECT

private slots:
    // A teacher's session: lessons of every size, the counter typed back,
    // to 0 or below 0, the repeat count typed, bias and sigmoid switched, the
    // graph switched off. After each step the line at the axis' maximum, and
    // at maxima picked at random, must be the list's.
    void drawsTheListAtEveryAxisMaximum_data()
    {
        QTest::addColumn<int>("seed");
        for (int seed : {1, 2, 3})
            QTest::newRow(QByteArray::number(seed)) << seed;
    }
    void drawsTheListAtEveryAxisMaximum()
    {
        QFETCH(int, seed);
        std::mt19937_64 random(seed);
        const auto below = [&random](int64_t n) { return int64_t(random() % uint64_t(n)); };
        Learner learner(xorGate);
        ErrorSeries series;
        PointList list;
        int64_t total = 0, repeat = 100, axisMaximum = 100, pointsLeft = 3'000'000;
        for (int step = 0; step < 24; ++step) {
            switch (below(8)) {
            case 0:
            case 1:
            case 2: { // a lesson
                const int64_t count =
                    std::min(pointsLeft, below(5) == 0 ? 200'000 + below(1'200'000) : 1 + below(60'000));
                addAll(series, list, learner.lesson(total, count));
                pointsLeft -= count;
                axisMaximum = total + count;
                total += count;
                break;
            }
            case 3: // the counter typed back, to 0, or below 0
                total = below(3) == 0 ? -below(5000) : below(3) == 0 ? 0 : below(total + 1);
                break;
            case 4:
                repeat = 1 + below(below(2) ? 200 : 2'000'000);
                axisMaximum = repeat;
                break;
            case 5: learner.configure(!learner.bias, learner.sigmoid); break;
            case 6: learner.configure(learner.bias, !learner.sigmoid); break;
            case 7:
                if (below(3) == 0) { // graph off and on again
                    series.clear();
                    list.clear();
                }
                break;
            }
            const int64_t largestX = list.all().empty() ? 2 : int64_t(list.all().back().x()) + 2;
            for (double to : {double(std::max<int64_t>(axisMaximum, 2)), 1.0 + double(below(largestX)) + 0.5,
                              double(2 + below(std::min<int64_t>(largestX, 5000)))}) {
                const auto columns =
                    pixelColumns(std::max(to, 1.5), 1 + int(below(ErrorSeries::mostColumns)), double(below(100)) / 100);
                COMPARE_DRAWING(series, list, std::max(to, 1.5), columns);
            }
        }
        QVERIFY(series.bytes() <= ErrorSeries::mostBytes());
    }

    // Three cases users met: a long lesson seen through a typed repeat
    // count of 100; a lesson over an earlier one after the counter was typed
    // back to 0; an axis maximum inside a bucket with a wild value beyond it.
    void reportedCases()
    {
        Learner learner(std::array<Pattern, 4>{{{1, 1, 1}, {0, 1, 0}, {1, 0, 0}, {0, 0, 0}}});
        learner.configure(true, true);
        ErrorSeries series;
        PointList list;
        addAll(series, list, learner.lesson(0, 1'000'000));
        COMPARE_DRAWING(series, list, 100.0, pixelColumns(100, 340, 0.4));
        QCOMPARE(series.drawnPoints(100, pixelColumns(100, 340, 0.4)).size(), 101);

        addAll(series, list, learner.lesson(1'000'000, 9'000'000));
        addAll(series, list, learner.lesson(0, 100)); // counter typed back to 0
        for (double to : {100.0, 200'000.0, 524'289.0, 3'000'001.0, 10'000'000.0})
            COMPARE_DRAWING(series, list, to, pixelColumns(to, 348, 0.6));

        ErrorSeries wild;
        PointList wildList;
        std::vector<QPointF> run;
        for (int x = 1; x <= 100'000; ++x)
            run.emplace_back(x, x == 99'990 ? 1e6 : 0.0);
        addAll(wild, wildList, run);
        const QList<QPointF> drawn = wild.drawnPoints(99'980, pixelColumns(99'980, 340, 0.6));
        for (QPointF p : drawn)
            QVERIFY2(p.y() == 0, qPrintable(text(p)));
        COMPARE_DRAWING(wild, wildList, 99'980.0, pixelColumns(99'980, 340, 0.6));
    }

    void equalXGoesAfterTheEarlierPoints()
    {
        ErrorSeries series;
        series.add(5, 0.1);
        series.add(7, 0.7);
        series.add(5, 0.2); // between the two: after the first 5
        series.add(5, 0.3);
        series.add(-3, -0.3);
        series.add(0.5, -0.4); // before the axis: only the nearest is kept
        series.add(0.5, -0.5);
        const QList<QPointF> drawn = series.drawnPoints(6, ErrorSeries::evenColumns(6, 5));
        const QList<QPointF> expected{{0.5, -0.5}, {5, 0.1}, {5, 0.3}, {7, 0.7}};
        QCOMPARE(drawn, expected);

        // In a bucket 4 wide, a later point with lower X and an equal value
        // comes first in the list: it is the lowest.
        ErrorSeries wide;
        for (auto [x, y] : {std::pair{8192.0, 0.0}, {8194.0, -1.0}, {8193.0, -1.0}})
            wide.add(x, y);
        QCOMPARE(wide.drawnPoints(8200, ErrorSeries::evenColumns(8200, 1)),
                 (QList<QPointF>{{8192, 0}, {8193, -1}, {8194, -1}}));
    }

    void clearForgetsEverything()
    {
        ErrorSeries series;
        for (int x = -5; x < 300000; ++x)
            series.add(x, 0.5);
        const uint64_t before = series.version();
        series.clear();
        QCOMPARE(series.count(), int64_t(0));
        QVERIFY(series.version() != before);
        QVERIFY(series.drawnPoints(300000, ErrorSeries::evenColumns(300000, 100)).isEmpty());
        QCOMPARE(series.bytes(), std::size_t(0));
        series.add(2, 0.25);
        QCOMPARE(series.drawnPoints(3, ErrorSeries::evenColumns(3, 2)), QList<QPointF>{QPointF(2, 0.25)});
    }

    // Lessons of 2^31 - 1 iterations at totals near 2^63, and points far
    // beyond: the buckets never take more than their fixed bound.
    void memoryStaysBounded()
    {
        QVERIFY(ErrorSeries::mostBytes() <= std::size_t(8) << 20);
        ErrorSeries series;
        for (int64_t x = 1; x <= 20'000'000; ++x)
            series.add(double(x), (x % 3) - 1.0);
        QVERIFY(series.bytes() <= std::size_t(4) << 20);
        const double nearTop = 9.2e18;
        for (int64_t i = 0; i < 1'000'000; ++i)
            series.add(nearTop + double(i) * 2048, 0.5);
        for (int level = 0; level < 64; ++level) // one point in every bucket array
            series.add(std::ldexp(1.0, level) * 3, -0.5);
        QCOMPARE(series.bytes(), ErrorSeries::mostBytes());
        QCOMPARE(series.count(), int64_t(21'000'064));
        const QList<QPointF> drawn = series.drawnPoints(9.3e18, ErrorSeries::evenColumns(9.3e18, 500));
        QVERIFY(!drawn.isEmpty() && drawn.size() <= 4 * 500 + 2);
        QVERIFY(std::is_sorted(drawn.begin(), drawn.end(), byX));
    }

    void oddValuesAreHandled()
    {
        ErrorSeries series;
        const double huge = 9.2e18;
        const double points[][2] = {{0, 0.1},    {-3, 0.2},    {1.25, 0.3},  {1.75, 0.4},
                                    {huge, 0.5}, {-huge, 0.6}, {1e300, 0.7}, {huge, 0.8}};
        for (const auto &p : points)
            series.add(p[0], p[1]);
        series.add(std::nan(""), 0);
        series.add(INFINITY, 0);
        series.add(3, std::nan(""));
        series.add(2, INFINITY); // kept: the line shoots off the top
        QCOMPARE(series.count(), int64_t(12));

        const QList<QPointF> all = series.drawnPoints(1e301, ErrorSeries::evenColumns(1e301, 100));
        QVERIFY(std::is_sorted(all.begin(), all.end(), byX));
        QCOMPARE(all.first(), QPointF(0, 0.1));
        QCOMPARE(all.last(), QPointF(1e300, 0.7));
        for (const QPointF &p : all)
            QVERIFY(!std::isnan(p.x()) && !std::isnan(p.y()));
        // Two points at the largest X: the later one is last.
        QVERIFY(series.drawnPoints(huge * 1.5, ErrorSeries::evenColumns(huge * 1.5, 3)).contains(QPointF(huge, 0.8)));
    }

    // Points that differ by less than Qt's fuzzy equality still differ: two
    // lessons over X = 1 whose errors are 1e-13 apart, and X beyond 1e12.
    void nearlyEqualPointsStayApart()
    {
        ErrorSeries series;
        for (const double y : {-1e-13, 0.0})
            series.add(1, y);
        series.add(2, 0);
        series.add(3e12, 0.5);
        series.add(3e12 + 1, 0.5);
        const QList<QPointF> expected{{1, -1e-13}, {1, 0}, {2, 0}, {3e12, 0.5}, {3e12 + 1, 0.5}};
        QCOMPARE(series.drawnPoints(4e12, {1, 1, 2147483647}), expected);
        QCOMPARE(clipToBand(expected, Band{0, 4e12, -2, 2}), expected);
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

    // A lesson hands its errors over a chunk at a time: the store must end up
    // exactly as if they had come one by one, across bucket edges, ties,
    // zeros of both signs, undefined values, typed-back and huge X.
    void runsEqualPointByPoint()
    {
        std::mt19937_64 gen(7);
        const int64_t starts[] = {-3, 1, 4090, 1'000'000, (int64_t{1} << 53) - 50, int64_t{1} << 62};
        for (int round = 0; round < 40; ++round) {
            ErrorSeries byRun, byPoint;
            for (int piece = 0; piece < 4; ++piece) {
                const int64_t x = starts[gen() % std::size(starts)] + int64_t(gen() % 5000);
                std::vector<float> ys(gen() % 70'000 + 1);
                for (float &y : ys) {
                    const float kinds[] = {-1.0f, 0.0f, -0.0f, 1.0f, float(int(gen() % 200) - 100) / 64, NAN};
                    y = kinds[gen() % (gen() % 50 == 0 ? 6 : 5)];
                }
                byRun.addRun(x, ys.data(), ys.size());
                for (std::size_t k = 0; k < ys.size(); ++k)
                    byPoint.add(double(x + int64_t(k)), double(ys[k]));
            }
            QCOMPARE(byRun.count(), byPoint.count());
            for (double to : {100.0, 5000.0, 2e6, 1e16}) {
                const ErrorSeries::Columns columns = ErrorSeries::evenColumns(to, 300);
                QCOMPARE(byRun.drawnPoints(to, columns), byPoint.drawnPoints(to, columns));
            }
        }
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
            series.add(double((i * 7919LL) % count + 1), -1);
        qInfo("scattered: %.2f ns per point", (cpuNanoseconds() - start) / 1e7);
    }
};

QTEST_GUILESS_MAIN(ErrorSeriesTest)
#include "test_chart_series.moc"
