#include "interfacelanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLocale>

// The registration function lives outside any namespace.
static void RegisterInterfaceTranslations()
{
    Q_INIT_RESOURCE(tintora_interface_translations);
}

namespace tintora {
namespace {

const QString kEnglishCode = QStringLiteral("en");
const QString kFallbackCode = QStringLiteral("ru");

// Each translation names its own language by translating this.
const char kOwnNameContext[] = "tintora::InterfaceLanguage";
const struct {
    const char *source;
    const char *comment;
} kOwnName = QT_TRANSLATE_NOOP3("tintora::InterfaceLanguage", "&English", "this language's own name");

QString TranslationFolder()
{
    static const bool registered = (RegisterInterfaceTranslations(), true);
    Q_UNUSED(registered);
    return QStringLiteral(":/i18n");
}

QString TranslationFile(const QString &code)
{
    return QStringLiteral("tintora_") + code;
}

}  // namespace

QString StoredNameOf(const QString &code)
{
    return QLocale::languageToString(QLocale(code).language());
}

std::vector<InterfaceLanguage> InterfaceLanguages()
{
    std::vector<InterfaceLanguage> languages;
    const QStringList files = QDir(TranslationFolder())
                                  .entryList({QStringLiteral("tintora_*.qm")}, QDir::Files,
                                             QDir::Name);
    for (const QString &file : files) {
        const QString code = file.section(u'_', 1).section(u'.', 0, 0);
        QTranslator translator;
        if (!translator.load(TranslationFile(code), TranslationFolder()))
            continue;
        languages.push_back({code, StoredNameOf(code),
                             translator.translate(kOwnNameContext, kOwnName.source, kOwnName.comment)});
    }
    languages.push_back({kEnglishCode, StoredNameOf(kEnglishCode), QString::fromLatin1(kOwnName.source)});
    return languages;
}

QString LanguageOfStoredName(const QString &storedName)
{
    for (const InterfaceLanguage &language : InterfaceLanguages()) {
        if (language.storedName == storedName)
            return language.code;
    }
    return kFallbackCode;
}

void InterfaceTranslation::use(const QString &code)
{
    if (installed_) {
        QCoreApplication::removeTranslator(&translator_);
        installed_ = false;
    }
    if (code != kEnglishCode && translator_.load(TranslationFile(code), TranslationFolder()))
        installed_ = QCoreApplication::installTranslator(&translator_);
    standardTexts_.use(code);
    // Qt posts the change to the windows; the captions are read right after a choice.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

}  // namespace tintora
