#pragma once

class QWidget;

// Names each edit of the window after the label beside it, the one thing a
// screen reader cannot find by itself. Buttons, boxes and groups are left to
// Qt, which names them from their captions as they are now, so their names
// never lag behind a language switch. Run again whenever captions change or
// controls are created.
void nameControlsForScreenReaders(QWidget *window);
