#include "chart/error_series.h"

#include <algorithm>
#include <bit>

namespace {

constexpr std::size_t fewestBuckets = 64;
// Occupied buckets may span at most half the buckets, so a window placed
// around them always leaves room on both sides and moving it is rare.
constexpr double widestSpan = double(ErrorSeries::mostBuckets / 2);
// Bucket numbers stay whole numbers a double holds exactly (with room for the
// window around them). Near X = 2^63 that makes a bucket as wide as the gap
// between two neighbouring doubles, so nothing a double can tell apart merges.
constexpr double largestBucketNumber = 4503599627370496.0;   // 2^52

// Collects the drawn points of each pixel column in X order.
class ColumnPicker {
public:
    ColumnPicker(double from, double to, int columns)
        : from(from), to(to), perUnit(columns / (to - from)), columns(columns) {}

    // Takes points in list order. Returns false once past the range.
    bool take(QPointF p)
    {
        if (p.x() < from) {
            before = p;
            hasBefore = true;
            return true;
        }
        if (p.x() > to) {
            after = p;
            hasAfter = true;
            return false;
        }
        const double at = (p.x() - from) * perUnit;
        const int column = at >= columns ? columns - 1 : at > 0 ? int(at) : 0;
        if (column != current.index)
            flush();
        if (!current.used) {
            current = {column, true, p, p, p, p};
            return true;
        }
        current.last = p;
        if (p.y() < current.low.y()) current.low = p;
        if (p.y() > current.high.y()) current.high = p;
        return true;
    }

    QList<QPointF> finish()
    {
        flush();
        if (hasAfter)
            append(after);
        if (hasBefore)
            out.prepend(before);
        return std::move(out);
    }

private:
    struct Column {
        int index = -1;
        bool used = false;
        QPointF first, low, high, last;
    };

    void append(QPointF p)
    {
        if (out.isEmpty() || out.constLast() != p)
            out.append(p);
    }

    void flush()
    {
        if (!current.used)
            return;
        const bool lowFirst = current.low.x() <= current.high.x();
        for (QPointF p : {current.first, lowFirst ? current.low : current.high,
                          lowFirst ? current.high : current.low, current.last})
            append(p);
        current = {};
    }

    double from, to, perUnit;
    int columns;
    Column current;
    QPointF before, after;
    bool hasBefore = false, hasAfter = false;
    QList<QPointF> out;
};

}

void ErrorSeries::Bucket::absorb(const Bucket &later)
{
    if (later.empty())
        return;
    if (empty()) {
        *this = later;
        return;
    }
    lastX = later.lastX;
    lastY = later.lastY;
    if (later.lowY < lowY) { lowY = later.lowY; lowX = later.lowX; }
    if (later.highY > highY) { highY = later.highY; highX = later.highX; }
}

void ErrorSeries::startBucket(std::size_t index, double x, double y)
{
    buckets[index].add(x, y);
    const double k = firstK + double(index);
    lowK = std::min(lowK, k);
    highK = std::max(highK, k);
}

void ErrorSeries::windowMoved()
{
    windowStartX = firstK / inverseWidth;
    windowSize = double(buckets.size());
}

void ErrorSeries::clear()
{
    std::vector<Bucket>().swap(buckets);   // hand the memory back, not just the points
    firstK = 0;
    lowK = INFINITY;
    highK = -INFINITY;
    widthExponent = 0;
    inverseWidth = 1;
    total = 0;
    ++changes;
    windowMoved();
}

void ErrorSeries::addOutsideWindow(double x, double y)
{
    if (!std::isfinite(x) || std::isnan(y))
        return;

    double k = std::floor(x * inverseWidth);
    double fromK = std::min(lowK, k), toK = std::max(highK, k);
    int doublings = 0;
    while (toK - fromK + 1 > widestSpan || std::max(-fromK, toK) >= largestBucketNumber) {
        fromK = std::floor(fromK / 2);
        toK = std::floor(toK / 2);
        ++doublings;
    }
    if (doublings > 0) {
        coarsen(doublings);
        k = std::floor(x * inverseWidth);
    }
    if (buckets.empty() || fromK < firstK || toK >= firstK + double(buckets.size()))
        placeWindow(fromK, toK);
    windowMoved();

    const std::size_t index = indexOf(k);
    if (buckets[index].empty())
        startBucket(index, x, y);
    else
        buckets[index].add(x, y);
}

void ErrorSeries::coarsen(int doublings)
{
    widthExponent += doublings;
    inverseWidth = std::ldexp(1.0, -widthExponent);
    if (lowK > highK)
        return;   // nothing stored yet: only the width changes
    const double factor = std::ldexp(1.0, -doublings);
    const double newLowK = std::floor(lowK * factor);
    const double newHighK = std::floor(highK * factor);

    // Merge in place: a bucket's new position is never right of its old one.
    const std::size_t oldFrom = indexOf(lowK), oldCount = std::size_t(highK - lowK) + 1;
    if (oldFrom > 0)
        std::move(buckets.begin() + oldFrom, buckets.begin() + oldFrom + oldCount, buckets.begin());
    std::fill(buckets.begin() + oldCount, buckets.end(), Bucket{});
    for (std::size_t i = 0; i < oldCount; ++i) {
        const std::size_t target = std::size_t(std::floor((lowK + double(i)) * factor) - newLowK);
        if (target == i)
            continue;
        const Bucket moved = buckets[i];
        buckets[i] = Bucket{};
        buckets[target].absorb(moved);
    }
    firstK = newLowK;
    lowK = newLowK;
    highK = newHighK;
}

void ErrorSeries::placeWindow(double fromK, double toK)
{
    const std::size_t needed = std::size_t(toK - fromK) + 1;
    const bool anyStored = lowK <= highK;
    const std::size_t keptFrom = anyStored ? indexOf(lowK) : 0;
    const std::size_t keptCount = anyStored ? std::size_t(highK - lowK) + 1 : 0;

    std::size_t size = buckets.size();
    if (needed * 2 > size)
        size = std::min(mostBuckets, std::max(fewestBuckets, std::bit_ceil(needed * 2)));
    const double newFirstK = fromK - double((size - needed) / 2);
    const std::size_t keptTo = anyStored ? std::size_t(lowK - newFirstK) : 0;

    if (size != buckets.size()) {
        std::vector<Bucket> grown(size);
        std::copy_n(buckets.begin() + keptFrom, keptCount, grown.begin() + keptTo);
        buckets.swap(grown);
    } else if (keptTo < keptFrom) {
        std::move(buckets.begin() + keptFrom, buckets.begin() + keptFrom + keptCount, buckets.begin() + keptTo);
        std::fill(buckets.begin() + std::max(keptFrom, keptTo + keptCount), buckets.begin() + keptFrom + keptCount, Bucket{});
    } else if (keptTo > keptFrom) {
        std::move_backward(buckets.begin() + keptFrom, buckets.begin() + keptFrom + keptCount,
                           buckets.begin() + keptTo + keptCount);
        std::fill(buckets.begin() + keptFrom, buckets.begin() + std::min(keptTo, keptFrom + keptCount), Bucket{});
    }
    firstK = newFirstK;
}

QList<QPointF> ErrorSeries::drawnPoints(double from, double to, int columns) const
{
    if (lowK > highK || columns < 1 || !(to > from))
        return {};
    ColumnPicker picker(from, to, columns);

    // Start at the range, or at the nearest stored bucket before it so the
    // line can run in from the left.
    double startK = std::clamp(std::floor(from * inverseWidth), lowK, highK);
    for (double k = startK - 1; k >= lowK; k -= 1)
        if (!buckets[indexOf(k)].empty()) {
            startK = k;
            break;
        }

    for (std::size_t i = indexOf(startK), end = indexOf(highK); i <= end; ++i) {
        const Bucket &b = buckets[i];
        if (b.empty())
            continue;
        const bool lowFirst = b.lowX <= b.highX;
        const QPointF inOrder[] = {{b.firstX, b.firstY},
                                   lowFirst ? QPointF(b.lowX, b.lowY) : QPointF(b.highX, b.highY),
                                   lowFirst ? QPointF(b.highX, b.highY) : QPointF(b.lowX, b.lowY),
                                   {b.lastX, b.lastY}};
        for (QPointF p : inOrder)
            if (!picker.take(p))
                return picker.finish();
    }
    return picker.finish();
}
