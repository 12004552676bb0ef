// What a teacher can do with the chart beyond looking: save or copy it, and
// read off a single iteration by hovering over the line.

#include "chart/error_chart.h"

#include "runtime/number_text.h"

#include <QContextMenuEvent>
#include <QLineSeries>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QToolTip>
#include <cmath>

void ErrorChart::setTexts(const ChartTexts &chosen)
{
    texts = chosen;
}

std::unique_ptr<QMenu> ErrorChart::buildContextMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    addPictureActions(
        *menu, this, texts, QStringLiteral("tivaro.png"), [this](const QString &path) { saveImage(path); },
        [this] { copyImage(); });
    if (!extraActions.isEmpty()) {
        menu->addSeparator();
        menu->addActions(extraActions);
    }
    return menu;
}

void ErrorChart::contextMenuEvent(QContextMenuEvent *event)
{
    buildContextMenu()->exec(event->globalPos());
}

QPixmap ErrorChart::picture()
{
    // grab() renders at the screen's pixel ratio, so the picture is as sharp
    // as what the teacher sees.
    return grab();
}

void ErrorChart::saveImage(const QString &path)
{
    savePicture(picture(), path, texts);
}

void ErrorChart::copyImage()
{
    copyPicture(picture());
}

QString ErrorChart::tipAt(QPointF position) const
{
    const QPointF inChart = chart()->mapFromScene(mapToScene(position.toPoint()));
    const QRectF plot = chart()->plotArea();
    if (!plot.contains(inChart) || drawnPoints.isEmpty())
        return {};
    // Distances in pixels; only points inside the shown ranges can be under the mouse.
    const double xFrom = bottom.shownMinimum(), xTo = bottom.shownMaximum();
    const double yFrom = left.shownMinimum(), yTo = left.shownMaximum();
    const double xPixels = plot.width() / (xTo - xFrom), yPixels = plot.height() / (yTo - yFrom);
    const QPointF mouse(xFrom + (inChart.x() - plot.left()) / xPixels, yTo - (inChart.y() - plot.top()) / yPixels);
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
    return QStringLiteral("%1: %2\n%3: %4")
        .arg(bottom.title(), QString::number(nearest->x(), 'f', 0), left.title(),
             numtext::formatFixed(static_cast<float>(nearest->y())));
}

void ErrorChart::mouseMoveEvent(QMouseEvent *event)
{
    QChartView::mouseMoveEvent(event);
    const QString tip = tipAt(event->position());
    if (tip.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    // A one-pixel area: the tip is placed anew at every move.
    QToolTip::showText(event->globalPosition().toPoint(), tip, viewport(),
                       QRect(event->position().toPoint(), QSize(1, 1)));
}

bool ErrorChart::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave)
        QToolTip::hideText();
    return QChartView::viewportEvent(event);
}
