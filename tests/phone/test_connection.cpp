// The work mode and the connect command, polled through the simulator.

#include "simulatedphonetest.h"

#include "phone/connectionstate.h"

#include <deque>

namespace tintora::test {
namespace {

using Connection = SimulatedPhoneTest;

TEST_F(Connection, PollEnablesConnectOnlyWhileItCanAct)
{
    ConnectionState state;
    put("status", "0");
    state.poll(library());
    EXPECT_FALSE(state.connectEnabled);
    EXPECT_EQ(calls(true), (QStringList{"P2K_GetStatus", "P2K_GetStatus"}));

    put("status", "1");
    state.poll(library());
    EXPECT_TRUE(state.connectEnabled);
    put("status", "2");
    state.poll(library());
    EXPECT_TRUE(state.connectEnabled);
    put("status", "0");
    state.poll(library());
    EXPECT_FALSE(state.connectEnabled);
    put("status", "-7");
    state.poll(library());
    EXPECT_FALSE(state.connectEnabled);
    EXPECT_EQ(state.workMode, WorkMode::Computer);
}

TEST_F(Connection, ConnectTogglesWhileThePhoneAnswers)
{
    ConnectionState state;
    state.poll(library());
    state.toggle(library());
    EXPECT_EQ(state.workMode, WorkMode::Phone);
    state.poll(library());
    EXPECT_TRUE(state.connectEnabled);

    // The phone goes away: phone mode ends, once, and there is nothing to connect to.
    put("status", "0");
    EXPECT_TRUE(state.poll(library()));
    EXPECT_EQ(state.workMode, WorkMode::Computer);
    EXPECT_FALSE(state.connectEnabled);
    EXPECT_FALSE(state.poll(library()));

    put("status", "1");
    state.poll(library());
    state.toggle(library());
    state.toggle(library());
    EXPECT_EQ(state.workMode, WorkMode::Computer);
    EXPECT_TRUE(state.connectEnabled) << "stays enabled until a poll answers 0";
}

TEST_F(Connection, OtherStatusValuesChangeNothing)
{
    for (const WorkMode mode : {WorkMode::Computer, WorkMode::Phone}) {
        for (const bool enabled : {false, true}) {
            ConnectionState state{mode, enabled};
            put("status", "2");
            state.poll(library());
            state.toggle(library());
            EXPECT_EQ(state.workMode, mode);
            EXPECT_EQ(state.connectEnabled, enabled);
        }
    }
}

// Answers status asks from a list, for answers that change between two asks.
class ScriptedStatus : public PhoneLibrary {
public:
    std::deque<int> statuses;
    int P2K_GetStatus() override
    {
        const int status = statuses.front();
        statuses.pop_front();
        return status;
    }
    int P2K_Init(int) override { return 0; }
    int P2K_Restart() override { return 0; }
    int File_Create(const char *, int) override { return -1; }
    int File_Read(std::uint8_t *, int) override { return -1; }
    int File_Write(const std::uint8_t *, int) override { return -1; }
    int File_Close() override { return 0; }
    int File_VolInfo(std::uint16_t *) override { return 0; }
    int Seem_Read(int, int, int, int, std::uint8_t *) override { return -1; }
    int Seem_Write(int, int, int, int, std::uint8_t *) override { return -1; }
};

TEST(ConnectionAnswers, APhoneLeavingBetweenTheTwoAsksEndsInComputerMode)
{
    ScriptedStatus phone;
    phone.statuses = {1, 0};
    ConnectionState state;
    state.toggle(phone);
    EXPECT_EQ(state.workMode, WorkMode::Computer);

    phone.statuses = {1, 0};
    ConnectionState polled{WorkMode::Phone, true};
    EXPECT_TRUE(polled.poll(phone));
    EXPECT_EQ(polled.workMode, WorkMode::Computer);
    EXPECT_FALSE(polled.connectEnabled);
    EXPECT_TRUE(phone.statuses.empty());
}

}  // namespace
}  // namespace tintora::test
