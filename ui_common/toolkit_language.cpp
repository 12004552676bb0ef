#include "ui_common/toolkit_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {

// Owned by the application object; at most one is installed.
QPointer<QTranslator> installed;
Language installedFor = English;

const char *qtbaseFile(Language language)
{
    switch (language) {
    case German: return "qtbase_de";
    case Slovak: return "qtbase_sk";
    case English: break;
    }
    return nullptr;
}

} // namespace

void useToolkitLanguage(Language language)
{
    if (installed && installedFor == language)
        return;
    // Its destructor takes it out of the application.
    delete installed;
    installedFor = language;
    const char *file = qtbaseFile(language);
    if (!file || !QCoreApplication::instance())
        return;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QString::fromLatin1(file), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
        installed = translator;
    } else {
        delete translator;
    }
}
