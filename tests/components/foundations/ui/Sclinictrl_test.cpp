// The ini control over real ini files in a temporary folder and over the
// registry store in a temporary settings folder; published properties of
// objects saved and loaded through it.

#include "components/foundations/Sclinictrl.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "components/foundations/Sclclass.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/ExtCtrls_Controls.h"
#include "platform/classlib/Registry.h"
#include "tests/support/Temp_Settings.h"

namespace {

std::string File_Text(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void Write_File(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream out(file);
    out << text;
}

std::vector<std::string> Lines(const TStrings& list)
{
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list[i]);
    return lines;
}

// An ini control on settings.INI in a fresh folder.
class Ini_File : public ::testing::Test {
protected:
    Ini_File() : folder(Make_Temp_Folder("inictrl")), file(folder / "settings.INI")
    {
        ini.SetTarget(itIniFile);
        ini.SetIniPrefix(ppFixed);
        ini.SetIniFile((folder / "settings").string());
    }
    ~Ini_File() override { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    std::filesystem::path file;
    TSCLIniCtrl ini{nullptr};
};

// An ini control on the registry store of a temporary settings folder.
class Registry_Store_Ini : public ::testing::Test {
protected:
    Registry_Store_Ini()
    {
        ini.SetTarget(itRegistry);
        ini.SetRegPath("Software\\Quorvale\\Test");
    }
    Temp_Settings settings;
    TSCLIniCtrl ini{nullptr};
};

} // namespace

TEST_F(Ini_File, TypedValuesRoundTripThroughARealIniFile)
{
    TFont font;
    font.SetName("Arial");
    font.SetSize(12);
    font.SetColor(clRed);
    font.SetStyle(TFontStyles{fsBold, fsUnderline});
    const TDateTime when = EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 7, 0);

    ini.WriteString("Main", "Name", "Ordexia");
    ini.WriteInteger("Main", "Count", -42);
    ini.WriteBool("Main", "Sound", true);
    ini.WriteFloat("Main", "Gain", 2.5);
    ini.WriteDate("Main", "Day", when);
    ini.WriteTime("Main", "Hour", when);
    ini.WriteDateTime("Main", "Moment", when);
    ini.WriteColor("Main", "Back", clBtnFace);
    ini.WriteFont("Main", "Font", &font);
    ini.WritePoint("Main", "Where", POINT{10, -20});
    ini.WriteRect("Main", "Bounds", RECT{1, 2, 300, 400});

    TSCLIniCtrl again(nullptr);
    again.SetTarget(itIniFile);
    again.SetIniPrefix(ppFixed);
    again.SetIniFile(file.string());
    EXPECT_EQ(again.ReadString("Main", "Name", ""), "Ordexia");
    EXPECT_EQ(again.ReadInteger("Main", "Count", 0), -42);
    EXPECT_TRUE(again.ReadBool("Main", "Sound", false));
    EXPECT_DOUBLE_EQ(again.ReadFloat("Main", "Gain", 0), 2.5);
    EXPECT_DOUBLE_EQ(again.ReadDate("Main", "Day", 0), EncodeDate(2024, 2, 29));
    EXPECT_NEAR(again.ReadTime("Main", "Hour", 0), EncodeTime(13, 45, 7, 0), 1e-9);
    EXPECT_NEAR(again.ReadDateTime("Main", "Moment", 0), when, 1e-9);
    EXPECT_EQ(again.ReadColor("Main", "Back", clBlack), clBtnFace);
    TFont read;
    ASSERT_TRUE(again.ReadFont("Main", "Font", &read));
    EXPECT_EQ(read.Name(), "Arial");
    EXPECT_EQ(read.Size(), 12);
    EXPECT_EQ(read.Color(), clRed);
    EXPECT_TRUE(read.Style() == (TFontStyles{fsBold, fsUnderline}));
    const POINT where = again.ReadPoint("Main", "Where", POINT{});
    EXPECT_EQ(where.x, 10);
    EXPECT_EQ(where.y, -20);
    const RECT bounds = again.ReadRect("Main", "Bounds", RECT{});
    EXPECT_EQ(bounds.right, 300);
    EXPECT_EQ(bounds.bottom, 400);

    // A real ini file: one section, one line per ident.
    const std::string text = File_Text(file);
    EXPECT_EQ(text.find("[Main]"), 0u);
    EXPECT_NE(text.find("Name=Ordexia"), std::string::npos);
    EXPECT_NE(text.find("Count=-42"), std::string::npos);
    EXPECT_NE(text.find("Sound=1"), std::string::npos);
}

TEST_F(Ini_File, MissingOrCorruptSettingsGiveTheDefault)
{
    Write_File(file, "; written by hand\n[Main]\nCount=twelve\nSound=maybe\nBack=\nGain=2,5x\nDay=31/02/2024\n");
    EXPECT_EQ(ini.ReadInteger("Main", "Count", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Main", "Missing", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Other", "Count", 7), 7);
    EXPECT_TRUE(ini.ReadBool("Main", "Sound", true));
    EXPECT_EQ(ini.ReadString("Main", "Missing", "none"), "none");
    TFont font;
    EXPECT_FALSE(ini.ReadFont("Main", "Font", &font));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Main", "Missing", 1.25), 1.25);
    // Stored texts that are no number or date are the caller's to handle.
    EXPECT_THROW(ini.ReadFloat("Main", "Gain", 0), EConvertError);
    EXPECT_THROW(ini.ReadDate("Main", "Day", 0), EConvertError);
    // The hand-written file keeps its comment when written to.
    ini.WriteInteger("Main", "Count", 12);
    EXPECT_EQ(ini.ReadInteger("Main", "Count", 0), 12);
    EXPECT_EQ(File_Text(file).rfind("; written by hand", 0), 0u);
}

TEST_F(Ini_File, UnstorableNamesAreRefusedAndTheFileStaysWhole)
{
    ini.WriteString("Main", "Name", "kept");
    const std::string before = File_Text(file);
    EXPECT_THROW(ini.WriteString("Main", "Bad=Ident", "x"), EIniFileException);
    EXPECT_THROW(ini.WriteString("Main", "Name", "two\nlines"), EIniFileException);
    EXPECT_THROW(ini.WriteString("Ma]in", "Name", "x"), EIniFileException);
    EXPECT_EQ(File_Text(file), before);
}

TEST_F(Ini_File, UserSuffixNamesTheSectionUnlessCommon)
{
    ini.SetCommon(false);
    ini.SetUser("anna");
    ini.WriteInteger("Main", "Count", 3);
    EXPECT_EQ(ini.Section(), "Main.anna");
    EXPECT_NE(File_Text(file).find("[Main.anna]"), std::string::npos);
    EXPECT_EQ(ini.ReadInteger("Main", "Count", 0), 3);
    // An empty section name is the last one used.
    EXPECT_EQ(ini.ReadInteger("", "Count", 0), 3);

    TSCLIniCtrl fresh(nullptr);
    EXPECT_EQ(fresh.GetSectionName(""), "Common");
    fresh.SetNetUser(true);
    EXPECT_EQ(fresh.User(), GetNetUserName());
}

TEST_F(Ini_File, ListsStopAtTheFirstMissingEntryAndAreRewrittenWhole)
{
    Write_File(file, "[List]\nItem0=a\nItem1=b\nItem3=d\n");
    TStringList list;
    ini.ReadStrings("List", "Item", &list);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b"}));

    TStringList three;
    for (const char* text : {"x", "y", "z"})
        three.Add(text);
    ini.WriteStrings("List", "Item", &three);
    TStringList one;
    one.Add("only");
    ini.WriteStrings("List", "Item", &one);
    ini.ReadStrings("List", "Item", &list);
    EXPECT_EQ(Lines(list), std::vector<std::string>{"only"});
}

TEST_F(Ini_File, AlphaCounterNamesEntriesByLettersAndLimitsTheCount)
{
    ini.SetMaxEntries(40);
    ini.SetAlphaCounter(true);
    EXPECT_EQ(ini.MaxEntries(), 26);
    ini.SetMaxEntries(30);
    EXPECT_EQ(ini.MaxEntries(), 26);
    TStringList list;
    list.Add("first");
    list.Add("second");
    ini.WriteStrings("List", "Item", &list);
    const std::string text = File_Text(file);
    EXPECT_NE(text.find("ItemA=first"), std::string::npos);
    EXPECT_NE(text.find("ItemB=second"), std::string::npos);
}

TEST_F(Ini_File, SectionOperationsListEraseAndDelete)
{
    ini.WriteString("One", "A", "1");
    ini.WriteString("One", "B", "2");
    ini.WriteString("Two", "C", "3");
    TStringList list;
    ini.ReadSections(&list);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"One", "Two"}));
    ini.ReadSection("One", &list);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"A", "B"}));
    ini.ReadSectionValues("One", &list);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"A=1", "B=2"}));
    ini.DeleteKey("One", "A");
    ini.EraseSection("Two");
    ini.ReadSections(&list);
    EXPECT_EQ(Lines(list), std::vector<std::string>{"One"});
    EXPECT_EQ(ini.ReadString("One", "A", "gone"), "gone");
    EXPECT_EQ(ini.ReadString("One", "B", ""), "2");
}

TEST_F(Ini_File, ColorListsUseTheSectionAsNamed)
{
    ini.SetCommon(false);
    ini.SetUser("anna");
    TStringList colors;
    for (const char* line : {"ColorA=FFFFFF", "no equal sign", "ColorB=00FF00"})
        colors.Add(line);
    ini.WriteColorList("Colours", &colors);
    TStringList read;
    ini.ReadColorList("Colours", &read);
    EXPECT_EQ(Lines(read), (std::vector<std::string>{"ColorA=FFFFFF", "ColorB=00FF00"}));
    EXPECT_NE(File_Text(file).find("[Colours]\r\n"), std::string::npos);
    EXPECT_EQ(ini.Section(), "");
}

TEST(Sclinictrl_Names, IniNameAndRootKeys)
{
    TSCLIniCtrl ini(nullptr);
    ini.SetIniFile("settings");
    EXPECT_EQ(ini.IniFile(), "settings.INI");
    EXPECT_EQ(ini.GetIniName(), SCLCreatePathPrefix(ppWindows, true) + "settings.INI");
    ini.SetIniFile("/tmp/x/other.cfg");
    ini.SetIniPrefix(ppProgram);
    EXPECT_EQ(ini.GetIniName(), SCLAppPath() + "other.cfg");
    ini.SetIniFile("");
    EXPECT_EQ(ini.GetIniName(), SCLAppPath() + SCLExtractFileName(SCLAppExeName()) + ".INI");

    EXPECT_EQ(SCLGetRootKey(rpCurrentUser), HKEY_CURRENT_USER);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(SCLGetRootKey(rpClassesRoot)), 0x80000000u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(SCLGetRootKey(rpDynData)), 0x80000006u);
    EXPECT_EQ(SCLGetRootKey(static_cast<TSCLRegRootKey>(9)), nullptr);

    EXPECT_EQ(ini.Target(), itAuto);
    EXPECT_EQ(ini.EffectiveTarget(), itRegistry);
    ini.SetRegPath("  ");
    EXPECT_EQ(ini.GetRegPath(), SCLApplication->GetDefaultRegPath());
    ini.SetRegPath("Software\\Mine");
    EXPECT_EQ(ini.GetRegPath(), "Software\\Mine\\");
}

TEST_F(Registry_Store_Ini, TypedValuesRoundTripThroughTheRegistryStore)
{
    ini.WriteString("Main", "Name", "Ordexia");
    ini.WriteInteger("Main", "Count", 1234);
    ini.WriteBool("Main", "Sound", true);
    ini.WriteFloat("Main", "Gain", -0.75);
    ini.WriteColor("Main", "Back", 0x00123456);

    TSCLIniCtrl again(nullptr);
    again.SetRegPath("Software\\Quorvale\\Test");
    EXPECT_EQ(again.ReadString("Main", "Name", ""), "Ordexia");
    EXPECT_EQ(again.ReadInteger("Main", "Count", 0), 1234);
    EXPECT_TRUE(again.ReadBool("Main", "Sound", false));
    EXPECT_DOUBLE_EQ(again.ReadFloat("Main", "Gain", 0), -0.75);
    EXPECT_EQ(again.ReadColor("Main", "Back", 0), 0x00123456u);
    EXPECT_EQ(again.ReadInteger("Main", "Missing", 9), 9);
    EXPECT_EQ(again.ReadString("Nowhere", "Name", "none"), "none");

    // Integers are registry integers, each section a key below the path.
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("\\Software\\Quorvale\\Test\\Main", false));
    EXPECT_EQ(registry.ReadInteger("Count"), 1234);
}

TEST_F(Registry_Store_Ini, RootSectionWritesUnderThePathItself)
{
    ini.WriteInteger("#ROOT", "Direct", 5);
    EXPECT_EQ(ini.Section(), "");
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("\\Software\\Quorvale\\Test", false));
    EXPECT_EQ(registry.ReadInteger("Direct"), 5);
}

TEST_F(Registry_Store_Ini, ShorterListReadsBackShorter)
{
    TStringList three;
    for (const char* text : {"x", "y", "z"})
        three.Add(text);
    ini.WriteStrings("List", "Item", &three);
    TStringList one;
    one.Add("only");
    ini.WriteStrings("List", "Item", &one);
    TStringList read;
    ini.ReadStrings("List", "Item", &read);
    EXPECT_EQ(Lines(read), std::vector<std::string>{"only"});
}

TEST_F(Registry_Store_Ini, OtherHivesGiveDefaultsAndRefuseWrites)
{
    ini.SetRegRoot(rpLocalMachine);
    EXPECT_EQ(ini.ReadInteger("Main", "Count", 17), 17);
    EXPECT_THROW(ini.WriteInteger("Main", "Count", 1), ERegistryException);
    TStringList list;
    list.Add("stale");
    ini.ReadSections(&list);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(Registry_Store_Ini, ApplicationOwnsOneIniControlOnTheRegistry)
{
    TSCLIniCtrl* control = SCLApplication->IniCtrl();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(SCLApplication->IniCtrl(), control);
    EXPECT_EQ(control->Owner(), nullptr);
    EXPECT_EQ(control->EffectiveTarget(), itRegistry);
    control->WriteInteger("App", "Runs", 3);
    EXPECT_EQ(control->ReadInteger("App", "Runs", 0), 3);
}

// ---- Published properties ---------------------------------------------------------

namespace {

enum Test_Mood { tmCalm, tmHappy, tmAngry };
enum Test_Part { tpHead, tpBody, tpTail };
using Test_Parts = TSet<Test_Part>;
constexpr const char* Mood_Names[] = {"tmCalm", "tmHappy", "tmAngry"};
constexpr const char* Part_Names[] = {"tpHead", "tpBody", "tpTail"};

class TTest_Settings : public TComponent {
public:
    using TComponent::TComponent;
    int count = 4;
    Test_Mood mood = tmCalm;
    Test_Parts parts{tpHead};
    bool loud = false;
    double gain = 0;
    std::string title;
    int secret = 0;
    int derived = 0; // never written: another property keeps it
};

const bool Test_Settings_Registered = [] {
    RegisterComponentClass<TTest_Settings, TComponent>("TTest_Settings")
        .Property("Count", Integer_Type(0, 100), [](TTest_Settings& s) { return s.count; },
                  [](TTest_Settings& s, int v) { s.count = v; }, 4)
        .Property("Mood", Enum_Type<Test_Mood>(Mood_Names), [](TTest_Settings& s) { return s.mood; },
                  [](TTest_Settings& s, Test_Mood v) { s.mood = v; }, tmCalm)
        .Property("Parts", Set_Type<Test_Part>(Part_Names), [](TTest_Settings& s) { return s.parts; },
                  [](TTest_Settings& s, Test_Parts v) { s.parts = v; }, Test_Parts{tpHead})
        .Property("Loud", Boolean_Type(), [](TTest_Settings& s) { return s.loud; },
                  [](TTest_Settings& s, bool v) { s.loud = v; }, false)
        .Property("Gain", Float_Type(), [](TTest_Settings& s) { return s.gain; },
                  [](TTest_Settings& s, double v) { s.gain = v; })
        .Property("Title", String_Type(), [](TTest_Settings& s) { return s.title; },
                  [](TTest_Settings& s, const std::string& v) { s.title = v; }, std::string())
        .Property("Secret", Integer_Type(), [](TTest_Settings& s) { return s.secret; },
                  [](TTest_Settings& s, int v) { s.secret = v; }, 0)
        .Stored_If([](TTest_Settings&) { return false; })
        .Property("Derived", Integer_Type(), [](TTest_Settings& s) { return s.derived; },
                  [](TTest_Settings& s, int v) { s.derived = v; }, 0)
        .Not_Stored();
    return true;
}();

} // namespace

TEST_F(Ini_File, ObjectWithDefaultsWritesNothing)
{
    TTest_Settings settings(nullptr);
    settings.secret = 5;
    settings.derived = 6;
    ini.WriteObject("Object", &settings);
    TStringList list;
    ini.ReadSection("Object", &list);
    EXPECT_EQ(Lines(list), std::vector<std::string>{});
}

TEST_F(Ini_File, ObjectPropertiesRoundTripAsIntegersAndTexts)
{
    TTest_Settings settings(nullptr);
    settings.count = 9;
    settings.mood = tmAngry;
    settings.parts = Test_Parts{tpBody, tpTail};
    settings.loud = true;
    settings.gain = 1.5;
    settings.title = "Caméra 1";
    settings.SetTag(77);
    ini.WriteObject("Object", &settings);
    TStringList values;
    ini.ReadSectionValues("Object", &values);
    EXPECT_EQ(Lines(values), (std::vector<std::string>{"Count=9", "Mood=2", "Parts=6", "Loud=1", "Gain=" +
                                                           FloatToStr(1.5), "Title=Caméra 1", "Tag=77"}));

    TTest_Settings loaded(nullptr);
    loaded.secret = 1;
    ini.ReadObject("Object", &loaded);
    EXPECT_EQ(loaded.count, 9);
    EXPECT_EQ(loaded.mood, tmAngry);
    EXPECT_TRUE(loaded.parts == (Test_Parts{tpBody, tpTail}));
    EXPECT_TRUE(loaded.loud);
    EXPECT_DOUBLE_EQ(loaded.gain, 1.5);
    EXPECT_EQ(loaded.title, "Caméra 1");
    EXPECT_EQ(loaded.Tag(), 77);
    EXPECT_EQ(loaded.secret, 1);
}

TEST_F(Ini_File, StoredValuesAPropertyCannotTakeLeaveItUnchanged)
{
    Write_File(file, "[Object]\nCount=500\nMood=7\nParts=64\nGain=much\nTitle=new\n");
    TTest_Settings loaded(nullptr);
    loaded.mood = tmHappy;
    loaded.gain = 0.5;
    ini.ReadObject("Object", &loaded);
    EXPECT_EQ(loaded.count, 4);
    EXPECT_EQ(loaded.mood, tmHappy);
    EXPECT_TRUE(loaded.parts == Test_Parts{tpHead});
    EXPECT_DOUBLE_EQ(loaded.gain, 0.5);
    EXPECT_EQ(loaded.title, "new");
}

TEST_F(Registry_Store_Ini, PanelPropertiesRoundTripThroughTheRegistry)
{
    TPanel panel(nullptr);
    panel.SetBounds(12, 34, 160, 48);
    panel.SetCaption("Status");
    panel.SetBevelOuter(bvLowered);
    panel.SetColor(0x00336699);
    ini.WriteObject("Panel", &panel);

    TPanel loaded(nullptr);
    ini.ReadObject("Panel", &loaded);
    EXPECT_EQ(loaded.Left(), 12);
    EXPECT_EQ(loaded.Top(), 34);
    EXPECT_EQ(loaded.Width(), 160);
    EXPECT_EQ(loaded.Height(), 48);
    EXPECT_EQ(loaded.Caption(), "Status");
    EXPECT_EQ(loaded.BevelOuter(), bvLowered);
    EXPECT_EQ(loaded.Color(), 0x00336699u);
    EXPECT_FALSE(loaded.ParentColor());
}
