#include "ui_common/action_hold.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QWidget>

namespace {

QList<const ActionHold *> &liveHolds()
{
    static QList<const ActionHold *> holds;
    return holds;
}

// A line edit tells of its text put back, so that what follows its text
// (its width, say) follows it back; the handlers are held meanwhile, and the
// same text again changes nothing. A memo tells of every setting, even of
// the same text, so it is put back quietly.
void putBack(QLineEdit *line, const QString &text)
{
    line->setText(text);
}

void putBack(QPlainTextEdit *memo, const QString &text)
{
    const QSignalBlocker quiet(memo);
    memo->setPlainText(text);
}

} // namespace

ActionHold::ActionHold(QWidget *window, QAbstractButton *closeButton, QWidget *spared)
    : window(window), closeButton(closeButton), spared(spared)
{
    liveHolds().append(this);
}

ActionHold::~ActionHold()
{
    for (const QMetaObject::Connection &guard : guards)
        disconnect(guard);
    // Re-enabling a panel gives back to its children exactly their own state.
    for (const QPointer<QWidget> &control : disabled)
        if (control)
            control->setEnabled(true);
    if (focus && focus->isEnabled())
        focus->setFocus();
    if (window)
        window->removeEventFilter(this);
    liveHolds().removeOne(this);
    if (closeWanted && window) {
        // After the handler that held the window has returned.
        QMetaObject::invokeMethod(
            window,
            [w = window] {
                if (w)
                    w->close();
            },
            Qt::QueuedConnection);
    }
}

bool ActionHold::holds(const QObject *origin)
{
    for (const ActionHold *hold : liveHolds())
        if (hold->covers(origin))
            return true;
    return false;
}

bool ActionHold::covers(const QObject *origin) const
{
    // Up through the owners, across windows: a tool window of the held
    // window is held with it.
    for (const QObject *o = origin; o; o = o->parent()) {
        if (o == spared)
            return false;
        if (o == window)
            return true;
    }
    return false;
}

void ActionHold::noteCloseRequest()
{
    const bool first = !closeWanted;
    closeWanted = true;
    if (first && closeRequestHandler)
        closeRequestHandler();
}

void ActionHold::lockControls()
{
    if (locked || !window)
        return;
    locked = true;
    window->installEventFilter(this);
    // Without focus while locked, so that it cannot wander to the one
    // control left usable; it comes back at the end.
    focus = window->focusWidget();
    if (focus)
        focus->clearFocus();
    disableAllButClose(window);
    if (closeButton)
        guards.append(connect(closeButton, &QAbstractButton::clicked, this, [this] { noteCloseRequest(); }));
    keepTexts();
}

void ActionHold::disableAllButClose(QWidget *parent)
{
    for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        // Dialogs of the window (the progress among them) stay usable; a
        // control disabled on its own stays as it is.
        if (child->isWindow() || child == closeButton || child->testAttribute(Qt::WA_ForceDisabled))
            continue;
        if (closeButton && child->isAncestorOf(closeButton)) {
            disableAllButClose(child);
            continue;
        }
        child->setEnabled(false);
        disabled.append(child);
    }
}

void ActionHold::keepTexts()
{
    // Qt's accessibility sets an edit's text even when it is disabled or
    // read-only; the lesson itself writes its edits only after the hold's
    // event loop, with their signals blocked.
    for (QWidget *edit : window->findChildren<QWidget *>()) {
        if (edit->window() != window)
            continue;
        if (auto *line = qobject_cast<QLineEdit *>(edit)) {
            const QString kept = line->text();
            guards.append(connect(line, &QLineEdit::textChanged, this, [line, kept] { putBack(line, kept); }));
        } else if (auto *memo = qobject_cast<QPlainTextEdit *>(edit)) {
            const QString kept = memo->toPlainText();
            guards.append(connect(memo, &QPlainTextEdit::textChanged, this, [memo, kept] { putBack(memo, kept); }));
        }
    }
}

bool ActionHold::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window && event->type() == QEvent::Close) {
        event->ignore();
        noteCloseRequest();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
