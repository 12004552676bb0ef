#pragma once
// The texts of a long lesson's progress dialog, one row per language.

#include "ui_common/language.h"

#include <array>

struct ProgressTexts {
    const char16_t *title;
    const char16_t *progress; // %1 iterations done of %2
    const char16_t *cancel;
};

extern const std::array<ProgressTexts, languageCount> progressTexts;
