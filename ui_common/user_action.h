#pragma once
// The one entry through which every user event reaches a handler. Handlers
// raise errors instead of returning them; here, and only here, an error that
// ends a user action is caught and shown. Nothing escapes into Qt's signal
// machinery. And here, while a handler holds a window (ActionHold), every
// other user event of that window is turned away, whichever way it came in.

#include "runtime/app_error.h"
#include "ui_common/action_hold.h"
#include "ui_common/report.h"

#include <exception>
#include <new>
#include <utility>

// `origin` is the control or window the event is for.
template <class Handler>
void runUserAction(const QObject *origin, Handler &&handler) noexcept
{
    if (ActionHold::holds(origin))
        return;
    try {
        std::forward<Handler>(handler)();
    } catch (const AppError &error) {
        report::showError(error.message());
    } catch (const std::bad_alloc &) {
        report::showError(QStringLiteral("Out of memory"));
    } catch (const std::exception &error) {
        report::showError(QString::fromLocal8Bit(error.what()));
    }
}
