#pragma once
// Writing a caption into a control; the texts come from the table of texts.

class QString;
class QWidget;

// Sets a label's, button's or group's caption; labels grow with it.
void setCaption(QWidget *control, const QString &text);
