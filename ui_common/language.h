#pragma once
// The interface language, shared by every window: the main window chooses
// it, the others follow.

#include <cstddef>
#include <cstdint>

enum class Language : uint8_t { German, English, Slovak };
constexpr std::size_t languageCount = 3;

// The column of a language in every table of texts. The one check: a value
// outside the enumeration reads German.
constexpr std::size_t column(Language language)
{
    const auto index = static_cast<std::size_t>(language);
    return index < languageCount ? index : 0;
}
