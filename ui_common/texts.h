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
    Count
};

constexpr std::size_t textCount = static_cast<std::size_t>(Text::Count);

// The text of `key` in `language`.
QString text(Text key, Language language);

// The description window's explanation, line by line.
QStringList descriptionLines(Language language);
