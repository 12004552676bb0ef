#include "ui_common/report.h"

#include "ui_common/action_hold.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QMessageBox>
#include <memory>
#include <vector>

namespace report {
namespace {

Sink &currentSink()
{
    static Sink sink;
    return sink;
}

void showBox(Kind kind, const QString &caption, const QString &text)
{
    // A parentless box is centred on the screen.
    QWidget *over = kind == Kind::Error ? QApplication::activeWindow() : nullptr;
    QMessageBox box(kind == Kind::Error ? QMessageBox::Critical : QMessageBox::NoIcon, caption, text, QMessageBox::Ok,
                    over);
    // Not modal, and waited for here: the holds keep the windows still.
    box.setWindowModality(Qt::NonModal);
    QEventLoop loop;
    QObject::connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
    box.show();
    loop.exec();
}

void deliver(Kind kind, const QString &text)
{
    const QString caption = applicationTitle();
    // While the message is up the windows behind it take no action, as
    // behind a modal box; but a close of one of them is kept and carried
    // out once the message has been dismissed.
    std::vector<std::unique_ptr<ActionHold>> holds;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->parentWidget() || !window->isVisible() || ActionHold::holds(window))
            continue;
        holds.push_back(std::make_unique<ActionHold>(window));
        holds.back()->lockControls();
    }
    if (const Sink &sink = currentSink())
        sink(kind, caption, text);
    else
        showBox(kind, caption, text);
}

} // namespace

void setSink(Sink sink)
{
    currentSink() = std::move(sink);
}

void showError(const QString &message)
{
    deliver(Kind::Error, withFullStop(message));
}

void showNotice(const QString &text)
{
    deliver(Kind::Notice, text);
}

QString withFullStop(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

QString titleFromExecutable(const QString &path)
{
    QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name;
}

QString applicationTitle()
{
    return titleFromExecutable(QCoreApplication::applicationFilePath());
}

} // namespace report
