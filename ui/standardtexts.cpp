#include "standardtexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#ifdef TINTORA_BUILT_IN_TRANSLATIONS
// The registration function lives outside any namespace.
static void RegisterTranslations()
{
    Q_INIT_RESOURCE(tintora_translations);
}
#endif

namespace tintora {
namespace {

// Qt's translations folder (Debian's qt6-translations-l10n); Windows has none, and its
// build carries the file inside the program.
bool LoadRussian(QTranslator &translator)
{
    const QString name = QStringLiteral("qtbase_ru");
    if (translator.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return true;
#ifdef TINTORA_BUILT_IN_TRANSLATIONS
    static const bool registered = (RegisterTranslations(), true);
    Q_UNUSED(registered);
#endif
    return translator.load(name, QStringLiteral(":/translations"));
}

}  // namespace

void StandardTexts::use(Language language)
{
    const bool wanted = language == kRussian;
    if (wanted == installed_)
        return;
    if (!wanted) {
        QCoreApplication::removeTranslator(&translator_);
        installed_ = false;
        return;
    }
    if (translator_.isEmpty() && !LoadRussian(translator_))
        return;
    installed_ = QCoreApplication::installTranslator(&translator_);
}

}  // namespace tintora
