#include "ui_common/window_fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {
const QString designedFamily = QStringLiteral("Tahoma");
const QString standInFamily = QStringLiteral("Liberation Sans");
} // namespace

QString windowFontFamily()
{
    return QFontDatabase::families().contains(designedFamily) ? designedFamily : standInFamily;
}

void installWindowFonts()
{
    const QString family = windowFontFamily();
    // Without this, fontconfig hands out whatever it thinks is like Tahoma,
    // and that face may be wider than the layouts allow.
    if (family != designedFamily)
        QFont::insertSubstitution(designedFamily, family);
}
