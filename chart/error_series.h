#pragma once
// The stored points of the error graph. A lesson may add two billion points,
// far more than memory allows or a screen can show, so the series keeps, for
// each bucket of X values, the bucket's first, lowest, highest and last point
// in list order (the list places each point after every point whose X is not
// greater).
//
// The iteration axis always starts at 1, so every range shown is 1 .. to.
// Buckets are therefore fine near 1 and widen with X: below X = 4096 each
// whole X has its own bucket; above, a bucket at X is a power of two at most
// X / 2048 wide. Whatever `to` is, every bucket up to it is at most
// (to - 1) / 2000 wide: narrower than a quarter of a column for up to
// mostColumns columns. Memory is one array per power of two of X, at most
// mostBytes in all, however many points arrive. Of the points before X = 1,
// which no range shows, only the nearest is kept: the line runs in from it.
//
// What drawnPoints() yields, and why it is exact: the list runs in X order,
// so a bucket's points are consecutive in it. A bucket's first point has its
// lowest X (the earliest added among equal X), its last the highest X (the
// latest added among equals), its lowest and highest point the earliest in
// the list among equal values. Each bucket is drawn in the column where it
// starts, so a column made of whole buckets gets exactly the first, lowest,
// highest and last point of the list's points in those buckets; a column
// edge moves by less than one bucket. The one bucket cut by `to` gives only
// its points inside the range (the line may miss a point of it), and its
// last point stands for the nearest point beyond.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPointF>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

class ErrorSeries {
public:
    // The first X any range shows: the iteration axis' fixed minimum.
    static constexpr double firstShownX = 1;
    // Most columns a range is split into with buckets narrower than a quarter column.
    static constexpr int mostColumns = 500;

    ErrorSeries();
    ErrorSeries(const ErrorSeries &) = delete;
    ErrorSeries &operator=(const ErrorSeries &) = delete;

    // Places the point as the list would: after every point whose X is not
    // greater. Points without a finite X, or with an undefined Y, have no
    // place on the chart: they are counted but not kept.
    // The common case, X not lower than any before and in the same bucket,
    // is a handful of instructions: a lesson adds one point per iteration.
    void add(double x, double y)
    {
        ++total;
        Bucket &b = *open;
        if (x >= b.last.x && x < openEnd && y == y) [[likely]] {
            // The newest point is the last in the list, so it takes over the
            // lowest or highest only when strictly beyond.
            const bool lower = y<b.low.y, higher = y> b.high.y;
            b.low.x = lower ? x : b.low.x;
            b.low.y = lower ? y : b.low.y;
            b.high.x = higher ? x : b.high.x;
            b.high.y = higher ? y : b.high.y;
            b.last = {x, y};
            return;
        }
        addElsewhere(x, y);
    }

    // The points (x, ys[0]), (x + 1, ys[1]), ... as add() would place them
    // one by one, each X the whole number rounded to a double. A lesson hands
    // over a chunk of iterations at a time: within a bucket only the lowest
    // and highest of the run matter, found in one pass over the plain array.
    void addRun(int64_t x, const float *ys, std::size_t n);

    // The points (x, period[0]), (x + 1, period[1]), ... for `count` points,
    // the errors repeating every n, as addRun() would place them. Time grows
    // with the buckets touched times n, not with `count`: a settled lesson of
    // two billion iterations hands its tail over at once.
    void addRepeating(int64_t x, const float *period, std::size_t n, int64_t count);

    void clear();

    int64_t count() const { return total; }
    // Changes whenever a point is added or the series is cleared.
    uint64_t version() const { return versionAtClear + uint64_t(total); }
    std::size_t bytes() const;
    // Holds the same buckets, bit for bit, and the same count.
    bool operator==(const ErrorSeries &other) const;
    // The most bytes the buckets can ever take.
    static std::size_t mostBytes();

    // Where the bucket holding X (>= firstShownX) starts, and how wide it is.
    static double bucketStart(double x);
    static double bucketWidth(double x);

    // Columns of equal width from `start` on; a bucket counts in the column
    // where it starts. At most mostColumns of them cover the range.
    struct Columns {
        double start, width;
        int count;
        int of(double x) const
        {
            const double at = (x - start) / width;
            return at >= count ? count - 1 : at > 0 ? int(at) : 0;
        }
    };
    // `count` equal columns over firstShownX .. to.
    static Columns evenColumns(double to, int count) { return {firstShownX, (to - firstShownX) / count, count}; }

    // The points to draw over X from firstShownX to `to`: per column its
    // first, lowest, highest and last point in list order, plus the nearest
    // point on each side outside the range, so the line runs into it.
    QList<QPointF> drawnPoints(double to, const Columns &columns) const;

    // The points the store keeps, in list order, each once (a bucket that
    // holds one point keeps it in all four places): the nearest point before
    // firstShownX first, then each bucket's first, lowest, highest and last.
    // Below X = 4096, where every whole X has its own bucket, a lesson's
    // points are all kept: with no other points at the same X, that is every
    // iteration. Beyond, a bucket 2^k wide keeps those four of its points,
    // and before X = 1 only the nearest point is kept.
    QList<QPointF> keptPoints() const;

    // The store as bytes, for a file: a magic word and a version, then the
    // count, the point before and the buckets in use, little-endian on every
    // processor. restore() reads them back.
    QByteArray toBytes() const;
    // Makes this store exactly (operator==) the one toBytes() wrote and
    // returns true. Bytes it cannot vouch for (cut, damaged, edited into a
    // store that add() could not have built) give false and change nothing.
    // Whatever the bytes claim, the store read never takes more than
    // mostBytes().
    bool restore(QByteArrayView bytes);

private:
    class Bytes; // the byte form, in error_series_bytes.cpp
    struct Point {
        double x = NAN, y = NAN;
        // Bit for bit: the two zeros differ, and so do NaN patterns.
        bool sameBits(const Point &other) const
        {
            return std::bit_cast<uint64_t>(x) == std::bit_cast<uint64_t>(other.x) &&
                std::bit_cast<uint64_t>(y) == std::bit_cast<uint64_t>(other.y);
        }
    };
    // One cache line each: a bucket split over two lines made every point
    // added to it several times slower.
    struct alignas(64) Bucket {
        Point first, low, high, last; // no point at all while first.x is NaN
        bool empty() const { return std::isnan(first.x); }
        void add(Point p);
        // The four places in the order the line passes them: by X, the
        // lowest and the highest in the order they came.
        std::array<const Point *, 4> inLineOrder() const
        {
            const bool lowFirst = low.x <= high.x;
            return {&first, lowFirst ? &low : &high, lowFirst ? &high : &low, &last};
        }
    };
    // Level 0: the buckets of X 0 .. 4095, one per whole X. Level k >= 1: the
    // 2048 buckets 2^k wide from 2^(k + 11) to 2^(k + 12). The last level
    // also holds everything larger.
    static constexpr int levelCount = 53;
    static constexpr std::size_t perLevel = 2048;

    struct Slot {
        int level;
        std::size_t index;
        double end; // where the bucket ends (exclusive)
    };
    static Slot slotOf(double x);
    static double startOf(int level, std::size_t index);
    // How many of the `count` whole numbers from x on share x's bucket (or,
    // below firstShownX, the place of the nearest point before).
    static int64_t sameBucketRun(int64_t x, int64_t count);

    // Cold: laid out away from the lesson loop that inlines add().
    [[gnu::cold]] void addElsewhere(double x, double y);
    // Points `open` at the bucket holding the highest X, as add() keeps it.
    void reopen();

    std::array<std::vector<Bucket>, levelCount> levels; // each allocated when first used
    Bucket idle;                                        // stands in for the open bucket while there is none
    Bucket *open = &idle;                               // the bucket holding the highest X so far
    double openEnd = -INFINITY;
    Point before; // the nearest point before firstShownX
    int64_t total = 0;
    uint64_t versionAtClear = 0; // grows by one more than the count at each clear
};
