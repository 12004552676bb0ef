// The lesson's settings: the learning rate and the repeat count, read as
// the user types them.

#include "workbench/main_form.h"

#include "runtime/number_text.h"
#include "ui_main_form.h"

#include <QLineEdit>

void TForm1::LRateEditChange()
{
    workbench.learningRate = numtext::parseFloat32(ui->lRateEdit->text());
}

// The lesson reads the count from the edit itself; here only the chart's
// iteration axis follows it.
void TForm1::RepeatEditChange()
{
    rescaleIterationAxis(numtext::parseInt32(ui->repeatEdit->text()));
}
