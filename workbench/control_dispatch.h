#pragma once
// The guarded entry from the main window's controls to their handlers.
//
// A user event runs its control's handler through runUserAction(), which
// shows any error once. When code changes a control's state, the control's
// handler runs at once, nested, and only if the state really changed
// (setEditText, setChecked); an error from a nested handler ends the whole
// user action.

#include <QObject>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

class QAbstractButton;
class QLineEdit;
class QWidget;

class ControlDispatch {
public:
    explicit ControlDispatch(QWidget *window) : window(window) {}

    // The control's user event (a click, a check, a changed text, a radio
    // button becoming checked) runs `handler`, then the after-action hook.
    void wire(QObject *control, std::function<void()> handler);
    // Runs after every user action, also after an error: what was done
    // before it stays done, and the views beside the window show it.
    void afterEachAction(std::function<void()> hook) { afterAction = std::move(hook); }

    // Code-driven state changes; return whether the state changed (and so
    // the control's handler ran).
    bool setEditText(QLineEdit *edit, const QString &text);
    bool setChecked(QAbstractButton *box, bool checked);
    // The same as a layout sets them: no handler runs.
    static void setEditTextQuietly(QLineEdit *edit, const QString &text);
    static void setCheckedQuietly(QAbstractButton *box, bool checked);

private:
    void runNested(QObject *control);

    QWidget *window;
    // The connections' receiver: they end with this dispatch, before the
    // window's controls are destroyed.
    QObject receiver;
    std::vector<std::pair<QObject *, std::function<void()>>> handlers;
    std::function<void()> afterAction;
};
