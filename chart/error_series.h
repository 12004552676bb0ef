#pragma once
// The stored points of the error graph. A lesson may add two billion points,
// far more than memory allows and than any screen can show, so the series
// keeps summaries instead: the X axis is cut into buckets of a power-of-two
// width, and each bucket remembers its first and last point in list order and
// its lowest and highest point. When the points spread over too many buckets,
// the width doubles and neighbours merge. That bounds memory, keeps adding a
// point O(1) wherever its X falls, and still yields, for each pixel column,
// the first, lowest, highest and last point the full list would draw.

#include <QList>
#include <QPointF>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

class ErrorSeries {
public:
    // Largest number of buckets held at once (each is 64 bytes: 16 MiB).
    static constexpr std::size_t mostBuckets = std::size_t{1} << 18;

    // Places the point as the list would: after every point whose X is not
    // greater. Points without a finite X, or with an undefined Y, have no
    // place on the chart: they are counted but not kept.
    void add(double x, double y)
    {
        ++total;
        ++changes;
        // Truncating a non-negative offset is its floor: no libm call here.
        const double at = (x - windowStartX) * inverseWidth;
        if (at >= 0 && at < windowSize && y == y) {
            Bucket &bucket = buckets[std::size_t(at)];
            if (bucket.empty())
                startBucket(std::size_t(at), x, y);
            else
                bucket.add(x, y);
            return;
        }
        addOutsideWindow(x, y);
    }

    void clear();

    int64_t count() const { return total; }
    // Changes whenever a point is added or the series is cleared.
    uint64_t version() const { return changes; }
    std::size_t bytes() const { return buckets.capacity() * sizeof(Bucket); }
    // Width of one bucket in X units (a power of two, at least 1).
    double bucketWidth() const { return 1 / inverseWidth; }

    // The points to draw over X from..to split into `columns` equal columns:
    // per column its first, lowest, highest and last point in list order,
    // plus the nearest point on each side outside the range, so the line
    // runs into the visible part.
    QList<QPointF> drawnPoints(double from, double to, int columns) const;

private:
    struct Bucket {
        double firstX = NAN, firstY = 0, lastX = 0, lastY = 0;
        double lowX = 0, lowY = 0, highX = 0, highY = 0;

        bool empty() const { return std::isnan(firstX); }
        void add(double x, double y)
        {
            if (empty()) {
                firstX = lastX = lowX = highX = x;
                firstY = lastY = lowY = highY = y;
                return;
            }
            if (x < firstX) { firstX = x; firstY = y; }     // equal X stays behind
            if (x >= lastX) { lastX = x; lastY = y; }       // equal X goes after
            if (y < lowY) { lowY = y; lowX = x; }
            if (y > highY) { highY = y; highX = x; }
        }
        // `later` holds only points with greater X than this bucket's.
        void absorb(const Bucket &later);
    };

    void addOutsideWindow(double x, double y);
    void startBucket(std::size_t index, double x, double y);
    void windowMoved();
    void coarsen(int doublings);
    void placeWindow(double fromK, double toK);
    std::size_t indexOf(double k) const { return std::size_t(k - firstK); }

    std::vector<Bucket> buckets;     // bucket k lives at buckets[k - firstK]
    double firstK = 0;
    double windowStartX = 0, windowSize = 0;   // firstK's X and buckets.size(), for add()
    double lowK = INFINITY, highK = -INFINITY;   // occupied buckets
    int widthExponent = 0;
    double inverseWidth = 1;
    int64_t total = 0;
    uint64_t changes = 0;
};
