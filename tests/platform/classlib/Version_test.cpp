#include "platform/classlib/Version.h"

#include <gtest/gtest.h>

#include <string>

TEST(Version, ShortTextIsMajorDotBuild)
{
    const struct {
        TFileVersion version;
        const char* text;
    } cases[] = {
        {{2, 0, 3, 0}, "2.3"},
        {{1, 7, 12, 4}, "1.12"},
        {{10, 0, 0, 9}, "10.0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileVersionText(c.version), c.text);
}

TEST(Version, ProgramVersionIsTheProjectVersion)
{
    const TFileVersion& v = ProgramFileVersion;
    const std::string four_words = std::to_string(v.Major) + "." + std::to_string(v.Minor) + "." +
                                   std::to_string(v.Build) + "." + std::to_string(v.SubBuild);
    EXPECT_EQ(four_words, ORDEXIA_PROJECT_VERSION);
    EXPECT_EQ(ProgramVersionText(), FileVersionText(v));
}
