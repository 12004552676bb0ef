#include "chart/error_series.h"

#include <algorithm>
#include <bit>
#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace {

// Collects the drawn points of each column in X order.
class ColumnPicker {
public:
    // Called before any take().
    void setBefore(QPointF p) { append(p); }

    // Takes points in list order, each with the column it is counted in.
    void take(int column, QPointF p)
    {
        if (column != current.index)
            flush();
        if (!current.used) {
            current = {column, true, p, p, p, p};
            return;
        }
        current.last = p;
        if (p.y() < current.low.y())
            current.low = p;
        if (p.y() > current.high.y())
            current.high = p;
    }

    QList<QPointF> finish(const QPointF *after)
    {
        flush();
        if (after)
            append(*after);
        return std::move(out);
    }

private:
    struct Column {
        int index = -1;
        bool used = false;
        QPointF first, low, high, last;
    };

    // Exactly equal only: QPointF's own != calls points a millionth of a
    // millionth apart equal, and a point of the line would go missing.
    void append(QPointF p)
    {
        if (out.isEmpty() || out.constLast().x() != p.x() || out.constLast().y() != p.y())
            out.append(p);
    }

    void flush()
    {
        if (!current.used)
            return;
        const bool lowFirst = current.low.x() <= current.high.x();
        for (QPointF p : {current.first, lowFirst ? current.low : current.high, lowFirst ? current.high : current.low,
                          current.last})
            append(p);
        current = {};
    }

    Column current;
    QList<QPointF> out;
};

QPointF toQt(double x, double y)
{
    return {x, y};
}

} // namespace

ErrorSeries::ErrorSeries() = default;

void ErrorSeries::Bucket::add(Point p)
{
    if (empty()) {
        first = low = high = last = p;
        return;
    }
    // Equal X goes after: an earlier point with that X stays first, a later one becomes last.
    if (p.x < first.x)
        first = p;
    if (p.x >= last.x)
        last = p;
    // Among equal values the one earlier in the list counts: the lower X.
    if (p.y < low.y || (p.y == low.y && p.x < low.x))
        low = p;
    if (p.y > high.y || (p.y == high.y && p.x < high.x))
        high = p;
}

ErrorSeries::Slot ErrorSeries::slotOf(double x)
{
    const int level = std::max(0, std::ilogb(x) - 11);
    if (level >= levelCount)
        return {levelCount - 1, perLevel - 1, INFINITY};
    const double width = std::ldexp(1.0, level);
    const double k = std::floor(x / width); // exact: dividing by a power of two
    const std::size_t index = level == 0 ? std::size_t(k) : std::size_t(k) - perLevel;
    const bool lastOfAll = level == levelCount - 1 && index == perLevel - 1;
    return {level, index, lastOfAll ? INFINITY : (k + 1) * width};
}

double ErrorSeries::startOf(int level, std::size_t index)
{
    return level == 0 ? double(index) : std::ldexp(double(perLevel + index), level);
}

double ErrorSeries::bucketStart(double x)
{
    const Slot slot = slotOf(x);
    return startOf(slot.level, slot.index);
}

double ErrorSeries::bucketWidth(double x)
{
    return std::ldexp(1.0, slotOf(x).level);
}

std::size_t ErrorSeries::bytes() const
{
    std::size_t sum = 0;
    for (const std::vector<Bucket> &buckets : levels)
        sum += buckets.capacity() * sizeof(Bucket);
    return sum;
}

std::size_t ErrorSeries::mostBytes()
{
    return (2 * perLevel + (levelCount - 1) * perLevel) * sizeof(Bucket);
}

void ErrorSeries::clear()
{
    for (std::vector<Bucket> &buckets : levels)
        std::vector<Bucket>().swap(buckets); // hand the memory back, not just the points
    open = &idle;
    openEnd = -INFINITY;
    before = {};
    versionAtClear += uint64_t(total) + 1;
    total = 0;
}

void ErrorSeries::addElsewhere(double x, double y)
{
    if (!std::isfinite(x) || std::isnan(y))
        return;
    const Point p{x, y};
    if (x < firstShownX) {
        // The nearest is the last of them in the list: highest X, latest among equals.
        if (std::isnan(before.x) || x >= before.x)
            before = p;
        return;
    }
    const Slot slot = slotOf(x);
    std::vector<Bucket> &buckets = levels[std::size_t(slot.level)];
    if (buckets.empty())
        buckets = std::vector<Bucket>(slot.level == 0 ? 2 * perLevel : perLevel);
    Bucket &bucket = buckets[slot.index];
    const bool highestX = open->empty() || x >= open->last.x;
    bucket.add(p);
    if (highestX) {
        open = &bucket;
        openEnd = slot.end;
    }
}

namespace {

// Index of the first lowest and of the first highest value, by the same
// comparison add() makes: a later equal value never takes over. False if a
// value is undefined (such points take add()'s own way). Four values at a
// time: a lesson's chunk passes through here once per point.
bool firstExtremes(const float *ys, std::size_t n, std::size_t &lowAt, std::size_t &highAt)
{
#if defined(__SSE2__)
    __m128 low = _mm_set1_ps(ys[0]), high = low, undefined = _mm_setzero_ps();
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m128 y = _mm_loadu_ps(ys + i);
        undefined = _mm_or_ps(undefined, _mm_cmpunord_ps(y, y));
        low = _mm_min_ps(low, y);
        high = _mm_max_ps(high, y);
    }
    float lows[4], highs[4];
    _mm_storeu_ps(lows, low);
    _mm_storeu_ps(highs, high);
    bool defined = _mm_movemask_ps(undefined) == 0;
    float lowest = std::min({lows[0], lows[1], lows[2], lows[3]});
    float highest = std::max({highs[0], highs[1], highs[2], highs[3]});
#else
    // One at a time: the same extremes, found by the same comparisons.
    bool defined = true;
    float lowest = ys[0], highest = ys[0];
    std::size_t i = 0;
#endif
    for (; i < n; ++i) {
        defined &= ys[i] == ys[i];
        lowest = std::min(lowest, ys[i]);
        highest = std::max(highest, ys[i]);
    }
    if (!defined)
        return false;
    // Zeros of either sign are equal here, as in add().
    lowAt = highAt = n;
    for (std::size_t k = 0; k < n && (lowAt == n || highAt == n); ++k) {
        if (lowAt == n && ys[k] == lowest)
            lowAt = k;
        if (highAt == n && ys[k] == highest)
            highAt = k;
    }
    return true;
}

} // namespace

void ErrorSeries::addRun(int64_t first, const float *ys, std::size_t n)
{
    // Beyond 2^53 consecutive whole numbers are no longer all doubles: one
    // by one there, each rounded as add() would get it.
    constexpr int64_t exactWholeNumbers = int64_t{1} << 53;
    while (n > 0) {
        const double x = double(first);
        Bucket &b = *open;
        if (!(x >= b.last.x && x < openEnd && first >= -exactWholeNumbers && first <= exactWholeNumbers - int64_t(n))) {
            add(x, double(*ys));
            ++first;
            ++ys;
            --n;
            continue;
        }
        const std::size_t take = std::min(n, std::size_t(std::ceil(openEnd - x)));
        std::size_t lowAt, highAt;
        if (!firstExtremes(ys, take, lowAt, highAt)) {
            for (std::size_t k = 0; k < take; ++k)
                add(x + double(k), double(ys[k]));
        } else {
            if (ys[lowAt] < b.low.y)
                b.low = {x + double(lowAt), double(ys[lowAt])};
            if (ys[highAt] > b.high.y)
                b.high = {x + double(highAt), double(ys[highAt])};
            b.last = {x + double(take - 1), double(ys[take - 1])};
            total += int64_t(take);
        }
        first += int64_t(take);
        ys += take;
        n -= take;
    }
}

int64_t ErrorSeries::sameBucketRun(int64_t x, int64_t count)
{
    if (x < 1) {
        // Before the axis one place holds them all: the whole numbers up to 0.
        const uint64_t upToZero = uint64_t(1) - uint64_t(x);
        return uint64_t(count) < upToZero ? count : int64_t(upToZero);
    }
    const double end = slotOf(double(x)).end;
    constexpr double exactWholeNumbers = 9007199254740992.0; // 2^53
    if (end <= exactWholeNumbers)
        return std::min(count, int64_t(end) - x);
    if (double(x + (count - 1)) < end)
        return count;
    // Beyond 2^53 neighbours round to one double: the first whole number
    // whose double reaches the end, by halving.
    int64_t inside = 0, beyond = count - 1;
    while (beyond - inside > 1) {
        const int64_t middle = inside + (beyond - inside) / 2;
        (double(x + middle) < end ? inside : beyond) = middle;
    }
    return beyond;
}

void ErrorSeries::addRepeating(int64_t x, const float *period, std::size_t n, int64_t count)
{
    if (n == 0 || count <= 0)
        return;
    const int64_t length = int64_t(n);
    // Twice over: n points from any phase on lie side by side.
    std::vector<float> twice(period, period + n);
    twice.insert(twice.end(), period, period + n);
    const auto feed = [&](int64_t from, int64_t phase, int64_t points) {
        for (int64_t take; points > 0; from += take, points -= take) {
            take = std::min(points, length);
            addRun(from, twice.data() + phase, std::size_t(take));
        }
    };
    int64_t phase = 0;
    for (;;) {
        const int64_t span = sameBucketRun(x, count);
        if (span <= 2 * length) {
            feed(x, phase, span);
        } else {
            // A point past the first n of a span and before its last n
            // repeats one earlier and one later in the same bucket, bit for
            // bit: it changes none of the bucket's first, lowest, highest or
            // last, so only its count matters.
            feed(x, phase, length);
            total += span - 2 * length;
            feed(x + (span - length), (phase + (span - length) % length) % length, length);
        }
        if (span == count)
            return;
        x += span;
        count -= span;
        phase = (phase + span % length) % length;
    }
}

bool ErrorSeries::operator==(const ErrorSeries &other) const
{
    const auto sameBucket = [](const Bucket &a, const Bucket &b) {
        return a.first.sameBits(b.first) && a.low.sameBits(b.low) && a.high.sameBits(b.high) && a.last.sameBits(b.last);
    };
    if (total != other.total || !before.sameBits(other.before))
        return false;
    const Bucket none;
    for (std::size_t level = 0; level < levels.size(); ++level) {
        const std::vector<Bucket> &mine = levels[level], &theirs = other.levels[level];
        for (std::size_t i = 0; i < std::max(mine.size(), theirs.size()); ++i)
            if (!sameBucket(i < mine.size() ? mine[i] : none, i < theirs.size() ? theirs[i] : none))
                return false;
    }
    return true;
}

void ErrorSeries::reopen()
{
    open = &idle;
    openEnd = -INFINITY;
    for (int level = levelCount - 1; level >= 0; --level) {
        std::vector<Bucket> &buckets = levels[std::size_t(level)];
        const auto used = std::find_if(buckets.rbegin(), buckets.rend(), [](const Bucket &b) { return !b.empty(); });
        if (used != buckets.rend()) {
            open = &*used;
            openEnd = slotOf(used->first.x).end;
            return;
        }
    }
}

QList<QPointF> ErrorSeries::keptPoints() const
{
    QList<QPointF> kept;
    if (!std::isnan(before.x))
        kept.append(toQt(before.x, before.y));
    for (const std::vector<Bucket> &buckets : levels)
        for (const Bucket &b : buckets) {
            if (b.empty())
                continue;
            // In the order drawnPoints() draws them, a place that repeats an
            // earlier one listed once.
            const std::array<const Point *, 4> places = b.inLineOrder();
            for (std::size_t i = 0; i < places.size(); ++i)
                if (std::none_of(places.begin(), places.begin() + i,
                                 [&](const Point *earlier) { return earlier->sameBits(*places[i]); }))
                    kept.append(toQt(places[i]->x, places[i]->y));
        }
    return kept;
}

QList<QPointF> ErrorSeries::drawnPoints(double to, const Columns &columns) const
{
    if (columns.count < 1 || !(columns.width > 0) || !(to > firstShownX))
        return {};
    ColumnPicker picker;
    if (!std::isnan(before.x))
        picker.setBefore(toQt(before.x, before.y));

    for (int level = 0; level < levelCount; ++level) {
        const std::vector<Bucket> &buckets = levels[std::size_t(level)];
        for (std::size_t i = 0; i < buckets.size(); ++i) {
            const Bucket &b = buckets[i];
            if (b.empty())
                continue;
            if (b.first.x > to) {
                const QPointF after = toQt(b.first.x, b.first.y);
                return picker.finish(&after);
            }
            const int column = columns.of(startOf(level, i));
            const auto [first, early, late, last] = b.inLineOrder();
            picker.take(column, toQt(first->x, first->y));
            if (b.last.x <= to) {
                for (const Point *p : {early, late, last})
                    picker.take(column, toQt(p->x, p->y));
                continue;
            }
            // Cut by the range's end: only its points inside are drawn, and
            // its last point (placed by X, not chosen by value) beyond.
            for (const Point *p : {early, late})
                if (p->x <= to)
                    picker.take(column, toQt(p->x, p->y));
            const QPointF after = toQt(b.last.x, b.last.y);
            return picker.finish(&after);
        }
    }
    return picker.finish(nullptr);
}
