#include "components/foundations/Sclclass.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/File_Size_Limit.h"
#include "tests/support/Temp_Settings.h"

namespace fs = std::filesystem;

namespace {

std::string Read_File(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class Log : public testing::Test {
protected:
    void SetUp() override
    {
        application.SetLogPrefix(ppFixed);
        application.SetLogName((folder / "run").string());
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder = Make_Temp_Folder("scllog");
    TSCLApplication application{nullptr};
};

TEST_F(Log, TheFirstWriteOfARunStartsAFreshFileWithAHeader)
{
    EXPECT_EQ(application.LogName(), (folder / "run.LOG").string());
    std::ofstream(application.LogName()) << "old run\n";
    application.Version = "2.0";
    application.LogWrite("first");
    application.LogWrite("#Line");
    application.LogWrite("#CR");
    application.LogWrite("second");
    const std::string text = Read_File(application.LogName());
    EXPECT_EQ(text.find("old run"), std::string::npos);
    EXPECT_EQ(text.rfind("\nLogFile started: ", 0), 0u);
    EXPECT_NE(text.find("\nVersion        : 2.0\n"), std::string::npos);
    const std::string stars(80, '*');
    EXPECT_NE(text.find(stars + "\n\nEntries:\n00001: first\n" + stars + "\n\n00002: second\n"), std::string::npos);
    EXPECT_EQ(application.LogEntry(), 2);
    EXPECT_TRUE(application.LogStarted());
}

TEST_F(Log, LaterRunsAppendWithoutAlwaysClear)
{
    std::ofstream(application.LogName()) << "old run\n";
    application.Options = {aoLogNr, aoLogDate};
    application.LogFormat = "l#x";
    application.LogWrite("entry");
    const std::string text = Read_File(application.LogName());
    EXPECT_EQ(text, "old run\nentry00001: \n"); // no header, unknown format letters give nothing
}

TEST_F(Log, ARewrittenLogNeverBecomesWritableByOthers)
{
    std::ofstream(application.LogName()) << "old run\n";
    fs::permissions(application.LogName(), fs::perms::all);
    application.LogWrite("entry");
    EXPECT_EQ(Read_File(application.LogName()).find("old run"), std::string::npos) << "a fresh log";
    EXPECT_EQ(fs::status(application.LogName()).permissions(),
              fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                  fs::perms::others_exec);
}

TEST_F(Log, AnAppendNeverGoesThroughALinkPlacedInTheLogsName)
{
    const fs::path victim = folder / "victim";
    std::ofstream(victim) << "private\n";
    fs::permissions(victim, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(victim, application.LogName());
    application.Options = {aoLogNr};
    application.LogWrite("entry");
    EXPECT_EQ(Read_File(victim), "private\n");
    EXPECT_EQ(fs::status(victim).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(application.LogEntry(), 0);
}

TEST_F(Log, AFullLogIsBackedUpOrKept)
{
    application.MaxLogSize = 150;
    application.LogAction = laBackupLog;
    std::ofstream(folder / "run.l0") << "taken";
    application.LogWrite("one");
    ASSERT_GT(fs::file_size(application.LogName()), 150u); // the header alone
    application.LogWrite("two");
    EXPECT_NE(Read_File(folder / "run.l1").find("00001: one"), std::string::npos);
    EXPECT_EQ(Read_File(folder / "run.l0"), "taken");
    const std::string current = Read_File(application.LogName());
    EXPECT_NE(current.find("Entries:\n00002: two\n"), std::string::npos);

    std::string full_name;
    application.OnLogFull = [&](TObject*, const std::string& name, bool& cancel) {
        full_name = name;
        cancel = true;
    };
    application.LogWrite("three");
    EXPECT_EQ(full_name, application.LogName());
    EXPECT_EQ(Read_File(application.LogName()), current);
}

TEST_F(Log, AFullLogThatCannotBeMovedAsideIsKeptWhole)
{
    // Backup names ".l0" to ".l9" are taken; ".l10" makes a name longer than
    // a file name may be, so the rename fails (for root too).
    const std::string stem(252, 'a');
    application.SetLogName((folder / (stem + ".lo")).string());
    for (int n = 0; n < 10; ++n)
        std::ofstream(folder / (stem + ".l" + std::to_string(n))) << "taken";
    application.MaxLogSize = 150;
    application.LogAction = laBackupLog;
    application.LogWrite("one");
    application.LogWrite("two");
    const std::string text = Read_File(application.LogName());
    EXPECT_NE(text.find("Entries:\n00001: one\n00002: two\n"), std::string::npos) << text;
}

TEST_F(Log, ALogThatCannotBeWrittenLeavesTheOldOneWhole)
{
    std::ofstream(application.LogName()) << "old run\n";
    {
        const File_Size_Limit limit(20); // the header alone is longer
        application.LogWrite("first");
    }
    EXPECT_EQ(Read_File(application.LogName()), "old run\n");
    EXPECT_FALSE(application.LogStarted());
    EXPECT_EQ(application.LogEntry(), 0);
    application.LogWrite("first");
    EXPECT_NE(Read_File(application.LogName()).find("Entries:\n00001: first\n"), std::string::npos);
}

TEST_F(Log, ExceptionsAreLoggedWithTheirSender)
{
    application.Options = application.Options + TSCLApplicationOptions{aoLogException};
    TComponent named(nullptr);
    named.SetName("Button1");
    bool shown = false;
    application.OnException = [&](TObject*, Exception*, bool& handled) { handled = shown; };
    try {
        throw Exception("broken");
    } catch (Exception& error) {
        application.LogException(nullptr);
        application.LogException(&named);
        shown = true;
        application.HandleException(&named, &error); // handled: not logged again
    }
    const std::string text = Read_File(application.LogName());
    EXPECT_NE(text.find("00001: broken, Address: "), std::string::npos);
    EXPECT_NE(text.find("00002: TComponent (Name: Button1): broken, Address: "), std::string::npos);
    EXPECT_EQ(application.LogEntry(), 2);
}

TEST(Sclclass, LogNamesFollowThePrefix)
{
    TSCLApplication application(nullptr);
    EXPECT_EQ(application.LogName(), SCLAppPath() + fs::path(SCLAppExeName()).stem().string() + ".LOG");
    application.SetLogName("/elsewhere/trace.txt");
    EXPECT_EQ(application.LogName(), SCLAppPath() + "trace.txt");
    application.SetLogPrefix(ppFixed);
    application.SetLogName("/elsewhere/trace");
    EXPECT_EQ(application.LogName(), "/elsewhere/trace.LOG");
}

TEST(Sclclass, BrushBitmapsAreCheckeredAndCached)
{
    TSCLApplication application(nullptr);
    TBitmap* brush = application.GetBrushBitmap(clRed);
    ASSERT_EQ(brush->Width(), 8);
    ASSERT_EQ(brush->Height(), 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(brush->Canvas()->Pixels(x, y), (x % 2 != y % 2) ? clRed : clWhite) << x << "," << y;
    EXPECT_EQ(application.GetBrushBitmap(clRed), brush);
    EXPECT_EQ(application.GetBrushBitmap(clBlue), brush);
    EXPECT_EQ(brush->Canvas()->Pixels(1, 0), clBlue);
    EXPECT_EQ(brush->Canvas()->Pixels(1, 1), clWhite);

    TBitmap* copy = application.GetBitmap();
    EXPECT_NE(copy, brush);
    EXPECT_EQ(copy->Canvas()->Pixels(0, 1), clBlack);
    EXPECT_EQ(application.GetBitmap(), copy);
}

TEST(Sclclass, EditModeStopwatchAndRegistryPath)
{
    TSCLApplication application(nullptr);
    int changes = 0;
    application.OnEditModeChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &application);
        ++changes;
    };
    EXPECT_EQ(application.EditMode(), TSCLEditModes{emInsert});
    application.SetEditMode({emInsert});
    application.SetEditMode({emCaps, emNum});
    EXPECT_EQ(changes, 1);

    EXPECT_EQ(application.STWStop(), 0u);
    application.STWStart();
    EXPECT_LT(application.STWStop(), 60000u);
    EXPECT_GT(application.GetTimerFrequency(), 0.0);

    const std::string title = Application->Title();
    Application->SetTitle("Ordexia");
    application.CompanyName = "Quorvale";
    application.Version = "2.0\\";
    EXPECT_EQ(application.GetDefaultRegPath(), "Software\\Quorvale\\Ordexia\\2.0\\");
    application.CompanyName.clear();
    application.Version.clear();
    EXPECT_EQ(application.GetDefaultRegPath(), "Software\\Ordexia\\");
    Application->SetTitle(title);
}

class Sole_Component : public TComponent {
public:
    using TComponent::TComponent;
};

TEST(Sclclass, OneInstancePerForm)
{
    TForm form(nullptr);
    new Sole_Component(&form);
    EXPECT_FALSE(SCLCheckForSameClass<Sole_Component>(&form));
    new Sole_Component(&form);
    EXPECT_TRUE(SCLCheckForSameClass<Sole_Component>(&form));
    EXPECT_FALSE(SCLCheckForSameClass(&form, nullptr));
    TComponent not_a_form(nullptr);
    EXPECT_TRUE(SCLCheckForSameClass<Sole_Component>(&not_a_form));
    EXPECT_TRUE(SCLCheckForSameClass<Sole_Component>(nullptr));

    EXPECT_EQ(SCLEOneInstError("TSCLFormShape", 0).Message,
              "TSCLFormShape:\rInvalid owner (<>TForm) or second instance on a form");
    EXPECT_EQ(SCLEOneInstError("TSCLContainerCtrl", 1).Message,
              "TSCLContainerCtrl:\rAlready one TSCLContainerCtrl control in this project!");
    EXPECT_EQ(SCLEOneInstError("TSCLFormShape", 2).Message, "");
}

} // namespace
