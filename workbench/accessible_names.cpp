#include "workbench/accessible_names.h"

#include <QLabel>
#include <QWidget>

void nameEditsAfterLabels(std::initializer_list<EditLabel> pairs)
{
    for (const EditLabel &pair : pairs) {
        if (!pair.edit || !pair.label)
            continue;
        pair.label->setBuddy(pair.edit);
        pair.edit->setAccessibleName(pair.label->text().simplified());
    }
}
