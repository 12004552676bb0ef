#include "workbench/captions.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

void setCaption(QWidget *control, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(control)) {
        if (label->text() != text) {
            label->setText(text);
            label->adjustSize(); // labels grow with their caption
        }
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        button->setText(text);
    } else if (auto *group = qobject_cast<QGroupBox *>(control)) {
        group->setTitle(text);
    }
}
