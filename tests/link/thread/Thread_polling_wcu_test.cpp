#include "link/Thread_polling_wcu.h"

#include "platform/classlib/String_Table.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/Serial.h"
#include "platform/winapi/Settings_Folder.h"
#include "tests/link/thread/Fake_Shell.h"
#include "tests/support/Simulated_Wcu.h"
#include "tools/Hd_Wcu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Far beyond what any of these waits takes on a loaded machine.
constexpr auto Generous = 30s;

// Runs the synchronised calls of the polling thread, as the user-interface
// thread's event loop does, until the condition holds.
bool Pump_Until(const std::function<bool()>& condition)
{
    const auto limit = std::chrono::steady_clock::now() + Generous;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit) {
            return false;
        }
        if (!CheckSynchronize()) {
            std::this_thread::sleep_for(1ms);
        }
    }
    return true;
}

int Stored_Camera_Value(const char* name)
{
    int value = -1;
    Reg_Read_Camera_Integer(Ordexia_Registry_Key, name, &value, 0);
    return value;
}

namespace fs = std::filesystem;

// A link ports/COM<number> in the current settings folder that points
// nowhere: that port does not open.
void Link_To_Nowhere(int com_number)
{
    const fs::path ports = Settings_Folder() / "ports";
    fs::create_directories(ports);
    fs::create_symlink(ports / "missing", ports / ("COM" + std::to_string(com_number)));
}

// One camera: a simulated WCU on an in-process line at COM3, on simulated
// time, the shell, and the camera's thread.
class Polling_Thread : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::string reason;
        ASSERT_TRUE(Load_Ordexia_Library(reason)) << reason;
    }

    Wcu_Simulator& Simulator() { return wcu.Simulator(); }

    // With the port stored for camera 1, or none.
    void Create(bool with_port = true, bool show_messages = false)
    {
        Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Port_Number", with_port ? wcu.Com_Number() : 0, 0);
        thread = std::make_unique<Thread_Polling_WCU>(shell, 0, &camera_count, show_messages);
    }
    void Start(bool with_port = true)
    {
        Create(with_port);
        thread->Resume();
    }

    int Requests_Of(BYTE request)
    {
        auto requests = Simulator().Requests();
        return static_cast<int>(std::count(requests.begin(), requests.end(), request));
    }
    int Hd_Polls()
    {
        auto requests = Simulator().Requests();
        return static_cast<int>(std::count_if(requests.begin(), requests.end(), Wcu_Simulator::Is_Hd_Poll));
    }
    // Waits until the thread has run that many more SD polls.
    bool More_Sd_Polls(int count)
    {
        const int target = Requests_Of('#') + count;
        return Pump_Until([&] { return Requests_Of('#') >= target; });
    }
    bool Last_Update(const std::function<bool(const Fake_Shell::Update&)>& test)
    {
        auto updates = shell.Updates();
        return !updates.empty() && test(updates.back());
    }
    bool Shows_Connected(int system_type)
    {
        return Last_Update([&](auto& update) { return update.Connected && update.System_Type == system_type; });
    }
    bool Ended()
    {
        for (const Fake_Shell::Posted& post : shell.Posts()) {
            if (post.Window == Fake_Shell::Main && post.Message == WM_USER && post.W_Param == 2 && post.L_Param == 0) {
                return true;
            }
        }
        return false;
    }
    int Escape_Keys()
    {
        auto posts = shell.Posts();
        return static_cast<int>(std::count_if(posts.begin(), posts.end(), [](auto& post) {
            return post.Window == Fake_Shell::Form && post.Message == WM_KEYDOWN && post.W_Param == VK_ESCAPE;
        }));
    }

    Simulated_Wcu wcu {3, Wcu_Line::In_Process};
    Fake_Shell shell;
    std::atomic<int> camera_count {1};
    std::unique_ptr<Thread_Polling_WCU> thread;
};

} // namespace

TEST_F(Polling_Thread, IdentifiesTheWcuThenPollsBackToBack)
{
    Typical_Sd_Wcu().Load(Simulator());
    Start();
    ASSERT_TRUE(More_Sd_Polls(3));
    ASSERT_TRUE(Simulator().Wait_Idle());
    std::vector<BYTE> requests = Simulator().Requests();
    std::string text(requests.begin(), requests.begin() + 9);
    EXPECT_EQ(text, "?%!\"#%!\"#");
    EXPECT_EQ(Requests_Of('?'), 1);
    EXPECT_TRUE(Pump_Until([&] { return Shows_Connected(St_System_Type::Sd_System); }));
    EXPECT_NE(thread->Get_Thread_Id(), 0u);
}

TEST_F(Polling_Thread, TwoBadPollsAreToleratedAndAThirdRebuildsTheConnection)
{
    Typical_Sd_Wcu().Load(Simulator());
    Start();
    ASSERT_TRUE(More_Sd_Polls(2));
    Simulator().Queue_Fault('%', Wcu_Fault::Silence);
    Simulator().Queue_Fault('%', Wcu_Fault::Silence);
    ASSERT_TRUE(More_Sd_Polls(3));
    EXPECT_EQ(Requests_Of('?'), 1);
    for (const Fake_Shell::Update& update : shell.Updates()) {
        EXPECT_TRUE(update.Connected) << "a tolerated bad poll was shown";
    }

    for (int bad = 0; bad < 3; ++bad) {
        Simulator().Queue_Fault('%', Wcu_Fault::Silence);
    }
    ASSERT_TRUE(Pump_Until([&] { return Requests_Of('?') == 2; }));
    ASSERT_TRUE(More_Sd_Polls(2));
    // The good polls between the two runs started the counts again.
    EXPECT_EQ(Requests_Of('?'), 2);
    EXPECT_TRUE(shell.Boxes().empty());
}

TEST_F(Polling_Thread, PollsThatKeepFailingGiveThePortUpWithTheirError)
{
    struct Case {
        const char* name;
        WORD type_word;
        int identifications;
        int polls;
        int message;
    };
    // Bad polls 1 and 2 tolerated, each later one reconnects until the limit.
    for (Case one : {Case {"link error at the 10th", 0x101, 8, 10, 2002},
                     Case {"firmware error at the 5th", 0x102, 3, 5, 2005}}) {
        SCOPED_TRACE(one.name);
        Simulated_Wcu camera {3, Wcu_Line::In_Process};
        Fake_Shell camera_shell;
        Sd_Wcu model = Typical_Sd_Wcu();
        model.Type_Word = one.type_word;
        model.Load(camera.Simulator());
        if (one.message == 2002) {
            camera.Simulator().Set_Answer('%', {});
        }
        Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Port_Number", camera.Com_Number(), 0);
        Thread_Polling_WCU polling(camera_shell, 0, &camera_count, false);
        polling.Resume();

        ASSERT_TRUE(Pump_Until([&] { return !camera_shell.Boxes().empty(); }));
        ASSERT_TRUE(Pump_Until([&] { return camera_shell.Pending_Posts() == 1; }));
        auto requests = camera.Simulator().Requests();
        EXPECT_EQ(std::count(requests.begin(), requests.end(), '?'), one.identifications);
        EXPECT_EQ(std::count(requests.begin(), requests.end(), '%'), one.polls);
        EXPECT_EQ(camera_shell.Boxes().front().Text.rfind(LoadStr(one.message), 0), 0u);
        ASSERT_TRUE(Pump_Until([&] {
            auto updates = camera_shell.Updates();
            return !updates.empty() && updates.back().Port_Number == 0 && !updates.back().Connected;
        }));
        EXPECT_EQ(Stored_Camera_Value("Port_Number"), 0);
        polling.Stop();
        ASSERT_TRUE(Pump_Until([&] { return polling.Get_Thread_Id() == 0; }));
        EXPECT_EQ(camera_shell.Boxes().size(), 1u);
    }
}

TEST_F(Polling_Thread, ASilentWcuIsAskedWithoutEndAndPolledAgainOnceItAnswers)
{
    Typical_Sd_Wcu().Load(Simulator());
    Start();
    ASSERT_TRUE(More_Sd_Polls(2));
    // The cable is pulled.
    Simulator().Set_Answer('?', {});
    Simulator().Set_Answer('%', {});
    ASSERT_TRUE(Pump_Until([&] { return Requests_Of('?') >= 6; }));
    EXPECT_TRUE(Last_Update([](auto& update) { return !update.Connected; }));
    EXPECT_TRUE(shell.Boxes().empty());
    EXPECT_EQ(Stored_Camera_Value("Port_Number"), wcu.Com_Number());

    Typical_Sd_Wcu().Load(Simulator());
    ASSERT_TRUE(More_Sd_Polls(2));
    EXPECT_TRUE(Pump_Until([&] { return Shows_Connected(St_System_Type::Sd_System); }));
    EXPECT_TRUE(shell.Boxes().empty());
}

TEST_F(Polling_Thread, FollowsTheWcuFromSdToHdAndBack)
{
    Typical_Sd_Wcu().Load(Simulator());
    Start();
    ASSERT_TRUE(More_Sd_Polls(2));

    Typical_Hd_Wcu().Load(Simulator());
    Simulator().Set_Answer('%', {});
    ASSERT_TRUE(Pump_Until([&] { return Hd_Polls() >= 3; }));
    EXPECT_TRUE(Pump_Until([&] { return Shows_Connected(St_System_Type::Hd_System); }));
    EXPECT_EQ(Stored_Camera_Value("System_Type"), 1);
    EXPECT_EQ(Escape_Keys(), 3);

    Typical_Sd_Wcu().Load(Simulator());
    for (int bad = 0; bad < 3; ++bad) {
        Simulator().Queue_Fault(Wcu_Simulator::Hd_Poll_Request, Wcu_Fault::Silence);
    }
    ASSERT_TRUE(More_Sd_Polls(3));
    EXPECT_TRUE(Pump_Until([&] { return Shows_Connected(St_System_Type::Sd_System); }));
    EXPECT_EQ(Stored_Camera_Value("System_Type"), 0);
    EXPECT_EQ(Escape_Keys(), 6);
    EXPECT_TRUE(shell.Boxes().empty());
}

TEST_F(Polling_Thread, APortThatDoesNotOpenIsClearedAndReportedUnlessBusyThenANewChoiceConnects)
{
    Link_To_Nowhere(9);
    Typical_Sd_Wcu().Load(Simulator());
    Start();
    ASSERT_TRUE(More_Sd_Polls(1));

    for (bool busy : {true, false}) {
        SCOPED_TRACE(busy ? "busy" : "not busy");
        shell.Set_Busy(busy);
        thread->Set_Port_Number(9);
        ASSERT_TRUE(Pump_Until([&] { return Last_Update([](auto& update) { return update.Port_Number == 0; }); }));
        EXPECT_EQ(Stored_Camera_Value("Port_Number"), 0);
        ASSERT_EQ(shell.Boxes().size(), busy ? 0u : 1u);
        thread->Set_Port_Number(wcu.Com_Number());
        EXPECT_TRUE(More_Sd_Polls(2));
        EXPECT_EQ(Stored_Camera_Value("Port_Number"), wcu.Com_Number());
    }
    EXPECT_EQ(shell.Boxes().front().Text.rfind("Com9 is not a valid or free serial port", 0), 0u);
    EXPECT_EQ(shell.Ports_Asked(), (std::vector<int> {9, 9}));
    EXPECT_EQ(shell.Pending_Posts(), 1);
}

TEST_F(Polling_Thread, APortHeldByAnotherCameraIsRefusedAndTheReportNamesThatCamera)
{
    Typical_Sd_Wcu().Load(Simulator());
    camera_count = 2;
    Start();
    ASSERT_TRUE(More_Sd_Polls(1));
    Fake_Shell second_shell;
    second_shell.Set_Camera_On_Port(2);
    Thread_Polling_WCU second(second_shell, 1, &camera_count, false);
    second.Set_Name(1);
    second.Resume();

    second.Set_Port_Number(wcu.Com_Number());
    ASSERT_TRUE(Pump_Until([&] { return !second_shell.Boxes().empty(); }));
    EXPECT_EQ(second_shell.Boxes().front().Text,
              "Camera 1\nCom3 is not a valid or free serial port available on the PC\n(already used by camera 2)\n\n"
              "Click on PC banner to select another one");
    EXPECT_TRUE(Pump_Until([&] { return second.Lock_State()->Settings.Port_Number == 0; }));
    // The camera that holds the port polls on.
    EXPECT_TRUE(More_Sd_Polls(2));
    EXPECT_TRUE(shell.Boxes().empty());
}

TEST_F(Polling_Thread, SuspendStopsPollingAndResumeIdentifiesTheWcuAgain)
{
    Typical_Sd_Wcu().Load(Simulator());
    Start();
    ASSERT_TRUE(More_Sd_Polls(1));
    thread->Suspend_Polling();
    ASSERT_TRUE(Pump_Until([&] { return Last_Update([](auto& update) { return !update.Connected; }); }));
    ASSERT_TRUE(Simulator().Wait_Idle());
    Simulator().Clear_Requests();

    thread->Resume_Polling();
    ASSERT_TRUE(More_Sd_Polls(1));
    EXPECT_EQ(Simulator().Requests().front(), '?');
    EXPECT_TRUE(Pump_Until([&] { return Shows_Connected(St_System_Type::Sd_System); }));
}

TEST_F(Polling_Thread, StopEndsTheThreadWithItsLastMessageWhateverItIsDoing)
{
    struct Case {
        const char* name;
        bool wcu_answers;
        bool with_port;
    };
    for (Case one : {Case {"polling", true, true}, Case {"connecting", false, true}, Case {"idle", true, false}}) {
        SCOPED_TRACE(one.name);
        Simulated_Wcu camera {3, Wcu_Line::In_Process};
        Fake_Shell camera_shell;
        if (one.wcu_answers) {
            Typical_Sd_Wcu().Load(camera.Simulator());
        }
        Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Port_Number", one.with_port ? camera.Com_Number() : 0, 0);
        auto polling = std::make_unique<Thread_Polling_WCU>(camera_shell, 0, &camera_count, false);
        polling->Resume();
        ASSERT_TRUE(Pump_Until([&] { return polling->Get_Thread_Id() != 0; }));
        if (one.with_port) {
            ASSERT_TRUE(Pump_Until([&] { return !camera.Simulator().Requests().empty(); }));
        }

        polling->Stop();
        EXPECT_TRUE(polling->Is_Terminating());
        ASSERT_TRUE(Pump_Until([&] { return polling->Get_Thread_Id() == 0; }));
        auto posts = camera_shell.Posts();
        ASSERT_FALSE(posts.empty());
        EXPECT_EQ(posts.back().Window, Fake_Shell::Main);
        EXPECT_EQ(posts.back().Message, WM_USER);
        EXPECT_EQ(posts.back().W_Param, 2u);
        EXPECT_EQ(posts.back().L_Param, 0);

        // Once stopped, setters change nothing shown, and the port choice
        // is only stored.
        const std::size_t updates = camera_shell.Updates().size();
        polling->Set_Alarm_Sound(true);
        polling->Set_Port_Number(5);
        polling->Suspend_Polling();
        polling->Resume_Polling();
        polling->Stop();
        EXPECT_EQ(camera_shell.Updates().size(), updates);
        EXPECT_EQ(Stored_Camera_Value("Port_Number"), 5);
        EXPECT_EQ(Stored_Camera_Value("Alarm_Sound"), 0);
        polling.reset();
    }
}

TEST_F(Polling_Thread, SettersStoreTheirValueAndRefreshWhatTheScreensShow)
{
    Create(false);
    struct Case {
        const char* name;
        std::function<void()> set;
        const char* value_name;
        int stored;
        bool refreshes;
    };
    const Case cases[] = {
        {"alarm sound", [&] { thread->Set_Alarm_Sound(false); }, "Alarm_Sound", 0, true},
        {"video range", [&] { thread->Set_Range_Frequency(0, 3); }, "Video_Range_Frequency", 3, true},
        {"data range", [&] { thread->Set_Range_Frequency(1, 2); }, "Data_Range_Frequency", 2, true},
        {"battery level", [&] { thread->Set_Alarm_Battery_Level(4); }, "Alarm_Battery_Level", 4, true},
        {"name", [&] { thread->Set_Name(42); }, "Name", 42, false},
    };
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        const std::size_t updates = shell.Updates().size();
        one.set();
        EXPECT_EQ(Stored_Camera_Value(one.value_name), one.stored);
        EXPECT_EQ(shell.Updates().size(), updates + (one.refreshes ? 1 : 0));
    }
    // Each link event reaches the screens once.
    thread->Lock_State()->HD.Wcu_Link.Link_Event_Code = 4;
    thread->Set_Alarm_Sound(true);
    EXPECT_EQ(shell.Updates().back().Link_Event_Code, 4);
    EXPECT_EQ(thread->Lock_State()->HD.Wcu_Link.Link_Event_Code, 0);

    thread->Set_Tuner_Choice(5, '2');
    EXPECT_EQ(thread->Lock_State()->HD.Tuner_Choice_Amu2, 5);
    EXPECT_EQ(thread->Lock_State()->Settings.Name, 42);
}

TEST_F(Polling_Thread, AStoredPortThatDoesNotOpenIsClearedAtConstructionAndReportedOnlyWhenAsked)
{
    Link_To_Nowhere(12);
    for (bool show_messages : {false, true}) {
        SCOPED_TRACE(show_messages);
        Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Port_Number", 12, 0);
        Thread_Polling_WCU polling(shell, 0, &camera_count, show_messages);
        EXPECT_EQ(Stored_Camera_Value("Port_Number"), 0);
        EXPECT_EQ(polling.Lock_State()->Settings.Port_Number, 0);
    }
    ASSERT_EQ(shell.Boxes().size(), 1u);
    EXPECT_EQ(shell.Boxes()[0].Text.rfind("Com12 ", 0), 0u);

    Thread_Polling_WCU no_port(shell, 0, &camera_count, true);
    ASSERT_EQ(shell.Boxes().size(), 2u);
    EXPECT_EQ(shell.Boxes()[1].Text, LoadStr(2009));
}

TEST_F(Polling_Thread, DataActivityIsRatedOnTheTimersWhateverThePollRate)
{
    Sd_Wcu model = Typical_Sd_Wcu();
    model.Load(Simulator());
    Start();
    // Steady flags: nothing toggles, every rate falls from its reset 1 to 0.
    ASSERT_TRUE(Pump_Until([&] {
        return Last_Update([](auto& update) { return update.Connected && update.Rate_Any == 0 && update.Rate_A == 0; });
    }));
    // Flag A toggling at every poll: many changes in each period.
    ASSERT_TRUE(Pump_Until([&] {
        const int polls = Requests_Of('%');
        model.Status[0] = static_cast<BYTE>(polls % 2 != 0 ? 0xE7 | 0x08 : 0xE7);
        model.Load(Simulator());
        return Last_Update([](auto& update) { return update.Rate_Any == 2 && update.Rate_A == 2; });
    }));
}

// Another thread that reads the state under its lock during back-to-back HD
// polls: it must find the lock free while a poll waits on the line (a
// request sent and not yet answered), and always a whole answer with its
// length.
TEST_F(Polling_Thread, TheStateLockIsFreeWhileAnHdPollWaitsOnTheLine)
{
    const Hd_Wcu model = Typical_Hd_Wcu();
    model.Load(Simulator());
    const std::vector<BYTE> frame = model.Frame(PC_WCU_Link::Request_Hd_Poll);
    Reg_Write_Camera_Integer(Ordexia_Registry_Key, "System_Type", St_System_Type::Hd_System, 0);
    Start();
    ASSERT_TRUE(Pump_Until([&] { return Hd_Polls() >= 2; }));

    std::atomic<bool> reading {true};
    std::atomic<int> reads {0};
    std::atomic<bool> seen_in_flight {false};
    std::atomic<bool> torn {false};
    std::atomic<bool> hd_shown {true};
    std::thread reader([&] {
        St_System_HD scratch(0);
        while (reading) {
            auto state = thread->Lock_State();
            const int length = thread->Get_Frame_Length();
            const BYTE* answer = thread->Get_Frame();
            if (length != 0 && (answer == nullptr || !std::equal(frame.begin(), frame.end(), answer) ||
                                length != static_cast<int>(frame.size()) ||
                                !PC_WCU_Link::Decode_HD(answer, length, PC_WCU_Link::Request_Hd_Poll, scratch))) {
                torn = true;
            }
            // Every poll so far was good: a request beyond the frames counted
            // is one the line has not answered yet.
            if (static_cast<unsigned>(Hd_Polls()) > thread->Get_Frame_Number()) {
                seen_in_flight = true;
            }
            hd_shown = hd_shown && state->Type.System_Type == St_System_Type::Hd_System;
            ++reads;
        }
    });
    const bool in_flight = Pump_Until([&] { return seen_in_flight.load() && reads >= 100; });
    reading = false;
    reader.join();
    EXPECT_TRUE(in_flight) << "the lock was never free while a poll waited on the line";
    EXPECT_FALSE(torn) << "an answer was seen half written or without its length";
    EXPECT_TRUE(hd_shown);
    EXPECT_TRUE(Pump_Until([&] { return Shows_Connected(St_System_Type::Hd_System); }));
}

// Without the runtime library the timers have no handle, and every wait fails.
TEST(Polling_Thread_Without_Timers, AWaitThatFailsEndsTheThreadInsteadOfSpinning)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto ends = [] {
        Simulated_Wcu wcu {3, Wcu_Line::In_Process};
        Typical_Sd_Wcu().Load(wcu.Simulator());
        Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Port_Number", wcu.Com_Number(), 0);
        Fake_Shell shell;
        std::atomic<int> camera_count {1};
        Thread_Polling_WCU thread(shell, 0, &camera_count, false);
        thread.Resume();
        if (!Pump_Until([&] { return !shell.Posts().empty(); })) {
            std::_Exit(1); // a spinning thread could never be stopped and joined
        }
        return shell.Posts().back().Message == WM_USER;
    };
    EXPECT_EXIT(std::exit(ends() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

// A camera on a pseudo-terminal behind ports/COM5, in real time: an adapter
// whose link udev removes when it is unplugged and makes again when it is
// plugged back.
TEST(Polling_Thread_Over_Pseudo_Terminal, APortWhoseLinkVanishesIsReportedAndItsLinkIsUsedAgainOnceBack)
{
    std::string reason;
    ASSERT_TRUE(Load_Ordexia_Library(reason)) << reason;
    constexpr int com_number = 5;
    Simulated_Wcu wcu {com_number, Wcu_Line::Pseudo_Terminal};
    Typical_Sd_Wcu().Load(wcu.Simulator());
    Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Port_Number", com_number, 0);
    Fake_Shell shell;
    std::atomic<int> camera_count {1};
    Thread_Polling_WCU polling(shell, 0, &camera_count, false);
    polling.Resume();
    auto flags_polls = [&] {
        auto requests = wcu.Simulator().Requests();
        return std::count(requests.begin(), requests.end(), '#');
    };
    ASSERT_TRUE(Pump_Until([&] { return flags_polls() >= 2; }));

    const fs::path link = Settings_Folder() / "ports" / "COM5";
    fs::remove(link);
    ASSERT_TRUE(Pump_Until([&] { return !shell.Boxes().empty(); }));
    EXPECT_EQ(shell.Boxes().front().Text.rfind("Com5 is not a valid or free serial port", 0), 0u);
    EXPECT_TRUE(Pump_Until([&] { return Stored_Camera_Value("Port_Number") == 0; }));
    EXPECT_EQ(Com_Port_Device(com_number), link) << "the port fell back to the fixed device";

    fs::create_symlink(wcu.Simulator().Line().Device_Path(), link);
    const auto polls_before = flags_polls();
    polling.Set_Port_Number(com_number);
    EXPECT_TRUE(Pump_Until([&] { return flags_polls() >= polls_before + 2; }));
    EXPECT_EQ(shell.Boxes().size(), 1u);
    polling.Stop();
    ASSERT_TRUE(Pump_Until([&] { return polling.Get_Thread_Id() == 0; }));
}

TEST(Link_Toggles, CountsChangesOfEitherFlagAndRatesEachCountIntoThreeSteps)
{
    Thread_Polling_WCU::Link_Toggles toggles;
    // Neither flag moves: everything rates 0.
    toggles.Count(false, false);
    EXPECT_EQ(toggles.Rate_Any(), 0);
    EXPECT_EQ(toggles.Rate_A(), 0);
    EXPECT_EQ(toggles.Rate_B(), 0);

    // A changes three times and B once, together with one of them.
    for (auto [a, b] : {std::pair {true, false}, {false, false}, {true, true}, {true, true}}) {
        toggles.Count(a, b);
    }
    EXPECT_EQ(toggles.Rate_Any(), 2);
    EXPECT_EQ(toggles.Rate_A(), 2);
    EXPECT_EQ(toggles.Rate_B(), 1);
    // Each rating started its count again.
    EXPECT_EQ(toggles.Rate_Any(), 0);
    EXPECT_EQ(toggles.Rate_B(), 0);

    toggles.Count(true, false);
    toggles.Count(false, true);
    EXPECT_EQ(toggles.Rate_Any(), 1);
    EXPECT_EQ(toggles.Rate_A(), 1);
    EXPECT_EQ(toggles.Rate_B(), 1);
}
