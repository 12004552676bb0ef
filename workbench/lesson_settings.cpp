// The lesson's settings: the learning rate and the repeat count, read as
// the user types them.

#include "workbench/main_window.h"

#include "runtime/number_text.h"
#include "ui_main_window.h"

#include <QLineEdit>

void MainWindow::LRateEditChange()
{
    workbench.learningRate = numtext::parseFloat32(ui->lRateEdit->text());
}

// The lesson reads the count from the edit itself; here only the chart's
// iteration axis follows it.
void MainWindow::RepeatEditChange()
{
    rescaleIterationAxis(numtext::parseInt32(ui->repeatEdit->text()));
}
