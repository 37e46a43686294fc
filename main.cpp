#include "phone/loadedphonelibrary.h"
#include "preview/clock.h"
#include "scheme/inputfile.h"
#include "ui/applicationlook.h"
#include "ui/centreonscreen.h"
#include "ui/qtwindowdialogs.h"
#include "settings/settings.h"
#include "ui/taboutbox.h"
#include "ui/tform1.h"
#include "ui/tokbottomdlg.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <algorithm>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    tintora::ApplyApplicationLook();
    // The standard buttons and dialogs speak the system's language, as the platform's own do.
    QTranslator standardTexts;
    if (standardTexts.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&standardTexts);

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
