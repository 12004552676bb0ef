#include "worked_step/worked_step_view.h"

#include "ui_common/texts.h"
#include "ui_worked_step_view.h"
#include "worked_step/step_description.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLayout>
#include <QMenu>
#include <algorithm>

WorkedStepView::WorkedStepView(QWidget *parent) : SideView(parent), ui(std::make_unique<Ui::WorkedStepView>())
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
    keepWhole(ui->stepLab);
}

ViewNeed WorkedStepView::need() const
{
    const QMargins margins = layout()->contentsMargins();
    const QFontMetrics metrics = ui->stepLab->fontMetrics();
    // Room for longer texts to come than the one shown now.
    const int longest = std::max(560, metrics.boundingRect(QRect(), Qt::AlignLeft, ui->stepLab->text()).width());
    return {240, longest + margins.left() + margins.right(), [this, margins](int width) {
                return margins.top() + wrappedHeight(ui->stepLab, width - margins.left() - margins.right()) +
                    margins.bottom();
            }};
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
