#pragma once
// Qt's own texts (the file dialog, its question about an existing file,
// the edits' context menus) in the interface language, from Debian's
// qt6-translations-l10n. English is Qt's own; where a translation is not
// installed, Qt's texts stay English.

#include "ui_common/language.h"

// Installs Qt's translation for `language`, taking out the one in use.
// Call after the application object exists.
void useToolkitLanguage(Language language);
