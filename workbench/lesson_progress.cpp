#include "workbench/lesson_progress.h"

#include "workbench/progress_texts.h"

#include <QApplication>
#include <QProgressDialog>

namespace {

int64_t showDelayMs = 500;
// At least five repaints a second while the dialog shows.
constexpr int64_t repaintEveryMs = 100;

const ProgressTexts &textsFor(Language language)
{
    return progressTexts[language < languageCount ? language : German];
}

} // namespace

void LessonProgress::setShowDelayMs(int64_t ms)
{
    showDelayMs = ms;
}

LessonProgress::LessonProgress(QWidget *window, QAbstractButton *closeButton, int64_t total, Language language)
    : hold(window, closeButton), window(window), total(total), language(language)
{
    clock.start();
}

LessonProgress::~LessonProgress() = default;

void LessonProgress::showDialog()
{
    const ProgressTexts &texts = textsFor(language);
    dialog = std::make_unique<QProgressDialog>(window);
    dialog->setWindowTitle(QString::fromUtf16(texts.title));
    dialog->setCancelButtonText(QString::fromUtf16(texts.cancel));
    // Not modal: a window blocked by a modal dialog never sees a close from
    // the window manager. The hold keeps the window from taking input.
    dialog->setWindowModality(Qt::NonModal);
    dialog->setRange(0, 100);
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    hold.lockControls();
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
        dialog->setLabelText(QString::fromUtf16(textsFor(language).progress).arg(done).arg(total));
        if (repainted)
            repainted();
        QApplication::processEvents();
        wasCancelled = dialog->wasCanceled() || hold.closeRequested();
    }
    return !wasCancelled;
}
