#pragma once

// The windows are designed for Tahoma. Where the system lacks it, the
// metric-compatible face that Debian ships with Wine is loaded for the
// program; failing that, Qt's substitution picks the closest sans face.
void installWindowFonts();
