#include "ui_common/toolkit_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {

// Owned by the application object; at most one is installed.
QPointer<QTranslator> installed;
Language installedFor = Language::English;

const char *qtbaseFile(Language language)
{
    switch (language) {
    case Language::German: return "qtbase_de";
    case Language::Slovak: return "qtbase_sk";
    case Language::English: break;
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
