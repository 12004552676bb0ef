// The error graph's store written to bytes and read back, whole or damaged,
// and the points it keeps as CSV text.

#include "chart/error_series.h"
#include "chart/points_csv.h"
#include "runtime/number_text.h"

#include <QtTest>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <ctime>
#include <functional>
#include <random>
#include <vector>

namespace {

constexpr int64_t nearTwoTo62 = (int64_t{1} << 62) - 1000;

// A store as the program could have filled it, and the X a lesson would go on from.
struct Filled {
    const char *name;
    std::function<void(ErrorSeries &)> fill;
    int64_t next;
};

// A step lesson's errors: -1, 0 and 1 while it learns, then 0.
std::vector<float> stepLesson(std::size_t n, uint64_t seed)
{
    std::mt19937_64 random(seed);
    std::vector<float> ys(n, 0.0f);
    for (std::size_t i = 0; i < std::min<std::size_t>(n, 300); ++i)
        ys[i] = float(int(random() % 3) - 1);
    return ys;
}

const std::vector<Filled> &filledStores()
{
    static const std::vector<Filled> stores{
        {"empty", [](ErrorSeries &) {}, 1},
        {"a few points",
         [](ErrorSeries &s) {
             // Equal X in list order, a wide bucket, X and errors no lesson
             // gives, and points that are counted but not kept.
             const double points[][2] = {{5, 0.1},      {7, 0.7},      {5, 0.2},     {5, -0.0},
                                         {6, 0.1f},     {8192, 0},     {8194, -1},   {8193, -1},
                                         {1.25, 1e300}, {2, INFINITY}, {1e300, 0.5}, {DBL_MAX, -INFINITY},
                                         {NAN, 1},      {3, NAN}};
             for (const auto &[x, y] : points)
                 s.add(x, y);
         },
         8},
        {"ten million from runs",
         [](ErrorSeries &s) {
             const std::vector<float> ys = stepLesson(10'000'000, 1);
             for (std::size_t at = 0; at < ys.size(); at += 100'000)
                 s.addRun(int64_t(at) + 1, ys.data() + at, 100'000);
         },
         10'000'001},
        {"repeating near 2^62",
         [](ErrorSeries &s) {
             const float period[] = {0.0f, 1.0f, -1.0f, 0.5f, 0.0f};
             s.addRepeating(nearTwoTo62, period, std::size(period), 2'147'483'647);
         },
         nearTwoTo62 + 2'147'483'647},
        {"before the axis",
         [](ErrorSeries &s) {
             for (auto [x, y] : {std::pair{-3.0, 0.2}, {0.5, -0.4}, {0.0, 0.25}, {-1e18, 1.0}})
                 s.add(x, y);
         },
         1},
    };
    return stores;
}

// What further lessons do: runs on from the last X, over earlier ones, far
// beyond, before the axis, and one by one.
void addMore(ErrorSeries &s, int64_t next)
{
    const std::vector<float> ys = stepLesson(300, 2);
    for (int64_t x : {next, next + 300, int64_t{4000}, int64_t{-10}, int64_t{1} << 40})
        s.addRun(x, ys.data(), ys.size());
    const float period[] = {1.0f, 0.0f, -1.0f};
    s.addRepeating(next + 1000, period, 3, 5000);
    s.add(double(next + 7), 0.25);
    s.add(3, -0.75);
}

QByteArray mutated(QByteArray bytes, std::mt19937_64 &random)
{
    const auto below = [&random](qsizetype n) { return n > 0 ? qsizetype(random() % uint64_t(n)) : 0; };
    for (int round = 0, rounds = 1 + int(random() % 3); round < rounds; ++round) {
        const qsizetype at = below(bytes.size()), length = 1 + below(std::min<qsizetype>(bytes.size(), 64));
        switch (random() % 6) {
        case 0:
            if (!bytes.isEmpty())
                bytes[at] = char(bytes[at] ^ (1 << (random() % 8)));
            break;
        case 1: bytes.truncate(below(bytes.size() + 1)); break;
        case 2: bytes.insert(below(bytes.size() + 1), bytes.mid(at, length)); break;
        case 3: bytes.remove(at, length); break;
        case 4: { // a huge or a lying number over 2, 4 or 8 bytes
            const uint64_t values[] = {~uint64_t{0}, uint64_t{1} << 63, (uint64_t{1} << 63) - 1, 0x7ff0000000000000,
                                       random()};
            const uint64_t value = values[random() % std::size(values)];
            const int width = 2 << (random() % 3);
            for (int i = 0; i < width && at + i < bytes.size(); ++i)
                bytes[at + i] = char(value >> (8 * i));
            break;
        }
        default:
            if (!bytes.isEmpty())
                bytes[at] = char(random());
        }
    }
    return bytes;
}

bool sortedByX(const QList<QPointF> &points)
{
    return std::is_sorted(points.begin(), points.end(), [](QPointF a, QPointF b) { return a.x() < b.x(); });
}

} // namespace

class ErrorSeriesStoreTest : public QObject {
    Q_OBJECT

private slots:
    void readsBackTheSameStore_data()
    {
        QTest::addColumn<int>("which");
        for (std::size_t i = 0; i < filledStores().size(); ++i)
            QTest::newRow(filledStores()[i].name) << int(i);
    }
    void readsBackTheSameStore()
    {
        QFETCH(int, which);
        const Filled &filled = filledStores()[std::size_t(which)];
        ErrorSeries original, read;
        filled.fill(original);
        read.add(1234, 0.5); // a store read into is replaced, not added to
        const uint64_t versionBefore = read.version();
        QVERIFY(read.restore(original.toBytes()));
        QVERIFY(read == original);
        QVERIFY(read.version() != versionBefore);
        QCOMPARE(read.bytes(), original.bytes());

        addMore(original, filled.next);
        addMore(read, filled.next);
        QVERIFY(read == original);
    }

    // Cut, flipped, shifted or lying bytes: either refused with the store
    // untouched, or a store that draws, lists, writes and grows as any other.
    void damagedBytesAreRefusedOrSafe()
    {
        bool ok = false;
        uint64_t seed = qEnvironmentVariable("TIVARO_FUZZ_SEED").toULongLong(&ok);
        if (!ok)
            seed = 20260301;
        qInfo("fuzz seed: %llu (set TIVARO_FUZZ_SEED=%llu to repeat this run)", static_cast<unsigned long long>(seed),
              static_cast<unsigned long long>(seed));
        std::mt19937_64 random(seed);

        std::vector<QByteArray> valid;
        for (const Filled &filled : filledStores()) {
            ErrorSeries s;
            filled.fill(s);
            valid.push_back(s.toBytes());
        }
        ErrorSeries spread; // a dozen levels, points here and there
        for (int64_t x = 1; x < (int64_t{1} << 24); x += x / 300 + 1)
            spread.add(double(x), double(x % 5) - 2);
        valid.push_back(spread.toBytes());

        ErrorSeries untouched, target;
        filledStores()[1].fill(untouched);
        filledStores()[1].fill(target);
        int accepted = 0;
        constexpr int tries = 10'000;
        for (int i = 0; i < tries; ++i) {
            // The ten-million store is large: damaged now and then only.
            std::size_t base = random() % valid.size();
            if (base == 2 && random() % 20 != 0)
                base = 1;
            const QByteArray bytes = mutated(valid[base], random);
            if (!target.restore(bytes)) {
                QVERIFY2(target == untouched, qPrintable(QStringLiteral("try %1").arg(i)));
                continue;
            }
            ++accepted;
            QVERIFY(target.bytes() <= ErrorSeries::mostBytes());
            QVERIFY(target.count() >= 0);
            const QList<QPointF> kept = target.keptPoints();
            QVERIFY(sortedByX(kept) && kept.size() <= target.count());
            for (double to : {2.0, 5000.0, 1e7, 1e19, DBL_MAX}) {
                const QList<QPointF> drawn = target.drawnPoints(to, ErrorSeries::evenColumns(to, 300));
                QVERIFY2(sortedByX(drawn), qPrintable(QStringLiteral("try %1 up to %2").arg(i).arg(to)));
            }
            if (kept.size() < 1000)
                QCOMPARE(pointsCsv(kept, QStringLiteral("i"), QStringLiteral("e")).count('\n'), kept.size() + 1);
            ErrorSeries again;
            QVERIFY(again.restore(target.toBytes()));
            QVERIFY(again == target);
            addMore(target, 17);
            addMore(again, 17);
            QVERIFY(again == target);
            QVERIFY(target.restore(valid[1]));
        }
        qInfo("%d of %d damaged blocks read as a store", accepted, tries);
    }

    // Within the exact range every iteration is kept, once; beyond, a
    // bucket's first, lowest, highest and last in list order.
    void keptPointsListEachPointOnce()
    {
        const std::vector<float> errors = stepLesson(37, 3);
        ErrorSeries lesson;
        lesson.addRun(1, errors.data(), errors.size());
        const QList<QPointF> kept = lesson.keptPoints();
        QCOMPARE(kept.size(), 37);
        for (int i = 0; i < 37; ++i)
            QCOMPARE(kept[i], QPointF(i + 1, errors[std::size_t(i)]));
        QCOMPARE(pointsCsv(kept, QStringLiteral("Iteration"), QStringLiteral("Error")).count("\r\n"), 1 + 37);

        ErrorSeries wide;
        // A bucket 4 wide with its lowest first, one with its highest
        // first, one 2 wide with a single value, and a point before X = 1.
        const double points[][2] = {{8192, 0.5}, {8193, -1}, {8194, 1}, {8195, 0.25}, {8196, 0},  {8197, 1},
                                    {8198, -1},  {8199, 0},  {4096, 0}, {4097, 0},    {0.5, -0.5}};
        for (const auto &[x, y] : points)
            wide.add(x, y);
        const QList<QPointF> expected{{0.5, -0.5},  {4096, 0}, {4097, 0}, {8192, 0.5}, {8193, -1}, {8194, 1},
                                      {8195, 0.25}, {8196, 0}, {8197, 1}, {8198, -1},  {8199, 0}};
        QCOMPARE(wide.keptPoints(), expected);
    }

    void csvFollowsTheDecimalSeparator()
    {
        const QChar separatorBefore = numtext::decimalSeparator();
        const QList<QPointF> points{{-3, 0.5}, {1, -1}, {2, -0.0}, {4611686018427389952.0, 0.1f}, {5, 0.1}};
        numtext::setDecimalSeparator(u',');
        QCOMPARE(pointsCsv(points, QStringLiteral("Iterácie"), QStringLiteral("Chyba; \"e\"")),
                 QStringLiteral("Iterácie;\"Chyba; \"\"e\"\"\"\r\n-3;0,5\r\n1;-1\r\n2;0\r\n"
                                "4611686018427389952;0,1\r\n5;0,1\r\n")
                     .toUtf8());
        numtext::setDecimalSeparator(u'.');
        QCOMPARE(pointsCsv({{0.5, 0.25}, {7, 1e-7f}}, QStringLiteral("Iteration"), QStringLiteral("Error, e")),
                 QByteArray("Iteration,\"Error, e\"\r\n0.5,0.25\r\n7,1E-7\r\n"));
        numtext::setDecimalSeparator(separatorBefore);
    }

    // By hand: TIVARO_CHART_MEASURE=1 ./test_chart_store measureFileForm
    void measureFileForm()
    {
        if (qEnvironmentVariableIsEmpty("TIVARO_CHART_MEASURE"))
            QSKIP("measurement only; set TIVARO_CHART_MEASURE=1");
        std::mt19937_64 random(5);
        std::vector<float> varied(10'000'000);
        for (float &y : varied)
            y = std::uniform_real_distribution<float>(-1.0f, 1.0f)(random);
        const std::pair<const char *, std::vector<float>> lessons[] = {{"step lesson", stepLesson(10'000'000, 4)},
                                                                       {"varied errors", varied}};
        for (const auto &[name, ys] : lessons) {
            ErrorSeries series, read;
            series.addRun(1, ys.data(), ys.size());
            // Processor time of this thread, the best of five: a busy machine must not inflate it.
            const auto milliseconds = [] {
                timespec now{};
                clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
                return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
            };
            double best[6] = {1e9, 1e9, 1e9, 1e9, 1e9, 1e9};
            QByteArray raw, packed, text;
            for (int round = 0; round < 5; ++round) {
                double times[7];
                times[0] = milliseconds();
                raw = series.toBytes();
                times[1] = milliseconds();
                packed = qCompress(raw);
                times[2] = milliseconds();
                text = packed.toBase64();
                times[3] = milliseconds();
                const QByteArray unpacked = QByteArray::fromBase64(text);
                times[4] = milliseconds();
                const QByteArray bytes = qUncompress(unpacked);
                times[5] = milliseconds();
                QVERIFY(read.restore(bytes));
                times[6] = milliseconds();
                for (int i = 0; i < 6; ++i)
                    best[i] = std::min(best[i], times[i + 1] - times[i]);
            }
            QVERIFY(read == series);
            qInfo("%s: %lld bytes, %lld compressed, %lld in base64", name, static_cast<long long>(raw.size()),
                  static_cast<long long>(packed.size()), static_cast<long long>(text.size()));
            qInfo("  save %.1f ms (bytes %.1f, compress %.1f, base64 %.1f); open %.1f ms (base64 %.1f, uncompress "
                  "%.1f, restore %.1f)",
                  best[0] + best[1] + best[2], best[0], best[1], best[2], best[3] + best[4] + best[5], best[3], best[4],
                  best[5]);
        }
    }
};

QTEST_GUILESS_MAIN(ErrorSeriesStoreTest)
#include "test_chart_store.moc"
