#pragma once

#include <QString>

// The number in the lesson counter text ("0 / 200"): what follows the first
// "/" (the whole text when there is none), without surrounding blanks and
// control characters.
QString lessonCounterNumber(const QString &text);
