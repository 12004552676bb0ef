#include "chart/band_clip.h"

#include <algorithm>
#include <cmath>

namespace {

void append(QList<QPointF> &line, QPointF point)
{
    if (line.isEmpty() || line.constLast() != point)
        line.append(point);
}

// Where the segment a-b crosses the height `edge`. Towards an infinite end the
// line stays out of sight and drops steeply at the finite end, which is where
// it crosses.
QPointF crossingAt(QPointF a, QPointF b, double edge)
{
    if (std::isinf(a.y()) && std::isinf(b.y()))
        return {(a.x() + b.x()) / 2, edge};
    if (std::isinf(a.y()))
        return {b.x(), edge};
    if (std::isinf(b.y()))
        return {a.x(), edge};
    const double t = std::clamp((edge - a.y()) / (b.y() - a.y()), 0.0, 1.0);
    return {a.x() + t * (b.x() - a.x()), edge};
}

// Clamps every height into the band, adding the points where the line
// leaves and re-enters it so the visible slopes stay unchanged.
QList<QPointF> clampHeights(const QList<QPointF> &line, double low, double high)
{
    QList<QPointF> out;
    out.reserve(line.size() + 8);
    const auto clamped = [&](QPointF p) { return QPointF(p.x(), std::clamp(p.y(), low, high)); };
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QPointF b = line[i];
        if (i > 0) {
            const QPointF a = line[i - 1];
            // Leaving or crossing through the band adds its crossing points in X order.
            const double firstEdge = a.y() > high || (a.y() >= low && b.y() < low) ? high : low;
            for (double edge : {firstEdge, firstEdge == high ? low : high}) {
                const bool crosses = (a.y() < edge && b.y() > edge) || (a.y() > edge && b.y() < edge);
                if (crosses)
                    append(out, crossingAt(a, b, edge));
            }
        }
        append(out, clamped(b));
    }
    return out;
}

QPointF atX(QPointF a, QPointF b, double x)
{
    const double t = (x - a.x()) / (b.x() - a.x());
    return {x, a.y() + t * (b.y() - a.y())};
}

// Cuts the line at the band's left and right edges. Only the ends can lie
// outside: the points run in X order.
QList<QPointF> cutSides(const QList<QPointF> &line, double from, double to)
{
    QList<QPointF> out;
    out.reserve(line.size() + 2);
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QPointF p = line[i];
        if (p.x() < from) {
            if (i + 1 < line.size() && line[i + 1].x() >= from)
                append(out, atX(p, line[i + 1], from));
            continue;
        }
        if (p.x() > to) {
            if (i > 0 && line[i - 1].x() <= to)
                append(out, atX(line[i - 1], p, to));
            break;
        }
        append(out, p);
    }
    return out;
}

} // namespace

QList<QPointF> clipToBand(const QList<QPointF> &line, const Band &band)
{
    // Heights first: afterwards every height is finite, so cutting the
    // sides can interpolate safely.
    return cutSides(clampHeights(line, band.yFrom, band.yTo), band.xFrom, band.xTo);
}
