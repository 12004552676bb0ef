// Switching between the diagram and the error chart, and scaling its
// iteration axis.

#include "workbench/main_window.h"

#include "chart/error_chart.h"
#include "runtime/number_text.h"
#include "ui_main_window.h"
#include "workbench/diagram_image.h"

#include <QCheckBox>
#include <QLineEdit>

void MainWindow::rescaleIterationAxis(int64_t count)
{
    ChartAxis &axis = ui->errorChart->bottomAxis();
    axis.setMaximum(static_cast<double>(count));
    axis.setIncrement(1.0);
    axis.recompute();
}

void MainWindow::ErrGraphCBClick()
{
    Ui::MainWindow &c = *ui;
    if (c.errGraphCB->isChecked()) {
        c.diagramImage->hide();
        rescaleIterationAxis(numtext::parseInt32(c.repeatEdit->text()));
        c.errorChart->show();
    } else {
        c.errorChart->hide();
        c.errorChart->clearPoints();
        c.diagramImage->show();
    }
}
