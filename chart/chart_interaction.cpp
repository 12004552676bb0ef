// What a teacher can do with the chart beyond looking: save or copy it, and
// read off a single iteration by hovering over the line.

#include "chart/error_chart.h"

#include "ui_common/user_action.h"
#include "runtime/app_error.h"
#include "runtime/number_text.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineSeries>
#include <QMenu>
#include <QPixmap>
#include <QToolTip>
#include <cmath>

void ErrorChart::setMenuTexts(const QString &saveImage, const QString &copyImage)
{
    saveText = saveImage;
    copyText = copyImage;
}

std::unique_ptr<QMenu> ErrorChart::buildContextMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    menu->addAction(saveText, this, [this] {
        runUserAction([this] {
            const QString path = QFileDialog::getSaveFileName(this, saveText, QStringLiteral("tivaro.png"),
                                                              QStringLiteral("PNG (*.png)"));
            if (!path.isEmpty())
                saveImage(path);
        });
    });
    menu->addAction(copyText, this, [this] { runUserAction([this] { copyImage(); }); });
    if (!extraActions.isEmpty()) {
        menu->addSeparator();
        menu->addActions(extraActions);
    }
    return menu;
}

void ErrorChart::contextMenuEvent(QContextMenuEvent *event)
{
    buildContextMenu()->exec(event->globalPos());
}

QPixmap ErrorChart::picture()
{
    // grab() renders at the screen's pixel ratio, so the picture is as sharp
    // as what the teacher sees.
    return grab();
}

void ErrorChart::saveImage(const QString &path)
{
    if (!picture().save(path, "PNG"))
        throw AppError(QStringLiteral("Cannot write the image to '%1'").arg(path));
}

void ErrorChart::copyImage()
{
    QGuiApplication::clipboard()->setPixmap(picture());
}

QString ErrorChart::tipAt(double x) const
{
    const QList<QPointF> points = series->points();
    if (points.isEmpty())
        return {};
    const QPointF *nearest = &points.front();
    for (const QPointF &p : points)
        if (std::abs(p.x() - x) < std::abs(nearest->x() - x))
            nearest = &p;
    return QStringLiteral("%1: %2\n%3: %4")
        .arg(bottom.title(), QString::number(nearest->x(), 'f', 0), left.title(),
             numtext::formatFixed(static_cast<float>(nearest->y())));
}
