// The main window at start-up, the randomize and end buttons, the status line.

#include "gui_fixture.h"

#include "chart/error_chart.h"
#include "workbench/diagram_image.h"
#include "workbench/status_text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QTest>

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsInGermanWithTheStartTexts_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::newRow("comma") << QChar(u',');
        QTest::newRow("point") << QChar(u'.');
    }
    void startsInGermanWithTheStartTexts()
    {
        QFETCH(QChar, separator);
        Workbench wb(separator);
        Ui::MainWindow &c = wb.c();
        const auto local = [separator](QString text) { return text.replace(u',', separator); };
        QCOMPARE(c.repeatEdit->text(), QStringLiteral("100"));
        QCOMPARE(c.thresholdEdit->text(), local(QStringLiteral("0,500")));
        QCOMPARE(c.lRateEdit->text(), local(QStringLiteral("0,1")));
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0"));
        // Whatever the separator, the neuron really uses threshold 0.5.
        QCOMPARE(wb.neuron().Threshold, 0.5f);
        QCOMPARE(wb.neuron().InputCount, 2);
        QVERIFY(wb.neuron().AnalogOutput);
        QVERIFY(c.showAnalogCBox->isChecked());
        QCOMPARE(c.outputEdit->text(), numtext::formatFixed(wb.neuron().Output()));
        QCOMPARE(c.weight1Edit->text(), numtext::formatFixed(wb.neuron().GetWeight(0)));
        QCOMPARE(c.in2Edit->text(), numtext::formatFixed(wb.neuron().GetInput(1)));

        QCOMPARE(c.lessonB->text(), QStringLiteral("Lektion starten"));
        QCOMPARE(c.learningRateLab->text(), QStringLiteral("learning rate:"));
        QVERIFY(!c.deRB->isChecked() && !c.enRB->isChecked() && !c.skRB->isChecked());
        QCOMPARE(c.deRB->text(), QStringLiteral("DE"));
        QVERIFY(!c.lessonB->isEnabled());
        QVERIFY(!c.nextPatternB->isEnabled());
        QVERIFY(c.errorChart->isHidden());
        QVERIFY(!c.diagramImage->isHidden());
        QVERIFY(!c.diagramImage->picture().isNull());
        QCOMPARE(c.errorChart->bottomAxis().maximum(), 100.0);
        QCOMPARE(c.errorChart->pointCount(), int64_t(0));
        QCOMPARE(c.mesLab->text().size(), 31);
        QVERIFY(wb.reports.errors.isEmpty());
    }

    void layoutPlacesControlsAsDesigned()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        QCOMPARE(wb.window().size(), QSize(896, 523));
        QCOMPARE(wb.window().windowTitle(), QStringLiteral("Tivaro"));
        QCOMPARE(c.outputEdit->geometry(), QRect(297, 359, 87, 31));
        QCOMPARE(c.outputLab->pos(), QPoint(312, 334));
        QCOMPARE(c.errorChart->geometry(), c.diagramImage->geometry());
        QCOMPARE(c.diagramImage->geometry(), QRect(8, 8, 425, 209));
        QCOMPARE(c.repeatEdit->parentWidget(), c.lessonPanel);
        QCOMPARE(c.thresholdEdit->parentWidget(), c.settingsPanel);
        QCOMPARE(c.deRB->parentWidget(), wb.window().centralWidget());
        QVERIFY(c.spracheRG->geometry().contains(c.enRB->geometry().center()));
        QVERIFY(c.in1Edit->font().bold());
        QCOMPARE(c.endB->font().pointSize(), 14);

        // Tab order within the window, through the panels.
        const QList<QWidget *> expected = {c.randomNeuronB, c.andGateB,     c.orGateB,       c.showAnalogCBox,
                                           c.outputEdit,    c.targetMemo,   c.in1Edit,       c.in2Edit,
                                           c.weight1Edit,   c.weight2Edit,  c.lessonB,       c.repeatEdit,
                                           c.lessonCntEdit, c.nextPatternB, c.thresholdEdit, c.lRateEdit,
                                           c.biasCBox,      c.errGraphCB,   c.sigmoidCB,     c.endB};
        QStringList order;
        QWidget *w = c.randomNeuronB;
        do {
            if (expected.contains(w) && !order.contains(w->objectName()))
                order.append(w->objectName());
            w = w->nextInFocusChain();
        } while (w != c.randomNeuronB);
        QStringList names;
        for (QWidget *e : expected)
            names.append(e->objectName());
        QCOMPARE(order, names);
    }

    void disabledButtonsLookDisabled()
    {
        // A button's own text colour must not outlast its enabled state.
        Workbench wb;
        wb.window().show();
        for (QPushButton *button : wb.window().findChildren<QPushButton *>()) {
            button->ensurePolished();
            QCOMPARE(button->palette().color(QPalette::Disabled, QPalette::ButtonText),
                     QApplication::palette(button).color(QPalette::Disabled, QPalette::ButtonText));
        }
    }

    void randomizeTakesTheShownThreshold()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.andGateB);
        QVERIFY(c.nextPatternB->isEnabled());
        wb.type(c.lessonCntEdit, QStringLiteral("0 / 40"));
        wb.click(c.randomNeuronB);
        QCOMPARE(c.thresholdEdit->text(), QStringLiteral("0,5000"));
        QCOMPARE(c.lessonCntEdit->text(), QStringLiteral("0"));
        QVERIFY(!c.nextPatternB->isEnabled());
        QVERIFY(c.lessonB->isEnabled());
        QCOMPARE(wb.neuron().Threshold, 0.5f);
        // The second click leaves the text as it is, yet the neuron takes it.
        wb.click(c.randomNeuronB);
        QCOMPARE(c.thresholdEdit->text(), QStringLiteral("0,5000"));
        QCOMPARE(wb.neuron().Threshold, 0.5f);

        wb.click(c.biasCBox);
        wb.click(c.randomNeuronB);
        QCOMPARE(c.thresholdEdit->text(), QStringLiteral("0"));
        QCOMPARE(wb.neuron().Threshold, 0.0f);
        QCOMPARE(c.outputEdit->text(), numtext::formatFixed(wb.neuron().Output()));
        QVERIFY(wb.reports.errors.isEmpty());
    }

    void statusTextIsStoredScrambled()
    {
        const QString plain = UnscrambleText(scrambledStatus());
        QCOMPARE(plain.size(), 31);
        QVERIFY(plain != scrambledStatus());
        QCOMPARE(UnscrambleText(plain), scrambledStatus());
        // Only the even key entries are used: position 1 and 6 share a key.
        const QString probe = UnscrambleText(QString(6, QChar(u'A')));
        QCOMPARE(probe[0], probe[5]);
        QVERIFY(probe[0] != probe[1]);
    }

    void endButtonAndCloseBoxBothEndTheWindow()
    {
        {
            Workbench wb;
            wb.window().show();
            wb.click(wb.c().endB);
            QVERIFY(!wb.window().isVisible());
            QVERIFY(!wb.state().hasNeuron());
        }
        {
            Workbench wb;
            wb.window().show();
            QCloseEvent close;
            QApplication::sendEvent(&wb.window(), &close);
            QVERIFY(!wb.state().hasNeuron());
            // A second close destroys nothing twice.
            QApplication::sendEvent(&wb.window(), &close);
            QVERIFY(wb.reports.errors.isEmpty());
        }
    }
};

TIVARO_GUI_TEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
