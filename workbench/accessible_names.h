#pragma once

class QWidget;

// Gives every control of the window a name a screen reader can announce: a
// button or box its caption, an edit the caption of the label that names it.
// Run again whenever captions change or controls are created.
void nameControlsForScreenReaders(QWidget *window);
