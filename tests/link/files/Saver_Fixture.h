#pragma once
// What the savers' tests share: a camera's thread (not running) with the
// shell it reports to, a memo and a save dialog the test answers, files in
// a temporary folder, and a cap on file sizes that makes writes fail.

#include "link/Thread_polling_wcu.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "tests/link/thread/Fake_Shell.h"
#include "tests/support/File_Size_Limit.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

// A save dialog the test answers: the user picks File_Name, or cancels.
class Answered_Save_Dialog : public TSaveDialog {
public:
    Answered_Save_Dialog() : TSaveDialog(nullptr) {}

    bool Execute() override
    {
        ++Shown;
        Asks_Before_Replacing = Options().Contains(ofOverwritePrompt);
        if (Accept) {
            SetFileName(Answer);
        }
        return Accept;
    }

    std::string Answer;
    bool Accept = true;
    int Shown = 0;
    // As last shown: the user is asked before an existing file is replaced.
    bool Asks_Before_Replacing = false;
};

inline std::string Read_File(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void Write_File(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class Saver_Test : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::string reason;
        ASSERT_TRUE(Load_Ordexia_Library(reason)) << reason;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path In_Folder(const std::string& name)
    {
        dialog.Answer = (folder / name).string();
        return folder / name;
    }

    Temp_Settings settings;
    std::filesystem::path folder = Make_Temp_Folder("link_files");
    Fake_Shell shell;
    std::atomic<int> camera_count {1};
    Thread_Polling_WCU thread {shell, 0, &camera_count, false};
    TMemo memo {nullptr};
    Answered_Save_Dialog dialog;
};
