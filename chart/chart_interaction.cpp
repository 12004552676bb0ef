// What a teacher can do with the chart beyond looking: save or copy it, and
// read off a single iteration by hovering over the line.

#include "chart/error_chart.h"

#include "chart/axis_labels.h"
#include "runtime/number_text.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLineSeries>
#include <QMouseEvent>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

void ErrorChart::contextMenuEvent(QContextMenuEvent *event)
{
    pictures.popUp(event->globalPos());
}

namespace {

// The mouse stands on a whole pixel. A pixel the plot's edge cuts through
// still shows part of the plot, so it counts as inside, at the edge.
std::optional<QPointF> pixelInPlot(QPointF mouse, const QRectF &plot)
{
    const QRectF pixel(std::floor(mouse.x()), std::floor(mouse.y()), 1, 1);
    if (!pixel.intersects(plot))
        return std::nullopt;
    return QPointF(std::clamp(mouse.x(), plot.left(), plot.right()), std::clamp(mouse.y(), plot.top(), plot.bottom()));
}

// Long enough to count as for good: the tip leaves with the mouse, not with a timer.
constexpr int tipShownFor = std::numeric_limits<int>::max();

} // namespace

QString ErrorChart::tipAt(QPointF position) const
{
    const QRectF plot = chart()->plotArea();
    const std::optional<QPointF> inPlot = pixelInPlot(chart()->mapFromScene(mapToScene(position.toPoint())), plot);
    if (!inPlot || drawnPoints.isEmpty())
        return {};
    // Distances in pixels; only points inside the shown ranges can be under the mouse.
    const double xFrom = bottom.shownMinimum(), xTo = bottom.shownMaximum();
    const double yFrom = left.shownMinimum(), yTo = left.shownMaximum();
    const double xPixels = plot.width() / (xTo - xFrom), yPixels = plot.height() / (yTo - yFrom);
    const QPointF mouse(xFrom + (inPlot->x() - plot.left()) / xPixels, yTo - (inPlot->y() - plot.top()) / yPixels);
    const QPointF *nearest = nullptr;
    double nearestDistance = INFINITY;
    for (const QPointF &p : drawnPoints) {
        if (p.x() < xFrom || p.x() > xTo || p.y() < yFrom || p.y() > yTo)
            continue;
        const double distance = std::hypot((p.x() - mouse.x()) * xPixels, (p.y() - mouse.y()) * yPixels);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = &p;
        }
    }
    if (!nearest)
        return {};
    // The iteration grouped as the axis writes it, so the two read alike.
    return QStringLiteral("%1: %2\n%3: %4")
        .arg(bottom.title(), axis_labels::text(nearest->x(), 0), left.title(),
             numtext::formatFixed(static_cast<float>(nearest->y())));
}

void ErrorChart::showTipAt(QPoint position, QPoint globalPosition)
{
    const QString tip = tipAt(position);
    if (tip.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    // A one-pixel area: the tip is placed anew at every move.
    QToolTip::showText(globalPosition, tip, viewport(), QRect(position, QSize(1, 1)), tipShownFor);
}

void ErrorChart::mouseMoveEvent(QMouseEvent *event)
{
    QChartView::mouseMoveEvent(event);
    showTipAt(event->position().toPoint(), event->globalPosition().toPoint());
}

bool ErrorChart::viewportEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ToolTip: {
        // The scene would look for an item with a tip of its own, find none
        // and hide ours a moment after the mouse came to rest.
        const auto *help = static_cast<QHelpEvent *>(event);
        showTipAt(help->pos(), help->globalPos());
        return true;
    }
    case QEvent::Leave: QToolTip::hideText(); break;
    default: break;
    }
    return QChartView::viewportEvent(event);
}
