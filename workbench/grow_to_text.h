#pragma once

class QLineEdit;
class QWidget;

// Whether the layout marks the edit to grow with its text (the dynamic
// property "growsToText").
bool growsToText(const QWidget *edit);

// Widens the edit to the right until its whole text shows, as a label grows
// with its caption: never narrower than its minimum width, never past its
// parent's edge. Where even that is too narrow, its tool tip shows the text.
void growToText(QLineEdit *edit);
