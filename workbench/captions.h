#pragma once
// The interface texts of the three languages.

#include "ui_common/language.h"
#include "ui_common/picture_menu.h"

#include <QString>
#include <array>

class QWidget;

// What a caption row is written into.
enum class CaptionTarget {
    Control,       // the control of the main window with this object name
    LeftAxisTitle, // the error chart's axis titles
    BottomAxisTitle,
};

struct CaptionRow {
    CaptionTarget target;
    const char *controlName;
    std::array<const char16_t *, languageCount> text;
};

// In the order they are applied.
extern const std::array<CaptionRow, 17> captionTable;

// The right-click menu of the chart and of the decision view (save and copy
// the picture), the save dialog's title and file filter, the save error (%1
// the path, %2 the reason) and the reasons of the common failures.
struct PictureMenuRow {
    const char16_t *saveImage;
    const char16_t *copyImage;
    const char16_t *saveTitle;
    const char16_t *fileFilter;
    const char16_t *saveFailed;
    const char16_t *noFolder;
    const char16_t *noPermission;
    const char16_t *readOnly;
    const char16_t *diskFull;
};
extern const std::array<PictureMenuRow, languageCount> pictureMenuRows;
PictureMenuTexts pictureMenuTexts(Language language);

// Sets a label's, button's or group's caption; labels grow with it.
void setCaption(QWidget *control, const QString &text);
