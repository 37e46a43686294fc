#include "command.h"
#include "consoledialogs.h"
#include "failure.h"
#include "inputfiles.h"
#include "phonelink.h"

#include "phone/activation.h"
#include "phone/loadedphonelibrary.h"
#include "phone/opencommand.h"
#include "phone/savecommand.h"

#include "scheme/inputfile.h"
#include "ui/wording.h"

#include <QTextStream>

namespace tintora::cli {
namespace {

constexpr auto kPhoneUsage =
    "  tintora-cli phone read OUT.sch|- [--force] [--ini FILE]\n"
    "      read spcolor.sch from the phone into OUT.sch, or to standard output\n"
    "  tintora-cli phone write IN.sch [--restart] [--ini FILE]\n"
    "      write IN.sch to the phone; --restart answers the reboot question with yes\n"
    "  tintora-cli phone activate [--restart] [--ini FILE]\n"
    "      switch on custom colour styles on the phone\n"
    "  tintora-cli phone restore-seem SSSS_RRRR....seem [--restart]\n"
    "      write a kept copy of a seem record (such as a seem backup) back to the phone\n"
    "  tintora-cli phone probe [--wait SECONDS]\n"
    "      list the Motorola devices on USB, their mode and what to do when one does not connect;\n"
    "      a phone in modem mode is switched first, waiting --wait SECONDS (10) for it\n"
    "      read, write and activate first wait --wait SECONDS (15) for the phone in command mode.\n"
    "      The phone library is TINTORA_P2KAPI, else libp2kapi.so beside the program or on\n"
    "      the library path; the folder of spcolor.sch is [Phone] SpColorPath of FILE.";
constexpr auto kActivateUsage =
    "  tintora-cli activate FILE.seem\n"
    "      switch on custom colour styles in a copy of seem 0032 record 0001";

struct PhoneArguments {
    QString action;
    QString file;
    QString ini;
    bool restart = false;
    bool force = false;
    std::optional<int> wait;
};

constexpr int kDefaultWait = 15;
constexpr int kSwitchWait = 10;

std::optional<PhoneArguments> ParsePhoneArguments(QStringList args)
{
    PhoneArguments parsed;
    QStringList positional;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == "--") {
            positional << args;
            args.clear();
        } else if (arg == "--restart") {
            parsed.restart = true;
        } else if (arg == "--force") {
            parsed.force = true;
        } else if (arg == "--ini") {
            if (args.isEmpty())
                return std::nullopt;
            parsed.ini = args.takeFirst();
        } else if (arg == "--wait") {
            bool number = false;
            parsed.wait = args.isEmpty() ? -1 : args.takeFirst().toInt(&number);
            if (!number || *parsed.wait < 0)
                return std::nullopt;
        } else if (arg.startsWith("--")) {
            return std::nullopt;
        } else {
            positional << arg;
        }
    }
    if (positional.isEmpty())
        return std::nullopt;
    parsed.action = positional.takeFirst();
    const bool takesFile = parsed.action == "read" || parsed.action == "write" ||
                           parsed.action == "restore-seem";
    if (parsed.force && parsed.action != "read")
        return std::nullopt;
    if (parsed.action == "probe")
        return positional.isEmpty() && !parsed.restart && parsed.ini.isEmpty()
                   ? std::optional(parsed)
                   : std::nullopt;
    if (parsed.action != "activate" && !takesFile)
        return std::nullopt;
    if (positional.size() != (takesFile ? 1 : 0) || (parsed.action == "read" && parsed.restart))
        return std::nullopt;
    parsed.file = positional.value(0);
    return parsed;
}

int Phone(const QStringList &args)
{
    const std::optional<PhoneArguments> parsed = ParsePhoneArguments(args);
    if (!parsed)
        return UsageError(kPhoneUsage);
    // A mistyped settings file would send the scheme to the default folder.
    QString error;
    const std::optional<Settings> settings = ReadSettingsArgument(parsed->ini, error);
    if (!settings)
        return Fail(error);
    if (parsed->action == "read") {
        const QStringList inputs = parsed->ini.isEmpty() ? QStringList() : QStringList{parsed->ini};
        if (const QString reason = RefusedSchemeOutputReason(parsed->file, inputs, parsed->force); !reason.isEmpty())
            return Fail(reason);
    }
    if (settings->refusedSpColorPath && (parsed->action == "read" || parsed->action == "write"))
        Warn(RefusedPhoneFolderText(parsed->ini, *settings->refusedSpColorPath));
    // A pipe or a device would hang the open with the phone link already started.
    if (parsed->action == "restore-seem") {
        if (IsSpecialFile(parsed->file))
            return Fail(NotRegularFileText(parsed->file));
    }
    LoadedPhoneLibrary phone;
    if (!phone.isLoaded())
        QTextStream(stderr) << "tintora-cli: " << phone.description() << '\n';
    phone.P2K_Init(0);
    if (parsed->action == "probe") {
        WaitForSwitch(phone, parsed->wait.value_or(kSwitchWait));
        return ProbePhones(phone);
    }
    if (phone.isLoaded() && !WaitForPhone(phone, parsed->wait.value_or(kDefaultWait)))
        return 1;
    if (parsed->action == "restore-seem")
        return RestoreSeem(phone, parsed->file, parsed->restart);
    const bool toStandardOutput = parsed->action == "read" && IsStandardOutput(parsed->file);
    ConsoleDialogs dialogs(parsed->restart, toStandardOutput ? stderr : stdout);
    ColourScheme scheme;
    const InterfaceCommandWords words{};
    CommandContext context{phone, scheme, dialogs, words};
    const QString phonePath = SchemePhonePath(settings->SpColorPath);

    if (parsed->action == "read") {
        const OpenResult opened = OpenFromPhone(context, phonePath);
        if (!opened.loaded)
            return 1;
        if (!opened.note.isEmpty())
            Warn(opened.note);
        if (toStandardOutput)
            return WriteSchemeImage(parsed->file, EncodeScheme(scheme));
        QString target = parsed->file;
        return SaveToComputer(context, target, {}).saved ? 0 : 1;
    }
    if (parsed->action == "write") {
        QString note;
        switch (LoadSchemeAndReport(scheme, parsed->file, dialogs, words, &note)) {
        case LoadOutcome::Loaded:
            if (!note.isEmpty())
                Warn(note);
            return SaveToPhone(context, phonePath).saved ? 0 : 1;
        case LoadOutcome::NotOpened:
            return Fail(note);
        case LoadOutcome::ReadFailed:
        case LoadOutcome::NotScheme:
            return 1;
        }
    }
    return ActivateOnPhone(context).verdict() == ActivationVerdict::NotActivated ? 1 : 0;
}

int Activate(const QStringList &args)
{
    if (args.size() != 1 || args[0].startsWith("--"))
        return UsageError(kActivateUsage);
    ConsoleDialogs dialogs(false);
    const ActivationResult result = ActivateRecordFile(dialogs, InterfaceCommandWords(), args[0]);
    return result.verdict() == ActivationVerdict::NotActivated ? 1 : 0;
}

const Registration phone({"phone", kPhoneUsage, Phone});
const Registration activate({"activate", kActivateUsage, Activate});

}  // namespace
}  // namespace tintora::cli
