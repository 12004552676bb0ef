#pragma once
// The status line's text is kept only scrambled in the program.

#include <QString>

// Position-keyed exclusive-or over UTF-16 code units; its own inverse.
QString UnscrambleText(const QString &text);

// The status line as stored.
QString scrambledStatus();
