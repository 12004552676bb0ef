// Tivaro: trains one artificial neuron with the perceptron rule.

#include "app/window_fonts.h"
#include "workbench/main_form.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    installWindowFonts();

    TForm1 form1;
    form1.show();
    application.exec();
    // Nothing is saved and nothing can fail at the end.
    return 0;
}
