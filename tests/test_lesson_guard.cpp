// While a long lesson runs its progress dialog's event loop, nothing of the
// user's gets in: no press, toggle or text of a screen reader reaches a
// handler or changes a control. Closing the window cancels the lesson, which
// ends as a cancelled lesson does, and then the window closes. The same hold
// keeps the window still under the description window and under an error
// message, and a close then waits for them.

#include "gui_fixture.h"

#include "chart/error_chart.h"
#include "decision/decision_view.h"
#include "info/description_window.h"
#include "ui_description_window.h"
#include "workbench/lesson_progress.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

namespace {

// What can be seen of one control of the main window.
struct Look {
    QString name;
    bool enabled;
    bool checked;
    QString text;
    bool operator==(const Look &) const = default;
};

QList<QWidget *> controlsOf(MainWindow &window)
{
    QList<QWidget *> controls;
    for (QWidget *w : window.findChildren<QWidget *>())
        if (w->window() == &window && !w->objectName().isEmpty())
            controls.append(w);
    return controls;
}

QList<Look> lookOf(MainWindow &window)
{
    QList<Look> looks;
    for (QWidget *w : controlsOf(window)) {
        Look look{w->objectName(), w->isEnabled(), false, {}};
        if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            look.checked = button->isChecked();
            look.text = button->text();
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            look.text = edit->text();
        } else if (auto *memo = qobject_cast<QPlainTextEdit *>(w)) {
            look.text = memo->toPlainText();
        }
        looks.append(look);
    }
    return looks;
}

// Everything a screen reader can do to a control.
void actOn(QWidget *control)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
    if (!accessible)
        return;
    if (QAccessibleActionInterface *actions = accessible->actionInterface()) {
        for (const QString &action :
             {QAccessibleActionInterface::pressAction(), QAccessibleActionInterface::toggleAction(),
              QAccessibleActionInterface::setFocusAction()})
            actions->doAction(action);
    }
    if (QAccessibleEditableTextInterface *text = accessible->editableTextInterface()) {
        const int length = accessible->textInterface() ? accessible->textInterface()->characterCount() : 0;
        text->replaceText(0, length, QStringLiteral("7"));
        text->insertText(0, QStringLiteral("9"));
        text->deleteText(0, 1);
    }
    accessible->setText(QAccessible::Value, QStringLiteral("5"));
}

QProgressDialog *progressOf(MainWindow &window)
{
    return window.findChild<QProgressDialog *>();
}

// The bias input on, the AND gate, step output, the error graph on: a lesson
// that never fails. `repeat` iterations, the progress showing at once.
void prepareLesson(Workbench &wb, const QString &repeat)
{
    Ui::MainWindow &c = wb.c();
    wb.click(c.biasCBox);
    wb.click(c.andGateB);
    wb.click(c.showAnalogCBox);
    wb.click(c.errGraphCB);
    wb.type(c.repeatEdit, repeat);
    LessonProgress::setShowDelayMs(0);
}

// What a lesson leaves behind.
struct Outcome {
    QString counter;
    QStringList edits;
    int64_t points;
    double axisMaximum;
    bool operator==(const Outcome &) const = default;
};

Outcome outcomeOf(Workbench &wb)
{
    Ui::MainWindow &c = wb.c();
    return {c.lessonCntEdit->text(),
            {c.weight1Edit->text(), c.weight2Edit->text(), wb.bias().weight0Edit->text(), c.in1Edit->text(),
             c.in2Edit->text(), c.outputEdit->text()},
            c.errorChart->pointCount(),
            c.errorChart->bottomAxis().maximum()};
}

} // namespace

class LessonGuardTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { LessonProgress::setShowDelayMs(500); }

    void screenReaderActionsChangeNothingDuringALesson()
    {
        const QString repeat = QStringLiteral("1000000");
        Workbench reference;
        prepareLesson(reference, repeat);
        reference.click(reference.c().lessonB);

        Workbench wb;
        Ui::MainWindow &c = wb.c();
        prepareLesson(wb, repeat);
        wb.window().show();
        const QList<Look> before = lookOf(wb.window());
        QList<Look> heldLook, afterActions;
        QStringList sensitive;
        bool dialogUp = false;
        QTimer::singleShot(0, &wb.window(), [&] {
            dialogUp = progressOf(wb.window()) && progressOf(wb.window())->isVisible();
            heldLook = lookOf(wb.window());
            for (QWidget *control : controlsOf(wb.window())) {
                if (!QAccessible::queryAccessibleInterface(control)->state().disabled)
                    sensitive.append(control->objectName());
                // The close button closes; that has a test of its own.
                if (control != c.endB)
                    actOn(control);
            }
            // F2, the decision view's key, is turned away too.
            for (QAction *action : wb.window().actions())
                if (action->shortcut() == QKeySequence(Qt::Key_F2))
                    action->trigger();
            afterActions = lookOf(wb.window());
        });
        wb.click(c.lessonB);

        QVERIFY(dialogUp);
        // Insensitive to a screen reader, all but the way out.
        QCOMPARE(sensitive,
                 QStringList({QStringLiteral("workbench"), QStringLiteral("lessonPanel"), QStringLiteral("endB")}));
        QCOMPARE(afterActions, heldLook);
        // No handler ran: no second lesson, no description window, no close,
        // nothing reported; and the lesson ended as an undisturbed one does.
        QVERIFY(!wb.window().descriptionWindow()->isVisible());
        QVERIFY(!wb.window().findChild<DecisionView *>());
        for (QAction *action : wb.window().actions())
            QVERIFY(!action->isChecked());
        QVERIFY(wb.window().isVisible());
        QVERIFY(wb.reports.errors.isEmpty() && wb.reports.notices.isEmpty());
        QCOMPARE(wb.state().lessonTotal(), int64_t(1000000));
        QCOMPARE(outcomeOf(wb), outcomeOf(reference));
        QCOMPARE(wb.window().language(), Language::German);
        QCOMPARE(wb.neuron().InputCount, 3);
        // Every control has its state back, own enabled states included.
        const QList<Look> after = lookOf(wb.window());
        QCOMPARE(after.size(), before.size());
        for (qsizetype i = 0; i < after.size(); ++i) {
            QCOMPARE(after[i].name, before[i].name);
            QCOMPARE(after[i].enabled, before[i].enabled);
            QCOMPARE(after[i].checked, before[i].checked);
        }
    }

    // A screen reader's actions reach the window as posted events, whenever
    // events are next handled. Those sent while a short lesson runs (no
    // dialog, so no event is handled until it ends) are turned away as
    // well, never carried out after it.
    void actionsSentDuringALessonAreNotCarriedOutAfterIt()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        prepareLesson(wb, QStringLiteral("1000"));
        LessonProgress::setShowDelayMs(60'000);
        wb.window().show();
        const QList<Look> before = lookOf(wb.window());
        for (QWidget *control : {static_cast<QWidget *>(c.biasCBox), static_cast<QWidget *>(c.lessonB),
                                 static_cast<QWidget *>(c.repeatEdit), static_cast<QWidget *>(c.enRB)})
            QMetaObject::invokeMethod(
                control, [control] { actOn(control); }, Qt::QueuedConnection);
        wb.click(c.lessonB);
        QTest::qWait(300); // a press clicks 100 ms after it arrives
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0 / 1000"));
        QVERIFY(wb.reports.errors.isEmpty());
        const QList<Look> after = lookOf(wb.window());
        for (qsizetype i = 0; i < after.size(); ++i) {
            if (after[i].name == QLatin1String("lessonCntEdit") || after[i].name.startsWith(QLatin1String("weight")) ||
                after[i].name.startsWith(QLatin1String("in")) || after[i].name == QLatin1String("outputEdit"))
                continue; // what the lesson itself shows
            QCOMPARE(after[i], before[i]);
        }
    }

    void theDescriptionWindowHoldsTheMainWindow()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.andGateB);
        wb.window().show();
        DescriptionWindow *description = wb.window().descriptionWindow();
        const QList<Look> before = lookOf(wb.window());
        QList<Look> heldLook, afterActions;
        QStringList sensitive;
        bool shown = false;
        QTimer::singleShot(0, description, [&] {
            shown = description->isVisible();
            heldLook = lookOf(wb.window());
            for (QWidget *control : controlsOf(wb.window())) {
                if (!QAccessible::queryAccessibleInterface(control)->state().disabled)
                    sensitive.append(control->objectName());
                actOn(control);
            }
            for (QAction *action : wb.window().actions())
                action->trigger();
            afterActions = lookOf(wb.window());
            // Its own button still answers.
            description->controls().end2B->click();
        });
        wb.click(c.descriptionB);

        QVERIFY(shown && !description->isVisible());
        QCOMPARE(sensitive, QStringList());
        QCOMPARE(afterActions, heldLook);
        // No bias, lesson, randomise, language switch, view or end got in.
        QVERIFY(wb.window().isVisible() && wb.state().hasNeuron());
        QVERIFY(!wb.window().findChild<DecisionView *>());
        QCOMPARE(wb.window().language(), Language::German);
        QCOMPARE(wb.neuron().InputCount, 2);
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0"));
        QVERIFY(wb.reports.errors.isEmpty() && wb.reports.notices.isEmpty());
        QCOMPARE(lookOf(wb.window()), before);

        // A close of the main window closes both.
        bool closedInside = true;
        QTimer::singleShot(0, description, [&] {
            wb.window().close();
            closedInside = !wb.window().isVisible();
        });
        wb.click(c.descriptionB);
        QVERIFY(!closedInside && !description->isVisible());
        QTRY_VERIFY(!wb.window().isVisible());
        QVERIFY(!wb.state().hasNeuron());
    }

    void aCloseWaitsForTheErrorMessage_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("window manager, just before the message") << "queued";
        QTest::newRow("window manager, while it is up") << "close";
        QTest::newRow("end button by a screen reader, while it is up") << "end";
    }
    void aCloseWaitsForTheErrorMessage()
    {
        QFETCH(QString, how);
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        // AND with the summed output, learning rate 2, weights 0: the
        // weights overflow within the lesson.
        wb.click(c.andGateB);
        wb.type(c.lRateEdit, QStringLiteral("2"));
        wb.type(c.weight1Edit, QStringLiteral("0"));
        wb.type(c.weight2Edit, QStringLiteral("0"));
        wb.type(c.repeatEdit, QStringLiteral("1000"));
        wb.window().show();
        QString message;
        bool upBehindTheMessage = false;
        QStringList sensitive;
        report::setSink([&](report::Kind, const QString &, const QString &text) {
            message = text;
            if (how == QLatin1String("close"))
                wb.window().close();
            else if (how == QLatin1String("end"))
                QAccessible::queryAccessibleInterface(c.endB)->actionInterface()->doAction(
                    QAccessibleActionInterface::pressAction());
            // What the message's own event loop would deliver meanwhile.
            QCoreApplication::processEvents();
            for (QWidget *control : controlsOf(wb.window()))
                if (!QAccessible::queryAccessibleInterface(control)->state().disabled)
                    sensitive.append(control->objectName());
            upBehindTheMessage = wb.window().isVisible() && wb.state().hasNeuron();
        });
        if (how == QLatin1String("queued"))
            QCoreApplication::postEvent(wb.window().windowHandle(), new QCloseEvent);
        wb.click(c.lessonB);

        QCOMPARE(message, QStringLiteral("Floating point overflow."));
        QVERIFY(upBehindTheMessage);
        QCOMPARE(sensitive, QStringList());
        if (how == QLatin1String("end")) {
            // Refused like every other control behind the message.
            QCoreApplication::processEvents();
            QVERIFY(wb.window().isVisible() && c.endB->isEnabled());
        } else {
            // Honoured once the message is gone.
            QTRY_VERIFY(!wb.window().isVisible());
            QVERIFY(!wb.state().hasNeuron());
        }
        report::setSink({});
    }

    void closingCancelsTheLessonThenCloses_data()
    {
        QTest::addColumn<bool>("byEndButton");
        QTest::newRow("window manager") << false;
        QTest::newRow("end button, by a screen reader") << true;
    }
    void closingCancelsTheLessonThenCloses()
    {
        QFETCH(bool, byEndButton);
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        prepareLesson(wb, QStringLiteral("2000000000"));
        // A linear output that unlearns: its weights never come back to
        // earlier ones, so the lesson runs until it is cancelled.
        wb.click(c.showAnalogCBox);
        wb.type(c.lRateEdit, QStringLiteral("-0,0000001"));
        wb.window().show();
        bool closedInside = true;
        QTimer::singleShot(0, &wb.window(), [&] {
            if (byEndButton)
                QAccessible::queryAccessibleInterface(c.endB)->actionInterface()->doAction(
                    QAccessibleActionInterface::pressAction());
            else
                wb.window().close();
            closedInside = !wb.window().isVisible() || !wb.state().hasNeuron();
        });
        wb.click(c.lessonB);

        // The lesson ended as Cancel ends it.
        QVERIFY(!closedInside);
        QVERIFY(wb.state().hasNeuron());
        const int64_t done = wb.state().lessonTotal();
        QVERIFY2(done > 0 && done < 2000000000, QByteArray::number(done));
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0 / %1").arg(done));
        QCOMPARE(c.errorChart->pointCount(), done);
        QCOMPARE(c.errorChart->bottomAxis().maximum(), double(done));
        QCOMPARE(c.weight1Edit->text(), numtext::formatFixed(wb.neuron().GetWeight(0)));
        // Then the window closes as usual.
        QTRY_VERIFY(!wb.window().isVisible());
        QVERIFY(!wb.state().hasNeuron());
        QVERIFY(wb.reports.errors.isEmpty());
    }
};

TIVARO_GUI_TEST_MAIN(LessonGuardTest)
#include "test_lesson_guard.moc"
