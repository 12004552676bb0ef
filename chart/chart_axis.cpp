#include "chart/error_chart.h"

#include "chart/axis_labels.h"
#include "runtime/app_error.h"
#include "runtime/number_text.h"

#include <QCategoryAxis>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace {

// Room one label needs along its axis: its height stacked vertically, its
// widest text side by side, each with a gap.
double labelExtent(const QValueAxis &axis, double from, double to, int decimals)
{
    const QFontMetricsF metrics(axis.labelsFont());
    if (axis.orientation() == Qt::Vertical)
        return metrics.height() * 1.5;
    double widest = 0;
    for (double value : {from, to})
        widest = std::max(widest, metrics.horizontalAdvance(axis_labels::text(value, decimals)));
    return widest + metrics.averageCharWidth() * 2;
}

} // namespace

ChartAxis::ChartAxis(QCategoryAxis *axis, double minimum, double maximum, double increment)
    : axis(axis), min(minimum), max(maximum), step(increment)
{
    // The layout's own values are taken as they are; checks apply to later changes.
}

void ChartAxis::changeMaximum(double value)
{
    if (!(value >= min))
        throw AppError(QStringLiteral("Axis Maximum Value must be >= Minimum"));
    if (!std::isfinite(value))
        throw AppError(QStringLiteral("Axis Maximum Value must be a finite number"));
    max = value;
    pending = true;
}

void ChartAxis::changeIncrement(double value)
{
    if (!(value >= 0))
        throw AppError(QStringLiteral("Axis increment must be >= 0"));
    if (!std::isfinite(value))
        throw AppError(QStringLiteral("Axis increment must be a finite number"));
    step = value;
    pending = true;
}

void ChartAxis::apply()
{
    pending = false;
    workMin = min;
    workMax = max;

    // An empty range (a lesson of one iteration) is shown around its value;
    // so is a range too narrow for the doubles at its size to tell apart.
    const double size = std::max(std::abs(min), std::abs(max));
    if (max - min > size * 1e-9) {
        shownMin = min;
        shownMax = max;
    } else {
        const double half = std::max(0.5, size * 1e-9);
        shownMin = min - half;
        shownMax = min + half;
    }
    if (axis) {
        axis->setRange(shownMin, shownMax);
    }
    applyLabels();
    if (changed)
        changed();
}

void ChartAxis::applyLabels()
{
    if (!axis)
        return;
    const double span = shownMax - shownMin;
    const int defaultRoom = 10;
    double chosen = axis_labels::interval(span, step, defaultRoom);
    if (pixelLength > 0) {
        // The label width depends on the digits the step needs; two rounds settle it.
        for (int round = 0; round < 2; ++round) {
            const double extent = labelExtent(*axis, shownMin, shownMax, axis_labels::decimals(chosen));
            const int room = std::max(1, int(pixelLength / std::max(extent, 1.0)));
            chosen = axis_labels::interval(span, step, room);
        }
    }
    interval = chosen;
    writeLabels();
    // Where labels must be sparser than the increment, minor ticks still
    // mark every increment, as long as they stay few enough to see.
    const double perLabel = step > 0 ? interval / step : 0;
    const bool fewSteps = perLabel >= 1 && perLabel <= 10 && std::abs(perLabel - std::round(perLabel)) < 1e-9;
    axis->setMinorTickCount(fewSteps ? int(std::round(perLabel)) - 1 : 0);
}

// Labels fall on round multiples of the interval inside the range, written
// as the user writes numbers. Each is its multiple's index times the
// interval, so no rounding error piles up into a "-0,0".
void ChartAxis::writeLabels()
{
    separator = numtext::decimalSeparator();
    for (const QString &label : axis->categoriesLabels())
        axis->remove(label);
    axis->setStartValue(shownMin - interval);
    const int digits = axis_labels::decimals(interval);
    // Not drawn with categories; it records the digits the labels carry.
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(digits));
    const double firstIndex = std::ceil(shownMin / interval * (1 - 1e-12));
    constexpr int mostLabels = 1000; // the interval keeps them far fewer
    for (int i = 0; i < mostLabels; ++i) {
        const double value = (firstIndex + i) * interval;
        if (value > shownMax + interval * 1e-9)
            break;
        axis->append(axis_labels::text(value, digits), value);
    }
}

void ChartAxis::relabelIfFormatChanged()
{
    if (axis && interval > 0 && separator != numtext::decimalSeparator())
        writeLabels();
}

QValueAxis *ChartAxis::valueAxis() const
{
    return axis;
}

double ChartAxis::labelInterval() const
{
    return interval;
}

void ChartAxis::setPixelLength(int pixels)
{
    if (pixels == pixelLength)
        return;
    pixelLength = pixels;
    applyLabels();
    if (changed)
        changed();
}

void ChartAxis::setTitle(const QString &title)
{
    if (axis)
        axis->setTitleText(title);
}

QString ChartAxis::title() const
{
    return axis ? axis->titleText() : QString();
}
