#include "controls/StandardTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

bool UseStandardTexts(const QString& language) {
    // One translator for the process, replaced when the language changes.
    static QTranslator* installed = nullptr;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load("qtbase_" + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    installed = translator.release();
    QCoreApplication::installTranslator(installed);
    return true;
}
