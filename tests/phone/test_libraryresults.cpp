// The commands read the library's results exactly as the callers rely on them:
// File_Write fails only with -1, Seem_Write succeeds only with 0, and
// File_VolInfo's -1 is no answer rather than a full phone. The simulator
// never returns the values in between, so a library here returns what the
// test sets.

#include "scripteddialogs.h"

#include "phone/activation.h"
#include "phone/savecommand.h"
#include "ui/wording.h"

namespace tintora::test {
namespace {

using Kind = ScriptedDialogs::Kind;

class FixedResults final : public PhoneLibrary {
public:
    int volInfo = 100000;
    int fileWrite = kSchemeImageSize;
    int seemWrite = 0;

    int P2K_Init(int) override { return 0; }
    int P2K_GetStatus() override { return 1; }
    int P2K_Restart() override { return 0; }
    int File_Create(const char *, int) override { return 0; }
    int File_Read(std::uint8_t *, int) override { return -1; }
    int File_Write(const std::uint8_t *, int) override { return fileWrite; }
    int File_Close() override { return 0; }
    int File_VolInfo(std::uint16_t *) override { return volInfo; }
    int Seem_Read(int, int, int, int, std::uint8_t *buffer) override
    {
        *buffer = 0;
        return 1;
    }
    int Seem_Write(int, int, int, int, std::uint8_t *) override { return seemWrite; }
};

const QString kPath = QStringLiteral("/a/mobile/system/spcolor.sch");

TEST(LibraryResults, FileWriteFailsOnlyWithMinusOne)
{
    for (const int result : {-1, -2, 0, 1, 303, 304, 305}) {
        SCOPED_TRACE(result);
        FixedResults phone;
        phone.fileWrite = result;
        ScriptedDialogs dialogs;
        dialogs.answers = {false};
        ColourScheme scheme;
        const InterfaceCommandWords words{};
        CommandContext context{phone, scheme, dialogs, words};
        const bool saved = SaveToPhone(context, kPath).saved;
        EXPECT_EQ(saved, result != -1);
        EXPECT_EQ(dialogs.texts(Kind::Inform).value(0),
                  result == -1 ? "Write error of a file " + kPath
                               : "Colour style: STYLE\rSaving path: " + kPath);
    }
}

TEST(LibraryResults, SeemWriteSucceedsOnlyWithZero)
{
    for (const int result : {0, 1, -1, 2, 255}) {
        SCOPED_TRACE(result);
        FixedResults phone;
        phone.seemWrite = result;
        ScriptedDialogs dialogs;
        dialogs.answers = {false};
        ColourScheme scheme;
        const InterfaceCommandWords words{};
        CommandContext context{phone, scheme, dialogs, words};
        const ActivationResult activation = ActivateOnPhone(context);
        EXPECT_EQ(activation.written, result == 0);
        EXPECT_EQ(activation.verdict(), result == 0 ? ActivationVerdict::Activated
                                                    : ActivationVerdict::NotActivated);
        EXPECT_EQ(dialogs.texts(Kind::Question).size(), 1) << "the switch changed in any case";
    }
}

TEST(LibraryResults, FreeSpaceBelow1024RefusesTheSaveAndMinusOneIsNoAnswer)
{
    const std::pair<int, const char *> cases[] = {
        {-1, "The phone does not answer"},        {-2, "Not enough free space on phone"},
        {0, "Not enough free space on phone"},    {1023, "Not enough free space on phone"},
        {1024, nullptr},                          {50000, nullptr},
    };
    for (const auto &[free, refusal] : cases) {
        SCOPED_TRACE(free);
        FixedResults phone;
        phone.volInfo = free;
        ScriptedDialogs dialogs;
        dialogs.answers = {false};
        ColourScheme scheme;
        const InterfaceCommandWords words{};
        CommandContext context{phone, scheme, dialogs, words};
        EXPECT_EQ(SaveToPhone(context, kPath).saved, refusal == nullptr);
        if (refusal) {
            EXPECT_EQ(dialogs.texts(Kind::Inform), QStringList{refusal});
        }
    }
}

}  // namespace
}  // namespace tintora::test
