// Switching on custom colour styles, on the simulated phone and in record files.

#include "tests/filefaults.h"
#include "simulatedphonetest.h"

#include "phone/activation.h"
#include "phone/connectionstate.h"

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

namespace tintora::test {
namespace {

using Kind = ScriptedDialogs::Kind;

const QString kRecord = QStringLiteral("seem/0032_0001.seem");
const QString kRebootEnglish = QStringLiteral(
    "Changes will come into force only after reboot of phone\rReboot phone now?");

const QStringList kPhoneEnglish{"Read seem 0032 rec 0001.........",
                                "Change value...........................",
                                "Write seem 0032 rec 0001..........."};
const QStringList kPhoneRussian{"Чтение seem 0032 rec 0001.....",
                                "Изменение значения.................",
                                "Запись seem 0032 rec 0001.........."};
// The computer's step texts name the record file that was opened.
QStringList FileEnglish(const QString &name = "0032_0001.seem")
{
    return {"Open " + name + ".........", "Change value...........................",
            "Save " + name + "..........."};
}
const QStringList kFileEnglish = FileEnglish();
const QStringList kFileRussian{"Открытие 0032_0001.seem.....",
                               "Изменение значения.................",
                               "Запись 0032_0001.seem.........."};
const QString kActivated = QStringLiteral("Custom colour styles are activated");
const QString kAlready = QStringLiteral("Custom colour styles already activated!");
const QString kNotActivated = QStringLiteral("Custom colour styles are not activated");

// marks: three of "OK" / "FAIL".
QString Report(const QStringList &steps, const QStringList &marks, const QString &verdict)
{
    QString text;
    for (int i = 0; i < 3; ++i)
        text += steps[i] + "[" + marks[i] + "]\r";
    return text + "\r" + verdict;
}

// A record with every byte different, the switch byte set to value.
QByteArray Record(int size, std::uint8_t value)
{
    QByteArray record(size, '\0');
    for (int i = 0; i < size; ++i)
        record[i] = static_cast<char>(i * 7 + 1);
    if (size > 83)
        record[83] = static_cast<char>(value);
    return record;
}

struct SwitchCase {
    std::uint8_t before;
    std::uint8_t after;
    bool changes;
};
const SwitchCase kSwitchCases[] = {
    {0x00, 0x40, true}, {0xBF, 0xFF, true}, {0x40, 0x40, false}, {0xFF, 0xFF, false}};

using PhoneActivation = SimulatedPhoneTest;

TEST_F(PhoneActivation, FirstRunActivatesAndOffersRestartSecondFindsItDone)
{
    dialogs.answers = {true};
    CommandContext ctx = context();
    const ActivationResult first = ActivateCommand(ctx, WorkMode::Phone);
    EXPECT_EQ(first.verdict(), ActivationVerdict::Activated);
    EXPECT_TRUE(first.restarted);
    EXPECT_TRUE(restarted());
    EXPECT_EQ(get(kRecord)[83], 0x40);
    EXPECT_EQ(dialogs.texts(Kind::Inform),
              QStringList{Report(kPhoneEnglish, {"OK", "OK", "OK"}, kActivated)});
    EXPECT_EQ(dialogs.texts(Kind::Question), QStringList{kRebootEnglish});

    dialogs.shown.clear();
    const ActivationResult second = ActivateOnPhone(ctx);
    EXPECT_EQ(second.verdict(), ActivationVerdict::AlreadyActivated);
    EXPECT_EQ(dialogs.kinds(), std::vector<Kind>{Kind::Inform}) << "no reboot prompt";
    EXPECT_EQ(dialogs.texts(Kind::Inform),
              QStringList{Report(kPhoneEnglish, {"OK", "FAIL", "OK"}, kAlready)});
    EXPECT_EQ(calls(), (QStringList{"Seem_Read 0x32 1 83 1", "Seem_Write 0x32 1 83 1",
                                    "P2K_Restart", "Seem_Read 0x32 1 83 1",
                                    "Seem_Write 0x32 1 83 1"}));
}

TEST_F(PhoneActivation, SetsOnlyTheOneBit)
{
    for (const SwitchCase &c : kSwitchCases) {
        SCOPED_TRACE(c.before);
        put(kRecord, Record(255, c.before));
        dialogs.answers = {false};
        CommandContext ctx = context();
        const ActivationResult result = ActivateOnPhone(ctx);
        EXPECT_EQ(result.changed, c.changes);
        EXPECT_EQ(result.verdict(), c.changes ? ActivationVerdict::Activated
                                              : ActivationVerdict::AlreadyActivated);
        EXPECT_EQ(get(kRecord), Record(255, c.after));
        EXPECT_EQ(dialogs.answers.empty(), c.changes) << "a prompt only after a change";
        EXPECT_FALSE(restarted());
    }
}

TEST_F(PhoneActivation, AFailedReadIsReportedFirstAndNothingIsWritten)
{
    for (const char *control : {"fail", "status"}) {
        SCOPED_TRACE(control);
        put("fail", "");
        put("status", "1");
        put(control, QByteArray(control) == "fail" ? "Seem_Read" : "0");
        QFile::remove(file("calls.log"));
        dialogs.shown.clear();
        CommandContext ctx = context("ru");
        const ActivationResult result = ActivateOnPhone(ctx);
        EXPECT_EQ(result.verdict(), ActivationVerdict::NotActivated);
        EXPECT_EQ(dialogs.texts(Kind::Inform),
                  (QStringList{"Не могу прочитать seem 0032h rec 0001h",
                               Report(kPhoneRussian, {"FAIL", "FAIL", "FAIL"},
                                      "Пользовательские цветовые палитры не активированы")}));
        EXPECT_EQ(calls(), QStringList{"Seem_Read 0x32 1 83 1"});
        EXPECT_FALSE(QFile::exists(file(kRecord)));
    }
}

TEST_F(PhoneActivation, AFailedWriteStillOffersTheRestart)
{
    put("fail", "Seem_Write");
    dialogs.answers = {false};
    CommandContext ctx = context();
    const ActivationResult result = ActivateOnPhone(ctx);
    EXPECT_EQ(result.verdict(), ActivationVerdict::NotActivated);
    EXPECT_EQ(dialogs.texts(Kind::Inform),
              QStringList{Report(kPhoneEnglish, {"OK", "OK", "FAIL"}, kNotActivated)});
    EXPECT_EQ(dialogs.texts(Kind::Question), QStringList{kRebootEnglish});
    EXPECT_FALSE(calls().contains("P2K_Restart"));
}

using FileActivation = SimulatedPhoneTest;

TEST_F(FileActivation, ADialogAsksForTheRecordFile)
{
    dialogs.files = {"", file(kRecord)};
    put(kRecord, Record(255, 0x00));
    CommandContext russian = context("ru");
    EXPECT_EQ(ActivateCommand(russian, WorkMode::Computer).verdict(), ActivationVerdict::NotActivated);
    EXPECT_EQ(dialogs.shown[0].text, "Открыть seem 0032_0001");
    EXPECT_EQ(dialogs.shown[0].filter, "Seem файлы(*.seem)|*.seem|Все(*.*)|*.*");
    EXPECT_EQ(dialogs.texts(Kind::Inform),
              QStringList{Report(kFileRussian, {"FAIL", "FAIL", "FAIL"},
                                 "Пользовательские цветовые палитры не активированы")});

    dialogs.shown.clear();
    CommandContext english = context();
    EXPECT_EQ(ActivateFromComputer(english).verdict(), ActivationVerdict::Activated);
    EXPECT_EQ(dialogs.shown[0].text, "Open seem 0032_0001");
    EXPECT_EQ(dialogs.shown[0].filter, "Seem files(*.seem)|*.seem|All(*.*)|*.*");
    EXPECT_EQ(dialogs.texts(Kind::Inform),
              QStringList{Report(kFileEnglish, {"OK", "OK", "OK"}, kActivated)});
    EXPECT_TRUE(calls().isEmpty()) << "computer mode never reaches the phone";
}

TEST_F(FileActivation, SetsOnlyTheOneBitAndKeepsTheFileLength)
{
    for (const int size : {84, 255, 300}) {
        for (const SwitchCase &c : kSwitchCases) {
            SCOPED_TRACE(testing::Message() << size << " bytes, " << int(c.before));
            put("rec.seem", Record(size, c.before));
            dialogs.shown.clear();
            const ActivationResult result = ActivateRecordFile(dialogs, words, file("rec.seem"));
            EXPECT_EQ(get("rec.seem"), Record(size, c.after));
            EXPECT_EQ(dialogs.texts(Kind::Inform),
                      QStringList{c.changes ? Report(FileEnglish("rec.seem"), {"OK", "OK", "OK"}, kActivated)
                                            : Report(FileEnglish("rec.seem"), {"OK", "FAIL", "OK"}, kAlready)});
            EXPECT_FALSE(result.restarted);
        }
    }
}

TEST_F(FileActivation, AFileWithoutTheSwitchOrUnopenedIsLeftAlone)
{
    put("short.seem", Record(83, 0));
    put("huge.seem", Record((1 << 20) + 1, 0));
    put("locked.seem", Record(255, 0));
    ImmutableFile locked(file("locked.seem"));
    put("scheme.seem", QByteArray("\0S\0C\0H", 6) + Record(298, 0));
#if defined(Q_OS_UNIX)
    const QByteArray pipe = QFile::encodeName(file("pipe.seem"));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
#endif
    struct Case {
        QString path;
        QStringList marks;
        QString reason;  // shown before the report; empty for none
    };
    QList<Case> cases{
        {file("short.seem"), {"FAIL", "FAIL", "FAIL"}, {}},
        {file("huge.seem"), {"FAIL", "FAIL", "FAIL"}, {}},
        {file("missing.seem"), {"FAIL", "FAIL", "FAIL"},
         "Cannot open " + file("missing.seem") + ": No such file or directory"},
        {root.path(), {"FAIL", "FAIL", "FAIL"}, "Cannot open " + root.path() + ": "},
        // A colour scheme taken for the record by mistake: the bit would spoil a colour.
        {file("scheme.seem"), {"FAIL", "FAIL", "FAIL"},
         file("scheme.seem") + " is a colour style, not a record of seem 0032_0001; it is left unchanged"}};
#if defined(Q_OS_UNIX)
    // A pipe would block until a writer came.
    cases.append({file("pipe.seem"), {"FAIL", "FAIL", "FAIL"},
                  "Cannot open " + file("pipe.seem") +
                      ": not a regular file but a device, a pipe or a socket"});
#endif
    if (locked.isSet())
        cases.append({file("locked.seem"), {"OK", "OK", "FAIL"}, {}});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        dialogs.shown.clear();
        EXPECT_EQ(ActivateRecordFile(dialogs, words, c.path).verdict(),
                  ActivationVerdict::NotActivated);
        const QStringList shown = dialogs.texts(Kind::Inform);
        ASSERT_EQ(shown.size(), c.reason.isEmpty() ? 1 : 2);
        if (!c.reason.isEmpty()) {
            EXPECT_TRUE(shown.first().startsWith(c.reason)) << shown.first().toStdString();
        }
        EXPECT_EQ(shown.last(),
                  Report(FileEnglish(QFileInfo(c.path).fileName()), c.marks, kNotActivated));
    }
    EXPECT_EQ(get("scheme.seem"), QByteArray("\0S\0C\0H", 6) + Record(298, 0));
    EXPECT_EQ(get("short.seem"), Record(83, 0));
    EXPECT_EQ(get("huge.seem"), Record((1 << 20) + 1, 0));
    EXPECT_EQ(get("locked.seem"), Record(255, 0));
    EXPECT_FALSE(QFile::exists(file("missing.seem")));
}

TEST_F(FileActivation, InputOutputErrorsEndTheCommandWithoutAReport)
{
    // Reading fails after the file opened: this process's memory at address 0.
    const ActivationResult unreadable = ActivateRecordFile(dialogs, words, "/proc/self/mem");
    EXPECT_FALSE(unreadable.reported);
    EXPECT_EQ(dialogs.kinds(), std::vector<Kind>{Kind::Error});

    dialogs.shown.clear();
    put("rec.seem", Record(255, 0));
    ActivationResult unwritable;
    {
        FileSizeLimit limit(100);
        unwritable = ActivateRecordFile(dialogs, words, file("rec.seem"));
    }
    EXPECT_FALSE(unwritable.reported);
    EXPECT_EQ(dialogs.kinds(), std::vector<Kind>{Kind::Error});
    EXPECT_EQ(get("rec.seem"), Record(255, 0));
}

}  // namespace
}  // namespace tintora::test
