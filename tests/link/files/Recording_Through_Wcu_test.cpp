#include "link/Pc_wcu_file_hd.h"

#include "tests/link/files/Saver_Fixture.h"
#include "tests/support/Simulated_Wcu.h"
#include "tools/Hd_Wcu.h"

#include <chrono>
#include <functional>
#include <map>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Runs the polling thread's synchronised calls, as the user-interface
// thread's loop does, until the condition holds (false after a generous
// limit).
bool Pump_Until(const std::function<bool()>& condition)
{
    const auto limit = std::chrono::steady_clock::now() + 30s;
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

// The HD window as the recorder sees it: every refresh records first, and
// the test notes each answer a refresh could see.
class Recording_Shell : public Fake_Shell {
public:
    void Update_Camera_State(const St_System& state) override
    {
        Fake_Shell::Update_Camera_State(state);
        if (recorder == nullptr || !recorder->Is_Recording()) {
            return;
        }
        recorder->Record_Frame();
        const unsigned number = thread->Get_Frame_Number();
        if (number != start_number && answers.count(number) == 0) {
            answers[number] = std::string(reinterpret_cast<const char*>(thread->Get_Frame()),
                                          static_cast<std::size_t>(thread->Get_Frame_Length()));
        }
    }

    Thread_Polling_WCU* thread = nullptr;
    PC_WCU_File_HD* recorder = nullptr;
    unsigned start_number = 0;
    std::map<unsigned, std::string> answers;
};

// The answers in a recording, in order, read record by record.
std::vector<std::string> Recorded_Answers(const std::string& file)
{
    std::vector<std::string> answers;
    std::size_t at = 9; // "HDW" and the type
    while (file.compare(at, 5, "FRAME") == 0) {
        const std::size_t length = std::stoul(file.substr(at + 27, 6));
        answers.push_back(file.substr(at + 33, length));
        at += 33 + length;
    }
    EXPECT_EQ(file.substr(at, 3), "END");
    return answers;
}

TEST(Recording_Through_Wcu, EachPollAnswerIsRecordedOnce)
{
    std::string reason;
    ASSERT_TRUE(Load_Ordexia_Library(reason)) << reason;
    Simulated_Wcu wcu {3, Wcu_Line::In_Process};
    Typical_Hd_Wcu().Load(wcu.Simulator());
    Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Port_Number", wcu.Com_Number(), 0);
    const std::filesystem::path folder = Make_Temp_Folder("recording");
    Recording_Shell shell;
    std::atomic<int> camera_count {1};
    Thread_Polling_WCU thread(shell, 0, &camera_count, false);
    TMemo memo(nullptr);
    Answered_Save_Dialog dialog;
    dialog.Answer = (folder / "polls.hdw").string();
    PC_WCU_File_HD recorder(thread, *thread.Lock_State(), memo, dialog, &camera_count);
    shell.thread = &thread;
    shell.recorder = &recorder;

    thread.Resume();
    ASSERT_TRUE(Pump_Until([&] { return thread.Get_Frame_Number() >= 2; }));
    shell.start_number = thread.Get_Frame_Number();
    thread.Record(true, recorder);
    ASSERT_TRUE(recorder.Is_Recording());
    // Refreshes that bring no new answer: forced ones and a setter's.
    for (int poll = 0; poll < 4; ++poll) {
        const unsigned number = thread.Get_Frame_Number();
        ASSERT_TRUE(Pump_Until([&] { return thread.Get_Frame_Number() > number; }));
        thread.Update_Display();
        thread.Set_Alarm_Battery_Level(poll);
        thread.Update_Display();
    }
    ASSERT_TRUE(Pump_Until([&] { return shell.answers.size() >= 4; }));
    thread.Record(false, recorder);
    thread.Stop();

    std::vector<std::string> expected;
    for (const auto& [number, answer] : shell.answers) {
        expected.push_back(answer);
    }
    const std::vector<std::string> recorded = Recorded_Answers(Read_File(folder / "polls.hdw"));
    ASSERT_EQ(recorded.size(), expected.size());
    EXPECT_TRUE(recorded == expected) << "the recorded bytes differ from the answers";
    std::filesystem::remove_all(folder);
}

} // namespace
