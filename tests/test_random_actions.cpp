// Thousands of random user actions on the real main window. After each one
// the window must still be one a user can go on working with: nothing
// crashed or escaped, the bias controls match the neuron, every message is
// one the program means to show, and no text the program wrote is unreadable.
//
// Every run draws from a fixed seed unless TIVARO_SEED gives another (the
// seed is printed at the start); TIVARO_ACTIONS sets the number of actions.

#include "gui_fixture.h"

#include "chart/error_chart.h"
#include "info/description_window.h"
#include "ui_description_window.h"
#include "workbench/lesson_progress.h"
#include "workbench/neuron_edits.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <random>

namespace {

uint64_t seedFromEnvironment()
{
    bool ok = false;
    const uint64_t seed = qEnvironmentVariable("TIVARO_SEED").toULongLong(&ok);
    return ok ? seed : 20261208;
}

int actionCountFromEnvironment(int normal)
{
    bool ok = false;
    const int count = qEnvironmentVariableIntValue("TIVARO_ACTIONS", &ok);
    return ok && count > 0 ? count : normal;
}

// Texts no number edit should choke on.
QStringList hostileTexts()
{
    return {
        QString(),
        QStringLiteral(" "),
        QStringLiteral("   "),
        QStringLiteral("\t"),
        QStringLiteral("1E39"),
        QStringLiteral("-1E39"),
        QStringLiteral("3.5E38"),
        QStringLiteral("1E4000"),
        QStringLiteral("-1E-4000"),
        QStringLiteral("NaN"),
        QStringLiteral("nan"),
        QStringLiteral("inf"),
        QStringLiteral("-inf"),
        QStringLiteral("0x10"),
        QStringLiteral("1,5,5"),
        QStringLiteral("1.5.5"),
        QStringLiteral("1,5.5"),
        QStringLiteral("2147483647"),
        QStringLiteral("2147483648"),
        QStringLiteral("-2147483648"),
        QStringLiteral("-2147483649"),
        QStringLiteral("4294967296"),
        QStringLiteral("9223372036854775807"),
        QStringLiteral("9223372036854775808"),
        QStringLiteral("-9223372036854775809"),
        QStringLiteral("18446744073709551616"),
        QString(1000, u'9'),
        QStringLiteral("1") + QString(1000, u'0'),
        QStringLiteral("0,") + QString(1000, u'0') + QStringLiteral("1"),
        QString(1000, u'7') + QStringLiteral("E-990"),
        QStringLiteral("\u0663"),
        QStringLiteral("\u0661\u0662\u0663"),
        QStringLiteral("\uFF11\uFF12"),
        QStringLiteral("\u200F5"),
        QStringLiteral("5\u200F"),
        QStringLiteral("\u200F-\u200F1"),
        QStringLiteral("\u00A01"),
        QStringLiteral("\U0001F600"),
        QStringLiteral("0 / -5"),
        QStringLiteral("0 / -1"),
        QStringLiteral("0 / 9223372036854775807"),
        QStringLiteral("0 / -9223372036854775808"),
        QStringLiteral("0 / 2147483647"),
        QStringLiteral("0 / 0"),
        QStringLiteral("0 / "),
        QStringLiteral("/"),
        QStringLiteral("//5"),
        QStringLiteral("5 / 5 / 5"),
        QStringLiteral("-0"),
        QStringLiteral("+"),
        QStringLiteral("-"),
        QStringLiteral("E5"),
        QStringLiteral("1E"),
        QStringLiteral("1e+"),
        QStringLiteral("."),
        QStringLiteral(","),
        QStringLiteral("1 000"),
        QStringLiteral(" -7 "),
        QStringLiteral("kaputt"),
    };
}

// What the program may report: the conversion, chart and overflow errors,
// each with the full stop of the error box, and the one notice.
bool isExpectedError(const QString &text)
{
    static const QRegularExpression known(
        QStringLiteral("^(''.*'' is not a valid integer value\\.|'.*' is not a valid floating point value\\."
                       "|Axis Maximum Value must be >= Minimum\\.|Floating point overflow\\.)$"),
        QRegularExpression::DotMatchesEverythingOption);
    return known.match(text).hasMatch();
}

// The lesson counter as the lesson reads it.
std::optional<int64_t> counterValue(const QString &text)
{
    return numtext::tryParseInt64(lessonCounterNumber(text));
}

class RandomUser {
public:
    RandomUser(Workbench &wb, uint64_t seed) : wb(wb), random(seed), hostile(hostileTexts())
    {
        baseLabels = directChildren<QLabel>();
        baseEdits = directChildren<QLineEdit>();
    }

    // Runs one action; returns a description of the first broken rule, or
    // an empty text.
    QString step(int index)
    {
        errorsBefore = wb.reports.errors.size();
        counterReadableBefore = counterValue(wb.c().lessonCntEdit->text()).has_value();
        lessonClicked = false;
        act();
        remember(QStringLiteral("#%1 %2").arg(index).arg(lastAction));
        // Let the window paint now and then, so the chart draws what it got.
        if (index % 16 == 0)
            QApplication::processEvents();
        if (lessonClicked && wb.reports.errors.size() == errorsBefore)
            ++lessonsRun;
        return check();
    }

    QString recentActions() const { return QStringList(recent.begin(), recent.end()).join(u'\n'); }
    // How much of the window the run reached, for the log.
    QString summary() const
    {
        return QStringLiteral("%1 errors reported, %2 lessons ran (%3 long ones cancelled), "
                              "description window shown %4 times")
            .arg(wb.reports.errors.size())
            .arg(lessonsRun)
            .arg(lessonsCancelled)
            .arg(descriptionsShown);
    }

private:
    template <class T>
    int directChildren() const
    {
        return int(wb.window().centralWidget()->findChildren<T *>(QString(), Qt::FindDirectChildrenOnly).size());
    }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    bool chance(int percent) { return below(100) < percent; }

    QString randomNumberText()
    {
        QString text;
        switch (below(4)) {
        case 0: text = QString::number(below(2001) - 1000); break;
        case 1: text = QString::number(std::uniform_real_distribution<double>(-2, 2)(random), 'f', below(6)); break;
        case 2: text = QString::number(std::uniform_real_distribution<double>(-1e6, 1e6)(random), 'g', 8); break;
        default: text = QString::number(std::uniform_real_distribution<double>(-1, 1)(random), 'e', 3); break;
        }
        if (chance(50))
            text.replace(u'.', u',');
        return text;
    }

    QString anyText() { return chance(55) ? hostile[below(int(hostile.size()))] : randomNumberText(); }

    void typeInto(QLineEdit *edit, const QString &name, const QString &text)
    {
        lastAction = QStringLiteral("type into %1: \"%2\"").arg(name, text.left(40));
        const bool keyable = std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() < 128; });
        if (keyable && text.size() <= 12 && chance(15)) {
            // Key by key: every keystroke runs the edit's handler.
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, text);
        } else {
            wb.type(edit, text);
        }
        typedTexts[edit] = edit->text();
    }

    void clickButton(QAbstractButton *button)
    {
        lastAction = QStringLiteral("click %1").arg(button->objectName());
        wb.click(button);
    }

    void act()
    {
        Ui::MainWindow &c = wb.c();
        const BiasControls &b = wb.bias();
        QAbstractButton *const plainButtons[] = {
            c.andGateB,   c.orGateB,   c.nandGateB,      c.xorGateB, c.randomNeuronB, c.nextPatternB, c.biasCBox,
            c.errGraphCB, c.sigmoidCB, c.showAnalogCBox, c.deRB,     c.enRB,          c.skRB,
        };
        const std::pair<QLineEdit *, const char *> edits[] = {
            {c.in1Edit, "in1Edit"},         {c.in2Edit, "in2Edit"},       {c.weight1Edit, "weight1Edit"},
            {c.weight2Edit, "weight2Edit"}, {c.outputEdit, "outputEdit"}, {c.thresholdEdit, "thresholdEdit"},
            {c.lRateEdit, "lRateEdit"},     {c.repeatEdit, "repeatEdit"}, {c.lessonCntEdit, "lessonCntEdit"},
        };

        const int roll = below(100);
        if (roll < 35) {
            clickButton(plainButtons[below(int(std::size(plainButtons)))]);
        } else if (roll < 50) {
            lesson();
        } else if (roll < 84) {
            const auto &[edit, name] = edits[below(int(std::size(edits)))];
            typeInto(edit, QString::fromLatin1(name), anyText());
        } else if (roll < 89) {
            if (b.weight0Edit)
                typeInto(b.weight0Edit, QStringLiteral("weight0Edit"), anyText());
            else
                clickButton(c.biasCBox);
        } else if (roll < 91) {
            tidyUp();
        } else if (roll < 95) {
            description();
        } else if (roll < 98) {
            // Read-only: keys must not change it.
            if (b.biasEdit) {
                lastAction = QStringLiteral("keys into biasEdit");
                QTest::keyClicks(b.biasEdit, QStringLiteral("7x"));
            } else {
                clickButton(c.biasCBox);
            }
        } else if (roll < 99) {
            lastAction = QStringLiteral("type into targetMemo");
            c.targetMemo->setPlainText(anyText());
        } else {
            // The user changes the system's number format while we run.
            lastAction = QStringLiteral("locale change announced");
            QEvent change(QEvent::LocaleChange);
            QApplication::sendEvent(&wb.window(), &change);
        }
    }

    // What a user does after a run of error messages: readable numbers in
    // every edit, so that lessons get going again.
    void tidyUp()
    {
        Ui::MainWindow &c = wb.c();
        lastAction = QStringLiteral("tidy up the edits");
        const QString point = QString(numtext::decimalSeparator());
        wb.type(c.weight1Edit, QStringLiteral("0") + point + QString::number(below(10)));
        wb.type(c.weight2Edit, QStringLiteral("-0") + point + QString::number(below(10)));
        if (wb.bias().weight0Edit)
            wb.type(wb.bias().weight0Edit, QStringLiteral("0") + point + QStringLiteral("5"));
        wb.type(c.lRateEdit, QStringLiteral("0") + point + QString::number(below(9) + 1));
        wb.type(c.thresholdEdit, QString::number(below(2)));
        wb.type(c.lessonCntEdit, chance(50) ? QStringLiteral("0") : QStringLiteral("0 / 10"));
        wb.type(c.repeatEdit, QString::number(below(100) + 1));
    }

    void lesson()
    {
        Ui::MainWindow &c = wb.c();
        const int roll = below(1000);
        if (roll < 3) {
            hugeLesson();
            return;
        }
        if (roll < 820) {
            wb.type(c.repeatEdit, QString::number(below(300) + 1));
        } else if (roll < 950) {
            // A hostile repeat text, but none that would run for long.
            QString text = hostile[below(int(hostile.size()))];
            const auto value = numtext::tryParseInt64(text);
            if (value && *value > 2000)
                text = QStringLiteral("-") + text;
            wb.type(c.repeatEdit, text);
        } // else: whatever the repeat edit holds, when it is short enough
        const auto repeat = numtext::tryParseInt64(c.repeatEdit->text().trimmed());
        if (repeat && *repeat > 2000)
            wb.type(c.repeatEdit, QStringLiteral("50"));
        lessonClicked = c.lessonB->isEnabled();
        clickButton(c.lessonB);
        lastAction += QStringLiteral(" (repeat \"%1\")").arg(c.repeatEdit->text().left(40));
    }

    // A lesson of two billion iterations that the user cancels.
    void hugeLesson()
    {
        Ui::MainWindow &c = wb.c();
        wb.type(c.repeatEdit, QStringLiteral("2147483647"));
        lastAction = QStringLiteral("click lessonB (repeat 2147483647, cancelled)");
        lessonClicked = c.lessonB->isEnabled();
        LessonProgress::setShowDelayMs(20);
        QTimer canceller;
        canceller.setInterval(5);
        QObject::connect(&canceller, &QTimer::timeout, [this] {
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (auto *dialog = qobject_cast<QProgressDialog *>(widget); dialog && dialog->isVisible()) {
                    dialog->cancel();
                    ++lessonsCancelled;
                }
        });
        canceller.start();
        wb.click(c.lessonB);
        canceller.stop();
        LessonProgress::setShowDelayMs(500);
        wb.type(c.repeatEdit, QStringLiteral("10"));
    }

    // The description window waits in an event loop of its own; a timer
    // armed before the click closes it from inside that loop, by its button
    // or by the window.
    void description()
    {
        DescriptionWindow *description = wb.window().descriptionWindow();
        const bool byButton = chance(50);
        lastAction = QStringLiteral("open and close the description window");
        QTimer::singleShot(0, description, [this, description, byButton] {
            if (!description->isVisible())
                return;
            ++descriptionsShown;
            if (byButton)
                description->controls().end2B->click();
            else
                description->reject();
        });
        wb.click(wb.c().descriptionB);
    }

    QString check()
    {
        Ui::MainWindow &c = wb.c();
        const LessonSession &s = wb.state();
        const BiasControls &b = wb.bias();

        for (qsizetype i = errorsBefore; i < wb.reports.errors.size(); ++i)
            if (!isExpectedError(wb.reports.errors[i]))
                return QStringLiteral("unexpected error message: %1").arg(wb.reports.errors[i].left(200));
        for (const QString &notice : std::as_const(wb.reports.notices))
            if (notice != QStringLiteral("Missing input values!"))
                return QStringLiteral("unexpected notice: %1").arg(notice);

        if (!s.hasNeuron())
            return QStringLiteral("the neuron is gone");

        const bool on = c.biasCBox->isChecked();
        const bool all = b.biasLab && b.biasEdit && b.weight0Lab && b.weight0Edit;
        const bool none = !b.biasLab && !b.biasEdit && !b.weight0Lab && !b.weight0Edit;
        if (on ? !all || s.neuron().InputCount != 3 : !none || s.neuron().InputCount != 2)
            return QStringLiteral("bias box, controls and neuron disagree (box %1, inputs %2)")
                .arg(on)
                .arg(s.neuron().InputCount);
        if (c.outputLab->y() != (on ? 304 : 334) || c.outputEdit->y() != (on ? 329 : 359))
            return QStringLiteral("output controls at %1 and %2").arg(c.outputLab->y()).arg(c.outputEdit->y());
        if (directChildren<QLabel>() != baseLabels + (on ? 2 : 0) ||
            directChildren<QLineEdit>() != baseEdits + (on ? 2 : 0))
            return QStringLiteral("bias controls pile up");
        if (b.biasEdit && b.biasEdit->text() != QStringLiteral("1"))
            return QStringLiteral("the bias input reads %1").arg(b.biasEdit->text());

        // A text the program wrote must read back: the next lesson or
        // evaluation continues from it.
        if (b.weight0Edit != knownWeight0Edit) {
            typedTexts.erase(knownWeight0Edit);
            knownWeight0Edit = b.weight0Edit;
        }
        const std::pair<const QLineEdit *, const char *> numberEdits[] = {
            {c.in1Edit, "in1Edit"},         {c.in2Edit, "in2Edit"},         {c.weight1Edit, "weight1Edit"},
            {c.weight2Edit, "weight2Edit"}, {c.outputEdit, "outputEdit"},   {c.thresholdEdit, "thresholdEdit"},
            {c.lRateEdit, "lRateEdit"},     {b.weight0Edit, "weight0Edit"},
        };
        for (const auto &[edit, name] : numberEdits) {
            if (!edit || numtext::tryParseFloat(edit->text()))
                continue;
            const auto typed = typedTexts.find(edit);
            if (typed == typedTexts.end() || typed->second != edit->text())
                return QStringLiteral("the program wrote an unreadable %1: %2").arg(name, edit->text().left(60));
        }

        const QString counter = c.lessonCntEdit->text();
        if (!counterValue(counter)) {
            const auto typed = typedTexts.find(c.lessonCntEdit);
            if (typed == typedTexts.end() || typed->second != counter)
                return QStringLiteral("the program wrote an unreadable lesson counter: %1").arg(counter.left(60));
            if (lessonClicked && !counterReadableBefore && wb.reports.errors.size() == errorsBefore)
                return QStringLiteral("a lesson ran on the unreadable counter %1").arg(counter.left(60));
        }

        if (!c.errorChart->isHidden() && !c.diagramImage->isHidden())
            return QStringLiteral("chart and diagram both shown");

        const auto descriptionWindows = wb.window().findChildren<DescriptionWindow *>();
        if (descriptionWindows.size() != 1)
            return QStringLiteral("%1 description windows").arg(descriptionWindows.size());
        if (descriptionWindows.front()->isVisible() || QApplication::activeModalWidget())
            return QStringLiteral("a modal window stayed open");
        return {};
    }

    void remember(const QString &action)
    {
        recent.push_back(action);
        if (recent.size() > 25)
            recent.pop_front();
    }

    Workbench &wb;
    std::mt19937_64 random;
    const QStringList hostile;
    int baseLabels = 0;
    int baseEdits = 0;

    QString lastAction;
    std::deque<QString> recent;
    qsizetype errorsBefore = 0;
    bool counterReadableBefore = true;
    bool lessonClicked = false;
    // What the user last typed into each edit; the bias weight's edit is
    // forgotten with the edit.
    std::map<const QLineEdit *, QString> typedTexts;
    const QLineEdit *knownWeight0Edit = nullptr;
    int lessonsRun = 0;
    int descriptionsShown = 0;
    int lessonsCancelled = 0;
};

} // namespace

class RandomActionsTest : public QObject {
    Q_OBJECT
private slots:
    void windowSurvivesRandomUse()
    {
        const uint64_t seed = seedFromEnvironment();
        const int actions = actionCountFromEnvironment(10000);
        qInfo("random actions: TIVARO_SEED=%llu TIVARO_ACTIONS=%d", static_cast<unsigned long long>(seed), actions);

        std::mt19937_64 setup(seed);
        const QChar separator = setup() % 2 ? u',' : u'.';
        Workbench wb(separator, static_cast<uint32_t>(setup()));
        wb.window().show();
        RandomUser user(wb, setup());

        for (int i = 0; i < actions; ++i) {
            const QString broken = user.step(i);
            if (!broken.isEmpty())
                QFAIL(qPrintable(QStringLiteral("seed %1, action %2: %3\nlast actions:\n%4")
                                     .arg(seed)
                                     .arg(i)
                                     .arg(broken, user.recentActions())));
        }
        qInfo("%s", qPrintable(user.summary()));

        // The end button is the one way out, and it must close cleanly.
        wb.click(wb.c().endB);
        QVERIFY(!wb.window().isVisible());
        QVERIFY(!wb.state().hasNeuron());
    }
};

TIVARO_GUI_TEST_MAIN(RandomActionsTest)
#include "test_random_actions.moc"
