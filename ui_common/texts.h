#pragma once
// Every text the windows show, in every interface language: one table whose
// rows are compile-time keys and whose columns are the languages. A text
// that no language changes stands in every column alike.

#include "ui_common/language.h"

#include <QString>
#include <QStringList>
#include <cstdint>

enum class Text : uint16_t {
    // Main window captions, in the order they are applied.
    ShowAnalogBox,
    RandomiseButton,
    TargetLabel,
    LessonButton,
    DescriptionButton,
    RepeatLabel,
    DoneLabel,
    ChooseGatePrompt,
    NextPatternButton,
    LearningRateLabel,
    BiasBox,
    ErrorGraphBox,
    EndButton,
    SigmoidBox,
    LanguageGroup,
    ErrorAxisTitle,
    IterationAxisTitle,
    // Captions no language changes.
    Input1Label,
    Input2Label,
    AndGateName,
    OrGateName,
    NandGateName,
    XorGateName,
    MissingInputs,
    // The picture menu of the chart and the decision view, its save dialog
    // and the save error (%1 the path, %2 the system's reason).
    SaveImage,
    CopyImage,
    SaveTitle,
    FileFilter,
    SaveFailed,
    // The reasons of the common save failures, in the interface's words.
    SaveNoFolder,
    SaveNoPermission,
    SaveReadOnly,
    SaveDiskFull,
    // A long lesson's progress dialog (%1 iterations done of %2).
    ProgressTitle,
    ProgressLine,
    ProgressCancel,
    // The decision view.
    DecisionTitle,
    DecisionEntry,
    DecisionCorrect,  // %1 correct of %2
    DecisionNoLine,   // both input weights 0; %1 the decision
    DecisionOverflow, // a pattern's sum leaves the float range
    // The description window.
    DescriptionClose,
    // The worked step.
    WorkedStepTitle,
    WorkedStepEntry,
    CopyText,
    StepNothing,
    StepPattern, // %1 number, %2 x1, %3 x2, %4 target
    StepInputs,  // inputs that are no pattern: %1 x1, %2 x2
    StepSum,     // %1 the sum, term by term
    StepOutput,  // %1 how the output came about
    StepOne,     // %1 sum, %2 threshold
    StepZero,    // %1 sum, %2 threshold
    StepLinear,  // %1 the sum
    StepError,   // %1 target − output = error
    StepWeightsStay,
    StepOverflow,     // in place of a result beyond the float range
    StepRoundingNote, // after the lines marked "*"
    // Lessons saved and opened: the entries, their dialogs and what fails
    // (%1 the file, %2 the reason).
    SaveLessonEntry,
    OpenLessonEntry,
    SaveLessonTitle,
    OpenLessonTitle,
    LessonFileFilter,
    LessonSaveFailed,
    LessonOpenFailed,
    LessonTooLargeToSave,
    LessonNoFile,
    LessonNoPermission,
    LessonNotALesson,
    LessonDamaged,
    LessonNewer,
    LessonOutOfRange, // %1 the value
    LessonTooLarge,
    // The chart's errors as CSV: the entry, its dialog, the columns, the failure.
    SaveErrorsEntry,
    SaveErrorsTitle,
    CsvFileFilter,
    CsvIterationColumn,
    CsvErrorColumn,
    ErrorsSaveFailed,
    Count
};

constexpr std::size_t textCount = static_cast<std::size_t>(Text::Count);

// The text of `key` in `language`.
QString text(Text key, Language language);

// The description window's explanation, line by line.
QStringList descriptionLines(Language language);
