#pragma once

#include <QString>

// The windows are laid out for Tahoma at 96 dpi. Where the system lacks it,
// Liberation Sans stands in: its widths come closest to Tahoma's, it has a
// true bold face, and it carries every letter of the three interface
// languages. Debian ships it as fonts-liberation2, a dependency of the package.
QString windowFontFamily();

// Makes every request for "Tahoma" (the layouts and the chart ask for it by
// name) draw in windowFontFamily(). Call once, after the application object
// exists and before the first window is built.
void installWindowFonts();
