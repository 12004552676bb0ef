#pragma once
// A view beside the workbench that shows what the neuron decides over the
// input plane, and why AND, OR and NAND are learned while XOR never is. Fed
// with plain numbers by its owner; knows no workbench.

#include "decision/decision_rule.h"
#include "ui_common/language.h"
#include "ui_common/picture_menu.h"
#include "ui_common/side_view.h"

#include <QPixmap>
#include <deque>
#include <memory>
#include <optional>

namespace Ui {
class DecisionView;
}

class DecisionView : public SideView {
    Q_OBJECT
public:
    // How many lessons the trail remembers.
    static constexpr std::size_t trailLength = 10;

    explicit DecisionView(QWidget *parent = nullptr);
    ~DecisionView() override;

    // Shows this neuron over these patterns (none before a gate is chosen).
    // Cheap when nothing changed.
    void showNeuron(const DecisionNeuron &neuron, const std::optional<Patterns> &patterns);
    // The line as it stands now joins the trail; another gate starts a new one.
    void noteLesson();
    const std::deque<DecisionNeuron> &trail() const { return lines; }
    void setTrail(std::deque<DecisionNeuron> trail);

    void setLanguage(Language language);
    // The right-click menu saves or copies the plane with its line of text,
    // as the teacher sees them.
    void setMenuTexts(const PictureMenuTexts &texts) { pictures.setTexts(texts); }
    // Actions of the owner, listed after the view's own.
    void setExtraMenuActions(QList<QAction *> actions) { pictures.setExtraActions(std::move(actions)); }
    std::unique_ptr<QMenu> buildContextMenu() { return pictures.build(); }
    QPixmap picture() { return pictures.picture(); }
    // Raises AppError, with the system's reason, when the file cannot be
    // written; a file already there stays as it was.
    void saveImage(const QString &path) { pictures.save(path); }

    QString description() const;
    // The plane may shrink to fit; its line of text wraps.
    ViewNeed need() const override;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void refresh();

    std::unique_ptr<Ui::DecisionView> ui;
    DecisionNeuron neuron;
    std::optional<Patterns> patterns;
    std::deque<DecisionNeuron> lines;
    Language language = Language::German;
    PictureMenu pictures{*this, QStringLiteral("tivaro-decision.png")};
};
