#include "command.h"
#include "failure.h"

#include "design/openmpthreads.h"
#include "scheme/inputfile.h"
#include "ui/wording.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#include <unistd.h>
#endif
#if defined(Q_OS_WIN)
#include <fcntl.h>
#include <io.h>
#endif

namespace tintora::cli {
namespace {

std::vector<Command> &commands()
{
    static std::vector<Command> all;
    return all;
}

void printHelp(QTextStream &out)
{
    out << "Usage: tintora-cli COMMAND ...\n"
           "Reads, writes and previews spcolor.sch colour schemes of P2K phones.\n\n";
    for (const Command &command : commands())
        out << command.usage << '\n';
    out << "  tintora-cli --help | --version\n\n"
           "OUT - is standard output. An OUT.sch that holds anything but a colour scheme is\n"
           "replaced only with --force, and an input file never. -- ends the options.\n";
}

const Command *Named(const QString &name)
{
    for (const Command &command : commands()) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

}  // namespace

// Kept in name order: the files register in an order the linker chooses.
Registration::Registration(Command command)
{
    auto &all = commands();
    const auto place = std::find_if(all.begin(), all.end(), [&](const Command &other) {
        return std::strcmp(other.name, command.name) > 0;
    });
    all.insert(place, std::move(command));
}

}  // namespace tintora::cli

int main(int argc, char **argv)
{
    tintora::KeepQuantizerThreadsPassive(argv);
    using namespace tintora::cli;
    // A file name Qt cannot keep exactly would read or write a different file.
    for (int i = 1; i < argc; ++i) {
        if (!tintora::IsExactArgument(argv[i])) {
            const Command *command = Named(QString::fromLatin1(argv[1]));
            return Fail(tintora::InexactArgumentText(QFile::decodeName(argv[i])),
                        command ? command->cannotRun : 1);
        }
    }
    // Text rendering needs a GUI application; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Scripts run as root or from cron have no session folder, and Qt would say
    // so on every run. A private one of our own: Qt makes it 0700 and still
    // warns if someone else's folder or a wrong mode is found there.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(QStringLiteral("%1/tintora-runtime-%2")
                                                         .arg(QDir::tempPath())
                                                         .arg(::getuid())));
    }
#endif
#if defined(Q_OS_WIN)
    // What a command prints is data (JSON, pictures) that scripts compare and
    // pipe on: the same bytes as on Linux, with no CR put before each LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // Headless Qt looks for fonts where Qt was installed when it was built.
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR", QFile::encodeName(qEnvironmentVariable("WINDIR") + "/Fonts"));
#endif
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.isEmpty()) {
        printHelp(err);
        return 1;
    }
    const QString name = args.takeFirst();
    if (name == "--help" || name == "-h") {
        printHelp(out);
        return 0;
    }
    if (name == "--version") {
        out << "tintora-cli " << TINTORA_VERSION << '\n';
        return 0;
    }
    if (const Command *command = Named(name))
        return command->run(args);
    err << "tintora-cli: unknown command '" << name << "'; see tintora-cli --help\n";
    return 1;
}
