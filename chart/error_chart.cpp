#include "chart/error_chart.h"

#include "chart/band_clip.h"
#include "chart/error_series.h"
#include "ui_common/window_fonts.h"

#include <QCategoryAxis>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace {

// Outer margins as shares of the chart's width: 3 % left, 5 % right.
constexpr double leftMarginShare = 0.03;
constexpr double rightMarginShare = 0.05;
// Room the axes' labels and titles take from the widget, for sizing labels.
constexpr int besideLeftAxis = 60;
constexpr int aboveAndBelowPlot = 75;

// One column per pixel of the plot, so the line in each pixel runs through
// the first, lowest, highest and last point under it: Qt Charts gets at most
// four points per pixel, whatever the number of points stored. A plot wider
// than the store's column limit gets fewer, wider columns.
ErrorSeries::Columns pixelColumns(const QRectF &plot, double from, double to)
{
    const double firstPixel = std::floor(plot.left());
    const int pixels = int(std::ceil(plot.right()) - firstPixel);
    if (!(plot.width() >= 1) || pixels > ErrorSeries::mostColumns)
        return ErrorSeries::evenColumns(to, ErrorSeries::mostColumns);
    const double perPixel = (to - from) / plot.width();
    return {from - (plot.left() - firstPixel) * perPixel, perPixel, pixels};
}

QFont withFamily(QFont font, const QString &family)
{
    font.setFamily(family);
    return font;
}

void configureChart(QChart &chart)
{
    chart.setTitle(QStringLiteral("Tivaro"));
    chart.setTitleFont(withFamily(chart.titleFont(), windowFontFamily()));
    chart.legend()->hide();
    chart.setAnimationOptions(QChart::NoAnimation);
    chart.setBackgroundRoundness(0);
    chart.layout()->setContentsMargins(0, 0, 0, 0);
}

void configureAxes(QCategoryAxis &left, QCategoryAxis &bottom)
{
    QFont leftTitle = withFamily(left.titleFont(), windowFontFamily());
    leftTitle.setBold(true);
    left.setTitleFont(leftTitle);
    QFont bottomTitle = withFamily(bottom.titleFont(), windowFontFamily());
    bottomTitle.setPixelSize(13);
    bottom.setTitleFont(bottomTitle);
    for (QCategoryAxis *axis : {&left, &bottom}) {
        axis->setLabelsFont(withFamily(axis->labelsFont(), windowFontFamily()));
        axis->setMinorTickCount(0);
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    }
}

} // namespace

ErrorChart::ErrorChart(QWidget *parent)
    : QChartView(parent), series(new QLineSeries(this)), left(new QCategoryAxis(this), -1.1, 1.1, 0.1),
      bottom(new QCategoryAxis(this), ErrorSeries::firstShownX, 1000, 1)
{
    QChart &c = *chart();
    configureChart(c);
    setFrameShape(QFrame::NoFrame);

    series->setName(QStringLiteral("OutError"));
    series->setPointsVisible(false);
    // One pixel wide: a wider line is filled as an outline, whose pixels depend
    // on how finely the line is cut, so the same points would look different
    // drawn from the store and from the full list.
    QPen pen = series->pen();
    pen.setWidth(1);
    series->setPen(pen);
    c.addSeries(series);
    c.addAxis(left.valueAxis(), Qt::AlignLeft);
    c.addAxis(bottom.valueAxis(), Qt::AlignBottom);
    series->attachAxis(left.valueAxis());
    series->attachAxis(bottom.valueAxis());
    configureAxes(*left.categoryAxis(), *bottom.categoryAxis());

    left.setTitle(QStringLiteral("Error"));
    bottom.setTitle(QStringLiteral("Iterations"));
    left.recompute();
    bottom.recompute();
    viewport()->setMouseTracking(true);
    left.onChanged([this] { markDirty(); });
    bottom.onChanged([this] { markDirty(); });
    fitToSize();
}

ErrorChart::~ErrorChart() = default;

ChartAxis &ErrorChart::leftAxis()
{
    return left;
}
ChartAxis &ErrorChart::bottomAxis()
{
    return bottom;
}

void ErrorChart::clearPoints()
{
    stored.clear();
    markDirty();
}

bool ErrorChart::restorePoints(QByteArrayView bytes)
{
    if (!stored.restore(bytes))
        return false;
    markDirty();
    return true;
}

int64_t ErrorChart::pointCount() const
{
    return stored.count();
}
std::size_t ErrorChart::seriesBytes() const
{
    return stored.bytes();
}
int ErrorChart::drawnPointCount() const
{
    return drawn;
}

void ErrorChart::markDirty()
{
    repaintQueued = true;
    viewport()->update();
}

void ErrorChart::paintEvent(QPaintEvent *event)
{
    repaintQueued = false;
    // The user may have changed the system's number format since the last paint.
    left.relabelIfFormatChanged();
    bottom.relabelIfFormatChanged();
    // Qt Charts moves the line at once when its points are replaced, so the
    // new points show in this very paint.
    refreshDrawnPoints();
    QChartView::paintEvent(event);
}

void ErrorChart::resizeEvent(QResizeEvent *event)
{
    QChartView::resizeEvent(event);
    fitToSize();
}

void ErrorChart::fitToSize()
{
    const int width = viewport()->width();
    const int height = viewport()->height();
    chart()->setMargins(
        QMargins(int(std::lround(width * leftMarginShare)), 0, int(std::lround(width * rightMarginShare)), 0));
    // Sized from the widget, not the plot area: the plot area follows the
    // labels, and labels following the plot area could flip back and forth.
    const double plotShare = 1 - leftMarginShare - rightMarginShare;
    bottom.setPixelLength(std::max(1, int(width * plotShare) - besideLeftAxis));
    left.setPixelLength(std::max(1, height - aboveAndBelowPlot));
}

void ErrorChart::refreshDrawnPoints()
{
    const QRectF plot = chart()->plotArea();
    const DrawnFrom now{stored.version(),    bottom.shownMinimum(), bottom.shownMaximum(), left.shownMinimum(),
                        left.shownMaximum(), plot.left(),           plot.width()};
    if (now == drawnFrom)
        return;
    drawnFrom = now;
    columns = pixelColumns(plot, now.xFrom, now.xTo);

    // One span of slack on each side: far enough that the cut never shows.
    const double width = now.xTo - now.xFrom, height = now.yTo - now.yFrom;
    const Band band{now.xFrom - width, now.xTo + width, now.yFrom - height, now.yTo + height};
    drawnPoints = stored.drawnPoints(now.xTo, columns);
    const QList<QPointF> points = clipToBand(drawnPoints, band);
    series->replace(points);
    drawn = int(points.size());
}
