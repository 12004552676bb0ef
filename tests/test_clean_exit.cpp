// A whole run as the program runs it: the window in the event loop, a few
// actions (bias on and off, the description window), then the end button
// pressed during a long lesson, which cancels the lesson and then ends the
// run. The loop must end by itself, and under LeakSanitizer nothing of ours
// may be left behind at exit.

#include "info/description_window.h"
#include "lesson/lesson_session.h"
#include "ui_common/application_setup.h"
#include "ui_common/report.h"
#include "ui_description_window.h"
#include "ui_main_window.h"
#include "workbench/lesson_progress.h"
#include "workbench/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Runs each step from the event loop, one after the other.
void runSteps(std::vector<std::function<void()>> steps, std::size_t next = 0)
{
    if (next >= steps.size())
        return;
    QTimer::singleShot(0, [steps = std::move(steps), next]() mutable {
        steps[next]();
        runSteps(std::move(steps), next + 1);
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    setUpApplication();
    int errors = 0;
    report::setSink([&errors](report::Kind, const QString &, const QString &text) {
        std::fprintf(stderr, "reported: %s\n", qPrintable(text));
        ++errors;
    });

    MainWindow mainWindow;
    mainWindow.show();
    Ui::MainWindow &c = mainWindow.controls();
    DescriptionWindow *description = mainWindow.descriptionWindow();

    runSteps({
        [&] { c.andGateB->click(); },
        [&] { c.biasCBox->click(); },
        [&] { c.repeatEdit->setText(QStringLiteral("20")); },
        [&] { c.lessonB->click(); },
        [&] { c.errGraphCB->click(); },
        [&] { c.lessonB->click(); },
        [&] {
            // Modal: closed from inside its own loop.
            QTimer::singleShot(0, description, [description] { description->controls().end2B->click(); });
            c.descriptionB->click();
        },
        [&] { c.biasCBox->click(); },
        [&] { c.biasCBox->click(); },
        [&] {
            LessonProgress::setShowDelayMs(0);
            c.repeatEdit->setText(QStringLiteral("2000000000"));
            // Inside the lesson's progress loop.
            QTimer::singleShot(0, &mainWindow, [&] { c.endB->click(); });
            c.lessonB->click();
        },
    });
    // A run that does not end by the end button is a failure, not a hang.
    QTimer::singleShot(20000, [] {
        std::fprintf(stderr, "the end button did not end the program\n");
        std::_Exit(2);
    });

    application.exec();
    report::setSink({});
    const int64_t ran = mainWindow.session().lessonTotal();
    if (errors != 0 || mainWindow.session().hasNeuron() || ran >= 2000000040) {
        std::fprintf(stderr, "%d errors; neuron %s; lesson total %lld\n", errors,
                     mainWindow.session().hasNeuron() ? "kept" : "released", static_cast<long long>(ran));
        return 1;
    }
    return 0;
}
