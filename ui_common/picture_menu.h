#pragma once
// The right-click menu of a picture a teacher may want elsewhere (the error
// chart, the decision view): save it as PNG or copy it. Its texts follow the
// interface language.

#include "ui_common/language.h"

#include <QString>
#include <functional>

class QMenu;
class QPixmap;
class QWidget;

struct PictureMenuTexts {
    QString saveImage = QStringLiteral("Save image…");
    QString copyImage = QStringLiteral("Copy image");
    QString saveTitle = QStringLiteral("Save image");
    QString fileFilter = QStringLiteral("PNG image (*.png)");
    QString saveFailed = QStringLiteral("Cannot write the image to \"%1\": %2"); // path, reason
    // The reasons of the common failures; the system's own text tells the rest.
    QString noFolder = QStringLiteral("No such folder");
    QString noPermission = QStringLiteral("Permission denied");
    QString readOnly = QStringLiteral("Read-only file system");
    QString diskFull = QStringLiteral("No space left on device");
};

// The menu's texts in `language`.
PictureMenuTexts pictureMenuTexts(Language language);

// Writes the picture as PNG. Raises AppError with the path and the reason
// when that fails; a file already there then stays as it was.
void savePicture(const QPixmap &picture, const QString &path, const PictureMenuTexts &texts);
void copyPicture(const QPixmap &picture);

// Adds the two entries to `menu`. Saving asks for a file name (suggesting
// `suggestedName`) and hands it to `save`; both run as guarded user actions.
void addPictureActions(QMenu &menu, QWidget *owner, const PictureMenuTexts &texts, const QString &suggestedName,
                       std::function<void(const QString &path)> save, std::function<void()> copy);
