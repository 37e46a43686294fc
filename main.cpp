#include "phone/loadedphonelibrary.h"
#include "preview/clock.h"
#include "scheme/inputfile.h"
#include "ui/applicationtitle.h"
#include "ui/centreonscreen.h"
#include "ui/qtwindowdialogs.h"
#include "settings/settings.h"
#include "ui/taboutbox.h"
#include "ui/tform1.h"
#include "ui/tokbottomdlg.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <algorithm>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The name, not the display name: the window system would append a display name to
    // every window title.
    QApplication::setApplicationName(QString::fromLatin1(tintora::kApplicationTitle));
    // The standard buttons and dialogs speak the system's language, as the platform's own do.
    QTranslator standardTexts;
    if (standardTexts.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&standardTexts);
#ifndef Q_OS_WIN
    // The classic look the form was laid out for; on Windows the themed native style.
    QApplication::setStyle(QStringLiteral("Windows"));
#endif
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"),
                                QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});

    QStringList arguments = QApplication::arguments().mid(1);
    arguments.removeAll(QString());
    // Qt has taken its own options out of argv, so the first one left is the file's.
    const char *const *first =
        std::find_if(argv + 1, argv + argc, [](const char *arg) { return *arg != '\0'; });

    tintora::QtWindowDialogs dialogs;
    tintora::SystemClock clock;
    tintora::LoadedPhoneLibrary phone;
    tintora::FormEnvironment environment;
    environment.dialogs = &dialogs;
    environment.clock = &clock;
    environment.phone = &phone;
    environment.settingsPath = tintora::SettingsFilePath();
    environment.arguments = arguments;
    environment.firstArgumentExact = first == argv + argc || tintora::IsExactArgument(*first);
    environment.fontFilePath = QStringLiteral("1stSortie.ttf");

    tintora::TForm1 form(environment);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tintora.png")));
    dialogs.setOwner(&form);
    tintora::TAboutBox aboutBox(form.language(), dialogs, &form);
    form.setAboutBox(&aboutBox);
    tintora::TOKBottomDlg settingsDialog(clock, &form);
    form.setSettingsDialog(&settingsDialog);

    tintora::CentreOnScreen(&form);
    form.show();
    return app.exec();
}
