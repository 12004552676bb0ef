#pragma once
// The message an action raised, to compare with the program's own texts;
// empty when it raised nothing.

#include "runtime/app_error.h"

#include <QString>
#include <exception>

template <class Action>
QString raisedMessage(Action &&action)
{
    try {
        action();
    } catch (const AppError &error) {
        return error.message();
    } catch (const std::exception &other) {
        return QStringLiteral("<std::exception %1>").arg(QString::fromUtf8(other.what()));
    } catch (...) {
        return QStringLiteral("<unknown exception>");
    }
    return {};
}
