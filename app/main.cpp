// Tivaro: trains one artificial neuron with the perceptron rule.

#include "app/command_line.h"
#include "ui_common/application_setup.h"
#include "workbench/main_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (const std::optional<int> exitCode = answerBeforeWindows(argc, argv))
        return *exitCode;
    QApplication application(argc, argv);
    rejectUnknownOptions();
    setUpApplication();
    // Desktops match the running program to its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(TIVARO_APP_ID));

    MainWindow mainWindow;
    mainWindow.show();
    // A file named on the command line, or by a double-click, opens as if
    // the user had opened it: what fails is said, and the window stays.
    if (const std::optional<QString> file = lessonFileArgument())
        mainWindow.openLesson(*file);
    application.exec();
    return 0;
}
