#pragma once
// The radio buttons that choose the interface language, each with its
// language: the switch reads them, a lesson file keeps which was checked.

#include "ui_common/language.h"

#include <array>
#include <utility>

class QRadioButton;

namespace Ui {
class MainWindow;
}

using LanguageButtons = std::array<std::pair<QRadioButton *, Language>, languageCount>;

LanguageButtons languageButtons(const Ui::MainWindow &c);
