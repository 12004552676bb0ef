#include "ui_common/side_view.h"

#include <QAction>
#include <QLabel>

void SideView::setToggle(QAction *action)
{
    if (toggle)
        removeAction(toggle);
    toggle = action;
    addAction(action);
}

void SideView::keepWhole(QLabel *label)
{
    if (!wholeLabels.contains(label)) {
        wholeLabels.append(label);
        label->setMinimumWidth(1); // any width: the lines wrap
    }
    // Until the view is laid out, and while a layout passes through widths
    // narrower than the view can be, the label's width is none it will
    // keep.
    const int least = need().leastWidth - (width() - label->width());
    const int needed = isVisible() ? wrappedHeight(label, std::max(label->width(), least)) : 1;
    if (needed != label->minimumHeight())
        label->setMinimumHeight(needed);
}

int SideView::wrappedHeight(const QLabel *label, int width)
{
    // Not the label's own height for width, which is never below the least
    // height stated here before.
    const QMargins margins = label->contentsMargins();
    const int around = 2 * label->margin();
    const int inner = std::max(1, width - margins.left() - margins.right() - around);
    const QRect text = label->fontMetrics().boundingRect(QRect(0, 0, inner, 0),
                                                         Qt::TextWordWrap | int(label->alignment()), label->text());
    return text.height() + margins.top() + margins.bottom() + around;
}

void SideView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    for (QLabel *label : std::as_const(wholeLabels))
        keepWhole(label);
}
