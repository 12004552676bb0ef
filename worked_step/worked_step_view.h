#pragma once
// A window of its own beside the workbench that shows the arithmetic of the
// neuron's last step in exact numbers. Fed with plain numbers by its owner;
// knows no workbench.

#include "lesson/worked_step.h"
#include "ui_common/language.h"
#include "ui_common/tool_view.h"

#include <memory>
#include <optional>

namespace Ui {
class WorkedStepView;
}
class QAction;
class QMenu;

class WorkedStepView : public ToolView {
    Q_OBJECT
public:
    // A tool window of `owner`: no task-bar button, never modal.
    explicit WorkedStepView(QWidget *owner);
    ~WorkedStepView() override;

    // Cheap when nothing changed.
    void showStep(const std::optional<WorkedStep> &step);
    void setLanguage(Language language);
    // The owner's entry that opens and closes the view, offered in its menu.
    QString description() const;

    std::unique_ptr<QMenu> buildContextMenu();
    void copyText();

    // Grows to the size its longest text will need, before it is placed.
    void makeRoomForText();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void refresh();

    std::unique_ptr<Ui::WorkedStepView> ui;
    std::optional<WorkedStep> step;
    Language language = Language::German;
};
