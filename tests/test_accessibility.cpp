// Keyboard use and the names a screen reader announces.

#include "gui_fixture.h"

#include "chart/error_chart.h"
#include "info/description_window.h"
#include "ui_description_window.h"

#include <QAccessible>
#include <QDockWidget>
#include <QGroupBox>
#include <QTest>
#include <QTimer>

namespace {

QString spokenName(QWidget *control)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void editsAreNamedByTheirLabelsInEveryLanguage()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        QCOMPARE(spokenName(c.in1Edit), QStringLiteral("input 1"));
        QCOMPARE(spokenName(c.weight2Edit), QStringLiteral("weight 2"));
        QCOMPARE(spokenName(c.thresholdEdit), QStringLiteral("threshold:"));
        QCOMPARE(spokenName(c.repeatEdit), QStringLiteral("Wiederholungen:"));
        QCOMPARE(spokenName(c.lessonCntEdit), QStringLiteral("Abgelaufen:"));
        QCOMPARE(spokenName(c.targetMemo), QStringLiteral("Das Ziel (target)"));
        QCOMPARE(spokenName(c.lessonB), QStringLiteral("Lektion starten"));
        wb.click(c.enRB);
        QCOMPARE(spokenName(c.repeatEdit), QStringLiteral("Repeat :"));
        QCOMPARE(spokenName(c.lessonB), QStringLiteral("Start the lesson"));
        QCOMPARE(spokenName(c.errGraphCB), QStringLiteral("Show the error graph"));
        QVERIFY(spokenName(c.errorChart).contains(QStringLiteral("Iterations")));
        QVERIFY(!spokenName(c.diagramImage).isEmpty());

        wb.click(c.biasCBox);
        QCOMPARE(spokenName(wb.bias().weight0Edit), QStringLiteral("weight 0"));
        QCOMPARE(spokenName(wb.bias().biasEdit), QStringLiteral("Bias"));
        QCOMPARE(wb.bias().weight0Edit->objectName(), QStringLiteral("weight0Edit"));
    }

    void namesFollowTheCaptionsInBothWindows_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("close");
        QTest::newRow("German") << "deRB"
                                << "Ende"
                                << "Schliessen";
        QTest::newRow("English") << "enRB"
                                 << "End"
                                 << "Close";
        QTest::newRow("Slovak") << "skRB"
                                << "Koniec"
                                << "Zatvor";
    }
    void namesFollowTheCaptionsInBothWindows()
    {
        QFETCH(QString, radio);
        QFETCH(QString, end);
        QFETCH(QString, close);
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        // Through every language to this one, so that names must follow.
        for (const char *other : {"skRB", "enRB", "deRB"})
            wb.click(wb.window().findChild<QAbstractButton *>(QString::fromLatin1(other)));
        wb.click(wb.window().findChild<QAbstractButton *>(radio));
        QCOMPARE(spokenName(c.endB), end);
        for (QAbstractButton *button : wb.window().findChildren<QAbstractButton *>()) {
            if (button->window() != &wb.window())
                continue;
            // The docks' own buttons have no caption: Qt names them, in
            // the language chosen.
            if (qobject_cast<QDockWidget *>(button->parentWidget()))
                QVERIFY(spokenName(button) == QDockWidget::tr("Float") ||
                        spokenName(button) == QDockWidget::tr("Close"));
            else
                QCOMPARE(spokenName(button), button->text());
        }
        QCOMPARE(spokenName(c.spracheRG), c.spracheRG->title());

        DescriptionWindow *description = wb.window().descriptionWindow();
        QString closeName;
        QTimer::singleShot(0, description, [&] {
            closeName = spokenName(description->controls().end2B);
            description->controls().end2B->click();
        });
        wb.click(c.descriptionB);
        QCOMPARE(closeName, close);
    }

    void everyControlCarriesItsLayoutName()
    {
        Workbench wb;
        for (QWidget *child : wb.window().findChildren<QWidget *>()) {
            if (child->parentWidget() == &wb.window() || child->parentWidget() == wb.c().lessonPanel ||
                child->parentWidget() == wb.c().settingsPanel)
                QVERIFY2(!child->objectName().isEmpty(), child->metaObject()->className());
        }
        QCOMPARE(wb.c().errorChart->objectName(), QStringLiteral("errorChart"));
    }

    void buttonsAndBoxesWorkFromTheKeyboard()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&wb.window()));
        c.errGraphCB->setFocus();
        QTest::keyClick(c.errGraphCB, Qt::Key_Space);
        QVERIFY(c.errGraphCB->isChecked());
        QVERIFY(!c.errorChart->isHidden());
        c.andGateB->setFocus();
        QTest::keyClick(c.andGateB, Qt::Key_Space);
        QCOMPARE(c.infoLab->text(), QStringLiteral("AND gate"));
        c.lessonB->setFocus();
        QTest::keyClick(c.lessonB, Qt::Key_Space);
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0 / 100"));
        c.deRB->setFocus();
        QTest::keyClick(c.deRB, Qt::Key_Space);
        QVERIFY(c.deRB->isChecked());
        QTest::keyClick(c.deRB, Qt::Key_Right);
        QVERIFY(c.enRB->isChecked());
        QCOMPARE(c.endB->text(), QStringLiteral("End"));
        // Typing into an edit runs its handler keystroke by keystroke.
        c.repeatEdit->setFocus();
        c.repeatEdit->selectAll();
        QTest::keyClicks(c.repeatEdit, QStringLiteral("25"));
        QCOMPARE(c.errorChart->bottomAxis().maximum(), 25.0);
        QVERIFY(wb.reports.errors.isEmpty());
    }
};

TIVARO_GUI_TEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
