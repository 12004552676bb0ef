#include "ui_common/window_placement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cstdint>
#include <tuple>

namespace {

int64_t overlap(const QRect &a, const QRect &b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : int64_t(common.width()) * common.height();
}

// Moved inside the screen; a window larger than the screen keeps its top-left.
QPoint clamped(QPoint place, const QSize &size, const QRect &screen)
{
    place.setX(std::max(screen.left(), std::min(place.x(), screen.right() + 1 - size.width())));
    place.setY(std::max(screen.top(), std::min(place.y(), screen.bottom() + 1 - size.height())));
    return place;
}

} // namespace

QPoint placeBeside(const QRect &owner, const QRect &keepClear, const QSize &size, const QRect &screen)
{
    const std::array<QPoint, 8> places = {
        QPoint(owner.right() + 1, owner.top()),
        QPoint(owner.left() - size.width(), owner.top()),
        QPoint(owner.left(), owner.bottom() + 1),
        QPoint(owner.left(), owner.top() - size.height()),
        screen.topRight() - QPoint(size.width() - 1, 0),
        screen.topLeft(),
        screen.bottomRight() - QPoint(size.width() - 1, size.height() - 1),
        screen.bottomLeft() - QPoint(0, size.height() - 1),
    };
    QPoint best;
    std::tuple<int64_t, int64_t> bestCost{INT64_MAX, INT64_MAX};
    for (const QPoint &place : places) {
        const QRect frame(clamped(place, size, screen), size);
        const std::tuple<int64_t, int64_t> cost{overlap(frame, keepClear), overlap(frame, owner)};
        if (cost < bestCost) {
            bestCost = cost;
            best = frame.topLeft();
        }
    }
    return best;
}

void moveBeside(QWidget *window, QWidget *owner, const QRect &keepClear)
{
    const QScreen *screen = owner->screen();
    if (!screen)
        return;
    QSize size = window->frameGeometry().size();
    if (!window->testAttribute(Qt::WA_WState_Created) || size == window->size())
        size = window->size() + (owner->frameGeometry().size() - owner->size());
    const QRect clear(owner->mapToGlobal(keepClear.topLeft()), keepClear.size());
    window->move(placeBeside(owner->frameGeometry(), clear, size, screen->availableGeometry()));
}
