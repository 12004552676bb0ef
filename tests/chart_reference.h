#pragma once
// The error chart's point list kept the slow way, and what a line through it
// puts into each column: the reference the drawn line must match.

#include "chart/error_series.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <vector>

namespace chart_reference {

inline bool byX(QPointF a, QPointF b)
{
    return a.x() < b.x();
}

// Every point, each after all points whose X is not greater.
class PointList {
public:
    // A lesson: points in increasing X, placed as if added one by one.
    void addRun(const std::vector<QPointF> &run)
    {
        std::vector<QPointF> merged;
        merged.reserve(points.size() + run.size());
        std::merge(points.begin(), points.end(), run.begin(), run.end(), std::back_inserter(merged), byX);
        points.swap(merged);
    }
    void clear() { points.clear(); }
    const std::vector<QPointF> &all() const { return points; }

private:
    std::vector<QPointF> points;
};

struct Column {
    QPointF first, low, high, last;
    bool operator==(const Column &) const = default;
};

struct Drawing {
    std::map<int, Column> columns;
    std::optional<QPointF> before, after;
};

// The column a point of the range is counted in: that of its bucket's start.
inline int columnOf(double x, const ErrorSeries::Columns &columns)
{
    return columns.of(ErrorSeries::bucketStart(x));
}

// What a line through `points` (in list order) puts into each column.
template <class Points>
Drawing summarise(const Points &points, double to, const ErrorSeries::Columns &columns)
{
    Drawing d;
    for (const QPointF &p : points) {
        if (p.x() < ErrorSeries::firstShownX) {
            d.before = p;
            continue;
        }
        if (p.x() > to) {
            if (!d.after)
                d.after = p;
            continue;
        }
        auto [it, fresh] = d.columns.try_emplace(columnOf(p.x(), columns), Column{p, p, p, p});
        Column &c = it->second;
        c.last = p;
        if (p.y() < c.low.y())
            c.low = p;
        if (p.y() > c.high.y())
            c.high = p;
    }
    return d;
}

inline QString text(QPointF p)
{
    return QStringLiteral("(%1, %2)").arg(p.x(), 0, 'g', 17).arg(p.y(), 0, 'g', 9);
}

inline bool inList(const std::vector<QPointF> &list, QPointF p)
{
    auto it = std::lower_bound(list.begin(), list.end(), p, byX);
    for (; it != list.end() && it->x() == p.x(); ++it)
        if (it->y() == p.y())
            return true;
    return false;
}

// Compares the drawn line over 1 .. to with the list's. Returns what differs,
// or nothing. Exact, except in the one bucket cut by `to` when it holds
// points on both sides: there the drawn points must be points of the list
// inside the range, within the list's lowest and highest, and the point
// beyond one of that bucket.
inline QString compare(const QList<QPointF> &drawn, const std::vector<QPointF> &list, double to,
                       const ErrorSeries::Columns &columns)
{
    const double width = ErrorSeries::bucketWidth(to);
    if (width > 1 && !(width < columns.width / 4))
        return QStringLiteral("bucket %1 wide for columns %2 wide").arg(width).arg(columns.width);
    const Drawing got = summarise(drawn, to, columns), want = summarise(list, to, columns);
    if (got.before != want.before)
        return QStringLiteral("the point before differs");

    const double cutStart = ErrorSeries::bucketStart(to), cutEnd = cutStart + width;
    const auto firstAfter = std::upper_bound(list.begin(), list.end(), QPointF(to, 0), byX);
    const bool cut = firstAfter != list.end() && firstAfter->x() < cutEnd && firstAfter != list.begin() &&
        std::prev(firstAfter)->x() >= cutStart;
    const int cutColumn = cut ? columnOf(cutStart, columns) : -1;

    if (got.columns.size() != want.columns.size())
        return QStringLiteral("%1 columns drawn, %2 in the list").arg(got.columns.size()).arg(want.columns.size());
    for (const auto &[index, w] : want.columns) {
        const auto g = got.columns.find(index);
        if (g == got.columns.end())
            return QStringLiteral("column %1 missing").arg(index);
        if (index != cutColumn) {
            if (!(g->second == w))
                return QStringLiteral("column %1: first %2 low %3 high %4 last %5, the list's %6 %7 %8 %9")
                    .arg(index)
                    .arg(text(g->second.first), text(g->second.low), text(g->second.high), text(g->second.last),
                         text(w.first), text(w.low), text(w.high), text(w.last));
            continue;
        }
        const Column &c = g->second;
        if (c.first != w.first || c.low.y() < w.low.y() || c.high.y() > w.high.y())
            return QStringLiteral("cut column %1 reaches beyond the list's").arg(index);
        for (QPointF p : {c.low, c.high, c.last})
            if (p.x() > to || !inList(list, p))
                return QStringLiteral("cut column %1 draws %2, no point of the range").arg(index).arg(text(p));
    }
    if (!cut)
        return got.after == want.after ? QString() : QStringLiteral("the point after differs");
    if (!got.after || got.after->x() <= to || got.after->x() >= cutEnd || !inList(list, *got.after))
        return QStringLiteral("the point after is not one of the cut bucket");
    return {};
}

} // namespace chart_reference
