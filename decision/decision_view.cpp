#include "decision/decision_view.h"

#include "decision/decision_texts.h"
#include "ui_common/texts.h"
#include "ui_decision_view.h"

#include <QContextMenuEvent>
#include <QLayout>

DecisionView::DecisionView(QWidget *parent) : SideView(parent), ui(std::make_unique<Ui::DecisionView>())
{
    ui->setupUi(this);
    setLanguage(Language::German);
}

DecisionView::~DecisionView() = default;

void DecisionView::showNeuron(const DecisionNeuron &shown, const std::optional<Patterns> &gate)
{
    if (shown == neuron && gate == patterns)
        return;
    // Another training set is another story: its trail starts afresh.
    if (gate != patterns)
        lines.clear();
    neuron = shown;
    patterns = gate;
    refresh();
}

void DecisionView::noteLesson()
{
    lines.push_back(neuron);
    if (lines.size() > trailLength)
        lines.pop_front();
    refresh();
}

void DecisionView::setTrail(std::deque<DecisionNeuron> trail)
{
    while (trail.size() > trailLength)
        trail.pop_front();
    lines = std::move(trail);
    refresh();
}

void DecisionView::setLanguage(Language chosen)
{
    language = chosen;
    setWindowTitle(text(Text::DecisionTitle, language));
    ui->plot->setAccessibleName(windowTitle());
    refresh();
}

QString DecisionView::description() const
{
    return ui->descriptionLab->text();
}

ViewNeed DecisionView::need() const
{
    const QMargins margins = layout()->contentsMargins();
    const int spacing = layout()->spacing();
    const QSize plot = ui->plot->sizeHint();
    const int around = margins.top() + spacing + margins.bottom();
    const auto heightAt = [this, margins, around](int width) {
        return around + ui->plot->minimumSizeHint().height() +
            wrappedHeight(ui->descriptionLab, width - margins.left() - margins.right());
    };
    return {200, plot.width() + margins.left() + margins.right(), heightAt,
            heightAt(plot.width()) + plot.height() - ui->plot->minimumSizeHint().height()};
}

void DecisionView::refresh()
{
    const QString text = describeDecision(neuron, patterns, language);
    ui->descriptionLab->setText(text);
    keepWhole(ui->descriptionLab);
    ui->plot->setAccessibleDescription(text);
    // Drawn with the previous lines only: the present one is drawn bold.
    std::deque<DecisionNeuron> earlier = lines;
    if (!earlier.empty() && earlier.back() == neuron)
        earlier.pop_back();
    ui->plot->showNeuron(neuron, patterns, earlier);
}

void DecisionView::contextMenuEvent(QContextMenuEvent *event)
{
    pictures.popUp(event->globalPos());
}
