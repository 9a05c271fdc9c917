#include "link/Pc_wcu_file_hd.h"

#include "platform/classlib/String_Table.h"
#include "tests/link/files/Saver_Fixture.h"

#include <cctype>
#include <sys/mman.h>

namespace {

class Frame_Recorder : public Saver_Test {
protected:
    void SetUp() override
    {
        auto state = thread.Lock_State();
        state->Type.Wcu_Major = 2;
        state->Type.Wcu_Minor = 2;
        state->Settings.Connected = true;
    }

    // The file without the records' times, each checked ("hh:mm:ss") and
    // cut out; records are walked by their lengths.
    static std::string Without_Times(std::string file)
    {
        const auto digits = [&](std::size_t at) { return std::isdigit(static_cast<unsigned char>(file[at])) != 0; };
        for (std::size_t at = 9; file.compare(at, 5, "FRAME") == 0;) {
            const std::size_t time = at + 13;
            EXPECT_TRUE(digits(time) && digits(time + 1) && file[time + 2] == ':' && digits(time + 3) &&
                        digits(time + 4) && file[time + 5] == ':' && digits(time + 6) && digits(time + 7));
            file.erase(time, 8);
            at = time + 12 + std::stoul(file.substr(time + 6, 6));
        }
        return file;
    }

    std::vector<Fake_Shell::Box> Boxes_Shown() { return shell.Modeless_Boxes(); }

    std::unique_ptr<PC_WCU_File_HD> recorder =
        std::make_unique<PC_WCU_File_HD>(thread, *thread.Lock_State(), memo, dialog, &camera_count);
};

std::string Bytes(int length, int seed)
{
    std::string bytes;
    for (int i = 0; i < length; ++i) {
        bytes += static_cast<char>((i * 7 + seed) & 0xFF);
    }
    return bytes;
}

bool Write(PC_WCU_File_HD& recorder, const std::string& bytes)
{
    return recorder.Write_Frame(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<int>(bytes.size()));
}

TEST_F(Frame_Recorder, TwoFramesMakeHeaderRecordsAndTrailer)
{
    const auto path = In_Folder("take.hdw");
    Write_File(path, "an older recording");
    thread.Record(true, *recorder);
    ASSERT_TRUE(recorder->Is_Recording());
    EXPECT_EQ(dialog.Filter(), "HD wireless file (*.hdw)|*.hdw");
    EXPECT_EQ(dialog.DefaultExt(), "hdw");

    const std::string first = Bytes(300, 1);
    const std::string second = Bytes(2, 0x41);
    EXPECT_TRUE(Write(*recorder, first));
    EXPECT_TRUE(Write(*recorder, "")); // nothing, and no frame number taken
    EXPECT_TRUE(Write(*recorder, second));
    thread.Record(false, *recorder);

    EXPECT_FALSE(recorder->Is_Recording());
    const std::string file = Read_File(path);
    EXPECT_EQ(file.size(), 3u + 6 + 33 + 300 + 33 + 2 + 3 + 8);
    EXPECT_EQ(Without_Times(file), "HDW002002FRAME00000001LENGTH000300" + first + "FRAME00000002LENGTH000002" +
                                       second + "END00000002");
    ASSERT_EQ(Boxes_Shown().size(), 1u);
    EXPECT_EQ(Boxes_Shown()[0].Text, "2" + LoadStr(4023) + path.string());
    EXPECT_EQ(Boxes_Shown()[0].Caption, LoadStr(1000));
    EXPECT_EQ(Boxes_Shown()[0].Flags, MB_ICONINFORMATION);
}

TEST_F(Frame_Recorder, AStopBeforeAnyFrameLeavesAnEmptyFile)
{
    const auto path = In_Folder("empty.hdw");
    camera_count = 2;
    thread.Set_Name(3);
    thread.Record(true, *recorder);
    thread.Record(true, *recorder); // already recording: nothing more
    EXPECT_EQ(dialog.Shown, 1);
    thread.Record(false, *recorder);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(Read_File(path), "");
    ASSERT_EQ(Boxes_Shown().size(), 1u);
    EXPECT_EQ(Boxes_Shown()[0].Text, "Camera 3\n0" + LoadStr(4023) + path.string());
}

TEST_F(Frame_Recorder, AFileThatCannotBeCreatedIsReported)
{
    const auto path = In_Folder("missing/take.hdw");
    EXPECT_FALSE(recorder->Start_Recording());
    EXPECT_FALSE(recorder->Is_Recording());
    ASSERT_EQ(shell.Boxes().size(), 1u);
    EXPECT_EQ(shell.Boxes()[0].Text, LoadStr(2015) + path.string());
    EXPECT_EQ(shell.Boxes()[0].Flags, MB_ICONERROR | MB_OK);
}

TEST_F(Frame_Recorder, AWriteFailureStopsKeepsWhatWasWrittenAndReports)
{
    const auto path = In_Folder("full.hdw");
    ASSERT_TRUE(recorder->Start_Recording());
    {
        File_Size_Limit limit(100);
        EXPECT_FALSE(Write(*recorder, Bytes(300, 5)));
    }
    EXPECT_FALSE(recorder->Is_Recording());
    const std::string file = Read_File(path);
    EXPECT_EQ(file.size(), 100u);
    EXPECT_EQ(file.substr(0, 22), "HDW002002FRAME00000001");
    EXPECT_EQ(file.find("END"), std::string::npos);
    ASSERT_EQ(Boxes_Shown().size(), 1u);
    EXPECT_EQ(Boxes_Shown()[0].Text, LoadStr(2021) + path.string());
    EXPECT_EQ(Boxes_Shown()[0].Flags, MB_ICONERROR);
    EXPECT_FALSE(Write(*recorder, "more")) << "not recording any more";
}

// Bytes that cannot be read make the record's write fail while the file
// itself could still take a trailer: none may follow a broken record.
TEST_F(Frame_Recorder, ARecordThatFailsAloneEndsTheFileWithoutATrailer)
{
    const auto path = In_Folder("broken.hdw");
    ASSERT_TRUE(recorder->Start_Recording());
    const std::string first = Bytes(20, 3);
    ASSERT_TRUE(Write(*recorder, first));
    const long page_size = sysconf(_SC_PAGESIZE);
    void* unreadable = mmap(nullptr, static_cast<std::size_t>(page_size), PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(unreadable, MAP_FAILED);
    EXPECT_FALSE(recorder->Write_Frame(static_cast<const BYTE*>(unreadable), 40));
    munmap(unreadable, static_cast<std::size_t>(page_size));

    EXPECT_FALSE(recorder->Is_Recording());
    const std::string file = Read_File(path);
    EXPECT_EQ(Without_Times(file.substr(0, 3 + 6 + 33 + 20)), "HDW002002FRAME00000001LENGTH000020" + first);
    EXPECT_EQ(file.substr(3 + 6 + 33 + 20), "FRAME00000002" + file.substr(3 + 6 + 33 + 20 + 13, 8) + "LENGTH000040");
    EXPECT_EQ(file.find("END"), std::string::npos);
    ASSERT_EQ(Boxes_Shown().size(), 1u);
    EXPECT_EQ(Boxes_Shown()[0].Text, LoadStr(2021) + path.string());
}

// A trailer that does not fit is a failed recording, not a finished one.
TEST_F(Frame_Recorder, ATrailerThatCannotBeWrittenIsReportedInsteadOfTheCount)
{
    const auto path = In_Folder("no_end.hdw");
    ASSERT_TRUE(recorder->Start_Recording());
    ASSERT_TRUE(Write(*recorder, Bytes(10, 0)));
    {
        File_Size_Limit limit(3 + 6 + 33 + 10 + 5);
        thread.Record(false, *recorder);
    }
    EXPECT_FALSE(recorder->Is_Recording());
    EXPECT_EQ(Read_File(path).size(), 3u + 6 + 33 + 10 + 5);
    ASSERT_EQ(Boxes_Shown().size(), 1u);
    EXPECT_EQ(Boxes_Shown()[0].Text, LoadStr(2021) + path.string());
    EXPECT_EQ(Boxes_Shown()[0].Flags, MB_ICONERROR);
}

TEST_F(Frame_Recorder, ALostConnectionStopsWithTheMessage)
{
    In_Folder("lost.hdw");
    ASSERT_TRUE(recorder->Start_Recording());
    thread.Lock_State()->Settings.Connected = false;
    recorder->Record_Frame();
    EXPECT_FALSE(recorder->Is_Recording());
    ASSERT_EQ(Boxes_Shown().size(), 1u);
    EXPECT_EQ(Boxes_Shown()[0].Text.substr(0, 1), "0");
}

// The end of the session stops the recording as the window's close does:
// the trailer is written and no box is shown.
TEST_F(Frame_Recorder, TheSessionEndClosesTheFileWithItsTrailer)
{
    const auto path = In_Folder("session.hdw");
    ASSERT_TRUE(recorder->Start_Recording());
    ASSERT_TRUE(Write(*recorder, Bytes(10, 0)));
    shell.Set_Busy(true);
    recorder->Stop_Recording(true);
    EXPECT_EQ(Read_File(path).substr(3 + 6 + 33 + 10), "END00000001");
    EXPECT_TRUE(Boxes_Shown().empty());
}

TEST_F(Frame_Recorder, NothingOnceTheThreadStops)
{
    In_Folder("late.hdw");
    thread.Stop();
    thread.Record(true, *recorder);
    EXPECT_EQ(dialog.Shown, 0);
    EXPECT_FALSE(recorder->Is_Recording());
}

} // namespace
