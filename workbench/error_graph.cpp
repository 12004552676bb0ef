// Switching between the diagram and the error chart, and scaling its
// iteration axis.

#include "workbench/main_form.h"

#include "chart/error_chart.h"
#include "runtime/number_text.h"
#include "ui_main_form.h"
#include "workbench/diagram_image.h"

#include <QCheckBox>
#include <QLineEdit>

void TForm1::rescaleIterationAxis(int64_t count)
{
    ChartAxis &axis = ui->Chart1->bottomAxis();
    axis.setMaximum(static_cast<double>(count));
    axis.setIncrement(1.0);
    axis.recompute();
}

void TForm1::ErrGraphCBClick()
{
    Ui::Form1 &c = *ui;
    if (c.errGraphCB->isChecked()) {
        c.Image1->hide();
        rescaleIterationAxis(numtext::parseInt32(c.repeatEdit->text()));
        c.Chart1->show();
    } else {
        c.Chart1->hide();
        c.Chart1->clearPoints();
        c.Image1->show();
    }
}
