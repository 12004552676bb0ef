#pragma once
// The worked step as lines of text: the pattern, the sum term by term, the
// output and, for a lesson iteration, the error and every weight's update.
// Every number is the shortest decimal of its float; an equation that holds
// only after float rounding is marked, with one note below.

#include "lesson/worked_step.h"
#include "ui_common/language.h"

#include <QString>
#include <optional>

// A number as the view writes it: shortest, the user's separator, "−".
QString stepNumber(float value);

QString describeStep(const std::optional<WorkedStep> &step, Language language);
