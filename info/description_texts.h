#pragma once

#include "ui_common/language.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

struct DescriptionText {
    QString closeCaption;
    QStringList lines;
};

// The texts of German, English or Slovak; none for any other value.
std::optional<DescriptionText> descriptionText(Language language);
