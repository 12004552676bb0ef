#pragma once
// The interface language, shared by both windows: the workbench chooses it,
// the description window reads it at every opening.

#include <cstdint>

enum Language : uint8_t { German = 0, English = 1, Slovak = 2 };
constexpr int languageCount = 3;
