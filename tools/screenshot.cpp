// Renders the editor's main window offscreen, as the program starts it with a scheme file, into
// a PNG: the screenshots of the AppStream metadata are made by the build, never by hand.
// With "manual" behind, the manual window instead, as Help > Manual opens it.
//   screenshot SCHEME.sch OUT.png English|Russian [manual]
#include "preview/clock.h"
#include "settings/profilefile.h"
#include "settings/settings.h"
#include "phone/loadedphonelibrary.h"
#include "ui/applicationlook.h"
#include "ui/qtwindowdialogs.h"
#include "ui/mainwindow.h"
#include "ui/manualwindow.h"

#include <QApplication>
#include <QIcon>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A library that cannot load: the picture shows no phone, whatever the machine has.
    qputenv("TINTORA_P2KAPI", "no-phone-in-screenshots");
    QApplication app(argc, argv);
    tintora::ApplyApplicationLook();
    const QStringList arguments = QApplication::arguments().mid(1);
    QTextStream err(stderr);
    const bool manual = arguments.size() == 4 && arguments[3] == QLatin1String("manual");
    if (arguments.size() != 3 && !manual) {
        err << "usage: screenshot SCHEME.sch OUT.png English|Russian [manual]\n";
        return 2;
    }

    QTemporaryDir folder;
    tintora::ProfileFile ini(folder.filePath(QStringLiteral("tintora.ini")));
    if (!folder.isValid()
        || !tintora::WriteLanguage(ini, arguments[2] == QLatin1String("English")
                                            ? QStringLiteral("English")
                                            : QStringLiteral("Russian"))) {
        err << "screenshot: no room for a settings file\n";
        return 1;
    }
    tintora::QtWindowDialogs dialogs;
    const tintora::FixedClock clock(QDateTime(QDate(2024, 4, 15), QTime(10, 9)));
    tintora::LoadedPhoneLibrary phone;
    tintora::MainWindowEnvironment environment;
    environment.dialogs = &dialogs;
    environment.clock = &clock;
    environment.phone = &phone;
    environment.settingsPath = ini.path();
    environment.arguments = {arguments[0]};
    environment.fontFilePath = folder.filePath(QStringLiteral("1stSortie.ttf"));

    tintora::MainWindow window(environment);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tintora.png")));
    window.show();
    QWidget *shown = &window;
    if (manual) {
        window.showManual();
        shown = window.findChild<tintora::ManualWindow *>();
    }
    QApplication::processEvents();
    if (!shown->grab().save(arguments[1], "PNG")) {
        err << "screenshot: cannot write " << arguments[1] << '\n';
        return 1;
    }
    return 0;
}
