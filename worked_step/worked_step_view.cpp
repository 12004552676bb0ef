#include "worked_step/worked_step_view.h"

#include "ui_common/texts.h"
#include "ui_worked_step_view.h"
#include "worked_step/step_description.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScreen>
#include <algorithm>

namespace {
// Room between the windows' frames.
constexpr int gap = 8;
} // namespace

WorkedStepView::WorkedStepView(QWidget *owner) : QWidget(owner, Qt::Tool), ui(std::make_unique<Ui::WorkedStepView>())
{
    ui->setupUi(this);
    setLanguage(Language::German);
}

WorkedStepView::~WorkedStepView() = default;

void WorkedStepView::showStep(const std::optional<WorkedStep> &shown)
{
    if (shown == step)
        return;
    step = shown;
    refresh();
}

void WorkedStepView::setLanguage(Language chosen)
{
    language = chosen;
    setWindowTitle(text(Text::WorkedStepTitle, language));
    ui->stepLab->setAccessibleName(windowTitle());
    refresh();
}

void WorkedStepView::setToggleAction(QAction *action)
{
    toggleAction = action;
}

QString WorkedStepView::description() const
{
    return ui->stepLab->text();
}

void WorkedStepView::refresh()
{
    const QString text = describeStep(step, language);
    if (text == ui->stepLab->text())
        return;
    ui->stepLab->setText(text);
    ui->stepLab->setAccessibleDescription(text);
    setAccessibleDescription(text);
    // The layout grows the window to a longer text by itself; resizing it
    // here at every step would cost a lesson's view more than the lesson.
}

std::unique_ptr<QMenu> WorkedStepView::buildContextMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    menu->addAction(text(Text::CopyText, language), this, [this] { copyText(); });
    if (toggleAction)
        menu->addAction(toggleAction);
    return menu;
}

void WorkedStepView::copyText()
{
    QApplication::clipboard()->setText(description());
}

void WorkedStepView::contextMenuEvent(QContextMenuEvent *event)
{
    buildContextMenu()->exec(event->globalPos());
}

QPoint WorkedStepView::besidePosition(const QRect &owner, const QSize &size, const QRect &screen)
{
    const int top = std::clamp(owner.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    if (owner.right() + gap + size.width() <= screen.right())
        return {owner.right() + 1 + gap, top};
    if (owner.left() - gap - size.width() >= screen.left())
        return {owner.left() - gap - size.width(), top};
    if (owner.bottom() + gap + size.height() <= screen.bottom())
        return {std::max(screen.left(), owner.left()), owner.bottom() + 1 + gap};
    return {std::max(screen.left(), screen.right() + 1 - size.width()), top};
}

void WorkedStepView::placeBeside(const QWidget &owner)
{
    const QScreen *screen = owner.screen();
    if (!screen)
        return;
    const QRect ownerFrame = owner.frameGeometry();
    const QRect ownerInside = owner.geometry();
    // Before its first showing the view's frame is unknown, and a move
    // places its inside: it gets a frame like the owner's.
    const QPoint decoration = ownerInside.topLeft() - ownerFrame.topLeft();
    const QSize frameExtra = ownerFrame.size() - ownerInside.size();
    const bool frameKnown = frameGeometry() != geometry();
    // Room for the longer texts to come, which widen the window.
    const QSize inside = size().expandedTo(sizeHint()).expandedTo(QSize(560, 150));
    const QSize frame = frameKnown ? frameGeometry().size().expandedTo(inside + frameExtra) : inside + frameExtra;
    const QPoint place = besidePosition(ownerFrame, frame, screen->availableGeometry());
    move(frameKnown ? place : place + decoration);
}

void WorkedStepView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    emit visibilityChanged(true);
}

void WorkedStepView::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    emit visibilityChanged(false);
}
