#include "workbench/lesson_progress.h"

#include "ui_common/texts.h"

#include <QApplication>
#include <QProgressDialog>

namespace {

int64_t showDelayMs = 500;
// At least five repaints a second while the dialog shows.
constexpr int64_t repaintEveryMs = 100;

} // namespace

void LessonProgress::setShowDelayMs(int64_t ms)
{
    showDelayMs = ms;
}

LessonProgress::LessonProgress(QWidget *window, QAbstractButton *closeButton, int64_t total, Language language)
    : hold(window, closeButton), window(window), total(total), language(language)
{
    // Locked before the first iteration: an action that the window has not
    // yet seen when the lesson starts finds it held whenever it is handled.
    hold.lockControls();
    clock.start();
}

LessonProgress::~LessonProgress()
{
    dialog.reset();
    // What arrived while the lesson ran and was not yet handled is handled
    // now, while the window is still held, and so turned away.
    QCoreApplication::processEvents();
}

void LessonProgress::showDialog()
{
    dialog = std::make_unique<QProgressDialog>(window);
    dialog->setWindowTitle(text(Text::ProgressTitle, language));
    dialog->setCancelButtonText(text(Text::ProgressCancel, language));
    // Not modal: a window blocked by a modal dialog never sees a close from
    // the window manager. The hold keeps the window from taking input.
    dialog->setWindowModality(Qt::NonModal);
    dialog->setRange(0, 100);
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->show();
}

bool LessonProgress::keepGoing(int64_t done)
{
    if (wasCancelled)
        return false;
    const int64_t now = clock.elapsed();
    if (!dialog) {
        if (now < showDelayMs)
            return true;
        showDialog();
        lastRepaintMs = now - repaintEveryMs;
    }
    if (now - lastRepaintMs >= repaintEveryMs) {
        lastRepaintMs = now;
        const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 100;
        dialog->setValue(percent);
        dialog->setLabelText(text(Text::ProgressLine, language).arg(done).arg(total));
        if (repainted)
            repainted();
        QApplication::processEvents();
        wasCancelled = dialog->wasCanceled() || hold.closeRequested();
    }
    return !wasCancelled;
}
