// The worked step: its numbers against the real neuron and the real lesson
// rule, the note where decimals and floats part, and the view driven through
// the real main window.

#include "gui_fixture.h"

#include "chart/error_chart.h"
#include "lesson/perceptron_rule.h"
#include "lesson/worked_step_rule.h"
#include "runtime/app_error.h"
#include "workbench/lesson_progress.h"
#include "worked_step/step_description.h"
#include "worked_step/worked_step_view.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMenu>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <limits>
#include <random>

namespace {

// The number at the end of a shown line ("… = −0,25", marked or not);
// empty where the line ends in another word (overflow).
std::optional<float> resultOf(const QString &line)
{
    QString text = line.section(QStringLiteral(" = "), -1);
    if (text.endsWith(QStringLiteral(" *")))
        text.chop(2);
    text.replace(QChar(0x2212), u'-');
    const auto value = numtext::tryParseFloat(text);
    if (!value)
        return std::nullopt;
    return static_cast<float>(*value);
}

QString lineStarting(const QStringList &lines, const QString &start)
{
    for (const QString &line : lines)
        if (line.startsWith(start))
            return line;
    return {};
}

// Bit for bit, but for the sign of zero, which the view does not write.
bool sameBits(float a, float b)
{
    return a == b;
}

// Every magnitude, with a share of plain eighths and of huge values whose
// sums and updates leave the float range.
float randomValue(std::mt19937 &random)
{
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_int_distribution<int> exponent(-45, 38);
    std::discrete_distribution<int> shape({5, 3, 1});
    switch (shape(random)) {
    case 0: return std::round(unit(random) * 16.0f) / 8.0f;
    case 1: return static_cast<float>(unit(random) * std::pow(10.0L, exponent(random)));
    default: return std::copysign(std::numeric_limits<float>::max(), unit(random)) * 0.75f;
    }
}

} // namespace

class TestWorkedStep : public QObject {
    Q_OBJECT

private slots:
    void shownNumbersAreTheNeuronsOwn()
    {
        numtext::setDecimalSeparator(u',');
        std::mt19937 random(20);
        std::bernoulli_distribution coin;
        int overflows = 0, stays = 0;
        for (const OutputKind kind : {OutputKind::Step, OutputKind::Linear, OutputKind::Sigmoid}) {
            for (const bool bias : {false, true}) {
                for (int i = 0; i < 1500; ++i) {
                    Neuron neuron(bias ? 3 : 2);
                    neuron.AnalogOutput = kind != OutputKind::Step;
                    neuron.ActivationMode = kind == OutputKind::Sigmoid ? 1 : 0;
                    neuron.Threshold = coin(random) ? randomValue(random) : 0.5f;
                    for (int k = 0; k < neuron.InputCount; ++k)
                        neuron.SetWeight(k, randomValue(random));
                    neuron.SetInput(2, 1.0f);
                    const Pattern pattern{coin(random) ? 1.0f : 0.0f, coin(random) ? randomValue(random) : 1.0f,
                                          coin(random) ? 1.0f : 0.0f};
                    const float rate = coin(random) ? 0.1f : randomValue(random);
                    neuron.SetInput(0, pattern.In1);
                    neuron.SetInput(1, pattern.In2);
                    const WorkedStep given = lessonStep(neuron, pattern, 3, rate);
                    const QStringList lines = describeStep(workOut(given), Language::English).split(u'\n');
                    const QString context = lines.join(QStringLiteral(" | "));

                    // The sum and the output as the neuron computes them.
                    std::optional<float> sum, output;
                    try {
                        sum = neuron.WeightedSum();
                        output = neuron.Output();
                    } catch (const AppError &) {
                    }
                    const auto shownSum = resultOf(lineStarting(lines, QStringLiteral("Sum: ")));
                    QVERIFY2(shownSum.has_value() == sum.has_value(), qPrintable(context));
                    if (sum)
                        QVERIFY2(sameBits(*shownSum, *sum), qPrintable(context));
                    const QString outputLine = lineStarting(lines, QStringLiteral("Output: "));
                    if (output && kind == OutputKind::Step)
                        QVERIFY2(outputLine.startsWith(*output == 1.0f ? QStringLiteral("Output: 1, because")
                                                                       : QStringLiteral("Output: 0, because")),
                                 qPrintable(context));
                    else if (output)
                        QVERIFY2(sameBits(*resultOf(outputLine), *output), qPrintable(context));
                    if (!output) {
                        ++overflows;
                        QVERIFY2(context.contains(QStringLiteral("overflow")), qPrintable(context));
                        continue;
                    }

                    // The error and the updates as the lesson rule makes them.
                    bool raised = false;
                    float error = 0.0f;
                    try {
                        error = exactIteration(neuron, pattern, rate);
                    } catch (const AppError &) {
                        raised = true;
                        ++overflows;
                    }
                    QCOMPARE(context.contains(QStringLiteral("overflow")), raised);
                    if (!raised) {
                        QVERIFY2(sameBits(*resultOf(lineStarting(lines, QStringLiteral("Error: "))), error),
                                 qPrintable(context));
                        const bool stay = error == 0.0f;
                        stays += stay;
                        QCOMPARE(lines.contains(QStringLiteral("The error is 0: the weights stay.")), stay);
                    }
                    static const QString names[] = {QStringLiteral("w1: "), QStringLiteral("w2: "),
                                                    QStringLiteral("w0: ")};
                    for (int k = 0; k < neuron.InputCount; ++k) {
                        // Weights updated before an overflow are shown as stored.
                        if (const auto shown = resultOf(lineStarting(lines, names[k])))
                            QVERIFY2(sameBits(*shown, neuron.GetWeight(k)), qPrintable(context));
                    }
                }
            }
        }
        QVERIFY(overflows > 50 && stays > 50);
    }

    void roundingIsNotedWhereDecimalsDisagree()
    {
        numtext::setDecimalSeparator(u'.');
        WorkedStep step;
        step.values = {1.0f, 1.0f, 1.0f};
        step.weights = {0.1f, 0.2f, 0.0f};
        step.threshold = 0.5f;
        // 0.1 + 0.2 = 0.3 holds in decimals, though no float is exactly that.
        QCOMPARE(
            describeStep(workOut(step), Language::English),
            QStringLiteral("Inputs: x1 = 1, x2 = 1\nSum: 0.1·1 + 0.2·1 = 0.3\nOutput: 0, because 0.3 ≤ threshold 0.5"));
        // 100000000 + 1 is stored as 100000000: said, not hidden.
        step.weights = {1e8f, 1.0f, 0.0f};
        step.kind = OutputKind::Linear;
        const QStringList lines = describeStep(workOut(step), Language::English).split(u'\n');
        QCOMPARE(lines.at(1), QStringLiteral("Sum: 100000000·1 + 1·1 = 100000000 *"));
        QVERIFY(lines.last().startsWith(QStringLiteral("* not exact in decimals")));
    }

    void lessonOverflowIsShownWhereItHappened()
    {
        // AND, linear output, rate 2, weights 0: iteration 324 (pattern 1)
        // leaves the float range, in the middle of a run.
        Workbench wb;
        wb.window().views().toggleWorkedStepView();
        wb.click(wb.c().andGateB);
        wb.type(wb.c().weight1Edit, QStringLiteral("0"));
        wb.type(wb.c().weight2Edit, QStringLiteral("0"));
        wb.type(wb.c().lRateEdit, QStringLiteral("2"));
        wb.type(wb.c().repeatEdit, QStringLiteral("1000"));
        wb.click(wb.c().lessonB);
        QCOMPARE(wb.reports.takeError(), QStringLiteral("Floating point overflow."));
        const QString text = wb.window().views().workedStepView()->description();
        QVERIFY2(text.startsWith(QStringLiteral("Muster 1: ")) && text.contains(QStringLiteral("w1: ")) &&
                     text.contains(QStringLiteral(" = Überlauf\n")),
                 qPrintable(text));
    }

    void followsALongLessonAtTheDialogsPace()
    {
        Workbench wb;
        wb.window().views().toggleWorkedStepView();
        wb.click(wb.c().andGateB);
        // A linear lesson that unlearns never repeats itself, so it runs on.
        wb.type(wb.c().lRateEdit, QStringLiteral("-0,0000001"));
        wb.type(wb.c().repeatEdit, QStringLiteral("2000000000"));
        LessonProgress::setShowDelayMs(0);
        // Once the dialog is up: what the view shows, then Cancel.
        QString during;
        QTimer::singleShot(150, qApp, [&] {
            during = wb.window().views().workedStepView()->description();
            for (QWidget *window : QApplication::topLevelWidgets())
                if (auto *dialog = qobject_cast<QProgressDialog *>(window); dialog && dialog->isVisible())
                    dialog->cancel();
        });
        wb.click(wb.c().lessonB);
        LessonProgress::setShowDelayMs(500);
        QVERIFY2(during.contains(QStringLiteral("\nFehler: ")), qPrintable(during));
        const QString after = wb.window().views().workedStepView()->description();
        QVERIFY(after.startsWith(QStringLiteral("Muster %1: ").arg(wb.state().patternIndex())));
        QVERIFY(after.contains(QStringLiteral("\nFehler: ")));
        QVERIFY(wb.state().lessonTotal() < 2000000000);
    }

    void followsTheWorkbenchThroughF3()
    {
        Workbench wb;
        MainWindow &form = wb.window();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(!form.views().workedStepView());

        // F3 from inside an edit opens it, titled in German.
        wb.c().weight1Edit->setFocus();
        QTest::keyClick(wb.c().weight1Edit, Qt::Key_F3);
        WorkedStepView *view = form.views().workedStepView();
        QVERIFY(view && view->isVisible());
        QCOMPARE(view->parentWidget(), form.views().workedStepDock());
        QCOMPARE(view->windowTitle(), QStringLiteral("Rechenweg"));
        QCOMPARE(form.views().workedStepDock()->windowTitle(), QStringLiteral("Rechenweg"));
        QVERIFY(view->description().startsWith(QStringLiteral("Eingaben: "))); // random inputs, no pattern
        // Docked beside the window's own content, never over it.
        QVERIFY(!form.views().workedStepDock()->geometry().intersects(form.centralWidget()->geometry()));

        // AND, step output, weights 0,25 and −0,5, threshold 0,3, a lesson of
        // 4. (Unticking the box first: it shows the neuron's own weights.)
        wb.click(wb.c().andGateB);
        QVERIFY(view->description().startsWith(QStringLiteral("Muster 1: x1 = 1, x2 = 1, Ziel 1\n")));
        wb.click(wb.c().showAnalogCBox);
        wb.type(wb.c().weight1Edit, QStringLiteral("0,25"));
        wb.type(wb.c().weight2Edit, QStringLiteral("-0,5"));
        wb.type(wb.c().thresholdEdit, QStringLiteral("0,3"));
        wb.type(wb.c().repeatEdit, QStringLiteral("4"));
        wb.click(wb.c().lessonB);
        const QString german = QStringLiteral("Muster 1: x1 = 1, x2 = 1, Ziel 1\n"
                                              "Summe: 0,25·1 − 0,5·1 = −0,25\n"
                                              "Ausgabe: 0, weil −0,25 ≤ Schwelle 0,3\n"
                                              "Fehler: 1 − 0 = 1\n"
                                              "w1: 0,25 + 0,1 · 1 · 1 = 0,35\n"
                                              "w2: −0,5 + 0,1 · 1 · 1 = −0,4");
        QCOMPARE(view->description(), german);
        QCOMPARE(view->accessibleDescription(), german);
        QCOMPARE(view->findChild<QLabel *>()->accessibleDescription(), german);

        // The next pattern: presented, nothing learned.
        wb.click(wb.c().nextPatternB);
        QVERIFY(view->description().startsWith(QStringLiteral("Muster 2: x1 = 0, x2 = 1, Ziel 0\n")));
        QVERIFY(!view->description().contains(QStringLiteral("Fehler")));

        // Many chunks: the view shows the lesson's very last iteration.
        wb.type(wb.c().repeatEdit, QStringLiteral("100001"));
        wb.click(wb.c().lessonB);
        const QStringList lines = view->description().split(u'\n');
        QVERIFY(lines.first().startsWith(QStringLiteral("Muster 2: ")));
        const QString last = lines.last().startsWith(u'w') ? lines.last() : QString();
        if (!last.isEmpty())
            QVERIFY(sameBits(*resultOf(last), wb.neuron().GetWeight(1)));

        // Titles and entries follow the language; the numbers stay.
        const struct {
            QAbstractButton *button;
            const char16_t *title, *entry;
        } languages[] = {
            {wb.c().enRB, u"Worked step", u"Show worked step"},
            {wb.c().skRB, u"Postup výpočtu", u"Ukáž postup výpočtu"},
            {wb.c().deRB, u"Rechenweg", u"Rechenweg zeigen"},
        };
        for (const auto &language : languages) {
            wb.click(language.button);
            QCOMPARE(view->windowTitle(), QString::fromUtf16(language.title));
            QCOMPARE(form.views().workedStepViewAction()->text(), QString::fromUtf16(language.entry));
        }
        wb.click(wb.c().skRB);
        wb.click(wb.c().andGateB);
        wb.type(wb.c().weight1Edit, QStringLiteral("0,25"));
        wb.type(wb.c().weight2Edit, QStringLiteral("-0,5"));
        wb.type(wb.c().repeatEdit, QStringLiteral("4"));
        wb.click(wb.c().lessonB);
        QVERIFY2(view->description().endsWith(QStringLiteral("Chyba: 1 − 0 = 1\n"
                                                             "w1: 0,25 + 0,1 · 1 · 1 = 0,35\n"
                                                             "w2: −0,5 + 0,1 · 1 · 1 = −0,4")),
                 qPrintable(view->description()));
        QVERIFY(!view->description().contains(u'.'));

        // The entry sits in the diagram's, the chart's and the view's menus.
        QVERIFY(wb.c().diagramImage->actions().contains(form.views().workedStepViewAction()));
        QVERIFY(wb.c().errorChart->buildContextMenu()->actions().contains(form.views().workedStepViewAction()));
        QVERIFY(view->buildContextMenu()->actions().contains(form.views().workedStepViewAction()));

        // F3 again, from inside an edit, closes it.
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        wb.c().thresholdEdit->setFocus();
        QTest::keyClick(wb.c().thresholdEdit, Qt::Key_F3);
        QVERIFY(!view->isVisible());
        QVERIFY(!form.views().workedStepViewAction()->isChecked());
        QVERIFY2(wb.reports.errors.isEmpty(), qPrintable(wb.reports.errors.join(u'|')));
    }
};

TIVARO_GUI_TEST_MAIN(TestWorkedStep)
#include "test_worked_step.moc"
