#pragma once
// The worked step's words in the three interface languages, one row per
// text, keyed by what the text is for.

#include "ui_common/language.h"

#include <QString>
#include <array>
#include <cstddef>

enum class StepText : std::size_t {
    Title,        // window title
    ShowEntry,    // menu entry that opens and closes the view
    CopyEntry,    // menu entry that copies the whole text
    Nothing,      // before the neuron computed anything
    Pattern,      // "%1" number, "%2" x1, "%3" x2, "%4" target
    Inputs,       // inputs that are no pattern: "%1" x1, "%2" x2
    Sum,          // "%1" the sum, term by term
    Output,       // "%1" how the output came about
    StepOne,      // "%1" sum, "%2" threshold
    StepZero,     // "%1" sum, "%2" threshold
    Linear,       // "%1" the sum
    Error,        // "%1" target − output = error
    WeightsStay,  // the error is 0
    Overflow,     // in place of a result beyond the float range
    RoundingNote, // after the lines marked "*"
    Count
};

using StepTextRow = std::array<const char16_t *, languageCount>;
extern const std::array<StepTextRow, static_cast<std::size_t>(StepText::Count)> stepTexts;

QString stepText(StepText text, Language language);
