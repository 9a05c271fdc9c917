#include "shell/Hh_funcs.h"

#include "tests/shell/Help_Test_Support.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace {

std::string Log_In(const QTemporaryDir& folder)
{
    return folder.path().toStdString() + "/HHDebug.txt";
}

// TMPDIR pointing at a folder of the test's own for as long as it lives.
class Temporary_Temp_Folder {
public:
    Temporary_Temp_Folder() : saved(qgetenv("TMPDIR")), had(qEnvironmentVariableIsSet("TMPDIR"))
    {
        qputenv("TMPDIR", folder.path().toUtf8());
    }
    ~Temporary_Temp_Folder()
    {
        if (had)
            qputenv("TMPDIR", saved);
        else
            qunsetenv("TMPDIR");
    }
    Temporary_Temp_Folder(const Temporary_Temp_Folder&) = delete;
    Temporary_Temp_Folder& operator=(const Temporary_Temp_Folder&) = delete;
    std::string Path() const { return folder.path().toStdString(); }

private:
    QTemporaryDir folder;
    QByteArray saved;
    bool had;
};

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

TEST(Help_Debug_Log, AFolderThatCannotTakeTheLogMovesItToTheTemporaryFolder)
{
    Temporary_Temp_Folder temporary;
    EXPECT_EQ(GetWinTempDir(), temporary.Path());
    for (const std::string& name : {std::string("/nonexistent/folder/HHDebug.txt"), std::string("/usr/HHDebug.txt")}) {
        TDLogFile log(name, true, false, false, false);
        EXPECT_EQ(log.FileName(), temporary.Path() + "/HHDebug.txt") << name;
    }
    TDLogFile log("", true, false, false, false);
    EXPECT_EQ(log.FileName(), GetLogDir() + "/HHDebug.txt");
}

TEST(Help_Debug_Log, AMissingTemporaryFolderFallsBackToTmpNotADriveLetter)
{
    const QByteArray saved = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/nonexistent/temporary");
    EXPECT_EQ(GetWinTempDir(), "/tmp");
    qputenv("TMPDIR", saved);
    if (saved.isEmpty())
        qunsetenv("TMPDIR");
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
