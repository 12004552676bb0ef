#include "worked_step/worked_step_view.h"

#include "ui_common/texts.h"
#include "ui_worked_step_view.h"
#include "worked_step/step_description.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <algorithm>

WorkedStepView::WorkedStepView(QWidget *owner) : ToolView(owner), ui(std::make_unique<Ui::WorkedStepView>())
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
    if (QAction *toggle = toggleAction())
        menu->addAction(toggle);
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

void WorkedStepView::makeRoomForText()
{
    // Room for the longer texts to come, which widen the window.
    resize(size().expandedTo(sizeHint()).expandedTo(QSize(560, 150)));
}
