#include "worked_step/step_texts.h"

// Rows in the order of StepText; columns German, English, Slovak.
const std::array<StepTextRow, static_cast<std::size_t>(StepText::Count)> stepTexts = {{
    {u"Rechenweg", u"Worked step", u"Postup výpočtu"},
    {u"Rechenweg zeigen", u"Show worked step", u"Ukáž postup výpočtu"},
    {u"Text kopieren", u"Copy text", u"Kopírovať text"},
    {u"Noch nichts berechnet.", u"Nothing computed yet.", u"Zatiaľ nič nevypočítané."},
    {u"Muster %1: x1 = %2, x2 = %3, Ziel %4", u"Pattern %1: x1 = %2, x2 = %3, target %4",
     u"Vzor %1: x1 = %2, x2 = %3, cieľ %4"},
    {u"Eingaben: x1 = %1, x2 = %2", u"Inputs: x1 = %1, x2 = %2", u"Vstupy: x1 = %1, x2 = %2"},
    {u"Summe: %1", u"Sum: %1", u"Súčet: %1"},
    {u"Ausgabe: %1", u"Output: %1", u"Výstup: %1"},
    {u"1, weil %1 > Schwelle %2", u"1, because %1 > threshold %2", u"1, lebo %1 > prah %2"},
    {u"0, weil %1 ≤ Schwelle %2", u"0, because %1 ≤ threshold %2", u"0, lebo %1 ≤ prah %2"},
    {u"Summe = %1", u"sum = %1", u"súčet = %1"},
    {u"Fehler: %1", u"Error: %1", u"Chyba: %1"},
    {u"Der Fehler ist 0: die Gewichte bleiben.", u"The error is 0: the weights stay.", u"Chyba je 0: váhy sa nemenia."},
    {u"Überlauf", u"overflow", u"pretečenie"},
    {u"* gilt in Dezimalzahlen nicht genau: jedes Ergebnis wird auf eine 32-Bit-Gleitkommazahl gerundet.",
     u"* not exact in decimals: every result is rounded to a 32-bit float.",
     u"* v desatinných číslach neplatí presne: každý výsledok sa zaokrúhľuje na 32-bitové číslo."},
}};

QString stepText(StepText text, Language language)
{
    const auto row = static_cast<std::size_t>(text);
    if (row >= stepTexts.size())
        return {};
    return QString::fromUtf16(stepTexts[row][language < languageCount ? language : German]);
}
