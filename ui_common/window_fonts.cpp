#include "ui_common/window_fonts.h"

#include <QApplication>
#include <QFont>

QString windowFontFamily()
{
    return QStringLiteral("Liberation Sans");
}

void installWindowFonts()
{
    // Left alone, the application font is fontconfig's idea of a sans face,
    // which differs from machine to machine and, with only the package's
    // fonts, is even a monospaced one. The size stays the desktop's choice.
    QFont font = QApplication::font();
    font.setFamily(windowFontFamily());
    QApplication::setFont(font);
}
