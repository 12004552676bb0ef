#include "ui_common/application_setup.h"

#include "ui_common/window_fonts.h"

#include <QApplication>
#include <QIcon>

void setUpApplication()
{
    // Message boxes and the progress dialog carry the program's icon too.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tivaro-32.png")));
    installWindowFonts();
}
