#include "workbench/status_text.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::array<uint16_t, 10> statusKey = {
    0x5A17, 0x3C2E, 0x1B44, 0x6D09, 0x2F71, 0x4E63, 0x0D5B, 0x7A28, 0x3396, 0x61C4,
};

constexpr char16_t storedStatus[] = {
    0x3C7A, 0x6D60, 0x4E15, 0x7A49, 0x61B6, 0x3C41, 0x6D33, 0x4E43, 0x7A47, 0x61AA, 0x3C4B,
    0x6D29, 0x4E0D, 0x7A4D, 0x61B1, 0x3C5C, 0x6D66, 0x4E0D, 0x7A04, 0x61E4, 0x3C48, 0x6D66,
    0x4E16, 0x7A5A, 0x61E4, 0x3C49, 0x6D68, 0x4E17, 0x7A4D, 0x61B7, 0x3C00,
};

} // namespace

QString UnscrambleText(const QString &text)
{
    QString copy = text;
    // The key index runs 2, 4, 6, 8, 10, 2, ...: only the even entries are used.
    int k = 0;
    for (qsizetype i = 0; i < copy.size(); ++i) {
        k = ((k + 1) % 10) + 1;
        copy[i] = QChar(static_cast<char16_t>(copy[i].unicode() ^ statusKey[k - 1]));
    }
    return copy;
}

QString scrambledStatus()
{
    return QString::fromUtf16(storedStatus, std::size(storedStatus));
}
