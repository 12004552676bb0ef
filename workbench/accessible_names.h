#pragma once
// Names each edit of a window after the label beside it, the one thing a
// screen reader cannot find by itself. Buttons, boxes and groups are left to
// Qt, which names them from their captions as they are now, so their names
// never lag behind a language switch. Run again whenever captions change or
// controls are created.

#include <initializer_list>

class QLabel;
class QWidget;

struct EditLabel {
    QWidget *edit;
    QLabel *label;
};

// Pairs with a control not created yet (null) are passed over.
void nameEditsAfterLabels(std::initializer_list<EditLabel> pairs);
