#include "icon_design.h"

#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QTextStream>
#include <utility>

namespace {

enum class Kind { RoundedTile, Circle, Polyline, Polygon };

struct Shape {
    Kind kind;
    QList<QPointF> points; // tile: top-left and bottom-right; circle: centre
    qreal radius;          // circle radius or tile corner radius
    QColor fill;           // invalid = no fill
    QColor stroke;         // invalid = no outline
    qreal strokeWidth;
};

const QColor none;
const QColor tile(0xEE, 0xF3, 0xFA);
const QColor tileEdge(0x4A, 0x5A, 0x70);
const QColor green(0x3F, 0xAE, 0x4A);
const QColor darkGreen(0x1E, 0x6B, 0x2A);
const QColor blue(0x2F, 0x6F, 0xD0);
const QColor navy(0x14, 0x3A, 0x7A);
const QColor orange(0xE8, 0x76, 0x0A);

// Painted in this order, back to front.
const QList<Shape> &shapes()
{
    static const QList<Shape> list{
        {Kind::RoundedTile, {{1.5, 1.5}, {30.5, 30.5}}, 6, tile, tileEdge, 1},
        {Kind::Polyline, {{5.5, 7.5}, {17, 16}}, 0, none, darkGreen, 2},
        {Kind::Polyline, {{5.5, 24.5}, {17, 16}}, 0, none, darkGreen, 2},
        {Kind::Circle, {{5.5, 7.5}}, 2.5, green, darkGreen, 1},
        {Kind::Circle, {{5.5, 24.5}}, 2.5, green, darkGreen, 1},
        {Kind::Polyline, {{23, 16}, {26, 16}}, 0, none, orange, 2},
        {Kind::Polygon, {{25, 11.5}, {30, 16}, {25, 20.5}}, 0, orange, none, 0},
        {Kind::Circle, {{17, 16}}, 7, blue, navy, 1.2},
        // The step activation, on whole pixels so it stays crisp at 32 px.
        {Kind::Polyline, {{13.5, 19}, {17, 19}, {17, 13}, {20.5, 13}}, 0, none, Qt::white, 2},
    };
    return list;
}

QPen penFor(const Shape &shape)
{
    if (!shape.stroke.isValid())
        return Qt::NoPen;
    QPen pen(shape.stroke, shape.strokeWidth);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void paintShape(QPainter &painter, const Shape &shape)
{
    painter.setPen(penFor(shape));
    painter.setBrush(shape.fill.isValid() ? QBrush(shape.fill) : QBrush(Qt::NoBrush));
    switch (shape.kind) {
    case Kind::RoundedTile:
        painter.drawRoundedRect(QRectF(shape.points[0], shape.points[1]), shape.radius, shape.radius);
        break;
    case Kind::Circle: painter.drawEllipse(shape.points[0], shape.radius, shape.radius); break;
    case Kind::Polyline: painter.drawPolyline(shape.points.constData(), int(shape.points.size())); break;
    case Kind::Polygon: painter.drawPolygon(shape.points.constData(), int(shape.points.size())); break;
    }
}

QString svgColour(const QColor &colour)
{
    return colour.isValid() ? colour.name() : QStringLiteral("none");
}

QString svgPoints(const QList<QPointF> &points)
{
    QStringList pairs;
    for (const QPointF &p : points)
        pairs << QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
    return pairs.join(' ');
}

QString svgElement(const Shape &shape)
{
    const QString paint = QStringLiteral(R"(fill="%1" stroke="%2" stroke-width="%3")")
                              .arg(svgColour(shape.fill), svgColour(shape.stroke))
                              .arg(shape.strokeWidth);
    const QString rounded = QStringLiteral(R"( stroke-linecap="round" stroke-linejoin="round")");
    switch (shape.kind) {
    case Kind::RoundedTile: {
        const QRectF r(shape.points[0], shape.points[1]);
        return QStringLiteral(R"(<rect x="%1" y="%2" width="%3" height="%4" rx="%5" %6/>)")
            .arg(r.x())
            .arg(r.y())
            .arg(r.width())
            .arg(r.height())
            .arg(shape.radius)
            .arg(paint);
    }
    case Kind::Circle:
        return QStringLiteral(R"(<circle cx="%1" cy="%2" r="%3" %4/>)")
            .arg(shape.points[0].x())
            .arg(shape.points[0].y())
            .arg(shape.radius)
            .arg(paint);
    case Kind::Polyline:
        return QStringLiteral(R"(<polyline points="%1" %2%3/>)").arg(svgPoints(shape.points), paint, rounded);
    case Kind::Polygon: return QStringLiteral(R"(<polygon points="%1" %2/>)").arg(svgPoints(shape.points), paint);
    }
    return {};
}

} // namespace

QList<QRgb> iconPalette()
{
    const QColor base[] = {tile, tileEdge, green, darkGreen, blue, navy, QColor(Qt::white), orange};
    // Pairs of colours that touch in the design, so their edges stay smooth.
    const std::pair<QColor, QColor> blends[] = {
        {tile, green},     {tile, darkGreen}, {tile, orange},   {tile, navy},
        {blue, Qt::white}, {blue, navy},      {tile, tileEdge},
    };
    QList<QRgb> palette;
    for (const QColor &colour : base)
        palette << colour.rgb();
    for (const auto &[a, b] : blends)
        palette << qRgb((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
    return palette;
}

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(qreal(size) / iconDesignSize, qreal(size) / iconDesignSize);
    for (const Shape &shape : shapes())
        paintShape(painter, shape);
    painter.end();
    return image;
}

QString iconSvg()
{
    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << iconDesignSize << "\" height=\"" << iconDesignSize
        << "\" viewBox=\"0 0 " << iconDesignSize << ' ' << iconDesignSize << "\">\n";
    for (const Shape &shape : shapes())
        out << "  " << svgElement(shape) << '\n';
    out << "</svg>\n";
    return svg;
}
