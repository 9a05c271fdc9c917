#include "link/Pc_wcu_file_hd.h"
#include "link/Pc_wcu_file_sd.h"

#include "platform/classlib/String_Table.h"
#include "tests/link/files/Saver_Fixture.h"

#include <functional>

namespace {

class Status_Log_Saver : public Saver_Test {
protected:
    void Save()
    {
        PC_WCU_File_SD saver(thread, *thread.Lock_State(), memo, dialog);
        saver.Save_Memo();
    }
};

TEST_F(Status_Log_Saver, WritesTheLinesWithCrLfOverAnOldFile)
{
    const auto path = In_Folder("status.txt");
    Write_File(path, "an older and much longer log\r\n\r\n\r\n");
    memo.Lines()->Add("------- 09:05:07 -------");
    memo.Lines()->Add("AMU1 connected");
    Save();
    EXPECT_EQ(Read_File(path), "------- 09:05:07 -------\r\nAMU1 connected\r\n");
    EXPECT_EQ(dialog.Filter(), "Text file (*.txt)|*.txt");
    EXPECT_EQ(dialog.DefaultExt(), "txt");
    EXPECT_TRUE(shell.Boxes().empty());
}

TEST_F(Status_Log_Saver, AFailedSaveKeepsTheOldFileAndReportsIt)
{
    const auto path = In_Folder("status.txt");
    Write_File(path, "old\r\n");
    camera_count = 2;
    thread.Set_Name(7);
    memo.Lines()->Add(std::string(4096, 'x'));
    {
        File_Size_Limit limit(1024);
        Save();
    }
    EXPECT_EQ(Read_File(path), "old\r\n");
    ASSERT_EQ(shell.Boxes().size(), 1u);
    EXPECT_EQ(shell.Boxes()[0].Text, "Camera 7\n" + LoadStr(2015) + path.string());
    EXPECT_EQ(shell.Boxes()[0].Caption, LoadStr(1000));
    EXPECT_EQ(shell.Boxes()[0].Flags, MB_ICONERROR | MB_OK);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "no new file left behind";
}

// Nothing is written when the memo is empty, the shell is busy or the user
// cancels; the dialog opens in the last case only.
TEST_F(Status_Log_Saver, SavesNothingWithoutTextOrAnswer)
{
    const struct {
        const char* name;
        bool text;
        bool busy;
        bool accept;
        int shown;
        int pending_posts;
    } cases[] = {
        {"empty memo", false, false, true, 0, 0},
        {"busy shell", true, true, true, 0, 1},
        {"cancelled", true, false, false, 1, 1},
    };
    const auto path = In_Folder("status.txt");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        memo.Clear();
        if (c.text) {
            memo.Lines()->Add("line");
        }
        shell.Set_Busy(c.busy);
        dialog.Accept = c.accept;
        const int shown = dialog.Shown;
        const int posts = shell.Pending_Posts();
        Save();
        EXPECT_EQ(dialog.Shown - shown, c.shown);
        EXPECT_EQ(shell.Pending_Posts() - posts, c.pending_posts);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

// Each of them replaces the chosen file: its dialog asks first, whatever
// options the window's dialog came with.
TEST_F(Status_Log_Saver, EverySaveDialogAsksBeforeReplacingAFile)
{
    memo.Lines()->Add("line");
    PC_WCU_File_SD sd_saver(thread, *thread.Lock_State(), memo, dialog);
    PC_WCU_File_HD hd_saver(thread, *thread.Lock_State(), memo, dialog, &camera_count);
    const struct {
        const char* name;
        std::function<void()> ask;
    } cases[] = {
        {"SD status log", [&] { sd_saver.Save_Memo(); }},
        {"HD status log", [&] { hd_saver.Save_Memo(); }},
        {"HD recording", [&] { hd_saver.Start_Recording(); }},
    };
    dialog.Accept = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialog.SetOptions(TOpenOptions{ofHideReadOnly, ofEnableSizing});
        dialog.Asks_Before_Replacing = false;
        c.ask();
        EXPECT_TRUE(dialog.Asks_Before_Replacing);
    }
}

} // namespace
