#pragma once
// Shows the progress of a long lesson with a Cancel button, in the
// interface language. A lesson that ends within the delay shows nothing.
// For as long as it lives it holds the window (ActionHold) with its
// controls locked, from the lesson's first iteration on: no other user
// action runs during the lesson, and what arrives meanwhile (a screen
// reader's press or toggle among it) is turned away, never carried out once
// the lesson is over. Closing the window (by the window manager or by the
// window's close button) cancels the lesson as Cancel does, then closes the
// window once the lesson is over.

#include "ui_common/action_hold.h"
#include "ui_common/language.h"

#include <QElapsedTimer>
#include <cstdint>
#include <functional>
#include <memory>

class QAbstractButton;
class QProgressDialog;
class QWidget;

class LessonProgress {
public:
    LessonProgress(QWidget *window, QAbstractButton *closeButton, int64_t total, Language language);
    ~LessonProgress();

    // Called between chunks with the iterations done so far; false once the
    // user has cancelled or asked to close the window.
    bool keepGoing(int64_t done);
    bool cancelled() const { return wasCancelled; }
    // Runs at every repaint of the dialog, for views that follow the lesson.
    void onRepaint(std::function<void()> handler) { repainted = std::move(handler); }

    // How long a lesson runs before its progress shows (tests shorten it).
    static void setShowDelayMs(int64_t ms);

private:
    void showDialog();

    ActionHold hold; // first in, last out: outlives the dialog
    QWidget *window;
    int64_t total;
    Language language;
    QElapsedTimer clock;
    int64_t lastRepaintMs = 0;
    std::unique_ptr<QProgressDialog> dialog;
    bool wasCancelled = false;
    std::function<void()> repainted;
};
