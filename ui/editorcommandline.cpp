// The editor's command line: --help, --version and the scheme file to open.
#include "editorcommandline.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace tintora {

using namespace Qt::Literals::StringLiterals;

namespace {

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption version = parser.addVersionOption();

    Parser()
    {
        parser.setApplicationDescription(
            u"Edits spcolor.sch, the colour scheme of Motorola P2K phones."_s);
        parser.addPositionalArgument(u"FILE.sch"_s, u"The colour scheme to open."_s,
                                     u"[FILE.sch]"_s);
    }
};

}  // namespace

std::optional<EditorCommandLine::Answer> EditorCommandLine::answer(const QStringList &arguments,
                                                                   bool complete) const
{
    Parser p;
    const bool parsed = p.parser.parse(arguments);
    const QString program = QFileInfo(arguments.value(0, u"tintora"_s)).completeBaseName();
    if (p.parser.isSet(p.help) || p.parser.isSet(u"help-all"_s))
        return Answer{0, p.parser.helpText(), {}};
    if (p.parser.isSet(p.version))
        return Answer{0, program + u' ' + version_ + u'\n', {}};
    if (!parsed && complete)
        return Answer{1, {}, program + u": "_s + p.parser.errorText() + u"\n\n"_s + p.parser.helpText()};
    return std::nullopt;
}

QString EditorCommandLine::file(const QStringList &arguments)
{
    Parser p;
    p.parser.parse(arguments);
    for (const QString &argument : p.parser.positionalArguments()) {
        // An empty pair of quotes is no argument.
        if (!argument.isEmpty())
            return argument;
    }
    return QString();
}

}  // namespace tintora
