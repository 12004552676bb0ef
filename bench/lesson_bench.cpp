// Times lessons on the lesson session alone (with the graph's store fed or
// not, and lessons that repeat themselves and finish at once), and what the
// window adds to them through the real lesson button (the progress dialog,
// the views beside the window); the chart's repaint after many points, the
// memory those points take, and the longest number texts a user can paste.
// Prints one line per measurement: NAME VALUE UNIT. Names given as arguments
// run only those measurements (series_bytes_1e7 comes with paint_1e7).

#include "chart/error_chart.h"
#include "chart/error_series.h"
#include "decision/decision_view.h"
#include "lesson/lesson_session.h"
#include "runtime/number_text.h"
#include "runtime/sigmoid_cursor.h"
#include "ui_common/application_setup.h"
#include "ui_common/report.h"
#include "ui_main_window.h"
#include "workbench/gate_loader.h"
#include "workbench/lesson_progress.h"
#include "workbench/main_window.h"
#include "workbench/side_views.h"
#include "workbench/window_context.h"
#include "worked_step/worked_step_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <initializer_list>
#include <limits>
#include <sched.h>
#include <vector>

namespace {

enum class Output { Step, Linear, Sigmoid };

int errorsSeen = 0;
QStringList only; // measurement names given on the command line; empty: all

// A delay no lesson reaches: the progress dialog stays hidden.
constexpr int64_t hiddenDialog = std::numeric_limits<int64_t>::max() / 2;

bool wanted(const char *name)
{
    return only.isEmpty() || only.contains(QLatin1String(name));
}

void setBox(QAbstractButton *box, bool checked)
{
    if (box->isChecked() != checked)
        box->click();
}

// A lesson's start: the gate, the bias input and the settings; all weights 0.
struct Start {
    Output output;
    Gate gate = AndGate;
    bool bias = true;
    const char *threshold = "0";
    const char *rate = "0.1";
};

// Starts that never come back to earlier weights within the lessons timed
// here, so that every iteration runs: a step output whose weights climb
// towards a far threshold, a linear one that unlearns and grows, a sigmoid
// one that learns slowly. None overflows.
Start unsettled(Output output)
{
    switch (output) {
    case Output::Step: return {output, AndGate, true, "1000", "0.0001"};
    case Output::Linear: return {output, AndGate, true, "0", "-0.0000001"};
    case Output::Sigmoid: break;
    }
    return {output, AndGate, true, "0", "0.000001"};
}

// The next lesson starts afresh (and, with the graph on, with an empty chart).
void prepare(MainWindow &form, const Start &start, bool graph, int64_t iterations)
{
    Ui::MainWindow &c = form.controls();
    setBox(c.biasCBox, start.bias);
    setBox(c.showAnalogCBox, start.output != Output::Step);
    setBox(c.sigmoidCB, start.output == Output::Sigmoid);
    setBox(c.errGraphCB, graph);
    gateButton(c, start.gate)->click();
    c.thresholdEdit->setText(QLatin1String(start.threshold));
    c.lRateEdit->setText(QLatin1String(start.rate));
    c.weight1Edit->setText(QStringLiteral("0"));
    c.weight2Edit->setText(QStringLiteral("0"));
    if (start.bias)
        form.biasControls().weight0Edit->setText(QStringLiteral("0"));
    c.repeatEdit->setText(QString::number(iterations));
}

void prepare(MainWindow &form, Output output, bool graph, int64_t iterations)
{
    prepare(form, unsettled(output), graph, iterations);
}

// CPU time of this program: other programs on a busy machine do not count.
double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

// A lesson that stopped early would time something else, so it counts as
// an error.
void checkRan(int64_t total, int64_t iterations)
{
    if (total == iterations)
        return;
    ++errorsSeen;
    std::fprintf(stderr, "error: the lesson ran %lld of %lld iterations\n", static_cast<long long>(total),
                 static_cast<long long>(iterations));
}

// Runs the lesson prepared for `iterations` through the lesson button.
double lessonSeconds(MainWindow &form, int64_t iterations)
{
    const double start = cpuSeconds();
    form.controls().lessonB->click();
    const double seconds = cpuSeconds() - start;
    checkRan(form.session().lessonTotal(), iterations);
    return seconds;
}

// What a lesson on the session alone takes from the user.
class StartSettings final : public LessonSettings {
public:
    StartSettings(const Start &start, int64_t iterations) : start(start), iterations(iterations) {}
    int64_t lessonTotal() const override { return 0; }
    AppError lessonTotalOutOfRange() const override { return errors::invalidInteger(QStringLiteral("0")); }
    int32_t repeatCount() const override { return static_cast<int32_t>(iterations); }
    float learningRate() const override { return numtext::parseFloat32(QLatin1String(start.rate)); }
    float threshold() const override { return numtext::parseFloat32(QLatin1String(start.threshold)); }
    uint8_t activationMode() const override { return start.output == Output::Sigmoid ? 1 : 0; }
    float weightAsShown(int) const override { return 0.0f; }

private:
    const Start &start;
    int64_t iterations;
};

// The graph's store fed as the chart feeds it, or nothing fed.
class StoreFeed final : public LessonObserver {
public:
    explicit StoreFeed(ErrorSeries *series) : series(series) {}
    void lessonStarts(int64_t, int64_t) override {}
    bool keepGoing(int64_t) override { return true; }
    bool wantsErrors() const override { return series != nullptr; }
    void errorsRun(int64_t first, std::span<const float> errors) override
    {
        series->addRun(first, errors.data(), errors.size());
    }
    void errorsRepeat(int64_t first, std::span<const float> period, int64_t count) override
    {
        series->addRepeating(first, period.data(), period.size(), count);
    }
    void stepWorked(const WorkedStep &) override {}
    void lessonEnded(const LessonEnd &) override {}

private:
    ErrorSeries *series;
};

// A lesson of `iterations` on a session of its own, from `start` with all
// weights 0, its errors to a store while `graph` is on.
double sessionLessonSeconds(const Start &start, bool graph, int64_t iterations)
{
    LessonSession session;
    session.makeNeuron(start.bias ? 3 : 2);
    session.neuron().AnalogOutput = start.output != Output::Step;
    session.loadGate(start.gate);
    ErrorSeries series;
    StoreFeed feed(graph ? &series : nullptr);
    const StartSettings settings(start, iterations);
    const double begin = cpuSeconds();
    session.runLesson(settings, feed);
    const double seconds = cpuSeconds() - begin;
    checkRan(session.lessonTotal(), iterations);
    return seconds;
}

void print(const char *name, double value, const char *unit)
{
    std::printf("%s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

struct LessonCase {
    const char *name;
    Output output;
    bool graph;
    bool window = true; // through the lesson button, or on the session alone
    bool decisionView = false;
    bool dialog = false; // the progress dialog shown from the start
    bool workedStepView = false;
};

// Best of a few runs: the machine's noise only ever adds time. The runs go
// round all the cases rather than case after case, so that a slow spell of
// a shared machine hurts every case alike and the ratios between them hold.
void benchLessons(MainWindow &form, std::initializer_list<LessonCase> cases, int64_t iterations = 10'000'000,
                  int rounds = 5)
{
    std::vector<double> best(cases.size(), std::numeric_limits<double>::infinity());
    for (int round = 0; round < rounds; ++round) {
        std::size_t i = 0;
        for (const LessonCase &lesson : cases) {
            if (wanted(lesson.name) && !lesson.window) {
                best[i] = std::min(best[i], sessionLessonSeconds(unsettled(lesson.output), lesson.graph, iterations));
            } else if (wanted(lesson.name)) {
                const bool viewOpen = form.views().decisionView() && form.views().decisionView()->isVisible();
                if (viewOpen != lesson.decisionView)
                    form.views().toggleDecisionView();
                const bool stepOpen = form.views().workedStepView() && form.views().workedStepView()->isVisible();
                if (stepOpen != lesson.workedStepView)
                    form.views().toggleWorkedStepView();
                QApplication::processEvents();
                prepare(form, lesson.output, lesson.graph, iterations);
                if (lesson.dialog)
                    LessonProgress::setShowDelayMs(0);
                best[i] = std::min(best[i], lessonSeconds(form, iterations));
                LessonProgress::setShowDelayMs(hiddenDialog);
            }
            ++i;
        }
    }
    std::size_t i = 0;
    for (const LessonCase &lesson : cases) {
        if (wanted(lesson.name))
            print(lesson.name, best[i] * 1e9 / double(iterations), "ns/iteration");
        ++i;
    }
}

// Lessons of 2^31 - 1 iterations with the graph on, from starts whose
// weights come back early to values they held before: the lesson finishes
// the repeating rest at once.
void benchSettled()
{
    constexpr int64_t iterations = 2147483647;
    const std::pair<const char *, Start> cases[] = {
        {"settled_step", {Output::Step, AndGate, true, "0", "0.1"}},
        {"settled_linear", {Output::Linear, AndGate, false, "0", "0.1"}},
        {"settled_sigmoid", {Output::Sigmoid, XorGate, true, "0", "0.1"}},
    };
    for (const auto &[name, start] : cases) {
        if (!wanted(name))
            continue;
        double best = std::numeric_limits<double>::infinity();
        for (int round = 0; round < 3; ++round)
            best = std::min(best, sessionLessonSeconds(start, true, iterations));
        print(name, best * 1e3, "ms");
    }
}

void benchPaint(MainWindow &form, const char *name, int64_t points)
{
    if (!wanted(name))
        return;
    prepare(form, Output::Step, true, points);
    QApplication::processEvents(); // the chart is shown and laid out, empty
    lessonSeconds(form, points);
    ErrorChart &chart = *form.controls().errorChart;
    // The first repaint after the lesson also builds the drawn line.
    const double start = cpuSeconds();
    chart.repaint();
    print(name, (cpuSeconds() - start) * 1e3, "ms");
}

// A lesson of 10^7 iterations with the graph on, saved to a file and opened
// again through the window, as Ctrl+S and Ctrl+O do once a name is chosen;
// the file's size beside them. A sigmoid lesson that learns slowly: its
// errors hardly repeat, the hardest chart to pack. On a window of its own:
// the weights earlier cases leave would make its sigmoid overflow.
void benchLessonFiles()
{
    if (!wanted("session_save_1e7") && !wanted("session_open_1e7"))
        return;
    MainWindow form;
    constexpr int64_t iterations = 10'000'000;
    prepare(form, Output::Sigmoid, true, iterations);
    lessonSeconds(form, iterations);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bench.tivaro"));
    double save = std::numeric_limits<double>::infinity(), open = save;
    for (int round = 0; round < 5; ++round) {
        double start = cpuSeconds();
        form.saveLesson(path);
        save = std::min(save, cpuSeconds() - start);
        start = cpuSeconds();
        form.openLesson(path);
        open = std::min(open, cpuSeconds() - start);
    }
    checkRan(form.session().lessonTotal(), iterations);
    print("session_save_1e7", save * 1e3, "ms");
    print("session_open_1e7", open * 1e3, "ms");
    std::printf("session_file_bytes_1e7 %lld bytes\n", static_cast<long long>(QFileInfo(path).size()));
}

// One extended-precision exponential, over arguments like the sigmoid's.
void benchExp()
{
    if (!wanted("exp_ns"))
        return;
    constexpr int calls = 10'000'000;
    volatile double sink = 0;
    Extended sum = 0;
    const Extended step = extended::fromDecimal("0.005"), shift = 5;
    const double start = cpuSeconds();
    for (int i = 0; i < calls; ++i)
        sum += extended::exp(Extended(i % 2000) * step - shift);
    const double ns = (cpuSeconds() - start) * 1e9 / calls;
    sink = static_cast<double>(sum);
    (void)sink;
    print("exp_ns", ns, "ns/call");
}

// Shares of a sigmoid lesson's iterations (the same arguments as in the
// sigmoid cases) that missed their cursor's cubic, and that fell back to
// the extended rule: one more, untimed lesson.
void benchSigmoidFallbacks()
{
    if (!wanted("sigmoid_fallback_share"))
        return;
    constexpr int64_t iterations = 10'000'000;
    const uint64_t fallbacksBefore = float32::sigmoidFallbacks;
    const uint64_t movesBefore = float32::sigmoidCursorMoves;
    sessionLessonSeconds(unsettled(Output::Sigmoid), false, iterations);
    const auto share = [](uint64_t count) { return 100.0 * double(count) / double(iterations); };
    print("sigmoid_cubic_miss_share", share(float32::sigmoidCursorMoves - movesBefore), "%");
    print("sigmoid_fallback_share", share(float32::sigmoidFallbacks - fallbacksBefore), "%");
}

// The store's memory for one lesson of 2^31 - 1 points at a total near
// 2^63, and the bound no number of points can exceed.
void benchSeriesBytes()
{
    if (!wanted("series_bytes_2e31"))
        return;
    ErrorSeries series;
    constexpr int64_t points = 2147483647;
    const int64_t total = std::numeric_limits<int64_t>::max() - points;
    // Chunk by chunk, as lessons hand their errors over.
    std::vector<float> errors(static_cast<std::size_t>(LessonSession::defaultChunk));
    for (std::size_t i = 0; i < errors.size(); ++i)
        errors[i] = (i & 1) ? -0.5f : 0.5f;
    for (int64_t done = 0; done < points;) {
        const int64_t count = std::min<int64_t>(points - done, LessonSession::defaultChunk);
        series.addRun(total + done + 1, errors.data(), static_cast<std::size_t>(count));
        done += count;
    }
    std::printf("series_bytes_2e31 %zu bytes\n", series.bytes());
    std::printf("series_bytes_most %zu bytes\n", ErrorSeries::mostBytes());
}

// Pasted texts of huge exponents and of a million digits, each parsed once:
// every one must feel instant.
void benchLongTexts()
{
    if (!wanted("parse_long_texts"))
        return;
    numtext::setDecimalSeparator(u'.');
    const QStringList texts{QStringLiteral("1e") + QString(100000, u'9'),
                            QStringLiteral("1") + QString(200000, u'0') + QStringLiteral("e-200000"),
                            QStringLiteral("0.") + QString(300000, u'0') + QStringLiteral("25e300001"),
                            QString(1000000, u'7') + QStringLiteral("e-1000000"),
                            QString(1000000, u'7') + QStringLiteral("x")};
    double slowest = 0;
    for (const QString &text : texts) {
        const double start = cpuSeconds();
        const bool parsed = numtext::tryParseFloat(text).has_value();
        slowest = std::max(slowest, cpuSeconds() - start);
        if (parsed == text.endsWith(u'x')) {
            ++errorsSeen;
            std::fprintf(stderr, "error: a long text parsed wrongly\n");
        }
    }
    print("parse_long_texts", slowest * 1e3, "ms (slowest text)");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // The views open where the plan puts them, not where a user left them.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    setUpApplication();
    only = QApplication::arguments().mid(1);
    // The starts are written with a dot.
    numtext::setDecimalSeparator(u'.');
    report::setSink([](report::Kind, const QString &, const QString &text) {
        ++errorsSeen;
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
    });
    // The progress dialog would add event processing to long lessons; the
    // cases that show it say so.
    LessonProgress::setShowDelayMs(hiddenDialog);

    // One processor for the whole run: a lesson moved to another one midway
    // starts over with cold caches and predictors, which made the figures
    // of whole runs differ by half.
    if (const int cpu = sched_getcpu(); cpu >= 0) {
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(cpu, &one);
        sched_setaffinity(0, sizeof one, &one);
    }

    MainWindow form;
    form.show();
    QApplication::processEvents();

    // The lesson itself, on the session with no window.
    benchLessons(form,
                 {{"step_off", Output::Step, false, false},
                  {"step_on", Output::Step, true, false},
                  {"linear_off", Output::Linear, false, false},
                  {"linear_on", Output::Linear, true, false},
                  {"sigmoid_off", Output::Sigmoid, false, false},
                  {"sigmoid_on", Output::Sigmoid, true, false}});
    benchSigmoidFallbacks();
    benchExp();

    // The decision view, then the worked step open beside the lesson: once
    // with the progress dialog out of the way, once with it showing from the
    // start, so the views follow the lesson at the dialog's pace. Each case
    // should match its closed one.
    benchLessons(form,
                 {{"step_off_closed", Output::Step, false},
                  {"step_off_view", Output::Step, false, true, true},
                  {"step_off_worked", Output::Step, false, true, false, false, true},
                  {"sigmoid_off_closed", Output::Sigmoid, false},
                  {"sigmoid_off_view", Output::Sigmoid, false, true, true},
                  {"sigmoid_off_worked", Output::Sigmoid, false, true, false, false, true}});
    benchLessons(form,
                 {{"sigmoid_off_dialog", Output::Sigmoid, false, true, false, true},
                  {"sigmoid_off_dialog_view", Output::Sigmoid, false, true, true, true},
                  {"sigmoid_off_dialog_worked", Output::Sigmoid, false, true, false, true, true}});

    // What a user gets from a lesson of seconds: the dialog on screen the
    // whole time, against the same lesson with it out of the way. The two
    // should match within a few percent.
    benchLessons(form,
                 {{"linear_long_hidden", Output::Linear, false},
                  {"linear_long_dialog", Output::Linear, false, true, false, true}},
                 400'000'000, 2);

    benchSettled();

    benchLessonFiles();
    benchPaint(form, "paint_1e5", 100'000);
    benchPaint(form, "paint_1e7", 10'000'000);
    if (wanted("paint_1e7"))
        std::printf("series_bytes_1e7 %zu bytes\n", form.controls().errorChart->seriesBytes());
    benchSeriesBytes();
    benchLongTexts();

    report::setSink({});
    return errorsSeen == 0 ? 0 : 1;
}
