#include "workbench/captions.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

using T = CaptionTarget;

const std::array<CaptionRow, 17> captionTable = {{
    {T::Control, "showAnalogCBox", {u"Zeige die Summe im Neuron", u"Show the sum in neuron", u"Ukáž sumu v neurone"}},
    {T::Control, "randomNeuronB", {u"Randomisiere", u"Randomise", u"Randomizuj"}},
    {T::Control, "targetLab", {u"Das Ziel (target)", u"target", u"Cieľ (target)"}},
    {T::Control, "lessonB", {u"Lektion starten", u"Start the lesson", u"Štartuj učenie"}},
    {T::Control, "descriptionB", {u"Beschreibung", u"Short notes", u"Krátky popis"}},
    {T::Control, "repeatLab", {u"Wiederholungen:", u"Repeat     :", u"Počet kôl :"}},
    {T::Control, "lesonDoneLab", {u"Abgelaufen:", u"Done    :", u"Ubehnutých:"}},
    {T::Control,
     "infoLab",
     {u"Bitte wählen Sie zuerst: AND,OR,NAND,XOR", u"Please select AND,OR,NAND,XOR first",
      u"Zvoľte najprv funkciu AND,OR,NAND alebo XOR"}},
    {T::Control, "nextPatternB", {u"Nächster Inputwert", u"Next input", u"Nasledujúci input"}},
    {T::Control, "learningRateLab", {u"learning rate:", u"learning rate:", u"learning rate:"}},
    {T::Control, "biasCBox", {u"Schalte Bias ein", u"Use bias", u"Použi bias"}},
    {T::Control, "errGraphCB", {u"Zeige den Fehlergraf", u"Show the error graph", u"Ukáž graf chýb"}},
    {T::Control, "endB", {u"Ende", u"End", u"Koniec"}},
    {T::Control, "sigmoidCB", {u"sigmoid", u"sigmoid", u"sigmoid"}},
    {T::Control, "spracheRG", {u"deutsch", u"english", u"slovensky"}},
    {T::LeftAxisTitle, nullptr, {u"Fehler", u"Error", u"Chaby"}},
    {T::BottomAxisTitle, nullptr, {u"Iterationen", u"Iterations", u"Iterácie"}},
}};

const std::array<PictureMenuRow, languageCount> pictureMenuRows = {{
    {u"Bild speichern…", u"Bild kopieren", u"Bild speichern", u"PNG-Bild (*.png)",
     u"Das Bild konnte nicht nach „%1“ geschrieben werden: %2", u"Diesen Ordner gibt es nicht",
     u"Keine Berechtigung zum Schreiben", u"Das Dateisystem ist schreibgeschützt",
     u"Auf dem Datenträger ist kein Platz mehr"},
    {u"Save image…", u"Copy image", u"Save image", u"PNG image (*.png)", u"Cannot write the image to \"%1\": %2",
     u"No such folder", u"Permission denied", u"Read-only file system", u"No space left on device"},
    {u"Uložiť obrázok…", u"Kopírovať obrázok", u"Uložiť obrázok", u"Obrázok PNG (*.png)",
     u"Obrázok sa nepodarilo zapísať do „%1“: %2", u"Taký priečinok neexistuje", u"Chýba povolenie na zápis",
     u"Súborový systém je len na čítanie", u"Na disku už nie je miesto"},
}};

PictureMenuTexts pictureMenuTexts(Language language)
{
    const PictureMenuRow &row = pictureMenuRows[language];
    const auto text = [](const char16_t *t) { return QString::fromUtf16(t); };
    return {text(row.saveImage),    text(row.copyImage),  text(row.saveTitle),
            text(row.fileFilter),   text(row.saveFailed), text(row.noFolder),
            text(row.noPermission), text(row.readOnly),   text(row.diskFull)};
}

void setCaption(QWidget *control, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(control)) {
        if (label->text() != text) {
            label->setText(text);
            label->adjustSize(); // labels grow with their caption
        }
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        button->setText(text);
    } else if (auto *group = qobject_cast<QGroupBox *>(control)) {
        group->setTitle(text);
    }
}
