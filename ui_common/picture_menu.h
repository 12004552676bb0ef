#pragma once
// The right-click menu of a picture a teacher may want elsewhere (the error
// chart, the decision view): save it as PNG or copy it. Its texts follow the
// interface language.

#include "ui_common/file_saving.h"
#include "ui_common/language.h"

#include <QList>
#include <QMenu>
#include <QPoint>
#include <QString>
#include <memory>
#include <utility>

class QAction;
class QPixmap;
class QWidget;

struct PictureMenuTexts {
    QString saveImage = QStringLiteral("Save image…");
    QString copyImage = QStringLiteral("Copy image");
    QString saveTitle = QStringLiteral("Save image");
    QString fileFilter = QStringLiteral("PNG image (*.png)");
    QString saveFailed = QStringLiteral("Cannot write the image to \"%1\": %2"); // path, reason
    SaveReasons reasons = saveReasons(Language::English);
};

// The menu's texts in `language`.
PictureMenuTexts pictureMenuTexts(Language language);

// The picture menu of one widget, which owns it: the widget's picture, saved
// or copied, and after a separator the entries its owner adds.
class PictureMenu {
public:
    // Saving suggests `suggestedName` as the file's name.
    PictureMenu(QWidget &widget, QString suggestedName);

    void setTexts(const PictureMenuTexts &chosen) { texts = chosen; }
    // Entries of the widget's owner (which keeps owning them), listed after
    // the picture's own.
    void setExtraActions(QList<QAction *> actions) { extraActions = std::move(actions); }

    // Both entries run as guarded user actions; saving asks for a file name.
    std::unique_ptr<QMenu> build();
    void popUp(QPoint globalPosition);

    // The widget as drawn, at its size times the screen's pixel ratio.
    QPixmap picture() const;
    // Writes the picture as PNG. Raises AppError with the path and the
    // system's reason when that fails; a file already there then stays as it was.
    void save(const QString &path) const;
    void copy() const;

private:
    QWidget &widget;
    QString suggestedName;
    PictureMenuTexts texts;
    QList<QAction *> extraActions;
};
