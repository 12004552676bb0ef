#pragma once
// Keeps a window's user actions out while one of its handlers runs an event
// loop of its own (a long lesson's progress). A modal dialog stops mouse and
// keys, but not a screen reader's actions nor a window-manager close, and a
// window blocked by a modal dialog never even sees that close. So, while a
// hold lives:
// - runUserAction() turns every user event away, whatever its path;
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

class QAbstractButton;
class QWidget;

class ActionHold : public QObject {
public:
    explicit ActionHold(QWidget *window, QAbstractButton *closeButton = nullptr);
    ~ActionHold() override;

    ActionHold(const ActionHold &) = delete;
    ActionHold &operator=(const ActionHold &) = delete;

    // Whether some hold is alive; user events are dropped meanwhile.
    static bool active();

    // Disables the window's controls until the hold ends (once is enough).
    void lockControls();
    // A close of the window arrived while held.
    bool closeRequested() const { return closeWanted; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void disableAllButClose(QWidget *parent);
    void keepTexts();

    QPointer<QWidget> window;
    QPointer<QAbstractButton> closeButton;
    QPointer<QWidget> focus;
    QList<QPointer<QWidget>> disabled;
    QList<QMetaObject::Connection> guards;
    bool locked = false;
    bool closeWanted = false;
};
