#include "link/Pc_wcu_link.h"

#include "tests/support/Simulated_Wcu.h"
#include "tools/Hd_Wcu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// The real simulator on a pseudo-terminal, in real time. The WCU answers at
// once and the link's own windows decide; a machine too busy to run the
// simulator's thread within them costs a try, so a good exchange gets a
// few. A late answer comes a whole second after its window.
class Wcu_Link_Over_Pseudo_Terminal : public ::testing::Test {
protected:
    static constexpr int Tries = 20;

    static bool Within_Tries(const std::function<bool()>& exchange)
    {
        for (int attempt = 0; attempt < Tries; ++attempt) {
            if (exchange()) {
                return true;
            }
        }
        return false;
    }

    static St_System& With_Port(St_System& camera, int port)
    {
        camera.Settings.Port_Number = port;
        return camera;
    }

    Simulated_Wcu wcu {4, Wcu_Line::Pseudo_Terminal};
    St_System state {0};
    PC_WCU_Link link {With_Port(state, wcu.Com_Number())};
};

} // namespace

TEST_F(Wcu_Link_Over_Pseudo_Terminal, IdentifiesAndPollsAnSdWcu)
{
    Typical_Sd_Wcu().Load(wcu.Simulator());
    ASSERT_TRUE(Within_Tries([&] { return link.Ask_Wcu_Type(state); }));
    EXPECT_EQ(state.Type.Wcu_Major * 256 + state.Type.Wcu_Minor, 0x101);
    ASSERT_TRUE(Within_Tries([&] { return link.Poll_SD(state, state.SD); }));
    EXPECT_EQ(state.SD.WCU.Video_Qos, 95);
    EXPECT_EQ(state.SD.AMU2.Identifier, 2);
    EXPECT_TRUE(link.Is_Open());
}

TEST_F(Wcu_Link_Over_Pseudo_Terminal, PollsAnHdWcuPacedAtTheLineRate)
{
    Typical_Hd_Wcu().Load(wcu.Simulator());
    wcu.Simulator().Set_Paced(true);
    ASSERT_TRUE(Within_Tries([&] { return link.Ask_Wcu_Type(state); }));
    ASSERT_TRUE(Within_Tries([&] { return link.Poll_HD(state, state.HD); }));
    EXPECT_EQ(state.HD.Wcu.D6_D7, 18320);
}

TEST_F(Wcu_Link_Over_Pseudo_Terminal, AnAnswerFarTooLateIsNotTakenNorReadIntoTheNext)
{
    Typical_Sd_Wcu().Load(wcu.Simulator());
    ASSERT_TRUE(Within_Tries([&] { return link.Ask_Wcu_Type(state); }));
    wcu.Simulator().Queue_Fault('%', Wcu_Fault::Late);
    EXPECT_FALSE(link.Poll_SD(state, state.SD));
    EXPECT_FALSE(state.Settings.Connected);
    ASSERT_TRUE(wcu.Simulator().Wait_Idle());
    ASSERT_TRUE(Within_Tries([&] { return link.Poll_SD(state, state.SD); }));
    EXPECT_TRUE(link.Is_Open());
}

TEST_F(Wcu_Link_Over_Pseudo_Terminal, AHangUpClosesThePort)
{
    Typical_Sd_Wcu().Load(wcu.Simulator());
    ASSERT_TRUE(Within_Tries([&] { return link.Ask_Wcu_Type(state); }));
    wcu.Simulator().Queue_Fault('%', Wcu_Fault::Hang_Up);
    EXPECT_FALSE(link.Poll_SD(state, state.SD));
    // The hang-up may reach the port after the answer's window: the next
    // request finds it at the latest.
    ASSERT_TRUE(wcu.Simulator().Wait_Idle());
    EXPECT_FALSE(link.Poll_SD(state, state.SD));
    EXPECT_FALSE(link.Is_Open());
}
