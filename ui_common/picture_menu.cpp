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

PictureMenu::PictureMenu(QWidget &widget, QString suggestedName)
    : widget(widget), suggestedName(std::move(suggestedName))
{
}

std::unique_ptr<QMenu> PictureMenu::build()
{
    auto menu = std::make_unique<QMenu>(&widget);
    // The save dialog speaks the language the menu was built in.
    menu->addAction(texts.saveImage, &widget, [this, shown = texts] {
        runUserAction(&widget, [&] {
            const QString path =
                QFileDialog::getSaveFileName(&widget, shown.saveTitle, suggestedName, shown.fileFilter);
            if (!path.isEmpty())
                save(path);
        });
    });
    menu->addAction(texts.copyImage, &widget, [this] { runUserAction(&widget, [this] { copy(); }); });
    if (!extraActions.isEmpty()) {
        menu->addSeparator();
        menu->addActions(extraActions);
    }
    return menu;
}

void PictureMenu::popUp(QPoint globalPosition)
{
    build()->exec(globalPosition);
}

QPixmap PictureMenu::picture() const
{
    // grab() renders at the screen's pixel ratio, so the picture is as sharp
    // as what the teacher sees.
    return widget.grab();
}

void PictureMenu::save(const QString &path) const
{
    // Written beside the target and moved over it only when complete.
    const QPixmap shown = picture();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !shown.save(&file, "PNG") || !file.commit())
        throw AppError(texts.saveFailed.arg(QDir::toNativeSeparators(path), failureReason(file, path, texts)));
}

void PictureMenu::copy() const
{
    QGuiApplication::clipboard()->setPixmap(picture());
}
