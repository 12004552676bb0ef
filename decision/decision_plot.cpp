#include "decision/decision_plot.h"

#include "runtime/number_text.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr PlaneBox box;
constexpr int margin = 8;
const QColor decidesZero(236, 242, 252);
const QColor decidesOne(252, 222, 178);
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
    setMinimumSize(260, 260);
}

void DecisionPlot::showNeuron(const DecisionNeuron &shown, const std::optional<GatePatterns> &gate,
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

const QImage &DecisionPlot::shading(const QRect &plane)
{
    if (shade.size() == plane.size() && shadeFor == neuron)
        return shade;
    // Two tones need every pixel for a sharp edge; a gradient is smooth, so
    // a coarse grid scaled up looks the same and keeps repaints during a
    // lesson cheap (the sigmoid's exponential is the costly part).
    const int coarse = neuron.mode == OutputMode::Step ? 1 : 4;
    QImage grid(std::max(1, plane.width() / coarse), std::max(1, plane.height() / coarse), QImage::Format_RGB32);
    const double span = box.high - box.low;
    for (int row = 0; row < grid.height(); ++row) {
        const double x2 = box.high - (row + 0.5) / grid.height() * span;
        auto *line = reinterpret_cast<QRgb *>(grid.scanLine(row));
        for (int column = 0; column < grid.width(); ++column) {
            const double x1 = box.low + (column + 0.5) / grid.width() * span;
            line[column] = blend(shadeAt(neuron, x1, x2)).rgb();
        }
    }
    shade = coarse == 1 ? grid : grid.scaled(plane.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    shadeFor = neuron;
    return shade;
}

void DecisionPlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRect plane = planeRect();
    painter.drawImage(plane.topLeft(), shading(plane));
    painter.setRenderHint(QPainter::Antialiasing);

    // Grid and tick labels at every half.
    const QFontMetrics metrics = fontMetrics();
    for (double v = box.low; v <= box.high + 1e-9; v += 0.5) {
        const QPointF onX = toPixel(plane, {v, box.low});
        const QPointF onY = toPixel(plane, {box.low, v});
        painter.setPen(QPen(QColor(0, 0, 0, v == 0.0 ? 110 : 40), 1));
        painter.drawLine(onX, toPixel(plane, {v, box.high}));
        painter.drawLine(onY, toPixel(plane, {box.high, v}));
        painter.setPen(palette().windowText().color());
        const QString label = tickText(v);
        painter.drawText(QPointF(onX.x() - metrics.horizontalAdvance(label) / 2.0, plane.bottom() + 2 + metrics.ascent()),
                         label);
        painter.drawText(QPointF(plane.left() - 4 - metrics.horizontalAdvance(label), onY.y() + metrics.ascent() / 2.0),
                         label);
    }
    painter.setPen(palette().windowText().color());
    painter.drawRect(plane.adjusted(0, 0, -1, -1));

    // Axis titles: the same words as the input labels of the main window.
    const QString across = QStringLiteral("input 1");
    painter.drawText(QPointF(plane.center().x() - metrics.horizontalAdvance(across) / 2.0,
                             plane.bottom() + 4 + metrics.height() + metrics.ascent()),
                     across);
    painter.save();
    const QString up = QStringLiteral("input 2");
    painter.translate(margin + metrics.ascent(), plane.center().y() + metrics.horizontalAdvance(up) / 2.0);
    painter.rotate(-90);
    painter.drawText(QPointF(0, 0), up);
    painter.restore();

    painter.setClipRect(plane);
    // The trail: older lines fainter.
    const int count = int(trail.size());
    for (int i = 0; i < count; ++i) {
        if (const auto segment = decisionLine(trail[std::size_t(i)], box)) {
            painter.setPen(QPen(QColor(60, 60, 60, 30 + 150 * (i + 1) / count), 1.5));
            painter.drawLine(toPixel(plane, segment->from), toPixel(plane, segment->to));
        }
    }
    if (const auto segment = decisionLine(neuron, box)) {
        painter.setPen(QPen(lineColour, 3));
        painter.drawLine(toPixel(plane, segment->from), toPixel(plane, segment->to));
    }

    if (!patterns)
        return;
    for (const GatePattern &pattern : *patterns) {
        const QPointF centre = toPixel(plane, {pattern.in1, pattern.in2});
        const auto decision = decides(neuron, pattern.in1, pattern.in2);
        const QColor ring = !decision ? QColor(Qt::gray)
                            : (*decision ? 1.0f : 0.0f) == pattern.target ? rightColour
                                                                          : wrongColour;
        painter.setPen(QPen(ring, 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, 11, 11);
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(pattern.target == 1.0f ? QBrush(Qt::black) : QBrush(Qt::white));
        painter.drawEllipse(centre, 6, 6);
    }
}
