#pragma once
// Every message box of the program goes through here, so tests can replace
// the boxes with a recorder and nothing ever blocks on a modal dialog.

#include <QString>
#include <functional>

namespace report {

enum class Kind {
    Error,  // error icon, OK, application title as caption
    Notice, // no icon, OK, centred on the screen
};

using Sink = std::function<void(Kind kind, const QString &caption, const QString &text)>;

// Replaces the message boxes; an empty sink restores them.
void setSink(Sink sink);

// Shows an error that ended a user action (with a full stop appended where
// the message ends in a letter, digit or the like).
void showError(const QString &message);
// Shows a plain notice such as "Missing input values!".
void showNotice(const QString &text);

// A full stop is appended when the last character's code is above that of ".".
QString withFullStop(const QString &message);

// The caption of the program's message boxes: the executable's file name
// without directory and without everything from its first ".", all but the
// first character in lower case.
QString applicationTitle();
QString titleFromExecutable(const QString &path);

} // namespace report
