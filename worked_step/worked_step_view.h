#pragma once
// A view beside the workbench that shows the arithmetic of the neuron's last
// step in exact numbers. Fed with plain numbers by its owner; knows no
// workbench.

#include "lesson/worked_step.h"
#include "ui_common/language.h"
#include "ui_common/side_view.h"

#include <memory>
#include <optional>

namespace Ui {
class WorkedStepView;
}
class QAction;
class QMenu;

class WorkedStepView : public SideView {
    Q_OBJECT
public:
    explicit WorkedStepView(QWidget *parent = nullptr);
    ~WorkedStepView() override;

    // Cheap when nothing changed.
    void showStep(const std::optional<WorkedStep> &step);
    void setLanguage(Language language);
    // The owner's entry that opens and closes the view, offered in its menu.
    QString description() const;

    std::unique_ptr<QMenu> buildContextMenu();
    void copyText();

    // Prefers room for its longest line, and wraps the lines where it is
    // narrower.
    ViewNeed need() const override;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void refresh();

    std::unique_ptr<Ui::WorkedStepView> ui;
    std::optional<WorkedStep> step;
    Language language = Language::German;
};
