#include "math_text.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>

namespace {

// Size and baseline shift of each script level, relative to the base font.
struct ScriptStyle {
    qreal sizeFactor;
    qreal shiftEm; // positive moves down
};

ScriptStyle styleOf(Script script)
{
    switch (script) {
    case Script::Sub: return {0.7, 0.28};
    case Script::Super: return {0.7, -0.42};
    case Script::Base: break;
    }
    return {1.0, 0.0};
}

QFont fontFor(const TextRun &run, const QFont &base)
{
    QFont font = base;
    font.setPixelSize(qMax(1, qRound(base.pixelSize() * styleOf(run.script).sizeFactor)));
    font.setItalic(run.italic);
    return font;
}

constexpr qreal sumSignScale = 1.55;
constexpr qreal limitScale = 0.68;

QFont scaledFont(const QFont &base, qreal factor)
{
    QFont font = base;
    font.setPixelSize(qMax(1, qRound(base.pixelSize() * factor)));
    font.setItalic(false);
    return font;
}

} // namespace

qreal runsWidth(const Runs &runs, const QFont &font)
{
    qreal width = 0;
    for (const TextRun &run : runs)
        width += QFontMetricsF(fontFor(run, font)).horizontalAdvance(run.text);
    return width;
}

qreal drawRuns(QPainter &painter, QPointF baselineStart, const Runs &runs, const QFont &font)
{
    qreal x = baselineStart.x();
    for (const TextRun &run : runs) {
        const QFont runFont = fontFor(run, font);
        const qreal shift = styleOf(run.script).shiftEm * font.pixelSize();
        painter.setFont(runFont);
        painter.drawText(QPointF(x, baselineStart.y() + shift), run.text);
        x += QFontMetricsF(runFont).horizontalAdvance(run.text);
    }
    return x - baselineStart.x();
}

qreal sumWidth(const QString &lower, const QString &upper, const QFont &font)
{
    const QFontMetricsF sign(scaledFont(font, sumSignScale));
    const QFontMetricsF limits(scaledFont(font, limitScale));
    return std::max(
        {sign.horizontalAdvance(QChar(0x03A3)), limits.horizontalAdvance(lower), limits.horizontalAdvance(upper)});
}

qreal drawSum(QPainter &painter, QPointF baselineStart, const QString &lower, const QString &upper, const QFont &font)
{
    const QFont signFont = scaledFont(font, sumSignScale);
    const QFont limitFont = scaledFont(font, limitScale);
    const QFontMetricsF sign(signFont);
    const QFontMetricsF limits(limitFont);
    const qreal width = sumWidth(lower, upper, font);
    const qreal centre = baselineStart.x() + width / 2;
    // Centre the sign on the maths axis, a little above the baseline.
    const qreal signBaseline = baselineStart.y() + sign.capHeight() * 0.5 - font.pixelSize() * 0.3;
    const QString sigma(QChar(0x03A3));

    painter.setFont(signFont);
    painter.drawText(QPointF(centre - sign.horizontalAdvance(sigma) / 2, signBaseline), sigma);
    painter.setFont(limitFont);
    painter.drawText(QPointF(centre - limits.horizontalAdvance(upper) / 2, signBaseline - sign.capHeight() - 2), upper);
    painter.drawText(QPointF(centre - limits.horizontalAdvance(lower) / 2, signBaseline + limits.capHeight() + 3),
                     lower);
    return width;
}

void drawLeftBrace(QPainter &painter, qreal x, qreal top, qreal bottom, qreal width)
{
    const qreal middle = (top + bottom) / 2;
    const qreal stem = x + width / 2;
    QPainterPath brace;
    brace.moveTo(x + width, top);
    brace.quadTo(stem, top, stem, top + width);
    brace.lineTo(stem, middle - width);
    brace.quadTo(stem, middle, x, middle);
    brace.quadTo(stem, middle, stem, middle + width);
    brace.lineTo(stem, bottom - width);
    brace.quadTo(stem, bottom, x + width, bottom);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(brace);
    painter.restore();
}
