#include "platform/winapi/Shell.h"

#include "platform/winapi/Kernel.h"
#include "platform/winapi/System_Info.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Recorded_Opener {
    std::vector<std::string> Targets;
    bool Opens = true;
    Recorded_Opener()
    {
        Set_Shell_Opener([this](const std::string& target) {
            Targets.push_back(target);
            return Opens;
        });
    }
    ~Recorded_Opener() { Set_Shell_Opener(nullptr); }
};

} // namespace

TEST(Shell, OpeningAnswersAboveThirtyTwoOnSuccessAndAFailureCodeOtherwise)
{
    Recorded_Opener opener;
    EXPECT_GT(Shell_Result(ShellExecuteA(nullptr, nullptr, "mailto:a@b.c", nullptr, nullptr, 1)), 32);
    EXPECT_GT(Shell_Result(ShellExecuteA(nullptr, "open", "https://example.com/", nullptr, nullptr, 1)), 32);
    EXPECT_EQ(opener.Targets, (std::vector<std::string>{"mailto:a@b.c", "https://example.com/"}));

    opener.Opens = false;
    EXPECT_EQ(Shell_Result(ShellExecuteA(nullptr, nullptr, "https://example.com/", nullptr, nullptr, 1)),
              SE_ERR_NOASSOC);
    EXPECT_EQ(Shell_Result(ShellExecuteA(nullptr, nullptr, "", nullptr, nullptr, 1)), SE_ERR_FNF);
    EXPECT_EQ(Shell_Result(ShellExecuteA(nullptr, nullptr, nullptr, nullptr, nullptr, 1)), SE_ERR_FNF);
    EXPECT_EQ(Shell_Result(ShellExecuteA(nullptr, "print", "file.txt", nullptr, nullptr, 1)), SE_ERR_NOASSOC);
    EXPECT_EQ(opener.Targets.size(), 3U) << "neither an empty target nor an unknown verb reaches the opener";
}

TEST(Shell, AMissingLocalFileIsNotOpened)
{
    EXPECT_LE(Shell_Result(ShellExecuteA(nullptr, nullptr, "/nonexistent/ordexia/file.txt", nullptr, nullptr, 1)),
              32);
}

TEST(Shell, AFailureTellsItsReasonAsTheLastError)
{
    Recorded_Opener opener;
    opener.Opens = false;
    const struct {
        const char* verb;
        const char* target;
        int result;
        DWORD error;
    } table[] = {
        {nullptr, "", SE_ERR_FNF, ERROR_FILE_NOT_FOUND},
        {"print", "file.txt", SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION},
        {nullptr, "/nonexistent/ordexia/file.txt", SE_ERR_FNF, ERROR_FILE_NOT_FOUND},
        {nullptr, "/proc/self/exe/inside", SE_ERR_PNF, ERROR_PATH_NOT_FOUND},
        {nullptr, "/proc/self/exe", SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION},
        {"open", "https://example.com/", SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION},
    };
    for (const auto& row : table) {
        SetLastError(0);
        EXPECT_EQ(Shell_Result(ShellExecuteA(nullptr, row.verb, row.target, nullptr, nullptr, 1)), row.result)
            << row.target;
        EXPECT_EQ(GetLastError(), row.error) << row.target;
    }
}
