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
bool LoadQtTexts(QTranslator &translator, const QString &code)
{
    const QString name = QStringLiteral("qtbase_") + code;
    if (translator.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return true;
#ifdef TINTORA_BUILT_IN_TRANSLATIONS
    static const bool registered = (RegisterTranslations(), true);
    Q_UNUSED(registered);
#endif
    return translator.load(name, QStringLiteral(":/translations"));
}

}  // namespace

void StandardTexts::use(const QString &code)
{
    if (code == code_)
        return;
    code_ = code;
    QCoreApplication::removeTranslator(&translator_);
    if (code != QLatin1String("en") && LoadQtTexts(translator_, code))
        QCoreApplication::installTranslator(&translator_);
}

}  // namespace tintora
