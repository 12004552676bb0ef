#include "workbench/error_graph_switch.h"

#include "chart/error_chart.h"
#include "ui_main_window.h"
#include "workbench/diagram_image.h"

#include <QCheckBox>

ErrorGraphSwitch::ErrorGraphSwitch(WindowContext &context, const NeuronEdits &edits) : context(context), edits(edits)
{
    context.dispatch.wire(context.c.errGraphCB, [this] { toggleErrorGraph(); });
}

void ErrorGraphSwitch::rescaleIterationAxis(int64_t count)
{
    ChartAxis &axis = context.c.errorChart->bottomAxis();
    axis.setMaximum(static_cast<double>(count));
    axis.setIncrement(1.0);
    axis.recompute();
}

void ErrorGraphSwitch::showGraph(bool on)
{
    context.c.errorChart->setVisible(on);
    context.c.diagramImage->setVisible(!on);
}

void ErrorGraphSwitch::toggleErrorGraph()
{
    Ui::MainWindow &c = context.c;
    if (c.errGraphCB->isChecked()) {
        c.diagramImage->hide();
        rescaleIterationAxis(edits.repeatCount());
        c.errorChart->show();
    } else {
        c.errorChart->hide();
        c.errorChart->clearPoints();
        c.diagramImage->show();
    }
}
