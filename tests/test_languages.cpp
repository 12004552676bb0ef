// The three interface languages and the description window.

#include "gui_fixture.h"
#include "ui_common/action_hold.h"

#include "chart/error_chart.h"
#include "info/description_window.h"
#include "ui_common/texts.h"
#include "ui_description_window.h"

#include <QTest>
#include <QTimer>

namespace {

struct Shown {
    QString button;
    QStringList lines;
    bool maximised = false;
    bool holdsMainWindow = false;
    QString title;
};

// Opens the description window by its button, reads it, closes it with
// `close` (the window's own button or its close box).
Shown openDescription(Workbench &wb, bool byButton = true)
{
    Shown shown;
    DescriptionWindow *description = wb.window().descriptionWindow();
    QTimer::singleShot(0, description, [&shown, &wb, description, byButton] {
        shown.button = description->controls().end2B->text();
        shown.lines = description->controls().infoMemo->toPlainText().split(u'\n');
        shown.maximised = description->windowState() & Qt::WindowMaximized;
        // As a modal window would, but a close of the main window still gets through.
        shown.holdsMainWindow = ActionHold::holds(&wb.window()) && !ActionHold::holds(description);
        shown.title = description->windowTitle();
        if (byButton)
            description->controls().end2B->click();
        else
            description->close();
    });
    wb.click(wb.c().descriptionB);
    return shown;
}

} // namespace

class LanguagesTest : public QObject {
    Q_OBJECT
private slots:
    void everyTextHasEveryLanguage()
    {
        for (std::size_t key = 0; key < textCount; ++key)
            for (Language language : {Language::German, Language::English, Language::Slovak})
                QVERIFY2(!text(static_cast<Text>(key), language).isEmpty(), qPrintable(QString::number(key)));
        // A value outside the enumeration reads German, wherever it is used.
        const auto stray = static_cast<Language>(7);
        QCOMPARE(text(Text::EndButton, stray), QStringLiteral("Ende"));
        QCOMPARE(descriptionLines(stray), descriptionLines(Language::German));
    }

    void radioButtonsSwitchEveryCaption()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.andGateB);
        wb.click(c.enRB);
        QCOMPARE(wb.window().language(), Language::English);
        QCOMPARE(c.showAnalogCBox->text(), QStringLiteral("Show the sum in neuron"));
        QCOMPARE(c.randomNeuronB->text(), QStringLiteral("Randomise"));
        QCOMPARE(c.targetLab->text(), QStringLiteral("target"));
        QCOMPARE(c.repeatLab->text(), QStringLiteral("Repeat     :"));
        QCOMPARE(c.lesonDoneLab->text(), QStringLiteral("Done    :"));
        // The gate stays loaded, and so does its name.
        QCOMPARE(c.infoLab->text(), QStringLiteral("AND gate"));
        QCOMPARE(c.learningRateLab->text(), QStringLiteral("learning rate:"));
        QCOMPARE(c.spracheRG->title(), QStringLiteral("english"));
        QCOMPARE(c.errorChart->leftAxis().title(), QStringLiteral("Error"));
        QCOMPARE(c.errorChart->bottomAxis().title(), QStringLiteral("Iterations"));
        QCOMPARE(wb.state().pattern(1).Target, 1.0f);

        wb.click(c.skRB);
        QCOMPARE(c.repeatLab->text(), QStringLiteral("Počet kôl :"));
        QCOMPARE(c.lessonB->text(), QStringLiteral("Štartuj učenie"));
        QCOMPARE(c.endB->text(), QStringLiteral("Koniec"));
        QCOMPARE(c.errorChart->leftAxis().title(), QStringLiteral("Chaby"));
        QCOMPARE(c.errorChart->bottomAxis().title(), QStringLiteral("Iterácie"));
        QVERIFY(!c.enRB->isChecked());

        wb.click(c.deRB);
        QCOMPARE(c.biasCBox->text(), QStringLiteral("Schalte Bias ein"));
        QCOMPARE(c.errorChart->bottomAxis().title(), QStringLiteral("Iterationen"));
        // Unnamed or untranslated texts stay.
        QCOMPARE(c.in1Lab->text(), QStringLiteral("input 1"));
        QCOMPARE(c.andGateB->text(), QStringLiteral("AND Gate"));
        QCOMPARE(wb.window().findChild<QLabel *>(QStringLiteral("thresholdLab"))->text(),
                 QStringLiteral("threshold: "));
    }

    void thePromptShowsOnlyWhileNoGateIsChosen()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.enRB);
        QCOMPARE(c.infoLab->text(), QStringLiteral("Please select AND,OR,NAND,XOR first"));
        wb.click(c.skRB);
        QCOMPARE(c.infoLab->text(), QStringLiteral("Zvoľte najprv funkciu AND,OR,NAND alebo XOR"));
        wb.click(c.xorGateB);
        // Neither a bias switch nor a randomise unloads the gate.
        wb.click(c.biasCBox);
        wb.click(c.randomNeuronB);
        wb.click(c.deRB);
        QCOMPARE(c.infoLab->text(), QStringLiteral("XOR gate"));
    }

    void clickingTheCheckedButtonRunsNothing()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.enRB);
        wb.click(c.andGateB);
        QCOMPARE(c.infoLab->text(), QStringLiteral("AND gate"));
        wb.click(c.enRB);
        QCOMPARE(c.infoLab->text(), QStringLiteral("AND gate"));
    }

    void captionsGrowWithTheirText()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        for (QRadioButton *language : {c.deRB, c.enRB, c.skRB}) {
            wb.click(language);
            for (QLabel *label : {c.repeatLab, c.lesonDoneLab, c.infoLab, c.targetLab, c.learningRateLab})
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
        }
    }

    void descriptionShowsTheChosenLanguage()
    {
        Workbench wb;
        Shown german = openDescription(wb);
        QCOMPARE(german.button, QStringLiteral("Schliessen"));
        QCOMPARE(german.lines.size(), 29);
        QCOMPARE(german.lines.count(QString()), 8);
        QCOMPARE(german.lines.first(), QStringLiteral("Perceptron Learning Algorithm"));
        QCOMPARE(german.lines[6],
                 QStringLiteral("• \"d\" ist die Differenz zwischen dem aktuellen Output Y,  "
                                "und dem erwartetem Output target."));
        QCOMPARE(german.lines.last(), QString(115, u'*'));
        QVERIFY(german.maximised);
        QVERIFY(german.holdsMainWindow);
        QCOMPARE(german.title, QStringLiteral("Info zum Tivaro"));

        wb.click(wb.c().enRB);
        Shown english = openDescription(wb, false);
        QCOMPARE(english.button, QStringLiteral("Close"));
        QCOMPARE(english.lines.size(), 26);
        QCOMPARE(english.lines.count(QString()), 5);
        QCOMPARE(english.lines[12], QStringLiteral("   where"));

        wb.click(wb.c().skRB);
        Shown slovak = openDescription(wb);
        QCOMPARE(slovak.button, QStringLiteral("Zatvor"));
        QCOMPARE(slovak.lines.size(), 38);
        QCOMPARE(slovak.lines[35], slovak.lines[3]);
        QCOMPARE(slovak.lines[36], slovak.lines[4]);
        QCOMPARE(slovak.lines[15].indexOf(u'a'), 37);
        QCOMPARE(english.title, slovak.title);
    }

    void descriptionIsOneWindowRebuiltAtEveryOpening()
    {
        Workbench wb;
        DescriptionWindow *description = wb.window().descriptionWindow();
        QVERIFY(description);
        QVERIFY(description->isHidden());
        QCOMPARE(description->parentWidget(), &wb.window()); // no task-bar button of its own
        QVERIFY(description->windowFlags() & Qt::Dialog);
        QTimer::singleShot(0, description, [description] {
            description->controls().infoMemo->appendPlainText(QStringLiteral("typed by a student"));
            description->controls().end2B->click();
        });
        wb.click(wb.c().descriptionB);
        QVERIFY(description->isHidden());
        const Shown again = openDescription(wb);
        QVERIFY(!again.lines.contains(QStringLiteral("typed by a student")));
        QCOMPARE(wb.window().findChildren<DescriptionWindow *>().size(), 1);
    }
};

TIVARO_GUI_TEST_MAIN(LanguagesTest)
#include "test_languages.moc"
