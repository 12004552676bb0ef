#pragma once
// What the main window remembers between user actions beyond the lesson:
// the bias controls and the language. The edits hold the rest: the lesson
// and the evaluation read the weights back from them.

#include "lesson/lesson_state.h"
#include "ui_common/language.h"

class QLabel;
class QLineEdit;

struct WorkbenchState : LessonState {
    // The bias controls; all null while the bias input is off.
    QLabel *biasLab = nullptr;
    QLineEdit *biasEdit = nullptr;
    QLabel *weight0Lab = nullptr;
    QLineEdit *weight0Edit = nullptr;

    Language language = Language::German;
};
