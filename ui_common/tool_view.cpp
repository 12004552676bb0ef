#include "ui_common/tool_view.h"

#include <QAction>

void ToolView::bindToggle(QAction *action)
{
    toggle = action;
    addAction(action);
    connect(this, &ToolView::visibilityChanged, action, &QAction::setChecked);
}

void ToolView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    emit visibilityChanged(true);
}

void ToolView::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    emit visibilityChanged(false);
}
