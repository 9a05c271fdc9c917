#include "shell/services/Hh_funcs.h"

#include "tests/support/Scoped_Variable.h"
#include "tests/shell/services/Help_Test_Support.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

namespace {

std::string Log_In(const QTemporaryDir& folder)
{
    return folder.path().toStdString() + "/HHDebug.txt";
}

// The user's private temporary folder (XDG_RUNTIME_DIR) and a shared one
// standing in for /tmp (TMPDIR, open to all like /tmp), both of the test's
// own for as long as the object lives.
class Temporary_Temp_Folder {
public:
    Temporary_Temp_Folder()
        : runtime_dir("XDG_RUNTIME_DIR", folder.path().toStdString()), tmpdir("TMPDIR", shared.path().toStdString())
    {
        std::filesystem::permissions(shared.path().toStdString(), std::filesystem::perms(01777));
    }
    std::string Path() const { return folder.path().toStdString(); }
    std::string Shared() const { return shared.path().toStdString(); }

private:
    QTemporaryDir folder;
    QTemporaryDir shared;
    Scoped_Variable runtime_dir;
    Scoped_Variable tmpdir;
};

struct File_State {
    std::string text;
    std::filesystem::perms mode;
    bool operator==(const File_State&) const = default;
};

File_State State_Of(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()},
            std::filesystem::status(path).permissions()};
}

} // namespace

TEST(Help_Debug_Log, LineRules)
{
    QTemporaryDir folder;
    TDLogFile log(Log_In(folder), true, true, false, false);
    log.DebugOut("!Raw line");
    log.DebugOut("-");
    log.DebugOut("=");
    log.DebugOut("-Dash first");
    log.DebugOut("Stamped %d %s", {42, "x"});
    log.DebugOut("100%");
    log.DebugOut("");
    const auto lines = Log_Lines(Log_In(folder));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Raw line");
    EXPECT_EQ(lines[1], std::string(79, '-'));
    EXPECT_EQ(lines[2], std::string(79, '='));
    EXPECT_EQ(lines[3], "Dash first");
    EXPECT_TRUE(std::regex_match(lines[4], std::regex(R"(\d\d:\d\d:\d\d   Stamped 42 x)"))) << lines[4];
    EXPECT_TRUE(std::regex_match(lines[5], std::regex(R"(\d\d:\d\d:\d\d   100%)"))) << "no arguments: no formatting";
    EXPECT_TRUE(std::regex_match(lines[6], std::regex(R"(\d\d:\d\d:\d\d   )")));
}

TEST(Help_Debug_Log, LinesEndWithCarriageReturnAndLineFeed)
{
    QTemporaryDir folder;
    TDLogFile log(Log_In(folder), true, false, false, false);
    log.DebugOut("one");
    log.DebugOut("two");
    std::ifstream file(Log_In(folder), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes, "one\r\ntwo\r\n");
}

TEST(Help_Debug_Log, OnlyTheEnabledLogTakesTraceLines)
{
    QTemporaryDir folder;
    TDLogFile log(Log_In(folder), false, false, false, false);
    log.DebugOut2("trace");
    log.ReportError("error %d", {5});
    EXPECT_FALSE(std::filesystem::exists(Log_In(folder)));
    log.DebugOut("always");
    log.SetEnabled(true);
    log.ReportError("error %d", {5});
    log.DebugOut2("trace");
    EXPECT_EQ(Log_Lines(Log_In(folder)), (std::vector<std::string>{"always", "error 5", "trace"}));
}

TEST(Help_Debug_Log, AFormatThatDoesNotFitItsArgumentsLosesTheLineOnly)
{
    QTemporaryDir folder;
    TDLogFile log(Log_In(folder), true, false, false, false);
    log.DebugOut("%d", {"text"});
    log.DebugOut("next");
    EXPECT_EQ(Log_Lines(Log_In(folder)), std::vector<std::string>{"next"});
}

TEST(Help_Debug_Log, ResetDeletesAnOldLogUnlessKeptAndWritesTheHeaderWhenOn)
{
    QTemporaryDir folder;
    std::ofstream(Log_In(folder)) << "old\r\n";
    TDLogFile kept(Log_In(folder), false, false, true, true);
    EXPECT_EQ(Log_Lines(Log_In(folder)), std::vector<std::string>{"old"});

    TDLogFile silent(Log_In(folder), false, false, true, false);
    EXPECT_FALSE(std::filesystem::exists(Log_In(folder))) << "an old log goes even while the log is off";

    TDLogFile on(Log_In(folder), true, true, true, false);
    const auto lines = Log_Lines(Log_In(folder));
    ASSERT_GE(lines.size(), 20u);
    EXPECT_EQ(lines.front(), std::string(79, '='));
    EXPECT_EQ(lines.back(), std::string(79, '='));
    EXPECT_EQ(lines[1], "Log File:             " + Log_In(folder));
    EXPECT_EQ(lines[3].rfind("Operating System:      Linux ", 0), 0u) << lines[3];
    EXPECT_TRUE(std::regex_match(lines[4], std::regex(R"(SysLocale\.DefaultLCID: 0x[0-9A-F]{4} \(\d+\))"))) << lines[4];
    EXPECT_NE(std::find(lines.begin(), lines.end(), "_hhInstalled =      YES"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "_hhVerStr =         5.2.3790.0"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "_ieInstalled =      NO"), lines.end());
}

TEST(Help_Debug_Log, AFolderThatCannotTakeTheLogMovesItToTheUsersTemporaryFolder)
{
    Temporary_Temp_Folder temporary;
    EXPECT_EQ(GetWinTempDir(), temporary.Path());
    const std::string names[] = {"/nonexistent/folder/HHDebug.txt", "/usr/HHDebug.txt",
                                 temporary.Shared() + "/HHDebug.txt"};
    for (const std::string& name : names) {
        TDLogFile log(name, true, false, false, false);
        EXPECT_EQ(log.FileName(), temporary.Path() + "/HHDebug.txt") << name;
    }
    TDLogFile log("", true, false, false, false);
    EXPECT_EQ(log.FileName(), GetLogDir() + "/HHDebug.txt");
}

TEST(Help_Debug_Log, WithoutAPrivateTemporaryFolderTheLogWritesNothing)
{
    QTemporaryDir root;
    std::ofstream(root.path().toStdString() + "/cache") << "a file where the cache folder should be";
    Temporary_Temp_Folder temporary;
    Scoped_Variable runtime_dir("XDG_RUNTIME_DIR", std::nullopt);
    Scoped_Variable cache_home("XDG_CACHE_HOME", root.path().toStdString() + "/cache");
    EXPECT_EQ(GetWinTempDir(), "");
    TDLogFile log("/nonexistent/folder/HHDebug.txt", true, true, true, false);
    EXPECT_EQ(log.FileName(), "");
    log.DebugOut("lost");
    EXPECT_TRUE(std::filesystem::is_empty(temporary.Shared()));
}

// Another user's links, made in a shared folder before the program starts,
// under the names of the writability probe and of the log.
TEST(Help_Debug_Log, LinksPlacedInASharedFolderBeforehandLeaveTheirTargetsUntouched)
{
    Temporary_Temp_Folder temporary;
    QTemporaryDir victims;
    const std::string probe_target = victims.path().toStdString() + "/precious.txt";
    const std::string log_target = victims.path().toStdString() + "/private.txt";
    for (const std::string& target : {probe_target, log_target}) {
        std::ofstream(target) << "the victim's own text";
        std::filesystem::permissions(target, std::filesystem::perms(0600));
    }
    std::filesystem::create_symlink(probe_target, temporary.Shared() + "/$_Temp_$.$$$");
    std::filesystem::create_symlink(log_target, temporary.Shared() + "/HHDebug.txt");
    const File_State before = State_Of(probe_target);

    EXPECT_TRUE(IsDirWritable(temporary.Shared()));
    EXPECT_FALSE(Log_Folder_Usable(temporary.Shared())) << "others may write there";
    for (const bool keep : {true, false}) {
        TDLogFile log(temporary.Shared() + "/HHDebug.txt", true, true, true, keep);
        log.DebugOut("a line");
        EXPECT_EQ(log.FileName(), temporary.Path() + "/HHDebug.txt");
    }
    EXPECT_EQ(State_Of(probe_target), before);
    EXPECT_EQ(State_Of(log_target), before);
}

// Even in a folder of the user's own, the log is never written through a link.
TEST(Help_Debug_Log, TheLogIsNeverWrittenThroughALink)
{
    QTemporaryDir folder, victims;
    const std::string target = victims.path().toStdString() + "/private.txt";
    std::ofstream(target) << "the victim's own text";
    std::filesystem::permissions(target, std::filesystem::perms(0600));
    std::filesystem::create_symlink(target, Log_In(folder));
    const File_State before = State_Of(target);
    TDLogFile log(Log_In(folder), true, true, true, true);
    log.DebugOut("a line");
    EXPECT_EQ(State_Of(target), before);
}

TEST(Help_Debug_Log, TheSwitchIsTheFileBesideTheProgramOrADebugArgument)
{
    QTemporaryDir with_file, without_file;
    std::ofstream(with_file.path().toStdString() + "/debug.debug") << "";
    const struct {
        const QTemporaryDir* folder;
        std::vector<std::string> arguments;
        bool on;
    } table[] = {
        {&with_file, {}, true},
        {&without_file, {}, false},
        {&without_file, {"/debug"}, true},
        {&without_file, {"x", "-DEBUG"}, true},
        {&without_file, {"/Debug"}, true},
        {&without_file, {"debug", "--debug", "/debug2"}, false},
    };
    for (const auto& row : table)
        EXPECT_EQ(Debug_Switch_On(row.folder->path().toStdString(), row.arguments), row.on);
}

TEST(Help_Debug_Log, AtStartTheLogLiesBesideTheProgramAndIsOff)
{
    // The test program runs without a switch from a writable build folder.
    EXPECT_FALSE(_DebugMode);
    EXPECT_EQ(GetLogDir(), _ModuleDir);
    ASSERT_NE(_HHDbgObj, nullptr);
    EXPECT_FALSE(_HHDbgObj->Enabled());
    EXPECT_FALSE(std::filesystem::exists(_HHDbgObj->FileName()));
}

TEST(Help_Debug_Log, ShowAndCopyOfAMissingLogShowNothing)
{
    QTemporaryDir folder;
    TDLogFile log(Log_In(folder), true, false, false, false);
    log.Show();
    log.DebugOut("kept");
    log.CopyLogTo(folder.path().toStdString() + "/copy.txt");
    EXPECT_EQ(Log_Lines(folder.path().toStdString() + "/copy.txt"), std::vector<std::string>{"kept"});
}
