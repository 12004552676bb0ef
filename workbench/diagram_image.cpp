#include "workbench/diagram_image.h"

#include "runtime/jpeg_image.h"

#include <QFile>
#include <QPainter>

DiagramImage::DiagramImage(QWidget *parent) : QWidget(parent)
{
    QFile file(QStringLiteral(":/diagram.jpg"));
    if (file.open(QIODevice::ReadOnly))
        image = decodeJpeg(file.readAll());
}

void DiagramImage::paintEvent(QPaintEvent *)
{
    if (image.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), image);
}
