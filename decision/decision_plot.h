#pragma once
// The input plane: shading by the neuron's output, the trail of earlier
// lines, the present line and the four patterns ringed by their decision.

#include "decision/decision_rule.h"

#include <QPixmap>
#include <QWidget>
#include <deque>
#include <optional>

class DecisionPlot : public QWidget {
    Q_OBJECT
public:
    explicit DecisionPlot(QWidget *parent = nullptr);

    // Repaints only when something shown changed.
    void showNeuron(const DecisionNeuron &neuron, const std::optional<Patterns> &patterns,
                    const std::deque<DecisionNeuron> &trail);

    QSize sizeHint() const override { return {360, 360}; }
    // Small enough to fit beside or below the window on a small screen.
    QSize minimumSizeHint() const override { return {150, 150}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QRect planeRect() const;
    QPointF toPixel(const QRect &plane, PlanePoint point) const;
    QBrush shading(const QRect &plane) const;
    const QPixmap &frame(const QRect &plane);
    const QPixmap &trailLayer(const QRect &plane);

    DecisionNeuron neuron;
    std::optional<Patterns> patterns;
    std::deque<DecisionNeuron> trail;

    QPixmap labels;
    QChar labelsSeparator;
    QPixmap trailDrawn;
    std::deque<DecisionNeuron> trailDrawnFor;
};
