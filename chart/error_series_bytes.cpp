// The store's byte form. Every number is little-endian:
//
//   magic "TVES", version (u16) = 1
//   count (u64), at most mostCount
//   the point before X = 1: u8 0 (none) or 1, then X and Y (f64 each)
//   how many levels follow (u8); per level, in rising order:
//     the level (u8), its first used bucket (u16), how many buckets up to
//     its last used one (u16), and each of these buckets:
//       shape (u8): 0 for an empty bucket; otherwise bit 7 set, and which of
//         the places repeat an earlier one (bit for bit):
//           bit 0     lowest = first
//           bits 1-2  highest: 0 its own point, 1 = first, 2 = lowest
//           bits 3-4  last: 0 its own point, 1 = first, 2 = lowest, 3 = highest
//           bit 5     a kinds byte follows
//       kinds (u8, with bit 5 only): two bits per own point, in order: its X
//         is an f64 (not an offset), its Y is an f64 (not an f32)
//       the own points in the order first, lowest, highest, last: X as the
//       whole-number offset from the bucket's start (LEB128) or an f64, Y as
//       an f32 or an f64.
//
// A lesson's points have whole X and errors that are floats, so a point
// takes five or six bytes before compression, and a bucket that holds one
// point writes it once.

#include "chart/error_series.h"
#include "runtime/float32.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr char magicWord[4] = {'T', 'V', 'E', 'S'};
constexpr quint16 formatVersion = 1;
// More points than 2^31 lessons of the longest (2^31 - 1 iterations) could
// add; a count read may exceed it only by lying, and below it the count can
// still grow by 2^62 before it would overflow.
constexpr uint64_t mostCount = uint64_t{1} << 62;
// Offsets are whole numbers below 2^63: nine bytes of seven bits.
constexpr int mostOffsetBytes = 9;

class ByteWriter {
public:
    template <typename T>
    void put(T value)
    {
        char bytes[sizeof(T)];
        qToLittleEndian(value, bytes);
        out.append(bytes, sizeof bytes);
    }
    void putDouble(double value) { put(std::bit_cast<quint64>(value)); }
    void putFloat(float value) { put(std::bit_cast<quint32>(value)); }
    void putWhole(uint64_t value)
    {
        for (; value >= 0x80; value >>= 7)
            out.append(char(0x80 | (value & 0x7f)));
        out.append(char(value));
    }
    // For a byte written before the ones that decide it.
    qsizetype placeholder()
    {
        out.append('\0');
        return out.size() - 1;
    }
    void fill(qsizetype at, quint8 value) { out[at] = char(value); }
    QByteArray take() { return std::move(out); }

private:
    QByteArray out;
};

// Reads to the end of the bytes and no further: past it, every read gives
// zero and the reader stays failed.
class ByteReader {
public:
    explicit ByteReader(QByteArrayView bytes) : rest(bytes) {}

    template <typename T>
    T get()
    {
        if (bad || rest.size() < qsizetype(sizeof(T))) {
            bad = true;
            return 0;
        }
        const T value = qFromLittleEndian<T>(rest.data());
        rest = rest.sliced(sizeof(T));
        return value;
    }
    double getDouble() { return std::bit_cast<double>(get<quint64>()); }
    float getFloat() { return std::bit_cast<float>(get<quint32>()); }
    std::optional<uint64_t> getWhole()
    {
        uint64_t value = 0;
        for (int i = 0; i < mostOffsetBytes; ++i) {
            const quint8 byte = get<quint8>();
            value |= uint64_t(byte & 0x7f) << (7 * i);
            if (!(byte & 0x80))
                return bad ? std::nullopt : std::optional(value);
        }
        bad = true;
        return std::nullopt;
    }
    bool failed() const { return bad; }
    bool atEnd() const { return rest.isEmpty(); }

private:
    QByteArrayView rest;
    bool bad = false;
};

} // namespace

class ErrorSeries::Bytes {
public:
    static QByteArray write(const ErrorSeries &series);
    // Fills the empty `into`, or returns false.
    static bool read(QByteArrayView bytes, ErrorSeries &into);

private:
    static void writeBucket(ByteWriter &out, const Bucket &b, double start);
    // Adds the bucket's own points to `own`.
    static bool readBucket(ByteReader &in, int level, std::size_t index, Bucket &b, uint64_t &own);
    static bool isInside(const Point &p, int level, std::size_t index);
};

QByteArray ErrorSeries::toBytes() const
{
    return Bytes::write(*this);
}

bool ErrorSeries::restore(QByteArrayView bytes)
{
    ErrorSeries read; // aside: this store changes only once all of it is read
    if (!Bytes::read(bytes, read))
        return false;
    levels.swap(read.levels);
    before = read.before;
    versionAtClear += uint64_t(total) + 1; // as a clear would, so every drawing is redone
    total = read.total;
    reopen();
    return true;
}

QByteArray ErrorSeries::Bytes::write(const ErrorSeries &series)
{
    ByteWriter out;
    for (char c : magicWord)
        out.put(quint8(c));
    out.put(formatVersion);
    out.put(quint64(series.total));
    out.put(quint8(std::isnan(series.before.x) ? 0 : 1));
    if (!std::isnan(series.before.x)) {
        out.putDouble(series.before.x);
        out.putDouble(series.before.y);
    }
    const auto used = [](const Bucket &b) { return !b.empty(); };
    const qsizetype levelsAt = out.placeholder();
    quint8 levelsWritten = 0;
    for (int level = 0; level < levelCount; ++level) {
        const std::vector<Bucket> &buckets = series.levels[std::size_t(level)];
        const auto first = std::find_if(buckets.begin(), buckets.end(), used);
        if (first == buckets.end())
            continue;
        const auto end = std::find_if(buckets.rbegin(), buckets.rend(), used).base();
        out.put(quint8(level));
        out.put(quint16(first - buckets.begin()));
        out.put(quint16(end - first));
        for (auto b = first; b != end; ++b)
            writeBucket(out, *b, startOf(level, std::size_t(b - buckets.begin())));
        ++levelsWritten;
    }
    out.fill(levelsAt, levelsWritten);
    return out.take();
}

void ErrorSeries::Bytes::writeBucket(ByteWriter &out, const Bucket &b, double start)
{
    if (b.empty()) {
        out.put(quint8(0));
        return;
    }
    const bool lowIsFirst = b.low.sameBits(b.first);
    const int highIs = b.high.sameBits(b.first) ? 1 : b.high.sameBits(b.low) ? 2 : 0;
    const int lastIs = b.last.sameBits(b.first) ? 1 : b.last.sameBits(b.low) ? 2 : b.last.sameBits(b.high) ? 3 : 0;
    std::array<const Point *, 4> own{&b.first};
    std::size_t owned = 1;
    if (!lowIsFirst)
        own[owned++] = &b.low;
    if (highIs == 0)
        own[owned++] = &b.high;
    if (lastIs == 0)
        own[owned++] = &b.last;

    // A whole offset only where it gives X back exactly: beyond 2^64 the
    // last bucket reaches X far from its start.
    const auto offsetOf = [start](const Point &p) { return p.x - start; };
    const auto wholeOffset = [&](const Point &p) {
        const double offset = offsetOf(p);
        return offset == std::floor(offset) && offset < 0x1p63 && start + offset == p.x;
    };
    quint8 kinds = 0;
    for (std::size_t i = 0; i < owned; ++i)
        kinds |= quint8((wholeOffset(*own[i]) ? 0 : 1) << (2 * i) | (float32::holds(own[i]->y) ? 0 : 2) << (2 * i));
    out.put(quint8(0x80 | (lowIsFirst ? 1 : 0) | highIs << 1 | lastIs << 3 | (kinds ? 0x20 : 0)));
    if (kinds)
        out.put(kinds);
    for (std::size_t i = 0; i < owned; ++i) {
        const Point &p = *own[i];
        if (kinds & (1 << (2 * i)))
            out.putDouble(p.x);
        else
            out.putWhole(uint64_t(offsetOf(p)));
        if (kinds & (2 << (2 * i)))
            out.putDouble(p.y);
        else
            out.putFloat(float(p.y));
    }
}

bool ErrorSeries::Bytes::read(QByteArrayView bytes, ErrorSeries &into)
{
    ByteReader in(bytes);
    for (char c : magicWord)
        if (in.get<quint8>() != quint8(c))
            return false;
    if (in.get<quint16>() != formatVersion)
        return false;
    const uint64_t count = in.get<quint64>();
    if (count > mostCount)
        return false;
    uint64_t own = 0;
    switch (in.get<quint8>()) {
    case 0: break;
    case 1: {
        const Point p{in.getDouble(), in.getDouble()};
        if (!std::isfinite(p.x) || !(p.x < firstShownX) || std::isnan(p.y))
            return false;
        into.before = p;
        own = 1;
        break;
    }
    default: return false;
    }

    const int levelsRead = in.get<quint8>();
    if (levelsRead > levelCount)
        return false;
    int previous = -1;
    for (int n = 0; n < levelsRead; ++n) {
        const int level = in.get<quint8>();
        const std::size_t first = in.get<quint16>(), span = in.get<quint16>();
        // Rising levels: none is allocated twice, and no more than all of them.
        const std::size_t size = level == 0 ? 2 * perLevel : perLevel;
        if (in.failed() || level <= previous || level >= levelCount || span == 0 || first + span > size)
            return false;
        previous = level;
        std::vector<Bucket> &buckets = into.levels[std::size_t(level)];
        buckets = std::vector<Bucket>(size);
        for (std::size_t i = first; i < first + span; ++i)
            if (!readBucket(in, level, i, buckets[i], own))
                return false;
        // The stretch runs from a used bucket to a used bucket, so a level
        // is allocated exactly when add() would have allocated it.
        if (buckets[first].empty() || buckets[first + span - 1].empty())
            return false;
    }
    if (in.failed() || !in.atEnd() || own > count)
        return false;
    into.total = int64_t(count);
    return true;
}

bool ErrorSeries::Bytes::readBucket(ByteReader &in, int level, std::size_t index, Bucket &b, uint64_t &own)
{
    const quint8 shape = in.get<quint8>();
    if (shape == 0)
        return !in.failed();
    const bool lowIsFirst = shape & 1;
    const int highIs = (shape >> 1) & 3, lastIs = (shape >> 3) & 3;
    if (!(shape & 0x80) || (shape & 0x40) || highIs == 3)
        return false;
    const quint8 kinds = (shape & 0x20) ? in.get<quint8>() : 0;
    const int ownPoints = 1 + !lowIsFirst + (highIs == 0) + (lastIs == 0);
    if ((shape & 0x20) && (kinds == 0 || kinds >> (2 * ownPoints) != 0))
        return false;

    const double start = startOf(level, index);
    int next = 0;
    const auto readPoint = [&] {
        const bool wideX = kinds & (1 << (2 * next)), wideY = kinds & (2 << (2 * next));
        ++next;
        Point p;
        if (wideX) {
            p.x = in.getDouble();
        } else {
            const std::optional<uint64_t> offset = in.getWhole();
            p.x = offset ? start + double(*offset) : NAN;
        }
        p.y = wideY ? in.getDouble() : double(in.getFloat());
        return p;
    };
    b.first = readPoint();
    b.low = lowIsFirst ? b.first : readPoint();
    b.high = highIs == 1 ? b.first : highIs == 2 ? b.low : readPoint();
    b.last = lastIs == 1 ? b.first : lastIs == 2 ? b.low : lastIs == 3 ? b.high : readPoint();
    own += uint64_t(ownPoints);
    if (in.failed())
        return false;
    for (const Point *p : {&b.first, &b.low, &b.high, &b.last})
        if (!isInside(*p, level, index))
            return false;
    // The order add() keeps: the first and the last bound every X, the
    // lowest and the highest every Y.
    const bool xInOrder = b.first.x <= std::min(b.low.x, b.high.x) && std::max(b.low.x, b.high.x) <= b.last.x;
    const bool yInOrder = b.low.y <= std::min(b.first.y, b.last.y) && std::max(b.first.y, b.last.y) <= b.high.y;
    return xInOrder && yInOrder;
}

bool ErrorSeries::Bytes::isInside(const Point &p, int level, std::size_t index)
{
    if (!std::isfinite(p.x) || !(p.x >= firstShownX) || std::isnan(p.y))
        return false;
    const Slot slot = slotOf(p.x);
    return slot.level == level && slot.index == index;
}
