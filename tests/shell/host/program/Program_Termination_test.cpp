// A termination signal while an HD camera records into a file: SIGTERM,
// SIGINT or SIGHUP (the terminal the program was started from closed)
// closes the program as its user would, and the recording ends with its
// trailer, also when the signal comes while the program waits in a modal
// box (the camera's line hung up, so that its polling thread shows the port
// error box).

#include "tests/shell/host/program/Program_Desktop.h"
#include "tests/shell/host/program/Program_Input.h"
#include "tests/support/File_Text.h"

#include <signal.h>

#include <optional>
#include <string>

// A namespace of its own: a unity build compiles this file with others.
namespace program_termination {

namespace fs = std::filesystem;

bool Digits(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// A recording read record by record: its complete frames, and whether the
// file ends just after a trailer that counts them.
struct Recording {
    int Frames = 0;
    bool Ends_With_Trailer = false;
};

Recording Read_Recording(const std::string& file)
{
    constexpr std::size_t Header = 9;        // "HDW" and the six-digit WCU type
    constexpr std::size_t Record_Head = 33;  // "FRAME", number, time, "LENGTH", length
    constexpr std::size_t Trailer = 11;      // "END" and the eight-digit frame count
    Recording recording;
    if (file.compare(0, 3, "HDW") != 0 || file.size() < Header)
        return recording;
    std::size_t at = Header;
    while (file.size() >= at + Record_Head && file.compare(at, 5, "FRAME") == 0 &&
           Digits(file.substr(at + 27, 6))) {
        const std::size_t length = std::stoul(file.substr(at + 27, 6));
        if (file.size() < at + Record_Head + length)
            break; // a record still being written
        ++recording.Frames;
        at += Record_Head + length;
    }
    recording.Ends_With_Trailer = file.size() == at + Trailer && file.compare(at, 3, "END") == 0 &&
        Digits(file.substr(at + 3, 8)) && std::stoi(file.substr(at + 3, 8)) == recording.Frames;
    return recording;
}

class Program_Recording : public Program_Desktop {
protected:
    ~Program_Recording() override { fs::remove_all(folder); }

    // One HD camera, its page showing it polled; the save dialog opens in
    // the documents folder made here.
    void Start_On_Hd_Camera()
    {
        Use_Cameras(1);
        Hd_Camera(100).Load(Wcu());
        fs::create_directory(documents);
        Start();
        const Rectangle_On_Screen vqos = Layout_Of("TForm_Main_HD").at("ProgressVQOS");
        ASSERT_TRUE(Screen_Shows("termination_hd_page", [&](const QImage& image) {
            return Count_Pixels(image, vqos, Coloured) > 10;
        })) << "the HD page shows the polled camera, so that it can record";
    }

    unsigned long Wait_For_Other_Window()
    {
        unsigned long found = 0;
        Wait_Until(
            [&] {
                found = Program_Window([](const auto& window) { return !Is_Main_Window(window); });
                return found != 0;
            },
            Program_Generous_Limit);
        return found;
    }
    bool Only_Main_Window()
    {
        return Wait_Until([&] { return Program_Window([](const auto& window) { return !Is_Main_Window(window); }) == 0; },
                          Program_Generous_Limit);
    }

    // Ctrl+R on the HD page, and the file's name typed into the save dialog.
    void Start_Recording(const std::string& name)
    {
        ASSERT_TRUE(Press_Key(Main_Window(), "r", {"Control_L"}));
        const unsigned long dialog = Wait_For_Other_Window();
        ASSERT_NE(dialog, 0u) << "Ctrl+R opens the save dialog";
        for (const char letter : name)
            ASSERT_TRUE(Press_Key(dialog, std::string(1, letter)));
        ASSERT_TRUE(Press_Key(dialog, "Return"));
        ASSERT_TRUE(Only_Main_Window()) << "Return accepts the dialog";
    }

    // The program on one HD camera, recording into `file`, two frames in.
    void Record_On_Hd_Camera()
    {
        ASSERT_NO_FATAL_FAILURE(Start_On_Hd_Camera());
        ASSERT_NO_FATAL_FAILURE(Start_Recording("rec"));
        ASSERT_TRUE(Wait_Until([&] { return Read_Recording(File_Text(file)).Frames >= 2; }, Program_Generous_Limit))
            << "the recording runs: " << file;
    }

    fs::path folder = Make_Temp_Folder("termination");
    // The save dialog opens in the user's documents folder.
    Environment_Setting home{"HOME", folder.string()};
    fs::path documents = folder / "Documents";
    fs::path file = documents / "rec.hdw";
};

class Program_Termination : public Program_Recording, public ::testing::WithParamInterface<int> {};

TEST_F(Program_Recording, AHangUpDuringARecordingClosesTheProgramAndEndsTheRecordingWithItsTrailer)
{
    ASSERT_NO_FATAL_FAILURE(Record_On_Hd_Camera());

    program->Signal(SIGHUP);
    EXPECT_EQ(program->Wait_Exit(Program_Generous_Limit), std::optional<int>(0))
        << "the hang-up closes the program as its user would";
    const Recording recording = Read_Recording(File_Text(file));
    EXPECT_GE(recording.Frames, 2);
    EXPECT_TRUE(recording.Ends_With_Trailer) << "the recording of " << recording.Frames << " frames ends with its trailer";
}

TEST_P(Program_Termination, ASignalWithThePortErrorBoxOpenEndsTheRecordingWithItsTrailer)
{
    ASSERT_NO_FATAL_FAILURE(Record_On_Hd_Camera());

    // The line drops; the port is gone when the polling thread reopens it.
    Wcu().Queue_Fault(Wcu_Simulator::Hd_Poll_Request, Wcu_Fault::Hang_Up);
    const unsigned long box = Wait_For_Other_Window();
    ASSERT_NE(box, 0u) << "the port error box shows";
    Save_Artefact(Grab_Window(box), "termination_port_error_box");
    ASSERT_FALSE(Read_Recording(File_Text(file)).Ends_With_Trailer)
        << "the recording still runs behind the box: its thread waits for the box";

    program->Signal(GetParam());
    EXPECT_EQ(program->Wait_Exit(Program_Generous_Limit), std::optional<int>(0))
        << "the signal ends the box and closes the program as its user would";
    const Recording recording = Read_Recording(File_Text(file));
    EXPECT_GE(recording.Frames, 2);
    EXPECT_TRUE(recording.Ends_With_Trailer) << "the recording of " << recording.Frames << " frames ends with its trailer";
}

INSTANTIATE_TEST_SUITE_P(Signals, Program_Termination, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& signal) {
                             return std::string(signal.param == SIGTERM  ? "Sigterm"
                                                : signal.param == SIGINT ? "Sigint"
                                                                         : "Sighup");
                         });

} // namespace program_termination
