#include "ui/editorcommandline.h"

#include <gtest/gtest.h>

namespace tintora::test {
namespace {

// What the editor does with its command line: print and exit, fail with the usage, or start
// with a file. A file name that looked like an option used to be opened as a scheme.
struct CommandLineCase {
    QStringList arguments;
    bool starts;
    int exitCode;
    const char *outputHas;
    const char *errorHas;
    const char *file;
};

class EditorCommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(EditorCommandLineTest, AnswersOrStarts)
{
    const CommandLineCase &c = GetParam();
    const QStringList arguments = QStringList{"/usr/bin/tintora"} + c.arguments;
    const auto answer = EditorCommandLine(QStringLiteral("1.2.3")).answer(arguments, true);
    ASSERT_EQ(!answer.has_value(), c.starts);
    if (answer) {
        EXPECT_EQ(answer->exitCode, c.exitCode);
        EXPECT_TRUE(answer->output.contains(QString::fromUtf8(c.outputHas))) << answer->output.toStdString();
        EXPECT_TRUE(answer->error.contains(QString::fromUtf8(c.errorHas))) << answer->error.toStdString();
        return;
    }
    EXPECT_EQ(EditorCommandLine::file(arguments), QString::fromUtf8(c.file));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, EditorCommandLineTest,
    ::testing::Values(
        CommandLineCase{{"--help"}, false, 0, "[FILE.sch]", "", ""},
        CommandLineCase{{"-h", "x.sch"}, false, 0, "--version", "", ""},
        CommandLineCase{{"--version"}, false, 0, "tintora 1.2.3\n", "", ""},
        CommandLineCase{{"--colour", "x.sch"}, false, 1, "", "Unknown option 'colour'", ""},
        CommandLineCase{{"--colour"}, false, 1, "", "Usage:", ""},
        CommandLineCase{{}, true, 0, "", "", ""},
        CommandLineCase{{"my scheme.sch", "ignored.sch"}, true, 0, "", "", "my scheme.sch"},
        CommandLineCase{{"", "second.sch"}, true, 0, "", "", "second.sch"},
        CommandLineCase{{"--", "--help"}, true, 0, "", "", "--help"}));

TEST(EditorCommandLineEarly, LeavesUnknownOptionsForTheWindowSystemButAnswersHelp)
{
    const EditorCommandLine line(QStringLiteral("1.2.3"));
    // Before the GUI application exists, -style may still be the window system's.
    EXPECT_FALSE(line.answer({"tintora", "-style", "fusion"}, false).has_value());
    const auto help = line.answer({"tintora", "-style", "fusion", "--help"}, false);
    ASSERT_TRUE(help.has_value());
    EXPECT_EQ(help->exitCode, 0);
}

}  // namespace
}  // namespace tintora::test
