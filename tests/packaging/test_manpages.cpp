#include "toolrun.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <string>

using namespace tintora::test;

namespace {

// Sorted and joined, so a failure shows the names that differ, in a stable order.
std::string Sorted(const QSet<QString> &set)
{
    QStringList list(set.begin(), set.end());
    list.sort();
    return list.join(QStringLiteral(", ")).toStdString();
}

QSet<QString> Options(const QString &text)
{
    QSet<QString> options;
    static const QRegularExpression option(QStringLiteral("--[a-z][a-z-]*"));
    for (const auto &match : option.globalMatch(text))
        options.insert(match.captured());
    return options;
}

// The commands of the help's usage lines: "  tintora-cli phone read OUT.sch" gives
// "phone read", "  tintora-cli phone restore-seem" "phone restore-seem", "  tintora-cli dump
// FILE.sch" gives "dump".
QSet<QString> HelpCommands(const QString &help)
{
    QSet<QString> commands;
    static const QRegularExpression usage(QStringLiteral("^  \\S+ ([a-z]+(?: [a-z][a-z-]*)?)\\b"),
                                          QRegularExpression::MultilineOption);
    for (const auto &match : usage.globalMatch(help))
        commands.insert(match.captured(1));
    return commands;
}

// The commands of the page's COMMANDS section: each entry starts with its name in bold,
// "*phone read* _OUT.sch_".
QSet<QString> PageCommands(const QString &page)
{
    const qsizetype start = page.indexOf(QStringLiteral("\n# COMMANDS\n"));
    const qsizetype end = page.indexOf(QStringLiteral("\n# "), start + 1);
    const QString section = page.mid(start, end - start);
    QSet<QString> commands;
    static const QRegularExpression entry(QStringLiteral("^\\*([a-z]+(?: [a-z][a-z-]*)?)\\*"),
                                          QRegularExpression::MultilineOption);
    for (const auto &match : entry.globalMatch(section))
        commands.insert(match.captured(1));
    return commands;
}

QString ReadPage(const char *name)
{
    QFile file(QStringLiteral(TINTORA_MAN_DIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

// A command or option added to a program without its manual page, or one dropped from the
// program but still described, shows here.
TEST(ManualPages, EachPageHasExactlyTheCommandsAndOptionsOfItsProgramsHelp)
{
    const struct {
        const char *program;
        const char *page;
    } pages[] = {{TINTORA_EDITOR_PATH, "tintora.1.scd"}, {TINTORA_CLI_PATH, "tintora-cli.1.scd"}};
    for (const auto &[program, name] : pages) {
        SCOPED_TRACE(name);
        const ToolRun help = RunTool(QString::fromLocal8Bit(program), {QStringLiteral("--help")});
        ASSERT_EQ(help.exitCode, 0) << help.output.toStdString();
        const QString page = ReadPage(name);
        ASSERT_FALSE(page.isEmpty());
        ASSERT_GE(Options(help.output).size(), 2) << "the help's options were not understood";
        EXPECT_EQ(Sorted(Options(page)), Sorted(Options(help.output)));
        if (page.contains(QStringLiteral("\n# COMMANDS\n"))) {
            const QSet<QString> helpCommands = HelpCommands(help.output);
            ASSERT_GE(helpCommands.size(), 5) << "the help's usage lines were not understood";
            EXPECT_EQ(Sorted(PageCommands(page)), Sorted(helpCommands));
        }
    }
}
