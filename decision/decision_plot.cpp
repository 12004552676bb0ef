#include "decision/decision_plot.h"

#include "runtime/number_text.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <limits>

namespace {

constexpr PlaneBox box;
constexpr int margin = 8;
const QColor decidesZero(214, 228, 250);
const QColor decidesOne(250, 196, 128);
const QColor lineColour(20, 40, 140);
const QColor rightColour(0, 150, 0);
const QColor wrongColour(215, 0, 0);

QColor blend(double t)
{
    const auto mix = [t](int a, int b) { return int(a + (b - a) * t + 0.5); };
    return QColor(mix(decidesZero.red(), decidesOne.red()), mix(decidesZero.green(), decidesOne.green()),
                  mix(decidesZero.blue(), decidesOne.blue()));
}

QString tickText(double value)
{
    QString text = QString::number(std::abs(value), 'f', 1).replace(u'.', numtext::decimalSeparator());
    return value < 0 ? QChar(0x2212) + text : text;
}

} // namespace

DecisionPlot::DecisionPlot(QWidget *parent) : QWidget(parent)
{
}

void DecisionPlot::showNeuron(const DecisionNeuron &shown, const std::optional<Patterns> &gate,
                              const std::deque<DecisionNeuron> &lines)
{
    if (shown == neuron && gate == patterns && lines == trail)
        return;
    neuron = shown;
    patterns = gate;
    trail = lines;
    update();
}

QRect DecisionPlot::planeRect() const
{
    // Room at the left and bottom for the tick labels and the axis titles.
    const int text = fontMetrics().height();
    const int left = margin + 2 * text + fontMetrics().horizontalAdvance(tickText(-0.5));
    const int bottom = margin + 2 * text + 4;
    const int side = std::max(10, std::min(width() - left - margin, height() - bottom - margin));
    return {left, margin, side, side};
}

QPointF DecisionPlot::toPixel(const QRect &plane, PlanePoint point) const
{
    const double span = box.high - box.low;
    return {plane.left() + (point.x1 - box.low) / span * plane.width(),
            plane.bottom() + 1 - (point.x2 - box.low) / span * plane.height()};
}

// The output depends on the weighted sum alone, which changes evenly across
// the plane: a linear gradient along the weights draws it exactly, at any
// size, for the cost of one fill.
QBrush DecisionPlot::shading(const QRect &plane) const
{
    const double w1 = neuron.weight1, w2 = neuron.weight2;
    double low = std::numeric_limits<double>::infinity(), high = -low;
    for (double x1 : {box.low, box.high})
        for (double x2 : {box.low, box.high}) {
            low = std::min(low, planeSum(neuron, x1, x2));
            high = std::max(high, planeSum(neuron, x1, x2));
        }
    const double norm = w1 * w1 + w2 * w2;
    const double offset = planeSum(neuron, 0, 0);
    // The point along the weights' direction where the sum is `sum`.
    const auto pointOf = [&](double sum) {
        const double t = (sum - offset) / norm;
        return toPixel(plane, {t * w1, t * w2});
    };
    const QPointF from = pointOf(low), to = pointOf(high);
    const bool even = !(high > low) || !std::isfinite(high - low) || !std::isfinite(norm) || !(norm > 0) ||
        !(QLineF(from, to).length() > 1e-3);
    const double middle = planeSum(neuron, (box.low + box.high) / 2, (box.low + box.high) / 2);
    if (even)
        return blend(shadeOfSum(neuron, middle));
    QLinearGradient gradient(from, to);
    if (neuron.mode == OutputKind::Step) {
        // A hard edge on the line.
        const double edge = std::clamp((double(neuron.threshold) - low) / (high - low), 0.0, 1.0);
        gradient.setColorAt(0, blend(shadeOfSum(neuron, low)));
        gradient.setColorAt(edge, blend(shadeOfSum(neuron, low)));
        gradient.setColorAt(std::min(1.0, edge + 1e-6), blend(shadeOfSum(neuron, high)));
        gradient.setColorAt(1, blend(shadeOfSum(neuron, high)));
        return gradient;
    }
    constexpr int stops = 256;
    for (int i = 0; i <= stops; ++i)
        gradient.setColorAt(double(i) / stops, blend(shadeOfSum(neuron, low + (high - low) * i / stops)));
    return gradient;
}

// The labels around the plane change only with the size or the decimal
// separator; text is the slow part of a paint, so they are drawn once.
const QPixmap &DecisionPlot::frame(const QRect &plane)
{
    const QChar separator = numtext::decimalSeparator();
    if (labels.size() == size() * devicePixelRatio() && labelsSeparator == separator)
        return labels;
    labels = QPixmap(size() * devicePixelRatio());
    labels.setDevicePixelRatio(devicePixelRatio());
    labels.fill(palette().window().color());
    labelsSeparator = separator;
    QPainter painter(&labels);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    painter.setPen(palette().windowText().color());
    const QFontMetrics metrics = fontMetrics();
    // The inputs' own values 0 and 1 first; a label that would run into one
    // drawn already is left out, as on a plane made small to fit.
    QList<QRectF> drawn;
    const auto drawApart = [&](QPointF baseline, const QString &label) {
        const QRectF place(baseline.x() - 2, baseline.y() - metrics.ascent(), metrics.horizontalAdvance(label) + 4,
                           metrics.height());
        for (const QRectF &other : std::as_const(drawn))
            if (other.intersects(place))
                return;
        drawn.append(place);
        painter.drawText(baseline, label);
    };
    for (const double v : {0.0, 1.0, 0.5, 1.5, -0.5}) {
        if (v < box.low - 1e-9 || v > box.high + 1e-9)
            continue;
        const QString label = tickText(v);
        const double x = toPixel(plane, {v, box.low}).x();
        // Kept right of the corner, clear of the other axis's lowest label.
        const double labelLeft = std::clamp(x - metrics.horizontalAdvance(label) / 2.0, double(plane.left()),
                                            double(width() - 1 - metrics.horizontalAdvance(label)));
        drawApart(QPointF(labelLeft, plane.bottom() + 2 + metrics.ascent()), label);
        const double y = toPixel(plane, {box.low, v}).y();
        drawApart(QPointF(plane.left() - 4 - metrics.horizontalAdvance(label), y + metrics.ascent() / 2.0), label);
    }
    // Axis titles: the same words as the input labels of the main window.
    const QString across = QStringLiteral("input 1");
    painter.drawText(QPointF(plane.center().x() - metrics.horizontalAdvance(across) / 2.0,
                             plane.bottom() + 4 + metrics.height() + metrics.ascent()),
                     across);
    const QString up = QStringLiteral("input 2");
    painter.translate(margin + metrics.ascent(), plane.center().y() + metrics.horizontalAdvance(up) / 2.0);
    painter.rotate(-90);
    painter.drawText(QPointF(0, 0), up);
    return labels;
}

// The trail changes only when a lesson ends, while the shading beneath it
// changes at every repaint of a running lesson: it is drawn once, on a
// transparent layer.
const QPixmap &DecisionPlot::trailLayer(const QRect &plane)
{
    const QSize pixels = plane.size() * devicePixelRatio();
    if (trailDrawn.size() == pixels && trailDrawnFor == trail)
        return trailDrawn;
    trailDrawn = QPixmap(pixels);
    trailDrawn.setDevicePixelRatio(devicePixelRatio());
    trailDrawn.fill(Qt::transparent);
    trailDrawnFor = trail;
    QPainter painter(&trailDrawn);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect local(QPoint(0, 0), plane.size());
    // Older lines fainter.
    const int count = int(trail.size());
    for (int i = 0; i < count; ++i) {
        if (const auto segment = decisionLine(trail[std::size_t(i)], box)) {
            painter.setPen(QPen(QColor(60, 60, 60, 30 + 150 * (i + 1) / count), 1.5));
            painter.drawLine(toPixel(local, segment->from), toPixel(local, segment->to));
        }
    }
    return trailDrawn;
}

void DecisionPlot::changeEvent(QEvent *event)
{
    // Another font or palette: the labels are drawn again.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        labels = QPixmap();
    QWidget::changeEvent(event);
}

void DecisionPlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect plane = planeRect();
    painter.drawPixmap(0, 0, frame(plane));
    painter.fillRect(plane, shading(plane));

    // Grid at every half, the axes darker.
    for (double v = box.low; v <= box.high + 1e-9; v += 0.5) {
        painter.setPen(QPen(QColor(0, 0, 0, v == 0.0 ? 110 : 40), 1));
        painter.drawLine(toPixel(plane, {v, box.low}), toPixel(plane, {v, box.high}));
        painter.drawLine(toPixel(plane, {box.low, v}), toPixel(plane, {box.high, v}));
    }
    painter.setPen(palette().windowText().color());
    painter.drawRect(plane.adjusted(0, 0, -1, -1));
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setClipRect(plane);
    if (!trail.empty())
        painter.drawPixmap(plane.topLeft(), trailLayer(plane));
    if (const auto segment = decisionLine(neuron, box)) {
        painter.setPen(QPen(lineColour, 3));
        painter.drawLine(toPixel(plane, segment->from), toPixel(plane, segment->to));
    }

    if (!patterns)
        return;
    for (const Pattern &pattern : *patterns) {
        const QPointF centre = toPixel(plane, {pattern.In1, pattern.In2});
        const auto decision = decides(neuron, pattern.In1, pattern.In2);
        const QColor ring = !decision                     ? QColor(Qt::gray)
            : (*decision ? 1.0f : 0.0f) == pattern.Target ? rightColour
                                                          : wrongColour;
        painter.setPen(QPen(ring, 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, 11, 11);
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(pattern.Target == 1.0f ? QBrush(Qt::black) : QBrush(Qt::white));
        painter.drawEllipse(centre, 6, 6);
    }
}
