#pragma once
// The error chart: a thin engine over Qt Charts with the contract the
// workbench relies on. Setting an axis, clearing or adding points only marks
// the chart dirty; it is drawn when the event loop paints.

#include "chart/error_series.h"
#include "ui_common/picture_menu.h"

#include <QChartView>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QAction;
class QCategoryAxis;
class QValueAxis;
class QLineSeries;

// One axis of the chart. Changes take effect on screen at recompute().
class ChartAxis {
public:
    // Labels are categories: Qt's own value labels cannot write numbers the
    // user's way without misplacing them.
    explicit ChartAxis(QCategoryAxis *axis, double minimum, double maximum, double increment);

    double minimum() const { return min; }
    double maximum() const { return max; }
    double increment() const { return step; }

    // Below minimum(): raises AppError "Axis Maximum Value must be >= Minimum"
    // and keeps the old maximum. The value it already has: nothing happens.
    // The early-outs are inline because a lesson calls these every iteration.
    void setMaximum(double value)
    {
        if (value != max)
            changeMaximum(value);
    }
    // Negative: raises AppError "Axis increment must be >= 0".
    void setIncrement(double value)
    {
        if (value != step)
            changeIncrement(value);
    }
    // Makes the working range exactly minimum() .. maximum() at once.
    void recompute()
    {
        if (pending)
            apply();
    }
    void setTitle(const QString &title);
    QString title() const;

    // The range the axis works with now (after the last recompute()).
    double workingMinimum() const { return workMin; }
    double workingMaximum() const { return workMax; }

    // The range actually shown: the working range, widened around its centre
    // when it is empty (minimum == maximum) so the axis can still be drawn.
    double shownMinimum() const { return shownMin; }
    double shownMaximum() const { return shownMax; }
    // Distance between two labels as last applied (a multiple of increment()).
    double labelInterval() const;

    // Writes the labels anew when the user's number format changed.
    void relabelIfFormatChanged();
    // Pixels the axis has for its labels; decides how many labels fit.
    void setPixelLength(int pixels);
    // The Qt axis this one drives (owned by the chart).
    QValueAxis *valueAxis() const;
    QCategoryAxis *categoryAxis() const { return axis; }
    // Called after the shown range or labels changed, so the owner can repaint.
    void onChanged(std::function<void()> handler) { changed = std::move(handler); }

private:
    void changeMaximum(double value);
    void changeIncrement(double value);
    void apply();
    void applyLabels();
    void writeLabels();

    QCategoryAxis *axis; // owned by the chart
    double interval = 0;
    QChar separator; // the decimal separator the labels were written with
    double min, max, step;
    bool pending = true;
    double workMin = 0, workMax = 0;
    double shownMin = 0, shownMax = 0;
    int pixelLength = 0;
    std::function<void()> changed;
};

class ErrorChart : public QChartView {
    Q_OBJECT
public:
    explicit ErrorChart(QWidget *parent = nullptr);
    ~ErrorChart() override;

    ChartAxis &leftAxis();
    ChartAxis &bottomAxis();

    // The series OutError.
    void clearPoints();
    // Keeps the points in X order: a point not lower than the last one is
    // appended, any other goes after the last point whose X is not greater.
    // Inline: a lesson adds one point per iteration.
    void addPoint(double x, double y)
    {
        stored.add(x, y);
        if (!repaintQueued)
            markDirty();
    }
    // The points (x, ys[0]), (x + 1, ys[1]), ... as addPoint() would add them.
    void addPoints(int64_t x, const float *ys, std::size_t n)
    {
        stored.addRun(x, ys, n);
        if (!repaintQueued)
            markDirty();
    }
    // The points (x, period[k % n]) for k = 0 .. count - 1, as addPoints()
    // would add them, in time that does not grow with `count`.
    void addRepeatingPoints(int64_t x, const float *period, std::size_t n, int64_t count)
    {
        stored.addRepeating(x, period, n, count);
        if (!repaintQueued)
            markDirty();
    }
    int64_t pointCount() const;
    // The points as a lesson file keeps them, and back: false, with the
    // points as they were, for bytes that no store wrote.
    QByteArray pointsToBytes() const { return stored.toBytes(); }
    bool restorePoints(QByteArrayView bytes);
    // Every point the store keeps, in iteration order.
    QList<QPointF> keptPoints() const { return stored.keptPoints(); }
    // Memory held by the stored points, in bytes.
    std::size_t seriesBytes() const;

    // Points actually handed to Qt Charts at the last paint.
    int drawnPointCount() const;
    // The Qt series that shows the drawn points (read-only use).
    const QLineSeries *drawnSeries() const { return series; }

    // The right-click menu, for teachers who want the picture elsewhere.
    // Its texts, the save dialog's and the save error follow the interface language.
    void setTexts(const PictureMenuTexts &texts) { pictures.setTexts(texts); }
    // Actions of the owner, listed after the chart's own.
    void setExtraMenuActions(QList<QAction *> actions) { pictures.setExtraActions(std::move(actions)); }
    std::unique_ptr<QMenu> buildContextMenu() { return pictures.build(); }
    // Raises AppError, with the system's reason, when the file cannot be
    // written; a file already there stays as it was.
    void saveImage(const QString &path) { pictures.save(path); }
    void copyImage() { pictures.copy(); }
    // The tip for the mouse at `position` (in the viewport): the iteration
    // and error of the drawn point nearest to it; empty outside the plot.
    // The pixels the plot's edges cut through count as inside.
    QString tipAt(QPointF position) const;

    // The columns the last paint split the iteration axis into.
    const ErrorSeries::Columns &drawnColumns() const { return columns; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    [[gnu::cold]] void markDirty(); // once per paint, not per point
    void refreshDrawnPoints();
    void fitToSize();
    // Shows the tip for `position` in the viewport, or hides it outside the plot.
    void showTipAt(QPoint position, QPoint globalPosition);

    ErrorSeries stored;  // a member, not behind a pointer: one load less per point
    QLineSeries *series; // owned by the chart
    ChartAxis left;
    ChartAxis bottom;
    bool repaintQueued = false;
    int drawn = 0;
    QList<QPointF> drawnPoints; // as the store gave them, before clipping
    PictureMenu pictures{*this, QStringLiteral("tivaro.png")};

    // What the drawn points were built from; rebuilt when any of it changes.
    struct DrawnFrom {
        uint64_t version = ~uint64_t{0};
        double xFrom = 0, xTo = 0, yFrom = 0, yTo = 0;
        double plotLeft = 0, plotWidth = 0;
        bool operator==(const DrawnFrom &) const = default;
    } drawnFrom;
    ErrorSeries::Columns columns{ErrorSeries::firstShownX, 1, 1};
};
