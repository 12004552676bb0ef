#pragma once
// What the program answers before it needs a window: its own options, and
// a plain word when there is no display to show a window on.

#include <optional>

// Answers --help and --version on stdout, and a missing display on stderr;
// returns the exit code when the program should end here.
std::optional<int> answerBeforeWindows(int argc, char *argv[]);

// Rejects options that are neither the program's nor Qt's (Qt has taken
// its own from the application's arguments by then); ends the program.
void rejectUnknownOptions();
