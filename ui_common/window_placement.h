#pragma once
// Where a second window opens: beside its owner where the screen has room,
// and never over the part of the owner the user must keep seeing.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The top-left corner for a window of `size` (frame included) next to
// `owner` (its frame), inside `screen` (the screen's available area). Among
// the places right of, left of, below and above the owner, and the screen's
// corners, it takes the first that covers least of `keepClear`, then least
// of the owner.
QPoint placeBeside(const QRect &owner, const QRect &keepClear, const QSize &size, const QRect &screen);

// Moves `window` beside `owner`, keeping `keepClear` (owner coordinates) in
// view. Before its first showing the window's frame is taken as the owner's.
void moveBeside(QWidget *window, QWidget *owner, const QRect &keepClear);
