#include "diagram_painter.h"

#include "math_text.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <cmath>

namespace {

namespace colour {
const QColor ink(0x20, 0x20, 0x20);
const QColor orangeEdge(0xE0, 0x7B, 0x10);
const QColor orangeFill(0xFF, 0xDD, 0xAE);
const QColor red(0xD0, 0x20, 0x20);
const QColor greenEdge(0x2E, 0x8B, 0x3A);
const QColor greenFill(0xCC, 0xEE, 0xCF);
const QColor greyEdge(0x70, 0x70, 0x70);
const QColor greyFill(0xDC, 0xDC, 0xDC);
const QColor link(0x40, 0x40, 0x40);
} // namespace colour

// Where everything sits, in pixels of the 395 x 210 picture.
namespace layout {
const QPointF node(170, 124);
constexpr qreal nodeRadius = 37;
const QRectF biasBox(10, 22, 58, 26);
const QRectF input1Box(10, 86, 44, 28);
const QRectF input2Box(10, 164, 44, 28);
const QRectF activationBox(240, 109, 54, 30);
const QPointF outputWord(336, 128);
const QRectF formulaFrame(206, 5, 181, 76);
} // namespace layout

constexpr int wordSize = 12;
constexpr int mathSize = 13;

QFont fontOf(const QString &family, int pixelSize, bool italic = false)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// Where the line from `from` towards the node's centre meets the circle.
QPointF nodeEdgeFrom(QPointF from)
{
    QLineF towards(layout::node, from);
    towards.setLength(layout::nodeRadius);
    return towards.p2();
}

void drawArrow(QPainter &painter, QPointF from, QPointF to, const QColor &colour)
{
    constexpr qreal headLength = 9;
    constexpr qreal headHalfWidth = 4.5;
    QLineF shaft(from, to);
    const QPointF direction = (to - from) / shaft.length();
    const QPointF normal(-direction.y(), direction.x());
    const QPointF headBase = to - direction * headLength;
    painter.setPen(QPen(colour, 1.6));
    painter.drawLine(QLineF(from, headBase));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(QPolygonF{to, headBase + normal * headHalfWidth, headBase - normal * headHalfWidth});
}

void drawCentredText(QPainter &painter, const QRectF &box, const QString &text, const QFont &font)
{
    painter.setFont(font);
    painter.setPen(colour::ink);
    painter.drawText(box, Qt::AlignCenter, text);
}

void drawCentredRuns(QPainter &painter, const QRectF &box, const Runs &runs, const QFont &font)
{
    const QFontMetricsF metrics(font);
    const qreal width = runsWidth(runs, font);
    const QPointF baseline(box.center().x() - width / 2, box.center().y() + metrics.capHeight() / 2);
    painter.setPen(colour::ink);
    drawRuns(painter, baseline, runs, font);
}

void drawBox(QPainter &painter, const QRectF &box, const QColor &edge, const QColor &fill, Qt::PenStyle style)
{
    QPen pen(edge, 1.6, style);
    if (style == Qt::DashLine)
        pen.setDashPattern({3.5, 2.5}); // in pen widths: short dashes read better on a small box
    painter.setPen(pen);
    painter.setBrush(fill);
    painter.drawRoundedRect(box, 3, 3);
}

// A weight's label sits beside the middle of its link, pushed off the line.
void drawWeightLabel(QPainter &painter, QLineF linkLine, qreal offset, int index, const QFont &font)
{
    const QPointF middle = linkLine.pointAt(0.5);
    const QPointF normal = QPointF(-linkLine.dy(), linkLine.dx()) / linkLine.length();
    const Runs runs{{"w", Script::Base, true}, {QString::number(index), Script::Sub}};
    const qreal width = runsWidth(runs, font);
    const QPointF centre = middle + normal * offset;
    painter.setPen(colour::ink);
    drawRuns(painter, QPointF(centre.x() - width / 2, centre.y() + 4), runs, font);
}

void drawInputs(QPainter &painter, const DiagramFonts &fonts)
{
    const QFont maths = fontOf(fonts.maths, mathSize);
    struct Input {
        QRectF box;
        int index;
        qreal labelOffset; // which side of the line the weight goes
    };
    const Input inputs[] = {{layout::input1Box, 1, -10}, {layout::input2Box, 2, 10}};
    for (const Input &input : inputs) {
        const QPointF start(input.box.right(), input.box.center().y());
        const QLineF link(start, nodeEdgeFrom(start));
        painter.setPen(QPen(colour::link, 1.6));
        painter.drawLine(link);
        drawBox(painter, input.box, colour::greenEdge, colour::greenFill, Qt::SolidLine);
        drawCentredRuns(painter, input.box, {{"i", Script::Base, true}, {QString::number(input.index), Script::Sub}},
                        maths);
        drawWeightLabel(painter, link, input.labelOffset, input.index, maths);
    }
}

void drawBias(QPainter &painter, const DiagramFonts &fonts)
{
    const QRectF &box = layout::biasBox;
    const QPointF start(box.right(), box.bottom() - 4);
    const QLineF link(start, nodeEdgeFrom(start));
    QPen dashed(colour::red, 1.6, Qt::CustomDashLine);
    dashed.setDashPattern({4, 3});
    painter.setPen(dashed);
    painter.drawLine(link);
    drawBox(painter, box, colour::orangeEdge, Qt::white, Qt::DashLine);

    painter.setFont(fontOf(fonts.words, wordSize));
    painter.setPen(colour::ink);
    painter.drawText(QPointF(box.left() + 1, box.top() - 5), "bias");
    drawCentredRuns(painter, box, {{"b", Script::Base, true}, {" =1"}}, fontOf(fonts.maths, mathSize));
    drawWeightLabel(painter, link, -10, 0, fontOf(fonts.maths, mathSize));
}

void drawNode(QPainter &painter, const DiagramFonts &fonts)
{
    painter.setPen(QPen(colour::greyEdge, 2));
    painter.setBrush(colour::greyFill);
    painter.drawEllipse(layout::node, layout::nodeRadius, layout::nodeRadius);

    const QFont maths = fontOf(fonts.maths, mathSize);
    const Runs product{{"i", Script::Base, true},
                       {"j", Script::Sub, true},
                       {"\u00B7"},
                       {"w", Script::Base, true},
                       {"j", Script::Sub, true}};
    const qreal width = sumWidth("j=1", "n", maths) + 2 + runsWidth(product, maths);
    const QPointF baseline(layout::node.x() - width / 2, layout::node.y() + 5);
    painter.setPen(colour::ink);
    const qreal sum = drawSum(painter, baseline, "j=1", "n", maths);
    drawRuns(painter, baseline + QPointF(sum + 2, 0), product, maths);
}

void drawActivationAndOutput(QPainter &painter, const DiagramFonts &fonts)
{
    const QRectF &box = layout::activationBox;
    const qreal y = box.center().y();
    drawArrow(painter, QPointF(layout::node.x() + layout::nodeRadius + 1, y), QPointF(box.left() - 1, y), colour::link);
    drawBox(painter, box, colour::orangeEdge, colour::orangeFill, Qt::SolidLine);
    drawCentredRuns(painter, box, {{"f", Script::Base, true}, {"("}, {"x", Script::Base, true}, {")"}},
                    fontOf(fonts.maths, mathSize + 1));
    const QFont words = fontOf(fonts.words, wordSize - 1);
    drawCentredText(painter, QRectF(box.center().x() - 50, box.bottom() + 3, 100, 14), "activation", words);
    drawCentredText(painter, QRectF(box.center().x() - 50, box.bottom() + 16, 100, 14), "function", words);

    drawArrow(painter, QPointF(box.right() + 1, y), QPointF(layout::outputWord.x() - 4, y), colour::link);
    painter.setFont(fontOf(fonts.words, wordSize + 1));
    painter.setPen(colour::ink);
    painter.drawText(layout::outputWord, "output");
}

void drawFormula(QPainter &painter, const DiagramFonts &fonts)
{
    const QRectF &frame = layout::formulaFrame;
    painter.setPen(QPen(colour::ink, 1.2));
    painter.setBrush(QColor(0xFA, 0xFA, 0xFA));
    painter.drawRect(frame);

    const QFont maths = fontOf(fonts.maths, mathSize);
    const qreal left = frame.left() + 8;
    const qreal middle = frame.center().y() + 4;
    const qreal firstLine = frame.top() + 31;
    const qreal secondLine = frame.bottom() - 10;

    painter.setPen(colour::ink);
    qreal x = left;
    x += drawRuns(painter, QPointF(x, middle), {{"f", Script::Base, true}, {"("}, {"x", Script::Base, true}, {") ="}},
                  maths);
    x += 6;
    painter.setPen(QPen(colour::ink, 1.1));
    drawLeftBrace(painter, x, frame.top() + 8, frame.bottom() - 6, 6);
    x += 12;

    painter.setPen(colour::ink);
    qreal lineX = x + drawRuns(painter, QPointF(x, firstLine), {{"1  if "}}, maths);
    lineX += drawSum(painter, QPointF(lineX, firstLine), "j=0", "n", maths) + 2;
    drawRuns(painter, QPointF(lineX, firstLine),
             {{"w", Script::Base, true},
              {"j", Script::Sub, true},
              {"\u00B7"},
              {"i", Script::Base, true},
              {"j", Script::Sub, true},
              {" > "},
              {"t", Script::Base, true}},
             maths);
    drawRuns(painter, QPointF(x, secondLine), {{"0  otherwise"}}, maths);

    // Right-aligned, so it stays clear of the activation box below.
    const QFont words = fontOf(fonts.words, wordSize);
    const QString legend = "t - threshold";
    painter.setFont(words);
    painter.drawText(QPointF(frame.right() - QFontMetricsF(words).horizontalAdvance(legend) - 2, frame.bottom() + 16),
                     legend);
}

} // namespace

QImage drawDiagram(const DiagramFonts &fonts)
{
    QImage image(diagramWidth, diagramHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(96 / 0.0254));
    image.setDotsPerMeterY(qRound(96 / 0.0254));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    drawInputs(painter, fonts);
    drawBias(painter, fonts);
    drawNode(painter, fonts);
    drawActivationAndOutput(painter, fonts);
    drawFormula(painter, fonts);
    return image;
}
