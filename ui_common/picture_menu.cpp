#include "ui_common/picture_menu.h"

#include "ui_common/texts.h"
#include "ui_common/user_action.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QPixmap>

PictureMenuTexts pictureMenuTexts(Language language)
{
    return {text(Text::SaveImage, language),  text(Text::CopyImage, language),  text(Text::SaveTitle, language),
            text(Text::FileFilter, language), text(Text::SaveFailed, language), saveReasons(language)};
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
    const QPixmap shown = picture();
    saveWhole(
        path, [&shown](QIODevice &file) { return shown.save(&file, "PNG"); }, texts.saveFailed, texts.reasons);
}

void PictureMenu::copy() const
{
    QGuiApplication::clipboard()->setPixmap(picture());
}
