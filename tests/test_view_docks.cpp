// The two views beside the main window, opened with F2 and F3 on the
// screens schools have. The test runs once per screen, given as the
// offscreen platform's configuration; each screen is a title bar lower than
// the real one, as the offscreen windows have none. The views cover no
// control of the window and not each other, the window stays on the screen,
// and each view has the height its content takes; closed again, the window
// has its own size back.

#include "gui_fixture.h"

#include "decision/decision_view.h"
#include "worked_step/worked_step_view.h"

#include <QCheckBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

QRect placeIn(const QWidget *widget, const QWidget *window)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

} // namespace

class ViewDocksTest : public QObject {
    Q_OBJECT
private slots:
    void viewsCoverNothing_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::newRow("German") << "deRB";
        QTest::newRow("English") << "enRB";
        QTest::newRow("Slovak") << "skRB";
    }
    void viewsCoverNothing()
    {
        QFETCH(QString, radio);
        Workbench wb;
        MainWindow &form = wb.window();
        Ui::MainWindow &c = wb.c();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        wb.click(form.findChild<QAbstractButton *>(radio));
        // The longest worked step there is: three inputs, a lesson's
        // iteration with every result marked inexact.
        wb.click(c.biasCBox);
        wb.click(c.andGateB);
        wb.type(c.repeatEdit, QStringLiteral("3"));
        wb.click(c.lessonB);
        QTest::keyClick(c.repeatEdit, Qt::Key_F2);
        QTest::keyClick(c.repeatEdit, Qt::Key_F3);
        QApplication::processEvents();

        const QDockWidget *decision = form.views().decisionDock();
        const QDockWidget *worked = form.views().workedStepDock();
        QVERIFY(decision->isVisible() && worked->isVisible());
        QVERIFY(!decision->isFloating() && !worked->isFloating());
        QVERIFY(!decision->geometry().intersects(worked->geometry()));
        QVERIFY2(form.screen()->availableGeometry().contains(form.frameGeometry()),
                 qPrintable(QStringLiteral("window %1,%2 %3×%4")
                                .arg(form.frameGeometry().x())
                                .arg(form.frameGeometry().y())
                                .arg(form.frameGeometry().width())
                                .arg(form.frameGeometry().height())));
        for (const QWidget *control : form.centralWidget()->findChildren<QWidget *>()) {
            if (!qobject_cast<const QAbstractButton *>(control) && !qobject_cast<const QLineEdit *>(control) &&
                !qobject_cast<const QPlainTextEdit *>(control))
                continue;
            for (const QDockWidget *dock : {decision, worked})
                QVERIFY2(!dock->geometry().intersects(placeIn(control, &form)), qPrintable(control->objectName()));
        }
        for (const SideView *view : {static_cast<SideView *>(form.views().decisionView()),
                                     static_cast<SideView *>(form.views().workedStepView())})
            QVERIFY2(view->height() >= view->need().heightAt(view->width()),
                     qPrintable(QStringLiteral("%1: %2 < %3")
                                    .arg(view->windowTitle())
                                    .arg(view->height())
                                    .arg(view->need().heightAt(view->width()))));

        QTest::keyClick(c.repeatEdit, Qt::Key_F2);
        QTest::keyClick(c.repeatEdit, Qt::Key_F3);
        QVERIFY(!decision->isVisible() && !worked->isVisible());
        QCOMPARE(form.size(), QSize(896, 523));
        QVERIFY(wb.reports.errors.isEmpty());
    }

    // A view the user placed elsewhere stays there, in the next run too.
    void theUsersArrangementIsKept()
    {
        {
            Workbench wb;
            MainWindow &form = wb.window();
            form.show();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            form.views().toggleDecisionView();
            // As a drag away from the window leaves it.
            form.views().decisionDock()->setFloating(true);
            form.close();
        }
        Workbench wb;
        MainWindow &form = wb.window();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(!form.views().decisionDock()->isVisible()); // every view starts closed
        form.views().toggleDecisionView();
        QVERIFY(form.views().decisionDock()->isFloating());
        QVERIFY(form.screen()->availableGeometry().contains(form.frameGeometry()));
    }
};

TIVARO_GUI_TEST_MAIN(ViewDocksTest)
#include "test_view_docks.moc"
