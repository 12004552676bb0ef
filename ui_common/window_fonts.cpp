#include "ui_common/window_fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void installWindowFonts()
{
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
        return;
    static const char *const candidates[] = {
        "/usr/share/wine/fonts/tahoma.ttf",
        "/usr/share/wine/fonts/tahomabd.ttf",
    };
    for (const char *path : candidates)
        QFontDatabase::addApplicationFont(QString::fromLatin1(path));
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
}
