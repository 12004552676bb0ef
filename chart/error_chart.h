#pragma once
// The error chart: a thin engine over Qt Charts with the contract the
// workbench relies on. Setting an axis, clearing or adding points only marks
// the chart dirty; it is drawn when the event loop paints.

#include <QChartView>
#include <QString>
#include <cstdint>
#include <memory>

class QValueAxis;
class QLineSeries;
class ErrorSeries;

// One axis of the chart. Changes take effect on screen at recompute().
class ChartAxis {
public:
    explicit ChartAxis(QValueAxis *axis, double minimum, double maximum, double increment);

    double minimum() const { return min; }
    double maximum() const { return max; }
    double increment() const { return step; }

    // Below minimum(): raises AppError "Axis Maximum Value must be >= Minimum"
    // and keeps the old maximum. The value it already has: nothing happens.
    void setMaximum(double value);
    // Negative: raises AppError "Axis increment must be >= 0".
    void setIncrement(double value);
    // Makes the working range exactly minimum() .. maximum() at once.
    void recompute();
    void setTitle(const QString &title);
    QString title() const;

    // The range the axis works with now (after the last recompute()).
    double workingMinimum() const;
    double workingMaximum() const;

private:
    QValueAxis *axis;   // owned by the chart
    double min, max, step;
    bool pending = true;
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
    void addPoint(double x, double y);
    int64_t pointCount() const;
    // Memory held by the stored points, in bytes.
    std::size_t seriesBytes() const;

    // Points actually handed to Qt Charts at the last paint.
    int drawnPointCount() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::unique_ptr<ErrorSeries> stored;
    // ... private details are free to change
};
