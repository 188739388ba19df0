// SPDX-License-Identifier: MIT
#include "ui/widgets/QtTranslations.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>

namespace vantrel {

namespace {

// The window's English, compiled in from resources/translations/vantrel_en.ts.
const QString WindowEnglish = QStringLiteral(":/translations/vantrel_en.qm");

// The translators of the process, each installed at most once; they belong to the
// application object and go with it.
struct TTranslators {
    QTranslator* QtRussian = nullptr; // loaded by InstallQtTranslations, else none
    bool QtRussianInstalled = false;
    QTranslator* English = nullptr;
    bool EnglishInstalled = false;
};

TTranslators& Translators() {
    static TTranslators translators;
    return translators;
}

bool Install(QTranslator* translator, bool& installed, bool wanted) {
    if (!translator || installed == wanted)
        return false;
    installed = wanted;
    return wanted ? QCoreApplication::installTranslator(translator)
                  : QCoreApplication::removeTranslator(translator);
}

} // namespace

bool InstallQtTranslations(QCoreApplication& app) {
    TTranslators& t = Translators();
    if (t.QtRussian)
        return t.QtRussianInstalled;
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ru"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    t.QtRussian = translator;
    const bool english = texts::CurrentLanguage() == texts::TLanguage::English;
    return english || Install(t.QtRussian, t.QtRussianInstalled, true);
}

bool HasWindowEnglish() {
    return QFile::exists(WindowEnglish);
}

bool ApplyLanguage(texts::TLanguage language) {
    texts::SetLanguage(language);
    TTranslators& t = Translators();
    const bool english = language == texts::TLanguage::English;
    if (english && !t.English && QCoreApplication::instance()) {
        t.English = new QTranslator(QCoreApplication::instance());
        if (!t.English->load(WindowEnglish)) {
            delete t.English;
            t.English = nullptr;
        }
    }
    bool changed = Install(t.QtRussian, t.QtRussianInstalled, !english);
    changed = Install(t.English, t.EnglishInstalled, english) || changed;
    return changed;
}

} // namespace vantrel
