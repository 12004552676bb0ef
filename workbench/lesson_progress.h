#pragma once
// Shows the progress of a long lesson with a Cancel button. A lesson that
// ends within the delay shows nothing.

#include <QElapsedTimer>
#include <cstdint>
#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

class LessonProgress {
public:
    // Iterations between two looks at the clock.
    static constexpr int64_t chunk = 1 << 15;

    LessonProgress(QWidget *window, int64_t total);
    ~LessonProgress();

    // Called between chunks with the iterations done so far; false once the
    // user has cancelled.
    bool keepGoing(int64_t done);
    bool cancelled() const { return wasCancelled; }
    // Runs at every repaint of the dialog, for views that follow the lesson.
    void onRepaint(std::function<void()> handler) { repainted = std::move(handler); }

    // How long a lesson runs before its progress shows (tests shorten it).
    static void setShowDelayMs(int64_t ms);

private:
    QWidget *window;
    int64_t total;
    QElapsedTimer clock;
    int64_t lastRepaintMs = 0;
    std::unique_ptr<QProgressDialog> dialog;
    bool wasCancelled = false;
    std::function<void()> repainted;
};
