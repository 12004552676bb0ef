#pragma once
// What every part of the main window works on: its controls, the guarded
// entry to their handlers, the lesson session below them and the chosen
// language.
// The parts read the language here; the windows and views beside the main
// window are told of it when it changes (MainWindow::applyLanguage).

#include "lesson/lesson_session.h"
#include "ui_common/language.h"
#include "workbench/control_dispatch.h"

class QLabel;
class QLineEdit;
class QWidget;

namespace Ui {
class MainWindow;
}

// The controls of the bias input; all null while it is off.
struct BiasControls {
    QLabel *biasLab = nullptr;
    QLineEdit *biasEdit = nullptr;
    QLabel *weight0Lab = nullptr;
    QLineEdit *weight0Edit = nullptr;
};

struct WindowContext {
    WindowContext(QWidget *window, QWidget *form, Ui::MainWindow &controls)
        : window(window), form(form), c(controls), dispatch(window)
    {
    }

    QWidget *window; // the whole window, docks and all
    QWidget *form;   // its own content, where the controls sit
    Ui::MainWindow &c;
    ControlDispatch dispatch;
    LessonSession session;
    BiasControls bias;
    Language language = Language::German;
};
