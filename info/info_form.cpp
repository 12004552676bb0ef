#include "info/description_window.h"

#include "info/description_texts.h"
#include "ui_common/user_action.h"
#include "ui_description_window.h"

#include <QShowEvent>

DescriptionWindow::DescriptionWindow(const Language &language, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::DescriptionWindow>()), language(language)
{
    ui->setupUi(this);
    connect(ui->end2B, &QPushButton::clicked, this, [this] { runUserAction([this] { end2BClick(); }); });
}

DescriptionWindow::~DescriptionWindow() = default;

void DescriptionWindow::showModally()
{
    setWindowState(windowState() | Qt::WindowMaximized);
    exec();
}

void DescriptionWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Only the window's own showing, not a return from another application.
    if (!event->spontaneous())
        runUserAction([this] { FormActivate(); });
}

void DescriptionWindow::FormActivate()
{
    const std::optional<DescriptionText> text = descriptionText(language);
    if (!text)
        return;
    ui->end2B->setText(text->closeCaption);
    ui->infoMemo->setPlainText(text->lines.join(u'\n'));
}

void DescriptionWindow::end2BClick()
{
    close();
}
