#include "ui_common/file_saving.h"

#include "runtime/app_error.h"
#include "ui_common/texts.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace {

QString failureReason(const QSaveFile &file, const QString &path, const SaveReasons &reasons)
{
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir())
        return reasons.noFolder;
    const QStorageInfo storage(folder.absoluteFilePath());
    if (storage.isValid() && storage.isReadOnly())
        return reasons.readOnly;
    if (!folder.isWritable())
        return reasons.noPermission;
    if (storage.isValid() && storage.bytesAvailable() == 0)
        return reasons.diskFull;
    return file.errorString();
}

} // namespace

SaveReasons saveReasons(Language language)
{
    return {text(Text::SaveNoFolder, language), text(Text::SaveNoPermission, language),
            text(Text::SaveReadOnly, language), text(Text::SaveDiskFull, language)};
}

void saveWhole(const QString &path, const std::function<bool(QIODevice &)> &write, const QString &failed,
               const SaveReasons &reasons)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !write(file) || !file.commit())
        throw AppError(failed.arg(QDir::toNativeSeparators(path), failureReason(file, path, reasons)));
}
