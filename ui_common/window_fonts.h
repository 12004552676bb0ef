#pragma once

#include <QString>

// The windows are laid out for Tahoma at 96 dpi, and drawn in Liberation
// Sans: its widths come closest to Tahoma's, it has a true bold face, it
// carries every letter of the three interface languages, and Debian ships it
// as fonts-liberation2, a dependency of the package. It is used even where a
// Tahoma is installed, so that the windows look the same on every machine
// (Wine's Tahoma, the one most Linux machines have, draws no bold in Qt).
QString windowFontFamily();

// Makes windowFontFamily() the application font, so that everything the
// program draws (windows, chart, tips, menus, message boxes, dialogs) is
// drawn in it; the layouts give sizes and weights only. Call once, after the
// application object exists and before the first window is built.
void installWindowFonts();
