// The error chart on the main window after long lessons: the line drawn,
// the picture and the hover tip against the errors the rule gives.

#include "gui_fixture.h"

#include "chart/axis_labels.h"
#include "chart/error_chart.h"
#include "chart_reference.h"
#include "lesson/perceptron_rule.h"

#include <QLineSeries>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>

using namespace chart_reference;

namespace {

// Graph, bias and sigmoid on, AND gate, every weight 0, learning rate 0.05,
// threshold 0.5: one lesson of `count`.
void sigmoidLesson(Workbench &wb, int count)
{
    Ui::MainWindow &c = wb.c();
    wb.window().show();
    wb.click(c.errGraphCB);
    wb.click(c.biasCBox);
    wb.click(c.sigmoidCB);
    wb.click(c.andGateB);
    wb.type(c.weight1Edit, QStringLiteral("0"));
    wb.type(c.weight2Edit, QStringLiteral("0"));
    wb.type(wb.bias().weight0Edit, QStringLiteral("0"));
    wb.type(c.lRateEdit, QStringLiteral("0,05"));
    wb.type(c.thresholdEdit, QStringLiteral("0,5"));
    wb.type(c.repeatEdit, QString::number(count));
    wb.click(c.lessonB);
    QVERIFY(wb.reports.errors.isEmpty());
}

// The same lesson by the rule itself, on a neuron of its own set up as the
// lesson left the workbench's.
std::vector<QPointF> referenceErrors(Workbench &wb, int count)
{
    Neuron reference(3);
    for (int i = 0; i < 3; ++i)
        reference.SetWeight(i, 0.0f);
    reference.SetInput(2, 1.0f);
    reference.Threshold = wb.neuron().Threshold;
    reference.AnalogOutput = wb.neuron().AnalogOutput;
    reference.ActivationMode = wb.neuron().ActivationMode;
    std::vector<QPointF> errors;
    int32_t index = 1;
    for (int i = 1; i <= count; ++i) {
        index = nextPatternIndex(index);
        errors.emplace_back(i, exactIteration(reference, wb.state().pattern(index), wb.state().learningRate()));
    }
    return errors;
}

QPointF viewportPointAt(ErrorChart &chart, QPointF value)
{
    return chart.mapFromScene(chart.chart()->mapToScene(chart.chart()->mapToPosition(value)));
}

void moveMouse(ErrorChart &chart, QPointF at)
{
    QMouseEvent move(QEvent::MouseMove, at, chart.viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(chart.viewport(), &move);
}

// The iteration a tip names, its digits grouped as on the axis.
int64_t shownIteration(const QString &tip)
{
    return axis_labels::numberLocale().toLongLong(tip.section(u'\n', 0, 0).section(QStringLiteral(": "), 1));
}

} // namespace

class ChartLessonsTest : public QObject {
    Q_OBJECT

private slots:
    // A million iterations, then the repeat count typed as 100: every one of
    // the first hundred points is drawn, and the one after.
    void typedRepeatShowsEveryPointOfTheRange()
    {
        Workbench wb;
        sigmoidLesson(wb, 1'000'000);
        wb.type(wb.c().repeatEdit, QStringLiteral("100"));
        ErrorChart &chart = *wb.c().errorChart;
        chart.grab();
        const std::vector<QPointF> errors = referenceErrors(wb, 101);
        QCOMPARE(chart.drawnSeries()->points(), QList<QPointF>(errors.begin(), errors.end()));
    }

    // The same painter given the stored line and every point of the list
    // draws the same picture, but for a few pixels where a straight stroke
    // across a pixel stands for many small steps.
    void pictureIsTheFullListsPicture()
    {
        Workbench wb;
        sigmoidLesson(wb, 200'000);
        ErrorChart &chart = *wb.c().errorChart;
        const QImage stored = chart.grab().toImage();
        const std::vector<QPointF> errors = referenceErrors(wb, 200'000);
        // The drawn line stays as it is until the points or the range change.
        const_cast<QLineSeries *>(chart.drawnSeries())->replace(QList<QPointF>(errors.begin(), errors.end()));
        const QImage full = chart.grab().toImage();
        QCOMPARE(stored.size(), full.size());
        int differing = 0;
        for (int y = 0; y < stored.height(); ++y)
            for (int x = 0; x < stored.width(); ++x)
                differing += stored.pixel(x, y) != full.pixel(x, y);
        QVERIFY2(differing <= 12, qPrintable(QString::number(differing)));
    }

    // The tip names the point under the mouse wherever it goes, the pixels
    // the plot's edges cut through included, and goes when the mouse leaves
    // the plot.
    void tipFollowsTheMouse()
    {
        Workbench wb;
        sigmoidLesson(wb, 120'000);
        ErrorChart &chart = *wb.c().errorChart;
        chart.grab();
        // Where text widths are fractional, the plot's edges cut through
        // pixels; here they are made to.
        chart.chart()->setPlotArea(chart.chart()->plotArea().adjusted(0.4, 0, -0.3, 0));
        chart.grab();
        const std::vector<QPointF> errors = referenceErrors(wb, 120'000);
        const double column = chart.drawnColumns().width;
        const auto checkTip = [&](double x) {
            const QString tip = QToolTip::text();
            QVERIFY2(QToolTip::isVisible() && tip.startsWith(QStringLiteral("Iterationen: ")), qPrintable(tip));
            const int64_t shown = shownIteration(tip);
            QVERIFY2(shown >= 1 && shown <= 120'000 && std::abs(double(shown) - x) <= 2 * column, qPrintable(tip));
            // Digits grouped as on the axis.
            QCOMPARE(tip.section(u'\n', 0, 0), QStringLiteral("Iterationen: ") + axis_labels::text(double(shown), 0));
            QCOMPARE(tip.section(u'\n', 1),
                     QStringLiteral("Fehler: ") + numtext::formatFixed(float(errors[std::size_t(shown) - 1].y())));
        };
        for (double x : {7.0, 30'000.0, 61'234.0, 119'500.0}) {
            moveMouse(chart, viewportPointAt(chart, QPointF(x, errors[std::size_t(x) - 1].y())));
            checkTip(x);
            if (QTest::currentTestFailed())
                return;
        }
        // The pixel columns the plot's left and right edges run through.
        const QRectF plot = chart.viewportTransform().mapRect(chart.chart()->mapRectToScene(chart.chart()->plotArea()));
        QVERIFY(plot.left() != std::floor(plot.left()) && plot.right() != std::floor(plot.right()));
        for (const auto &[x, pixel] :
             {std::pair{1.0, std::floor(plot.left())}, std::pair{120'000.0, std::ceil(plot.right()) - 1}}) {
            const QPointF onLine = viewportPointAt(chart, QPointF(x, errors[std::size_t(x) - 1].y()));
            moveMouse(chart, QPointF(pixel, onLine.y()));
            checkTip(x);
            if (QTest::currentTestFailed())
                return;
        }
        moveMouse(chart, QPointF(2, 2));
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    // A person moves the mouse onto the line and rests it there: the tip
    // stays up, in every language, until the mouse leaves the plot.
    void tipStaysWhileTheMouseRests()
    {
        Workbench wb;
        sigmoidLesson(wb, 48'559);
        QVERIFY(QTest::qWaitForWindowExposed(&wb.window()));
        ErrorChart &chart = *wb.c().errorChart;
        const QPointF point = referenceErrors(wb, 48'559)[48'199];
        for (QAbstractButton *language : {wb.c().deRB, wb.c().enRB, wb.c().skRB}) {
            wb.click(language);
            chart.grab(); // the axis titles laid out anew
            QTest::mouseMove(chart.viewport(), QPoint(2, 2));
            QTest::mouseMove(chart.viewport(), viewportPointAt(chart, point).toPoint());
            QTest::qWait(3000);
            const QString tip = QToolTip::text();
            QVERIFY2(QToolTip::isVisible(), qPrintable(language->text()));
            QVERIFY2(tip.startsWith(chart.bottomAxis().title() + QStringLiteral(": 48.")), qPrintable(tip));
            QVERIFY2(tip.section(u'\n', 1).startsWith(chart.leftAxis().title() + QStringLiteral(": ")),
                     qPrintable(tip));
        }
        QTest::mouseMove(chart.viewport(), QPoint(2, 2));
        QTRY_VERIFY(!QToolTip::isVisible());
    }
};

TIVARO_GUI_TEST_MAIN(ChartLessonsTest)
#include "test_chart_lessons.moc"
