#include "shell/services/Hh_funcs.h"

#include "shell/services/Hh.h"
#include "tests/shell/services/Help_Test_Support.h"
#include "tests/support/Temp_Settings.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/Version.h"
#include "platform/htmlhelp/Help_Window.h"
#include "platform/winapi/Kernel.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string Shown_Title()
{
    return Help_Window::Browser() ? Help_Window::Browser()->documentTitle().toStdString() : std::string();
}

class Help_Object_Test : public testing::Test {
protected:
    void TearDown() override
    {
        HHCloseAll();
        QApplication::processEvents();
    }
    Temporary_Help_Log log;
};

} // namespace

TEST(Help_Loader, TheBuiltInLibraryIsLoadedAtStartAndCountsAsInstalled)
{
    EXPECT_NE(HHCtrlHandle, nullptr);
    EXPECT_TRUE(HtmlHelpA);
    EXPECT_TRUE(HtmlHelpW);
    EXPECT_EQ(HtmlHelp.Address(), HtmlHelpA.Address());
    EXPECT_TRUE(_hhInstalled);
    EXPECT_EQ(GetPathToHHCtrlOCX(), "\\hhctrl.ocx");
    EXPECT_EQ(_hhVerStr, "5.2.3790.0");
    EXPECT_EQ(_hhFriendlyVerStr, "> 1.4a");
    EXPECT_FALSE(_ieInstalled);
    EXPECT_EQ(_ieFriendlyVerStr, "");
}

TEST(Help_Loader, ASystemRootPrefixInAnyCaseBecomesTheWindowsFolder)
{
    EXPECT_EQ(Expand_System_Root("%systemroot%\\System32\\hhctrl.ocx"), GetWinDir() + "\\System32\\hhctrl.ocx");
    EXPECT_EQ(Expand_System_Root("%SystemRoot%"), GetWinDir());
    EXPECT_EQ(Expand_System_Root("C:\\%SystemRoot%\\hhctrl.ocx"), "C:\\%SystemRoot%\\hhctrl.ocx");
    EXPECT_EQ(Expand_System_Root("%System"), "%System");
}

TEST(Help_Loader, UnloadingClearsTheEntryPointsAndCallsThroughThemShowNothing)
{
    UnloadHtmlHelp();
    EXPECT_EQ(HHCtrlHandle, nullptr);
    EXPECT_FALSE(HtmlHelp);
    EXPECT_EQ(HtmlHelp(nullptr, SD_Help_File().c_str(), HH_HELP_CONTEXT, 1000), nullptr);
    EXPECT_EQ(HHContext(SD_Help_File(), 1000, htHHAPI), HH_ERR_HHNotInstalled) << "a missing entry point";
    HHCloseAll();
    LoadHtmlHelp();
    EXPECT_NE(HHCtrlHandle, nullptr);
    EXPECT_TRUE(HtmlHelp);
}

TEST(Help_Loader, InitializeCookiesGoThroughTheEntryPoint)
{
    DWORD cookie = 0;
    HtmlHelp(0, nullptr, HH_INITIALIZE, &cookie);
    EXPECT_NE(cookie, 0u);
    EXPECT_TRUE(hhctrl::Cookie_In_Use(cookie));
    HtmlHelp(0, nullptr, HH_UNINITIALIZE, cookie);
    EXPECT_FALSE(hhctrl::Cookie_In_Use(cookie));
}

TEST_F(Help_Object_Test, HelpContextShowsTheTopicAndLogsEachStep)
{
    auto* help = new THookHelpSystem(SD_Help_File(), "", htHHAPI);
    EXPECT_EQ(help->HelpContext(1002), HH_ERR_AllOK);
    EXPECT_EQ(Shown_Title(), "The WCU block");
    delete help;
    EXPECT_EQ(Help_Window::Handle(), nullptr) << "destroying the help object closes the help window";

    const std::string file = SD_Help_File();
    const std::vector<std::string> expected = {
        "THookHelpSystem.Create(\"" + file + "\",\"\", 0)",
        "HHHelpContext(\"" + file + "\", 1002, \"\", 0)",
        "ShowContext(\"" + file + "\", 1002)",
        "  returned - 0",
        "THookHelpSystem.Destroy",
    };
    EXPECT_EQ(log.Lines(), expected);
}

TEST_F(Help_Object_Test, ATopicThatCannotBeShownIsAFailure)
{
    const struct {
        std::string file;
        unsigned context;
    } table[] = {{SD_Help_File(), 1005}, {SD_Help_File(), 0}, {"/nonexistent/help.chm", 1000}};
    for (const auto& row : table) {
        THookHelpSystem help(row.file, "", htHHAPI);
        EXPECT_EQ(help.HelpContext(row.context), HH_ERR_TopicNotShown) << row.file << " " << row.context;
    }
    const auto lines = log.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "  returned - 4"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "HHShowError(4), \"Unknown error returned by HHHelpContext\""),
              lines.end());
    EXPECT_EQ(Help_Window::Handle(), nullptr);
}

// The owner hears of a help file that cannot be read at all, with the
// reason (0 for a damaged file); a context the file lacks is no such fault.
TEST_F(Help_Object_Test, AHelpFileThatCannotBeReadIsReportedToItsOwnerWithTheReason)
{
    QTemporaryDir folder;
    const std::string damaged = folder.filePath("damaged.chm").toStdString();
    std::ofstream(damaged, std::ios::binary) << "ITSF" << std::string(200, '\x7f');
    const std::string unreadable = folder.filePath("unreadable.chm").toStdString();
    std::filesystem::copy_file(SD_Help_File(), unreadable);
    std::filesystem::permissions(unreadable, std::filesystem::perms::none);
    struct Row {
        std::string file;
        unsigned context;
        std::optional<int> reported;
    };
    std::vector<Row> table = {
        {damaged, 1000, 0},
        {folder.path().toStdString(), 1000, EISDIR},
        {"/nonexistent/help.chm", 1000, ENOENT},
        {SD_Help_File(), 1005, std::nullopt},
    };
    if (access(unreadable.c_str(), R_OK) != 0) // root reads it all the same
        table.push_back({unreadable, 1000, EACCES});
    for (const Row& row : table) {
        std::optional<int> reported;
        THookHelpSystem help(row.file, "", htHHAPI);
        help.Set_Unreadable_File_Report([&](const std::string& file, int error) {
            EXPECT_EQ(file, row.file);
            reported = error;
        });
        EXPECT_EQ(help.HelpContext(row.context), HH_ERR_TopicNotShown) << row.file;
        EXPECT_EQ(reported, row.reported) << row.file;
    }
}

TEST_F(Help_Object_Test, HelpHookDispatchesByCommand)
{
    THookHelpSystem help(HD_Help_File(), "", htHHAPI);
    const struct {
        WORD command;
        int data;
        bool call_help;
        const char* logged;
    } table[] = {
        {HELP_CONTEXT, 1005, false, "THookHelpSystem.HelpHook(HELP_CONTEXT (1), 1005)"},
        {HELP_CONTEXTPOPUP, 1006, false, "THookHelpSystem.HelpHook(HELP_CONTEXTPOPUP (8), 1006)"},
        {HELP_SETPOPUP_POS, (20 << 16) | 0xFFF6, false, "THookHelpSystem.HelpHook(HELP_SETPOPUP_POS (13), 1376246)"},
        {HELP_QUIT, 0, true, "THookHelpSystem.HelpHook(HELP_QUIT (2), 0)"},
        {HELP_CONTENTS, 0, true, "THookHelpSystem.HelpHook(HELP_INDEX or HELP_CONTENTS (3), 0)"},
        {HELP_SETCONTENTS, 0, true, "THookHelpSystem.HelpHook(HELP_SETINDEX or HELP_SETCONTENTS (5), 0)"},
        {HELP_KEY, 7, true, "THookHelpSystem.HelpHook(HELP_KEY (257), 7)"},
        {HELP_SETWINPOS, 0, true, "THookHelpSystem.HelpHook(HELP_SETWINPOS (515), 0)"},
        {999, 0, true, "THookHelpSystem.HelpHook(?? (999), 0)"},
    };
    for (const auto& row : table) {
        bool call_help = !row.call_help;
        EXPECT_TRUE(help.HelpHook(row.command, row.data, call_help));
        EXPECT_EQ(call_help, row.call_help) << row.command;
        const auto lines = log.Lines();
        EXPECT_NE(std::find(lines.begin(), lines.end(), row.logged), lines.end()) << row.logged;
        if (row.command == HELP_CONTEXT) {
            EXPECT_EQ(Shown_Title(), "The camera adapter (WCA)");
        }
        if (row.command == HELP_CONTEXTPOPUP) {
            EXPECT_EQ(Shown_Title(), "The spectrum window");
        }
    }
    EXPECT_EQ(help.PopupPos().x, -10);
    EXPECT_EQ(help.PopupPos().y, 20);
}

TEST_F(Help_Object_Test, TheHelpObjectHoldsTheApplicationHelpEventWhileItLives)
{
    bool earlier_called = false;
    Application->OnHelp = [&](WORD, std::intptr_t, bool&) { return earlier_called = true; };
    {
        THookHelpSystem help(SD_Help_File(), "", htHHAPI);
        EXPECT_TRUE(Application->HelpContext(1010));
        EXPECT_EQ(Shown_Title(), "Several cameras");
        EXPECT_FALSE(earlier_called) << "the saved handler is not chained";
    }
    Application->HelpContext(1010);
    EXPECT_TRUE(earlier_called);
    Application->OnHelp = nullptr;
}

TEST(Help_Functions, ExternalViewersAreMissingOnLinux)
{
    Temporary_Help_Log log;
    EXPECT_EQ(HHContext("help.chm", 1000, htKeyHHexe), HH_ERR_KeyHHexeNotFound);
    EXPECT_EQ(HHContext("help.chm", 1000, htHHexe), HH_ERR_HHexeNotFound);
    EXPECT_EQ(HHTopic("help.chm", htKeyHHexe), HH_ERR_KeyHHexeNotFound);
    EXPECT_EQ(HHTopic("help.chm", htHHexe), HH_ERR_HHexeNotFound);
}

TEST(Help_Functions, TopicVariantsShowTopicsByName)
{
    Temporary_Help_Log log;
    THookHelpSystem help(HD_Help_File(), "", htHHAPI);
    EXPECT_EQ(help.HelpTopic("spectrum.htm"), HH_ERR_AllOK);
    EXPECT_EQ(Shown_Title(), "The spectrum window");
    EXPECT_EQ(help.HelpTopic2(SD_Help_File(), "\\keys.htm", ""), HH_ERR_AllOK);
    EXPECT_EQ(Shown_Title(), "Keys and mouse");
    EXPECT_EQ(help.HelpTopic3(HD_Help_File() + "::/wca.htm"), HH_ERR_AllOK);
    EXPECT_EQ(Shown_Title(), "The camera adapter (WCA)");
    EXPECT_EQ(help.HelpTopic("nothing.htm"), HH_ERR_TopicNotShown);
    const auto lines = log.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "HHHelpContext(\"" + HD_Help_File() + "\", spectrum.htm, \"\", 0)"),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "ShowTopic(\"" + HD_Help_File() + "::/spectrum.htm\", 0)"),
              lines.end());
}

TEST(Help_Functions, HHFormatBuildsHelpPaths)
{
    const struct {
        const char* chm;
        const char* topic;
        const char* window;
        TPrefixType prefix;
        const char* path;
    } table[] = {
        {"help.chm", "", "", ptNone, "help.chm"},
        {"help.chm", "wcu.htm", "", ptNone, "help.chm::/wcu.htm"},
        {" my%20help.chm ", "\\sub\\a.htm", " main ", ptIE4, "ms-its:my help.chm::/sub/a.htm>main"},
        {"h.chm", "", "win", ptIE3, "mk:@MSITStore:h.chm>win"},
        {"", "/a.htm", "", ptNone, "/a.htm"},
        {"", "", "", ptIE4, "ms-its:"},
    };
    for (const auto& row : table)
        EXPECT_EQ(HHFormat(row.chm, row.topic, row.window, row.prefix), row.path) << row.path;
}

TEST(Help_Functions, HHSplitCmdStrUndoesHHFormat)
{
    const struct {
        const char* command;
        const char* file;
        const char* topic;
        const char* window;
    } table[] = {
        {"help.chm", "help.chm", "", ""},
        {"MS-ITS:c:\\dir\\help.chm::/a.htm>main", "c:\\dir\\help.chm", "/a.htm", "main"},
        {"mk:@MSITStore:my%20help.chm::\\sub\\b.htm", "my help.chm", "/sub/b.htm", ""},
        {" help.chm > win ", "help.chm", "", "win"},
    };
    for (const auto& row : table) {
        std::string file = "x", topic = "x", window = "x";
        HHSplitCmdStr(row.command, file, topic, window);
        EXPECT_EQ(file, row.file) << row.command;
        EXPECT_EQ(topic, row.topic) << row.command;
        EXPECT_EQ(window, row.window) << row.command;
    }
    std::string file, topic, window;
    HHSlitCmdStr(HHFormat("/opt/help.chm", "wcu.htm", "main", ptIE4), file, topic, window);
    EXPECT_EQ(file, "/opt/help.chm");
    EXPECT_EQ(topic, "/wcu.htm");
    EXPECT_EQ(window, "main");
}

TEST(Help_Functions, ErrorTextsByCode)
{
    const struct {
        int code;
        const char* text;
    } table[] = {{1, "MS Html Help is not installed on this PC."},
                 {2, "System file KeyHH.EXE was not found in the Windows folder."},
                 {3, "System file HH.EXE was not found in the Windows folder."},
                 {4, "Unknown error returned by HHHelpContext"},
                 {-1, "Unknown error returned by HHHelpContext"}};
    for (const auto& row : table)
        EXPECT_EQ(HHErrorText(row.code), row.text);
    Temporary_Help_Log log;
    HHShowError(0);
    HHShowError(1);
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"HHShowError(1), \"MS Html Help is not installed on this PC.\""});
}

TEST(Help_Utilities, Strings)
{
    std::string text = "a%20b%20c";
    EXPECT_EQ(StrRepCA(text, "%20", " "), 2);
    EXPECT_EQ(text, "a b c");
    text = "aXa";
    EXPECT_EQ(StrRepIA(text, "a", "aa"), 2) << "a replacement holding the part ends";
    EXPECT_EQ(text, "aaXaa");
    text = "Help.CHM";
    EXPECT_EQ(StrRepI(text, "chm", "htm"), 6);
    EXPECT_EQ(text, "Help.htm");
    EXPECT_EQ(StrRepC(text, "HTM", "x"), 0);
    EXPECT_EQ(StrPosC("abcabc", "ca"), 3);
    EXPECT_EQ(StrPosI("abcABC", "CA"), 3);
    EXPECT_EQ(StrPosC("abc", "d"), 0);
    text = "dir\\\\\\";
    StripR(text, '\\');
    EXPECT_EQ(text, "dir");
    text = "  x  ";
    StripLR(text, ' ');
    EXPECT_EQ(text, "x");
    text = "////";
    StripL(text, '/');
    EXPECT_EQ(text, "");
    EXPECT_EQ(DosToUnix("a\\b\\c"), "a/b/c");
    EXPECT_EQ(UnixToDos("a/b"), "a\\b");
    EXPECT_EQ(MkStr('-', 3), "---");
    EXPECT_EQ(MkStr('-', -1), "");
    EXPECT_EQ(BoolToYN(true), "YES");
    EXPECT_EQ(BoolToYN(false), "NO");
}

TEST(Help_Utilities, LastErrorTexts)
{
    const struct {
        DWORD code;
        const char* text;
    } table[] = {{2, "[Error:2] File Not Found"},         {3, "[Error:3] Path Not Found"},
                 {5, "[Error:5] Access Denied"},          {8, "[Error:8] Insufficient Memory"},
                 {19, "[Error:19] Media Is Write Protected"}, {21, "[Error:21] Device Not Ready"},
                 {33, "[Error:33] File In Use"},           {112, "[Error:112] Disk Full"},
                 {1150, "[Error:1150] Windows Version Incorrect"},
                 {1151, "[Error:1151] Not A Windows Or MSDos Program"},
                 {1393, "[Error:1393] Corrupt File Or Disk"}, {1358, "[Error:1358] Corrupt Registry"},
                 {0, "[Error:0] General Failure"},         {87, "[Error:87] General Failure"}};
    for (const auto& row : table) {
        SetLastError(row.code);
        EXPECT_EQ(GetLastErrorStr(), row.text);
    }
}

TEST(Help_Utilities, ShellExecFailureGoesToTheLogOnly)
{
    Temporary_Help_Log log;
    EXPECT_FALSE(ShellExec("/nonexistent/file.txt", "-x"));
    const auto lines = log.Lines();
    EXPECT_EQ(lines, std::vector<std::string>{
                         "Function ShellExecute(/nonexistent/file.txt, -x)\rReturned: [Error:2] File Not Found"});
}

TEST(Help_Utilities, VersionsAndReleaseNames)
{
    EXPECT_EQ(VerCompare(1, 2, 3, 4, 1, 2, 3, 4), 0);
    EXPECT_EQ(VerCompare(1, 2, 4, 0, 1, 2, 3, 9), 1);
    EXPECT_EQ(VerCompare(1, 2, 3, 4, 2, 0, 0, 0), -1);
    const struct {
        WORD version[4];
        const char* name;
    } table[] = {{{5, 2, 3790, 0}, "> 1.4a"}, {{5, 2, 3669, 0}, "1.4a"},  {{5, 2, 3626, 0}, "1.4"},
                 {{5, 2, 3668, 9}, "1.4"},    {{4, 74, 9273, 0}, "1.33"}, {{4, 73, 8412, 5}, "1.21"},
                 {{4, 72, 7290, 0}, "1.0"},   {{4, 72, 7289, 0}, "< 1.0"}};
    for (const auto& row : table)
        EXPECT_EQ(HH_Friendly_Name(row.version[0], row.version[1], row.version[2], row.version[3]), row.name);
    EXPECT_EQ(IE_Friendly_Name(8, 0, 6001, 0, "8.0.6001.0"), ">= Internet Explorer 8.0.6001.0");
    EXPECT_EQ(IE_Friendly_Name(6, 0, 3790, 0, "6.0.3790.0"), "Internet Explorer 6 (Windows Server 2003)");
    EXPECT_EQ(IE_Friendly_Name(1, 0, 0, 0, "1.0.0.0"), "< Internet Explorer 1.0 (Plus!)");
    EXPECT_EQ(IE_Friendly_Name(0, 0, 0, 0, ""), "");
}

TEST(Help_Utilities, FileVersionsOfTheProgramAndTheHelpLibraryOnly)
{
    WORD major = 9, minor = 9, build = 9, sub_build = 9;
    std::string text = "x";
    GetFileVer(SD_Help_File(), major, minor, text, build, sub_build);
    EXPECT_EQ(text, "");
    EXPECT_EQ(major + minor + build + sub_build, 0);
    GetFileVer("/proc/self/exe", major, minor, text, build, sub_build);
    EXPECT_EQ(major, ProgramFileVersion.Major);
    EXPECT_EQ(build, ProgramFileVersion.Build);
    EXPECT_EQ(GetFileVerStr(GetPathToHHCtrlOCX()), "5.2.3790.0");
    EXPECT_EQ(Check_HH_Version(5, 2, 3790, 0), 0);
    EXPECT_EQ(Check_HH_Version(5, 2, 3669, 0), 1);
    EXPECT_EQ(Check_IE_Version(6, 0, 0, 0), -1);
    EXPECT_EQ(Check_WMP_Version(6, 0, 0, 0), -1);
    EXPECT_EQ(GetIEFriendlyVer(), "");
}

TEST(Help_Utilities, WindowsFoldersAreAbsentAndTheRegistryOfClassesIsEmpty)
{
    EXPECT_EQ(GetWinDir(), "");
    EXPECT_EQ(GetWinSysDir(), "");
    HKEY const classes_root = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000000u));
    EXPECT_EQ(GetRegStr(classes_root, "CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32", ""), "");
    EXPECT_FALSE(RegKeyNameExists(classes_root, "CLSID", ""));
}

TEST(Help_Utilities, RegistryStringsRoundTripUnderTheUsersKey)
{
    Temp_Settings settings;
    const std::string key = "Software\\Quorvale\\Help Test";
    EXPECT_FALSE(RegKeyNameExists(HKEY_CURRENT_USER, key, "Path"));
    PutRegStr(HKEY_CURRENT_USER, key, "Path", "C:\\Help\\help.chm");
    EXPECT_TRUE(RegKeyNameExists(HKEY_CURRENT_USER, key, "Path"));
    EXPECT_EQ(GetRegStr(HKEY_CURRENT_USER, key, "Path"), "C:\\Help\\help.chm");
    EXPECT_EQ(GetRegStr(HKEY_CURRENT_USER, key, "Other"), "");
}
