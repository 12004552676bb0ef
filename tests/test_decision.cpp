// The decision view: its line, its count of correct patterns against the
// real neuron, and the view driven through the real main window.

#include "gui_fixture.h"

#include "decision/decision_texts.h"
#include "decision/decision_view.h"
#include "lesson/gate_table.h"
#include "runtime/app_error.h"
#include "ui_common/dock_plan.h"
#include "workbench/diagram_image.h"

#include <QAction>
#include <QDockWidget>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <limits>
#include <random>

namespace {

Patterns patternsOf(int gate)
{
    Patterns patterns;
    for (int p = 1; p <= 4; ++p)
        patterns[std::size_t(p - 1)] = {float(gateValue(gate, p, 0)), float(gateValue(gate, p, 1)),
                                        float(gateValue(gate, p, 2))};
    return patterns;
}

// What the real neuron decides for the gate: the count, or empty when
// it overflows.
std::optional<int> neuronCount(const DecisionNeuron &shown, const Patterns &patterns)
{
    Neuron neuron(shown.bias ? 3 : 2);
    neuron.SetWeight(0, shown.weight1);
    neuron.SetWeight(1, shown.weight2);
    neuron.SetWeight(2, shown.biasWeight);
    neuron.SetInput(2, 1.0f);
    neuron.Threshold = shown.threshold;
    int correct = 0;
    try {
        for (const Pattern &p : patterns) {
            neuron.SetInput(0, p.In1);
            neuron.SetInput(1, p.In2);
            correct += neuron.Output() == p.Target;
        }
    } catch (const AppError &) {
        return std::nullopt;
    }
    return correct;
}

// Weights of every magnitude, from subnormal to near the float limit, and
// small ones near the patterns' ties.
DecisionNeuron randomNeuron(std::mt19937 &random, bool bias)
{
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_int_distribution<int> exponent(-45, 38);
    std::bernoulli_distribution wide(0.3);
    std::bernoulli_distribution huge(0.05);
    const auto draw = [&] {
        if (huge(random)) // sums of two of these leave the float range
            return std::copysign(std::numeric_limits<float>::max(), unit(random)) * 0.75f;
        if (!wide(random))
            return std::round(unit(random) * 8.0f) / 8.0f + (wide(random) ? unit(random) * 1e-7f : 0.0f);
        return static_cast<float>(unit(random) * std::pow(10.0L, exponent(random)));
    };
    DecisionNeuron n;
    n.weight1 = draw();
    n.weight2 = draw();
    n.biasWeight = draw();
    n.threshold = draw();
    n.bias = bias;
    return n;
}

bool hasEnds(const std::optional<PlaneSegment> &s, PlanePoint a, PlanePoint b)
{
    const auto near = [](PlanePoint p, PlanePoint q) {
        return std::abs(p.x1 - q.x1) < 1e-12 && std::abs(p.x2 - q.x2) < 1e-12;
    };
    return s && ((near(s->from, a) && near(s->to, b)) || (near(s->from, b) && near(s->to, a)));
}

} // namespace

class TestDecision : public QObject {
    Q_OBJECT

private slots:
    void lineIsClippedToThePlaneForEverySlope()
    {
        // Steep: 4·x1 − x2 = 1 enters at the bottom and leaves at the top.
        QVERIFY(hasEnds(clipLine(4, -1, 1), {0.125, -0.5}, {0.625, 1.5}));
        // Flat: x1 + 8·x2 = 4 runs from the left edge to the right edge.
        QVERIFY(hasEnds(clipLine(1, 8, 4), {-0.5, 4.5 / 8}, {1.5, 2.5 / 8}));
        // Vertical and horizontal.
        QVERIFY(hasEnds(clipLine(2, 0, 1), {0.5, -0.5}, {0.5, 1.5}));
        QVERIFY(hasEnds(clipLine(0, -2, -1), {-0.5, 0.5}, {1.5, 0.5}));
        // The diagonal through two corners is found once per corner.
        QVERIFY(hasEnds(clipLine(1, -1, 0), {-0.5, -0.5}, {1.5, 1.5}));
        // No line, a line beside the plane, one touching only a corner, and
        // coefficients so extreme that the edges' points are not finite.
        QVERIFY(!clipLine(0, 0, 1));
        QVERIFY(!clipLine(1, 0, 2));
        QVERIFY(!clipLine(1, 1, 3));
        QVERIFY(!clipLine(1e-320, 0, 1));
        // The neuron's own line moves by the bias weight while the bias is on.
        DecisionNeuron n{0.5f, 0.5f, 0.25f, 0.5f, true, OutputKind::Step};
        QVERIFY(hasEnds(decisionLine(n), {-0.5, 1.0}, {1.0, -0.5}));
        n.bias = false;
        QVERIFY(hasEnds(decisionLine(n), {-0.5, 1.5}, {1.5, -0.5}));
    }

    void correctCountIsWhatTheNeuronDecides()
    {
        std::mt19937 random(12);
        int overflows = 0;
        for (int gate = NandGate; gate <= XorGate; ++gate) {
            const Patterns patterns = patternsOf(gate);
            for (int i = 0; i < 4000; ++i) {
                const DecisionNeuron n = randomNeuron(random, i % 2 == 1);
                const auto expected = neuronCount(n, patterns);
                overflows += !expected;
                QCOMPARE(correctCount(n, patterns), expected);
            }
        }
        QVERIFY(overflows > 0); // the overflow path was met, without a raise
    }

    void xorIsNeverFullyDecided()
    {
        std::mt19937 random(7);
        const Patterns xorPatterns = patternsOf(XorGate);
        for (int i = 0; i < 20000; ++i)
            QVERIFY(correctCount(randomNeuron(random, i % 2 == 1), xorPatterns).value_or(0) < 4);
    }

    void descriptionReadsTheNumbersInTheUsersFormat()
    {
        numtext::setDecimalSeparator(u',');
        const auto andGate = std::optional<Patterns>(patternsOf(AndGate));
        DecisionNeuron n{0.5f, 0.5f, 0.25f, 0.5f, true, OutputKind::Step};
        QCOMPARE(describeDecision(n, andGate, Language::German),
                 QStringLiteral("0,5·x1 + 0,5·x2 + 0,25 = 0,5 — richtig: 2 von 4"));
        n = {0.5f, -0.25f, -0.125f, -0.5f, true, OutputKind::Sigmoid};
        numtext::setDecimalSeparator(u'.');
        QCOMPARE(describeDecision(n, std::nullopt, Language::English),
                 QStringLiteral("0.5·x1 − 0.25·x2 − 0.125 = −0.5"));
        // Every coefficient is the shortest decimal of its float, however
        // small or large.
        n = {-0.001f, 2.5e17f, 0, 0.5f, false, OutputKind::Step};
        QCOMPARE(describeDecision(n, std::nullopt, Language::English), QStringLiteral("−0.001·x1 + 2.5E17·x2 = 0.5"));
        // No line: the whole plane gets one decision.
        n = {0, 0, 1.0f, 0.5f, true, OutputKind::Linear};
        QCOMPARE(describeDecision(n, andGate, Language::Slovak),
                 QStringLiteral("žiadna priamka: obe váhy sú 0, celá rovina dáva 1 — správne: 1 zo 4"));
        // An overflowing sum is told, never raised.
        n = {3e38f, 3e38f, 0, 0.5f, false, OutputKind::Step};
        QVERIFY(describeDecision(n, andGate, Language::English)
                    .endsWith(QStringLiteral("— the sum overflows: no decision")));
    }

    void equationNeverContradictsTheCount()
    {
        // NAND, bias on, step output, weights 0, rate 0,1, 1000 iterations:
        // with two decimals the line read −0,20·x1 − 0,10·x2 + 0,20 = 0,00,
        // which puts (1, 0) on the line although the neuron decides it 1.
        Workbench wb;
        wb.click(wb.c().biasCBox);
        wb.click(wb.c().nandGateB);
        wb.click(wb.c().showAnalogCBox);
        for (QLineEdit *edit : {wb.c().weight1Edit, wb.c().weight2Edit, wb.bias().weight0Edit})
            wb.type(edit, QStringLiteral("0"));
        wb.type(wb.c().repeatEdit, QStringLiteral("1000"));
        wb.click(wb.c().lessonB);
        wb.window().views().toggleDecisionView();
        QCOMPARE(wb.window().views().decisionView()->description(),
                 QStringLiteral("−0,2·x1 − 0,1·x2 + 0,20000002 = 0 — richtig: 4 von 4"));
        QVERIFY(wb.reports.errors.isEmpty());
    }

    // Both views open on the screens schools have: a column beside the
    // window where the screen is wide enough, else a band below it, each
    // view as high as its content needs. A smaller screen has no room for
    // them: the plan that overflows it least.
    void viewsFitTheScreensSchoolsHave_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("beside"); // -1: wherever it overflows least
        QTest::addColumn<bool>("fits");
        QTest::newRow("1366×768") << QSize(1366, 768) << 1 << true;
        QTest::newRow("1280×800") << QSize(1280, 800) << 1 << true;
        QTest::newRow("1024×768") << QSize(1024, 768) << 0 << true;
        QTest::newRow("1024×600") << QSize(1024, 600) << -1 << false;
    }
    void viewsFitTheScreensSchoolsHave()
    {
        QFETCH(QSize, screen);
        QFETCH(int, beside);
        QFETCH(bool, fits);
        const QSize room = screen - QSize(4, 27); // a window manager's frame
        const QSize central(896, 523);
        // As the two views state their needs: the plane shrinks, the worked
        // step's lines wrap.
        const ViewNeed decision{200, 372, [](int width) { return width < 300 ? 205 : 190; }, 400};
        const ViewNeed worked{240, 572, [](int width) { return width >= 560 ? 110 : width >= 400 ? 140 : 190; }};
        const std::vector<ViewNeed> needs{decision, worked};
        const DockPlan plan = planDocks(room, central, needs, DockChrome{QSize(0, 20), QSize(20, 0), 6, 24});
        QCOMPARE(plan.fits, fits);
        QVERIFY(!fits || !plan.tabbed);
        if (beside >= 0)
            QCOMPARE(plan.where == DockPlan::Where::Beside, beside == 1);
        QVERIFY(plan.window.width() >= central.width() && plan.window.height() >= central.height());
        for (std::size_t i = 0; i < needs.size(); ++i) {
            QVERIFY(plan.viewSizes[i].width() >= needs[i].leastWidth);
            QVERIFY(plan.viewSizes[i].height() >= needs[i].heightAt(plan.viewSizes[i].width()));
        }
    }

    void ownersEntriesFollowAfterASeparator()
    {
        QWidget owner;
        DecisionView view(&owner);
        QAction entry(QStringLiteral("Show worked step"));
        view.setExtraMenuActions({&entry});
        const std::unique_ptr<QMenu> menu = view.buildContextMenu();
        QStringList entries;
        for (QAction *action : menu->actions())
            entries.append(action->text());
        QCOMPARE(entries,
                 (QStringList{QStringLiteral("Save image…"), QStringLiteral("Copy image"), QString(),
                              QStringLiteral("Show worked step")}));
    }

    void followsTheWorkbenchThroughF2AndLessons()
    {
        Workbench wb;
        MainWindow &form = wb.window();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(!form.views().decisionView()); // nothing exists before it is asked for

        // F2 while an edit has the focus opens the view, in German.
        wb.c().repeatEdit->setFocus();
        QTest::keyClick(wb.c().repeatEdit, Qt::Key_F2);
        DecisionView *view = form.views().decisionView();
        QVERIFY(view && view->isVisible());
        // Docked beside the window's own content, never over it.
        QVERIFY(!form.views().decisionDock()->geometry().intersects(form.centralWidget()->geometry()));
        QCOMPARE(view->windowTitle(), QStringLiteral("Entscheidungsgrenze"));
        QCOMPARE(view->parentWidget(), form.views().decisionDock());
        QVERIFY(!view->description().contains(QStringLiteral("von"))); // no gate yet

        // AND, step output, weights 0: one lesson of 100 decides all four.
        wb.click(wb.c().andGateB);
        wb.click(wb.c().showAnalogCBox); // step output
        wb.type(wb.c().weight1Edit, QStringLiteral("0"));
        wb.type(wb.c().weight2Edit, QStringLiteral("0"));
        wb.click(wb.c().lessonB);
        QVERIFY(wb.reports.errors.isEmpty());
        QVERIFY2(view->description().endsWith(QStringLiteral("richtig: 4 von 4")), qPrintable(view->description()));
        QCOMPARE(view->trail().size(), std::size_t(1));

        // XOR never settles, and the trail keeps the last ten lessons.
        wb.click(wb.c().xorGateB);
        QCOMPARE(view->trail().size(), std::size_t(0));
        for (int lesson = 0; lesson < 12; ++lesson) {
            wb.click(wb.c().lessonB);
            QVERIFY(!view->description().contains(QStringLiteral("4 von 4")));
        }
        QCOMPARE(view->trail().size(), DecisionView::trailLength);

        // Retitled at every language switch, with the menu entry.
        wb.click(wb.c().enRB);
        QCOMPARE(view->windowTitle(), QStringLiteral("Decision boundary"));
        QCOMPARE(form.views().decisionViewAction()->text(), QStringLiteral("Show decision boundary"));
        QVERIFY(view->description().contains(QStringLiteral("correct: ")));
        // Its own menu saves the picture as the teacher sees it, and closes
        // it; the diagram's menu carries the entry that opens it.
        QStringList entries;
        const std::unique_ptr<QMenu> menu = view->buildContextMenu();
        for (QAction *action : menu->actions())
            entries.append(action->text());
        QCOMPARE(entries,
                 (QStringList{QStringLiteral("Save image…"), QStringLiteral("Copy image"), QString(),
                              QStringLiteral("Show decision boundary")}));
        QTemporaryDir folder;
        view->saveImage(folder.filePath(QStringLiteral("decision.png")));
        QCOMPARE(QImage(folder.filePath(QStringLiteral("decision.png"))).size(), view->picture().size());
        QVERIFY(wb.c().diagramImage->actions().contains(form.views().decisionViewAction()));
        wb.click(wb.c().skRB);
        QCOMPARE(view->windowTitle(), QStringLiteral("Rozhodovacia hranica"));
        QCOMPARE(form.views().decisionViewAction()->text(), QStringLiteral("Ukáž rozhodovaciu hranicu"));

        // F2 again, focus still in an edit, closes it.
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        wb.c().thresholdEdit->setFocus();
        QTest::keyClick(wb.c().thresholdEdit, Qt::Key_F2);
        QVERIFY(!view->isVisible());
        QVERIFY(!form.views().decisionViewAction()->isChecked());
        QVERIFY(wb.reports.errors.isEmpty());
    }
};

TIVARO_GUI_TEST_MAIN(TestDecision)
#include "test_decision.moc"
