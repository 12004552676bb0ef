// The explanation of the learning rule, line by line, in each language.

#include "info/description_texts.h"

namespace {

const std::array<const char16_t *, 29> germanLines = {
    u"Perceptron Learning Algorithm",
    u"------------------------------",
    u"",
    u"Die Trainingmuster werden an dem Eingang des Netzes geleitet; der Output wird errechnet.  Danach werden die "
    u"Verbindungsgewichte  Wj proportional",
    u" zu der Abweichung von dem erwarteten Wert modifiziert.",
    u"",
    u"• \"d\" ist die Differenz zwischen dem aktuellen Output Y,  und dem erwartetem Output target.",
    u"• Der Inputmuster (Vektor) ist bezeichnet als X.",
    u"",
    u"Der Rechenalgorithm ist wie folgt:",
    u"==================================",
    u"1. Initialisiere die Verbindungsgewichte mit kleinen Zufallszahlen.",
    u"2. Präsentiere ein Vektor X am Eingang des Neurons und ermittle den Output.",
    u"3. Verändere die Gewichte nach den Formel:    w(t+1) = w(t) + eta*(target - Y)* X",
    u"",
    u" wobei:",
    u"• target ist der erwartete Output, Y ist der errmitelte Ergebnis,",
    u"• t ist die iteration, und",
    u"• eta ist die s.g. Lernrate [learning rate], die zwischen 0.0 < n < 1.0 liegen sollte",
    u"• X ist der Inputvektor {x1,x2}",
    u"",
    u"4. Wiederhole die Schritte  2. und 3. bis der Iterationsfehler kleiner als vom Benutzer vorgegener Wert ist",
    u"•  oder die definierte Anzahl der Iterationen ist schon abgelaufen.",
    u"",
    u"Beachten Sie, das das Lernen nur dann stattfindet, wenn ein Fehler festgestellt wird (Die Differenz target - "
    u"Output > 0). Sonst bleiben die Gewichte unverändert.",
    u"",
    u"Der Algorithmus ist eine modifizierte Form des Hebb\"schen Lernens.",
    u"",
    u"*****************************************************************************************************************"
    u"**",
};

const std::array<const char16_t *, 26> englishLines = {
    u"Perceptron Learning Algorithm",
    u"------------------------------",
    u"",
    u"The perceptron learning rule was originally developed by Velmaro in the late 1950s.Training patterns are "
    u"presented to",
    u" the network\"s inputs; the output is computed.  Then theconnection weights Wj are modified by an amount that is "
    u"proportional to the product of",
    u"• the difference between the actual output, y,  and the desired output, d, and the input pattern, x.",
    u"",
    u"The algorithm is as follows:",
    u"=============================",
    u"1. Initialize the weights and threshold to small random numbers.",
    u"2. Present a vector x to the neuron inputs and calculate the output.",
    u"3. Update the weights according to formula:  w(t+1) = w(t) + eta*(target - y)*x",
    u"   where",
    u"•  target is the desired output,",
    u"•  t is the iteration number, and",
    u"•  eta is the learning rate, where 0.0 < n < 1.0",
    u"•  x is the input vector",
    u"",
    u"4. Repeat steps 2 and 3 until:",
    u"• the iteration error is less than a user-specified error threshold or",
    u"• a predetermined number of iterations have been completed.",
    u"Notice that learning only occurs when an error is made, otherwise the weights are left unchanged.",
    u"",
    u"This rule is in this way a modified form of Hebb learning.",
    u"",
    u"*****************************************************************************************************************"
    u"**",
};

const std::array<const char16_t *, 38> slovakLines = {
    u"Perceptron Learning Algorithm",
    u"------------------------------",
    u"",
    u"Vstup siete dostáva trénigové dáta, výstup siete sa počíta podľa nižšie uvedeného postupu. Po porovnaní "
    u"vypočítaného výstupu s očakávaným výstupom",
    u"sa váhy Wj menia proporcionálne k zisteným odchyľkám od očakávaných výstupov.",
    u"",
    u"• \"d\" je rozdiel (diferencia) medzi aktuálnym výstupom Y,  a očakávaným výstupom (cieľom = target).",
    u"• Vstupný vektor hodnôt (vstup1 + vstup2) je označený ako X.",
    u"",
    u"Algoritmus výpočtu je nasledovný:",
    u"==================================",
    u"(Najprv zvoliť jednu z logických funkcií AND, OR, NAND, XOR)",
    u"1. Hodnoty váh Wi (spojení medzi vstupom a neuronom) sú na začiatku inicializované náhodnými hodnotami medzi "
    u"<0.0 - 1.0>.",
    u"2. Na vstupy neuronu sa zadajú hodnoty vektora X a počíta sa výstup ako suma: Xi*Wi.  (teda: x1*w1 + x2*w2)",
    u"3. Hodnoty váh Wi sa zmenia podľa vzorca:    w(t+1) = w(t) + eta*(target - Y)* X",
    u"                                     alebo : w(t+1) = w(t) + eta*d* X",
    u"",
    u"  pričom je:",
    u"• target je očakávaná hodnota výstupu, Y je vypočítaná hodnota výstupu,",
    u"• d = (target - Y)",
    u"• t je iterácia ((t) - aktuálna, (t+1)- nasledujúca, ktorej váhy sa upravujú), a",
    u"• eta je tzv. learning rate, miera zmeny, ktorá leží medzi  0.0 < lr < 1.0 .",
    u"• X je vstupný vektor {x1,x2}",
    u"",
    u"4. Postup sa opakuje v krokoch  2. a 3. až pokiaľ je nameraná odchyľka (chyba) menšia ako zvolená hodnota",
    u"•  alebo nastavený počet iterácií už prebehol.",
    u"",
    u"Všimnite si, že ak je chyba nulová (diferencia (target-výstup) = 0), učenie (zmeny váh spojení) neprebieha.",
    u"",
    u"Tento algoritmus je modifiziertou formou Hebbovského učenia.",
    u"",
    u"Ovládacími prvkami programu sa aktivuje grafika chýb, rôzny modus učenia (skoková alebo sigmoidná aktivačná "
    u"funkcia)",
    u"a učenie bez alebo s bias-vstupom na neuron.",
    u"Funkcia NAND sa dá na neurone naučiť len s aktivovaným vstupom bias.",
    u"Funkcia XOR nie je lineárne separovateľná a naučiť sa nedá. Na jej realizáciou treba viacvrstvovú neuronálnu "
    u"sieť.",
    u"Vstup siete dostáva trénigové dáta, výstup siete sa počíta podľa nižšie uvedeného postupu. Po porovnaní "
    u"vypočítaného výstupu s očakávaným výstupom",
    u"sa váhy Wj menia proporcionálne k zisteným odchyľkám od očakávaných výstupov.",
    u"*****************************************************************************************************************"
    u"**",
};
template <std::size_t N>
DescriptionText textOf(const char16_t *closeCaption, const std::array<const char16_t *, N> &lines)
{
    DescriptionText text{QString::fromUtf16(closeCaption), {}};
    text.lines.reserve(static_cast<qsizetype>(N));
    for (const char16_t *line : lines)
        text.lines.append(QString::fromUtf16(line));
    return text;
}

} // namespace

std::optional<DescriptionText> descriptionText(Language language)
{
    switch (language) {
    case German: return textOf(u"Schliessen", germanLines);
    case English: return textOf(u"Close", englishLines);
    case Slovak: return textOf(u"Zatvor", slovakLines);
    default: return std::nullopt;
    }
}
