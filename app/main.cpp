// Tivaro: trains one artificial neuron with the perceptron rule.

#include "app/command_line.h"
#include "ui_common/window_fonts.h"
#include "workbench/main_window.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    if (const std::optional<int> exitCode = answerBeforeWindows(argc, argv))
        return *exitCode;
    QApplication application(argc, argv);
    rejectUnknownOptions();
    // Message boxes and the progress dialog carry the program's icon too, and
    // desktops match the running program to its menu entry.
    application.setWindowIcon(QIcon(QStringLiteral(":/icons/tivaro-32.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral(TIVARO_APP_ID));
    installWindowFonts();

    MainWindow mainWindow;
    mainWindow.show();
    application.exec();
    // Nothing is saved and nothing can fail at the end.
    return 0;
}
