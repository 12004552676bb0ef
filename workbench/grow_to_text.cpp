#include "workbench/grow_to_text.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <climits>

namespace {

// What a line edit keeps beside its text: a margin of 2 on each side, and
// room for the cursor and one pixel after the text.
constexpr int besideText = 2 * 2 + 2;

} // namespace

bool growsToText(const QWidget *edit)
{
    return edit->property("growsToText").toBool();
}

void growToText(QLineEdit *edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    const QMargins margins = edit->textMargins();
    const int content =
        edit->fontMetrics().horizontalAdvance(edit->text()) + besideText + margins.left() + margins.right();
    const int wanted =
        edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(content, edit->height()), edit).width();
    const int floor = edit->minimumWidth();
    int room = INT_MAX;
    if (const QWidget *parent = edit->parentWidget())
        room = parent->contentsRect().right() + 1 - edit->x();
    const int width = std::clamp(wanted, floor, std::max(floor, room));
    if (width != edit->width())
        edit->resize(width, edit->height());
    edit->setToolTip(wanted > width ? edit->text() : QString());
}
