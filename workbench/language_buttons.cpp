#include "workbench/language_buttons.h"

#include "ui_main_window.h"

LanguageButtons languageButtons(const Ui::MainWindow &c)
{
    return {{{c.deRB, Language::German}, {c.enRB, Language::English}, {c.skRB, Language::Slovak}}};
}
