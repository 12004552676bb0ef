#include "ui_common/report.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace report {
namespace {

Sink &currentSink()
{
    static Sink sink;
    return sink;
}

void showBox(Kind kind, const QString &caption, const QString &text)
{
    if (kind == Kind::Error) {
        QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
        return;
    }
    // A parentless box is centred on the screen.
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
    box.exec();
}

void deliver(Kind kind, const QString &text)
{
    const QString caption = applicationTitle();
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
