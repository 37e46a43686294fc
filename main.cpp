#include "design/openmpthreads.h"
#include "phone/loadedphonelibrary.h"
#include "preview/clock.h"
#include "scheme/inputfile.h"
#include "ui/applicationlook.h"
#include "ui/centreonscreen.h"
#include "ui/editorcommandline.h"
#include "ui/qtwindowdialogs.h"
#include "settings/settings.h"
#include "ui/aboutdialog.h"
#include "ui/mainwindow.h"
#include "ui/previewsettingsdialog.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>

#include <algorithm>
#include <cstdio>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

int Print(const tintora::EditorCommandLine::Answer &answer)
{
#ifdef Q_OS_WIN
    // A windowed program has no console of its own: print into the one it was started from.
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
#endif
    std::fputs(answer.output.toLocal8Bit().constData(), stdout);
    std::fputs(answer.error.toLocal8Bit().constData(), stderr);
    return answer.exitCode;
}

}  // namespace

int main(int argc, char **argv)
{
    tintora::KeepQuantizerThreadsPassive(argv);
    const tintora::EditorCommandLine commandLine(QStringLiteral(TINTORA_VERSION));
    // --help and --version answer without a window system, so they work from any terminal.
    {
        const QCoreApplication probe(argc, argv);
        if (const auto answer = commandLine.answer(QCoreApplication::arguments(), false))
            return Print(*answer);
    }
#ifdef Q_OS_WIN
    // The preview's text is FreeType's, as on Linux: the same pixels on both.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
    QApplication app(argc, argv);
    if (const auto answer = commandLine.answer(QApplication::arguments(), true))
        return Print(*answer);
    tintora::ApplyApplicationLook();

    const QString file = tintora::EditorCommandLine::file(QApplication::arguments());
    // Qt has taken its own options out of argv; the file's own bytes say whether its name
    // was decoded exactly.
    const char *const *raw = std::find_if(argv + 1, argv + argc, [&](const char *arg) {
        return !file.isEmpty() && QString::fromLocal8Bit(arg) == file;
    });

    tintora::QtWindowDialogs dialogs;
    tintora::SystemClock clock;
    tintora::LoadedPhoneLibrary phone;
    tintora::MainWindowEnvironment environment;
    environment.dialogs = &dialogs;
    environment.clock = &clock;
    environment.phone = &phone;
    environment.settingsPath = tintora::SettingsFilePath();
    environment.arguments = file.isEmpty() ? QStringList() : QStringList{file};
    environment.firstArgumentExact = raw == argv + argc || tintora::IsExactArgument(*raw);
    environment.fontFilePath = QStringLiteral("1stSortie.ttf");

    tintora::MainWindow window(environment);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tintora.png")));
    dialogs.setOwner(&window);
    tintora::AboutDialog aboutDialog(dialogs, &window);
    window.setAboutDialog(&aboutDialog);
    tintora::PreviewSettingsDialog settingsDialog(clock, &window);
    window.setSettingsDialog(&settingsDialog);

    tintora::CentreOnScreen(&window);
    window.show();
    return app.exec();
}
