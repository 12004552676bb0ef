#include "ui_common/texts.h"

#include <array>

namespace {

using Columns = std::array<const char16_t *, languageCount>;

struct Row {
    Text key;
    Columns text; // German, English, Slovak
};

// A text that no language changes.
constexpr Columns same(const char16_t *text)
{
    return {text, text, text};
}

constexpr Row rows[] = {
    {Text::ShowAnalogBox, {u"Zeige die Summe im Neuron", u"Show the sum in neuron", u"Ukáž sumu v neurone"}},
    {Text::RandomiseButton, {u"Randomisiere", u"Randomise", u"Randomizuj"}},
    {Text::TargetLabel, {u"Das Ziel (target)", u"target", u"Cieľ (target)"}},
    {Text::LessonButton, {u"Lektion starten", u"Start the lesson", u"Štartuj učenie"}},
    {Text::DescriptionButton, {u"Beschreibung", u"Short notes", u"Krátky popis"}},
    {Text::RepeatLabel, {u"Wiederholungen:", u"Repeat     :", u"Počet kôl :"}},
    {Text::DoneLabel, {u"Abgelaufen:", u"Done    :", u"Ubehnutých:"}},
    {Text::ChooseGatePrompt,
     {u"Bitte wählen Sie zuerst: AND,OR,NAND,XOR", u"Please select AND,OR,NAND,XOR first",
      u"Zvoľte najprv funkciu AND,OR,NAND alebo XOR"}},
    {Text::NextPatternButton, {u"Nächster Inputwert", u"Next input", u"Nasledujúci input"}},
    {Text::LearningRateLabel, same(u"learning rate:")},
    {Text::BiasBox, {u"Schalte Bias ein", u"Use bias", u"Použi bias"}},
    {Text::ErrorGraphBox, {u"Zeige den Fehlergraf", u"Show the error graph", u"Ukáž graf chýb"}},
    {Text::EndButton, {u"Ende", u"End", u"Koniec"}},
    {Text::SigmoidBox, same(u"sigmoid")},
    {Text::LanguageGroup, {u"deutsch", u"english", u"slovensky"}},
    {Text::ErrorAxisTitle, {u"Fehler", u"Error", u"Chaby"}},
    {Text::IterationAxisTitle, {u"Iterationen", u"Iterations", u"Iterácie"}},

    {Text::Input1Label, same(u"input 1")},
    {Text::Input2Label, same(u"input 2")},
    {Text::AndGateName, same(u"AND gate")},
    {Text::OrGateName, same(u"OR gate")},
    {Text::NandGateName, same(u"NAND gate")},
    {Text::XorGateName, same(u"XOR gate")},
    {Text::MissingInputs, same(u"Missing input values!")},

    {Text::SaveImage, {u"Bild speichern…", u"Save image…", u"Uložiť obrázok…"}},
    {Text::CopyImage, {u"Bild kopieren", u"Copy image", u"Kopírovať obrázok"}},
    {Text::SaveTitle, {u"Bild speichern", u"Save image", u"Uložiť obrázok"}},
    {Text::FileFilter, {u"PNG-Bild (*.png)", u"PNG image (*.png)", u"Obrázok PNG (*.png)"}},
    {Text::SaveFailed,
     {u"Das Bild konnte nicht nach „%1“ geschrieben werden: %2", u"Cannot write the image to \"%1\": %2",
      u"Obrázok sa nepodarilo zapísať do „%1“: %2"}},
    {Text::SaveNoFolder, {u"Diesen Ordner gibt es nicht", u"No such folder", u"Taký priečinok neexistuje"}},
    {Text::SaveNoPermission, {u"Keine Berechtigung zum Schreiben", u"Permission denied", u"Chýba povolenie na zápis"}},
    {Text::SaveReadOnly,
     {u"Das Dateisystem ist schreibgeschützt", u"Read-only file system", u"Súborový systém je len na čítanie"}},
    {Text::SaveDiskFull,
     {u"Auf dem Datenträger ist kein Platz mehr", u"No space left on device", u"Na disku už nie je miesto"}},

    {Text::ProgressTitle, {u"Lektion läuft", u"Lesson running", u"Učenie prebieha"}},
    {Text::ProgressLine, {u"Iteration %1 von %2", u"Iteration %1 of %2", u"Iterácia %1 z %2"}},
    {Text::ProgressCancel, {u"Abbrechen", u"Cancel", u"Zrušiť"}},

    {Text::DecisionTitle, {u"Entscheidungsgrenze", u"Decision boundary", u"Rozhodovacia hranica"}},
    {Text::DecisionEntry, {u"Entscheidungsgrenze zeigen", u"Show decision boundary", u"Ukáž rozhodovaciu hranicu"}},
    {Text::DecisionCorrect, {u"richtig: %1 von %2", u"correct: %1 of %2", u"správne: %1 zo %2"}},
    {Text::DecisionNoLine,
     {u"keine Linie: beide Gewichte sind 0, die ganze Ebene ergibt %1",
      u"no line: both weights are 0, the whole plane decides %1",
      u"žiadna priamka: obe váhy sú 0, celá rovina dáva %1"}},
    {Text::DecisionOverflow,
     {u"Überlauf der Summe: keine Entscheidung", u"the sum overflows: no decision",
      u"súčet pretečie: žiadne rozhodnutie"}},

    {Text::DescriptionClose, {u"Schliessen", u"Close", u"Zatvor"}},

    {Text::WorkedStepTitle, {u"Rechenweg", u"Worked step", u"Postup výpočtu"}},
    {Text::WorkedStepEntry, {u"Rechenweg zeigen", u"Show worked step", u"Ukáž postup výpočtu"}},
    {Text::CopyText, {u"Text kopieren", u"Copy text", u"Kopírovať text"}},
    {Text::StepNothing, {u"Noch nichts berechnet.", u"Nothing computed yet.", u"Zatiaľ nič nevypočítané."}},
    {Text::StepPattern,
     {u"Muster %1: x1 = %2, x2 = %3, Ziel %4", u"Pattern %1: x1 = %2, x2 = %3, target %4",
      u"Vzor %1: x1 = %2, x2 = %3, cieľ %4"}},
    {Text::StepInputs, {u"Eingaben: x1 = %1, x2 = %2", u"Inputs: x1 = %1, x2 = %2", u"Vstupy: x1 = %1, x2 = %2"}},
    {Text::StepSum, {u"Summe: %1", u"Sum: %1", u"Súčet: %1"}},
    {Text::StepOutput, {u"Ausgabe: %1", u"Output: %1", u"Výstup: %1"}},
    {Text::StepOne, {u"1, weil %1 > Schwelle %2", u"1, because %1 > threshold %2", u"1, lebo %1 > prah %2"}},
    {Text::StepZero, {u"0, weil %1 ≤ Schwelle %2", u"0, because %1 ≤ threshold %2", u"0, lebo %1 ≤ prah %2"}},
    {Text::StepLinear, {u"Summe = %1", u"sum = %1", u"súčet = %1"}},
    {Text::StepError, {u"Fehler: %1", u"Error: %1", u"Chyba: %1"}},
    {Text::StepWeightsStay,
     {u"Der Fehler ist 0: die Gewichte bleiben.", u"The error is 0: the weights stay.",
      u"Chyba je 0: váhy sa nemenia."}},
    {Text::StepOverflow, {u"Überlauf", u"overflow", u"pretečenie"}},
    {Text::StepRoundingNote,
     {u"* gilt in Dezimalzahlen nicht genau: jedes Ergebnis wird auf eine 32-Bit-Gleitkommazahl gerundet.",
      u"* not exact in decimals: every result is rounded to a 32-bit float.",
      u"* v desatinných číslach neplatí presne: každý výsledok sa zaokrúhľuje na 32-bitové číslo."}},

    {Text::SaveLessonEntry, {u"Lektion speichern…", u"Save lesson…", u"Uložiť lekciu…"}},
    {Text::OpenLessonEntry, {u"Lektion öffnen…", u"Open lesson…", u"Otvoriť lekciu…"}},
    {Text::SaveLessonTitle, {u"Lektion speichern", u"Save lesson", u"Uložiť lekciu"}},
    {Text::OpenLessonTitle, {u"Lektion öffnen", u"Open lesson", u"Otvoriť lekciu"}},
    {Text::LessonFileFilter, {u"Tivaro-Lektion (*.tivaro)", u"Tivaro lesson (*.tivaro)", u"Lekcia Tivaro (*.tivaro)"}},
    {Text::LessonSaveFailed,
     {u"Die Lektion konnte nicht nach „%1“ geschrieben werden: %2", u"Cannot write the lesson to \"%1\": %2",
      u"Lekciu sa nepodarilo zapísať do „%1“: %2"}},
    {Text::LessonOpenFailed,
     {u"Die Lektion „%1“ lässt sich nicht öffnen: %2", u"Cannot open the lesson \"%1\": %2",
      u"Lekciu „%1“ nie je možné otvoriť: %2"}},
    {Text::LessonTooLargeToSave,
     {u"die Lektion ist zu groß für eine Datei", u"the lesson is too large for a file",
      u"lekcia je na súbor príliš veľká"}},
    {Text::LessonNoFile, {u"diese Datei gibt es nicht", u"no such file", u"taký súbor neexistuje"}},
    {Text::LessonNoPermission, {u"keine Berechtigung zum Lesen", u"permission denied", u"chýba povolenie na čítanie"}},
    {Text::LessonNotALesson,
     {u"die Datei ist keine Tivaro-Lektion", u"the file is not a Tivaro lesson", u"súbor nie je lekcia Tivaro"}},
    {Text::LessonDamaged,
     {u"die Datei ist beschädigt oder unvollständig", u"the file is damaged or incomplete",
      u"súbor je poškodený alebo neúplný"}},
    {Text::LessonNewer,
     {u"die Datei stammt von einer neueren Version von Tivaro", u"the file comes from a newer version of Tivaro",
      u"súbor pochádza z novšej verzie Tivaro"}},
    {Text::LessonOutOfRange,
     {u"der Wert „%1“ liegt außerhalb des erlaubten Bereichs", u"the value \"%1\" is out of range",
      u"hodnota „%1“ je mimo povoleného rozsahu"}},
    {Text::LessonTooLarge,
     {u"die Datei ist größer, als eine Lektion sein kann", u"the file is larger than any lesson can be",
      u"súbor je väčší, než môže byť lekcia"}},

    {Text::SaveErrorsEntry, {u"Fehler als CSV speichern…", u"Save errors as CSV…", u"Uložiť chyby ako CSV…"}},
    {Text::SaveErrorsTitle, {u"Fehler als CSV speichern", u"Save errors as CSV", u"Uložiť chyby ako CSV"}},
    {Text::CsvFileFilter, {u"CSV-Datei (*.csv)", u"CSV file (*.csv)", u"Súbor CSV (*.csv)"}},
    {Text::CsvIterationColumn, {u"Iteration", u"Iteration", u"Iterácia"}},
    {Text::CsvErrorColumn, {u"Fehler", u"Error", u"Chyba"}},
    {Text::ErrorsSaveFailed,
     {u"Die Fehler konnten nicht nach „%1“ geschrieben werden: %2", u"Cannot write the errors to \"%1\": %2",
      u"Chyby sa nepodarilo zapísať do „%1“: %2"}},
};

// Every key has its row, in key order, with a text in every language: a
// missing one stops the build.
constexpr bool tableComplete()
{
    if (std::size(rows) != textCount)
        return false;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        if (rows[i].key != static_cast<Text>(i))
            return false;
        for (const char16_t *text : rows[i].text)
            if (text == nullptr || text[0] == u'\0')
                return false;
    }
    return true;
}
static_assert(tableComplete(), "every text key needs its row, in key order, in every language");

} // namespace

QString text(Text key, Language language)
{
    const auto row = static_cast<std::size_t>(key);
    return row < textCount ? QString::fromUtf16(rows[row].text[column(language)]) : QString();
}
