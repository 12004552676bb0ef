#include "workbench/lesson_progress.h"

#include <QApplication>
#include <QProgressDialog>

namespace {

int64_t showDelayMs = 500;
// At least five repaints a second while the dialog shows.
constexpr int64_t repaintEveryMs = 100;

} // namespace

void LessonProgress::setShowDelayMs(int64_t ms) { showDelayMs = ms; }

LessonProgress::LessonProgress(QWidget *window, int64_t total) : window(window), total(total)
{
    clock.start();
}

LessonProgress::~LessonProgress() = default;

bool LessonProgress::keepGoing(int64_t done)
{
    if (wasCancelled)
        return false;
    const int64_t now = clock.elapsed();
    if (!dialog) {
        if (now < showDelayMs)
            return true;
        dialog = std::make_unique<QProgressDialog>(window);
        dialog->setWindowTitle(window->windowTitle());
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->setRange(0, 100);
        dialog->setMinimumDuration(0);
        dialog->setAutoClose(false);
        dialog->setAutoReset(false);
        dialog->show();
        lastRepaintMs = now - repaintEveryMs;
    }
    if (now - lastRepaintMs >= repaintEveryMs) {
        lastRepaintMs = now;
        const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 100;
        dialog->setValue(percent);
        dialog->setLabelText(QStringLiteral("%1 / %2").arg(done).arg(total));
        if (repainted)
            repainted();
        QApplication::processEvents();
        wasCancelled = dialog->wasCanceled();
    }
    return !wasCancelled;
}
