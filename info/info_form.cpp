#include "info/info_form.h"

#include "ui_common/user_action.h"
#include "info/description_texts.h"
#include "ui_info_form.h"

#include <QEventLoop>
#include <QShowEvent>

TForm2::TForm2(const Language &language, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::Form2>()), language(language)
{
    ui->setupUi(this);
    connect(ui->end2B, &QPushButton::clicked, this, [this] { runUserAction(this, [this] { end2BClick(); }); });
}

TForm2::~TForm2() = default;

void TForm2::showModally()
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

void TForm2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Only the window's own showing, not a return from another application.
    if (!event->spontaneous())
        runUserAction(this, [this] { FormActivate(); });
}

void TForm2::FormActivate()
{
    const std::optional<DescriptionText> text = descriptionText(language);
    if (!text)
        return;
    ui->end2B->setText(text->closeCaption);
    ui->infoMemo->setPlainText(text->lines.join(u'\n'));
}

void TForm2::end2BClick()
{
    close();
}
