#pragma once
// Writing a file whole or not at all, and saying why it could not be
// written in the interface's words. The system words its reasons in its own
// language; the common ones are told from the folder and the file system.

#include "ui_common/language.h"

#include <QString>
#include <functional>

class QIODevice;

// The reasons of the common failures; the system's own text tells the rest.
struct SaveReasons {
    QString noFolder, noPermission, readOnly, diskFull;
};

SaveReasons saveReasons(Language language);

// Writes the file at `path` through `write` (false: it failed), beside the
// target, and moves it over the target only when complete: a file already
// there stays as it was when anything fails. Raises AppError with
// `failed` (%1 the path, %2 the reason).
void saveWhole(const QString &path, const std::function<bool(QIODevice &)> &write, const QString &failed,
               const SaveReasons &reasons);
