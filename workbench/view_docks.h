#pragma once
// The docks that hold the views beside the main window. Opened, they are
// arranged so that with all of them open they cover nothing of the window
// or of each other and each shows its whole content on the screen the
// window is on (planDocks), and the window grows to hold them and stays on
// the screen. A user may dock them elsewhere, float them or tab them; that
// arrangement is then kept, and remembered between runs, for as long as it
// fits the screen. Closing the last one gives the window its own size back.

#include <QObject>

#include <functional>
#include <vector>

class QDockWidget;
class QMainWindow;
class QWidget;
struct DockChrome;
struct DockPlan;
struct ViewNeed;

// A QObject to watch its docks and end its connections with it.
class ViewDocks : public QObject {
public:
    explicit ViewDocks(QMainWindow *window);

    // A dock for views of `name` (a stable name: the remembered arrangement
    // knows the docks by it), closed.
    QDockWidget *addDock(const QString &name);
    // Takes the arrangement remembered from the last run, once every dock
    // has been added; every dock stays closed.
    void restoreArrangement();
    // Remembers the arrangement for the next run.
    void saveArrangement() const;

    // The docks' own buttons named in the toolkit's language now chosen.
    void retranslate();

    void open(QDockWidget *dock);
    void close(QDockWidget *dock);
    bool isOpen(const QDockWidget *dock) const;
    // Runs whenever a dock closes, also by its own close button.
    void onClosed(std::function<void(QDockWidget *)> handler) { closedHandler = std::move(handler); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Puts the open docks where planDocks says, sizes them and the window.
    void arrange();
    void place(const DockPlan &plan, const DockChrome &chrome);
    // What `dock` adds around its view, beside the window and below it.
    DockChrome chromeAround(QDockWidget *dock) const;
    // Moves the window, grown as its docks need, onto its screen; where it
    // cannot fit there, the docks are arranged anew.
    void keepOnScreen();
    void closed(QDockWidget *dock);
    // With no view open, the window takes its own size back.
    void shrinkToOwnContent();
    ViewNeed needOf(const QDockWidget *dock) const;

    QMainWindow *window;
    QWidget *central;
    std::vector<QDockWidget *> docks; // owned by the window
    std::vector<QDockWidget *> opened;
    bool byHand = false;    // the user has placed the docks: keep their places
    bool arranging = false; // moves of our own are no user's
    std::function<void(QDockWidget *)> closedHandler;
};
