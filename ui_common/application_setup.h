#pragma once

// What the program sets on the application object before its first window:
// the icon that message boxes and dialogs carry, and the one face that
// everything is drawn in. The tests start through it as well, so that they
// see the windows exactly as a user does.
void setUpApplication();
