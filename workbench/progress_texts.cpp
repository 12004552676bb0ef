#include "workbench/progress_texts.h"

const std::array<ProgressTexts, languageCount> progressTexts = {{
    {u"Lektion läuft", u"Iteration %1 von %2", u"Abbrechen"},
    {u"Lesson running", u"Iteration %1 of %2", u"Cancel"},
    {u"Učenie prebieha", u"Iterácia %1 z %2", u"Zrušiť"},
}};
