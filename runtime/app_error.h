#pragma once
// The one kind of error a user action can raise. It carries the text the
// user reads; the event entry of the main window shows it and ends the action.

#include <QString>
#include <stdexcept>

class AppError : public std::runtime_error {
public:
    explicit AppError(const QString &message) : std::runtime_error(message.toStdString()), text(message) {}
    const QString &message() const noexcept { return text; }

private:
    QString text;
};

namespace errors {
// "''%s'' is not a valid integer value"
AppError invalidInteger(const QString &text);
// "'%s' is not a valid floating point value"
AppError invalidFloat(const QString &text);
// "Floating point overflow"
AppError floatOverflow();
} // namespace errors
