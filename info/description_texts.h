#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

struct DescriptionText {
    QString closeCaption;
    QStringList lines;
};

// The texts of language 0 (German), 1 (English) or 2 (Slovak); none for any
// other value.
std::optional<DescriptionText> descriptionText(uint8_t language);
