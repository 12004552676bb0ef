#pragma once
// What the program answers before it needs a window: its own options, and
// a plain word when there is no display to show a window on; and, once the
// window exists, the lesson file the command line names.

#include <QString>
#include <QStringList>
#include <optional>

// Answers --help and --version on stdout, and a missing display on stderr;
// returns the exit code when the program should end here.
std::optional<int> answerBeforeWindows(int argc, char *argv[]);

// Rejects options that are neither the program's nor Qt's (Qt has taken
// its own from the application's arguments by then); ends the program.
void rejectUnknownOptions();

// The lesson file to open, named on the command line (`tivaro [FILE]`): an
// absolute local path. Of several files it returns the first and says in
// one line on stderr which are not opened. Call it once, after
// rejectUnknownOptions.
std::optional<QString> lessonFileArgument();

// Every file the arguments name (the program's name first, Qt's options
// already taken), in order, each as an absolute local path: relative paths
// against the working directory, file:// URLs turned into paths.
QStringList lessonFilesIn(const QStringList &arguments);
