#include "info/description_window.h"

#include "ui_common/texts.h"
#include "ui_common/user_action.h"
#include "ui_description_window.h"

#include <QEventLoop>
#include <QShowEvent>

DescriptionWindow::DescriptionWindow(Language language, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::DescriptionWindow>()), language(language)
{
    ui->setupUi(this);
    connect(ui->end2B, &QPushButton::clicked, this, [this] { runUserAction(this, [this] { closeDescription(); }); });
}

DescriptionWindow::~DescriptionWindow() = default;

void DescriptionWindow::showModally()
{
    setWindowState(windowState() | Qt::WindowMaximized);
    // Shown non-modal and waited for here: a window blocked by a modal one
    // never hears of a close from the window manager. The caller holds its
    // window meanwhile.
    setWindowModality(Qt::NonModal);
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    show();
    loop.exec();
}

void DescriptionWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Only the window's own showing, not a return from another application.
    if (!event->spontaneous())
        runUserAction(this, [this] { fillTexts(); });
}

void DescriptionWindow::fillTexts()
{
    ui->end2B->setText(text(Text::DescriptionClose, language));
    ui->infoMemo->setPlainText(descriptionLines(language).join(u'\n'));
}

void DescriptionWindow::closeDescription()
{
    close();
}
