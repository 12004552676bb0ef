#pragma once
// Keeps a window's user actions out while a handler waits in an event loop
// of its own (a long lesson's progress, the description window, a message
// box). A modal dialog stops mouse and keys, but not a screen reader's
// actions nor a window-manager close, and a window blocked by a modal dialog
// never even sees that close; so these loops show their dialogs non-modal
// and hold the window instead. While a hold lives:
// - runUserAction() turns away every user event of the window and of the
//   windows it owns (the spared one excepted), whatever its path;
// - once lockControls() ran, the window's controls are disabled: screen
//   readers announce them insensitive and Qt refuses their press and toggle
//   actions; text set into an edit through accessibility is put back;
// - a request to close the window is kept, and the window closes once the
//   hold ends, as an ordinary close. The window's close button, if it has
//   one, stays usable for that: pressing it asks to close.
// At its end every control has exactly the enabled state it had before.

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class QAbstractButton;
class QWidget;

class ActionHold : public QObject {
public:
    // `spared`, a window owned by `window`, stays free: the one the hold waits on.
    explicit ActionHold(QWidget *window, QAbstractButton *closeButton = nullptr, QWidget *spared = nullptr);
    ~ActionHold() override;

    ActionHold(const ActionHold &) = delete;
    ActionHold &operator=(const ActionHold &) = delete;

    // Whether a live hold keeps out the user events of `origin`, a control
    // or a window.
    static bool holds(const QObject *origin);

    // Disables the window's controls until the hold ends (once is enough).
    void lockControls();
    // A close of the window arrived while held.
    bool closeRequested() const { return closeWanted; }
    // Runs when a close of the window is first asked for (so that the loop
    // the hold waits on can end early).
    void onCloseRequest(std::function<void()> handler) { closeRequestHandler = std::move(handler); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void disableAllButClose(QWidget *parent);
    void keepTexts();
    bool covers(const QObject *origin) const;
    void noteCloseRequest();

    QPointer<QWidget> window;
    QPointer<QAbstractButton> closeButton;
    QPointer<QWidget> spared;
    QPointer<QWidget> focus;
    QList<QPointer<QWidget>> disabled;
    QList<QMetaObject::Connection> guards;
    bool locked = false;
    bool closeWanted = false;
    std::function<void()> closeRequestHandler;
};
