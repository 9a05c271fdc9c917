#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"

#include <gtest/gtest.h>

TEST(String_Table, CompiledTableLoadsWithTheTextsTheLinkNeeds)
{
    // Every entry the link's messages, savers and log lines fetch.
    for (const int identifier : {1000, 2000, 2001, 2002, 2005, 2006, 2007, 2009, 2011, 2012, 2013, 2014, 2015,
                                 2018, 2019, 2020, 4013, 4014, 4015, 4016, 4017, 4018, 4019, 4020, 4021, 4022,
                                 4023})
        EXPECT_FALSE(LoadStr(identifier).empty()) << identifier;

    EXPECT_EQ(LoadStr(2015), "Error creating file :\n");
    EXPECT_EQ(LoadStr(2000), "with \"Ravivida Triax Camera Ordexia\" version ");
    EXPECT_EQ(LoadStr(2019), ")\n\nClick on PC banner to select another one");
    EXPECT_EQ(LoadStr(4016), " up link break");
    EXPECT_EQ(LoadStr(4023), " frame(s) have been recorded in :\n");
    EXPECT_EQ(LoadStr(4000).substr(0, 52), "Supervision software for SD and HD wireless camera\r\n");
}

TEST(String_Table, UnknownNumberGivesEmptyText)
{
    EXPECT_EQ(LoadStr(9999), "");
    EXPECT_EQ(LoadStr(-1), "");
}

TEST(String_Table, ParsesCommentsBlanksEscapesAndUtf8)
{
    const auto table = Parse_String_Table("# comment\r\n"
                                          "\n"
                                          "  \t\n"
                                          "1 \"a\\tb\\\\c\\\"d\\r\\n\"\r\n"
                                          "20\t\"25°C\"  \n"
                                          "300 \"\"");
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table.at(1), "a\tb\\c\"d\r\n");
    EXPECT_EQ(table.at(20), "25°C");
    EXPECT_EQ(table.at(300), "");
}

TEST(String_Table, MalformedLinesAreErrorsNamingTheLine)
{
    const char* const malformed[] = {
        "12 abc",            // text not quoted
        "x \"a\"",           // no identifier
        "-1 \"a\"",          // signed identifier
        "12\"a\"",           // no blank after the identifier
        "12 \"a",            // unclosed
        "12 \"a\\q\"",       // unknown escape
        "12 \"a\\",          // escape at the end
        "12 \"a\" x",        // text after the closing quote
        "99999999999 \"a\"", // out of range
    };
    for (const char* line : malformed) {
        try {
            Parse_String_Table(std::string("1 \"fine\"\n") + line + "\n");
            ADD_FAILURE() << "accepted: " << line;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message.rfind("String table line 2: ", 0), 0u) << e.Message;
        }
    }
    EXPECT_THROW(Parse_String_Table("7 \"a\"\n7 \"b\"\n"), Exception);
}
