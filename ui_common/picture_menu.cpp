#include "ui_common/picture_menu.h"

#include "runtime/app_error.h"
#include "ui_common/texts.h"
#include "ui_common/user_action.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPixmap>
#include <QSaveFile>
#include <QStorageInfo>

namespace {

// The system words its reasons in its own language, not the interface's;
// the common ones are told from the folder and the file system, in the
// interface's words.
QString failureReason(const QSaveFile &file, const QString &path, const PictureMenuTexts &texts)
{
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir())
        return texts.noFolder;
    const QStorageInfo storage(folder.absoluteFilePath());
    if (storage.isValid() && storage.isReadOnly())
        return texts.readOnly;
    if (!folder.isWritable())
        return texts.noPermission;
    if (storage.isValid() && storage.bytesAvailable() == 0)
        return texts.diskFull;
    return file.errorString();
}

} // namespace

PictureMenuTexts pictureMenuTexts(Language language)
{
    return {
        text(Text::SaveImage, language),        text(Text::CopyImage, language),    text(Text::SaveTitle, language),
        text(Text::FileFilter, language),       text(Text::SaveFailed, language),   text(Text::SaveNoFolder, language),
        text(Text::SaveNoPermission, language), text(Text::SaveReadOnly, language), text(Text::SaveDiskFull, language)};
}

void savePicture(const QPixmap &picture, const QString &path, const PictureMenuTexts &texts)
{
    // Written beside the target and moved over it only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit())
        throw AppError(texts.saveFailed.arg(QDir::toNativeSeparators(path), failureReason(file, path, texts)));
}

void copyPicture(const QPixmap &picture)
{
    QGuiApplication::clipboard()->setPixmap(picture);
}

void addPictureActions(QMenu &menu, QWidget *owner, const PictureMenuTexts &texts, const QString &suggestedName,
                       std::function<void(const QString &path)> save, std::function<void()> copy)
{
    menu.addAction(texts.saveImage, owner, [owner, texts, suggestedName, save] {
        runUserAction(owner, [&] {
            const QString path = QFileDialog::getSaveFileName(owner, texts.saveTitle, suggestedName, texts.fileFilter);
            if (!path.isEmpty())
                save(path);
        });
    });
    menu.addAction(texts.copyImage, owner, [owner, copy] { runUserAction(owner, copy); });
}
