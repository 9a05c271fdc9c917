// Custom colour lists through ini files, registry-ini objects and the
// environment's own ini file in a temporary settings folder.

#include "components/foundations/Sclutils.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/classlib/IniFiles.h"
#include "tests/support/Temp_Settings.h"

namespace {

std::vector<std::string> Lines(const TStrings& list)
{
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list[i]);
    return lines;
}

void Fill(TStringList& list, std::initializer_list<const char*> lines)
{
    list.Clear();
    for (const char* line : lines)
        list.Add(line);
}

} // namespace

TEST(Sclutils_Colors, IniFileKeepsTheLinesWithAnEqualSign)
{
    const auto folder = Make_Temp_Folder("colors");
    const std::string file = (folder / "colors.ini").string();
    TStringList colors;
    Fill(colors, {"ColorA=FFFFFF", "just text", "ColorB=80FF00"});
    SCLSaveCustomColorToIniFile(file, "Custom", &colors);
    Fill(colors, {"ColorB=000080"});
    SCLSaveCustomColorToIniFile(file, "Custom", &colors);

    TStringList read;
    read.Add("stale");
    SCLLoadCustomColorFromIniFile(file, "Custom", &read);
    // Saving leaves the idents it does not name.
    EXPECT_EQ(Lines(read), (std::vector<std::string>{"ColorA=FFFFFF", "ColorB=000080"}));
    SCLLoadCustomColorFromIniFile(file, "Other", &read);
    EXPECT_EQ(read.Count(), 0);
    std::filesystem::remove_all(folder);
}

TEST(Sclutils_Colors, OnlyIniObjectsAreAccepted)
{
    Temp_Settings settings;
    TRegistryIniFile registry(HKEY_CURRENT_USER, "Software\\Quorvale\\Colours");
    TStringList colors;
    Fill(colors, {"ColorA=123456"});
    SCLSaveCustomColorList(&registry, "Custom", &colors);
    EXPECT_EQ(registry.ReadString("Custom", "ColorA", ""), "123456");

    TComponent other(nullptr);
    TStringList read;
    read.Add("kept");
    SCLLoadCustomColorList(&other, "Custom", &read);
    SCLSaveCustomColorList(&other, "Custom", &colors);
    SCLLoadCustomColorList(nullptr, "Custom", &read);
    EXPECT_EQ(Lines(read), std::vector<std::string>{"kept"});
}

TEST(Sclutils_Colors, EnvironmentFileLiesInTheSettingsFolder)
{
    Temp_Settings settings;
    EXPECT_EQ(std::filesystem::path(SCLCustomColorIniName()).parent_path(), settings.Program_Folder());
    TStringList colors;
    Fill(colors, {"ColorA=00FF00"});
    SCLSaveCustomColors(&colors);
    TStringList read;
    SCLLoadCustomColors(&read);
    EXPECT_EQ(Lines(read), std::vector<std::string>{"ColorA=00FF00"});
    TIniFile file(SCLCustomColorIniName());
    EXPECT_EQ(file.ReadString("Couleurs personnalisées", "ColorA", ""), "00FF00");
}
