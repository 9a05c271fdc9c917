#include "platform/htmlhelp/Chm_File.h"

#include "tests/platform/htmlhelp/Help_Files.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

namespace {

struct Context_Topic {
    std::uint32_t context;
    const char* topic;
};

void Expect_Contexts(const std::string& path, std::initializer_list<Context_Topic> table)
{
    const Chm_File file(path);
    ASSERT_TRUE(file.Is_Open()) << path;
    for (const Context_Topic& row : table) {
        EXPECT_EQ(file.Topic_Of_Context(row.context), row.topic) << row.context;
        EXPECT_TRUE(file.Contains(row.topic)) << row.topic;
    }
}

} // namespace

TEST(Chm_File, EveryContextOfTheSdHelpFileNamesItsTopic)
{
    Expect_Contexts(SD_Help_File(), {{1000, "/overview.htm"},
                                     {1001, "/pc.htm"},
                                     {1002, "/wcu.htm"},
                                     {1003, "/amu.htm"},
                                     {1004, "/de.htm"},
                                     {1010, "/multi.htm"}});
}

TEST(Chm_File, EveryContextOfTheHdHelpFileNamesItsTopic)
{
    Expect_Contexts(HD_Help_File(), {{1000, "/overview.htm"},
                                     {1001, "/pc.htm"},
                                     {1002, "/wcu.htm"},
                                     {1003, "/amu.htm"},
                                     {1004, "/de.htm"},
                                     {1005, "/wca.htm"},
                                     {1006, "/spectrum.htm"},
                                     {1010, "/multi.htm"}});
}

TEST(Chm_File, UnmappedContextsHaveNoTopic)
{
    const Chm_File sd(SD_Help_File());
    for (std::uint32_t context : {0u, 999u, 1005u, 1006u, 1011u, 0xFFFFFFFFu})
        EXPECT_EQ(sd.Topic_Of_Context(context), "") << context;
}

TEST(Chm_File, ContextsResolveWhereverTheFileLies)
{
    // The map holds the paths of the machine that compiled the file; a copy
    // under another name and folder still resolves.
    QTemporaryDir folder;
    const std::string copy = folder.path().toStdString() + "/moved.chm";
    std::filesystem::copy_file(HD_Help_File(), copy);
    EXPECT_EQ(Chm_File(copy).Topic_Of_Context(1005), "/wca.htm");
}

TEST(Chm_File, SystemFactsComeFromTheFile)
{
    const Chm_File hd(HD_Help_File());
    EXPECT_EQ(hd.Title(), "Ravivida HD Camera Ordexia Help");
    EXPECT_EQ(hd.Default_Topic(), "/overview.htm");
    EXPECT_EQ(hd.Contents_File(), "/contents.hhc");
    EXPECT_TRUE(hd.Read("logo.png").has_value());
    EXPECT_FALSE(hd.Read("/nothing.htm").has_value());
}

TEST(Chm_File, WrittenPathsMatchTheLongestEntryTheyEndWith)
{
    const Chm_File sd(SD_Help_File());
    const struct {
        const char* written;
        const char* entry;
    } table[] = {
        {"/home/build/resources/help/sd/wcu.htm", "/wcu.htm"},
        {"C:\\Projects\\Help\\SD\\WCU.HTM", "/wcu.htm"},
        {"multi.htm", "/multi.htm"},
        {"/x/amu.htm.bak", ""},
        {"/x/xwcu.htm", ""},
        {"", ""},
    };
    for (const auto& row : table)
        EXPECT_EQ(sd.Entry_For(row.written), row.entry) << row.written;
}

TEST(Chm_File, MissingOrDamagedFilesDoNotOpen)
{
    QTemporaryDir folder;
    const std::string garbage = folder.path().toStdString() + "/garbage.chm";
    std::ofstream(garbage) << "not a compiled help file at all";
    const std::string truncated = folder.path().toStdString() + "/truncated.chm";
    std::filesystem::copy_file(SD_Help_File(), truncated);
    std::filesystem::resize_file(truncated, 200);

    for (const std::string& path : {std::string("/nonexistent/help.chm"), garbage, truncated}) {
        const Chm_File file(path);
        EXPECT_FALSE(file.Is_Open() && !file.Topic_Of_Context(1000).empty()) << path;
    }
}

TEST(Chm_File, SitemapGivesNamesTopicsAndDepths)
{
    const std::string text = R"(<HTML><BODY><UL>
<LI><OBJECT type="text/sitemap"><param name="Name" value="Main"><param name="Local" value="main.htm"></OBJECT>
<UL>
  <LI><object type="text/sitemap"><PARAM NAME="name" VALUE="Child"><param name="Local" value="sub/child.htm"></object>
  <LI><OBJECT type="text/sitemap"><param name="Name" value="No topic"></OBJECT>
</UL>
<LI><OBJECT type="text/sitemap"><param name="Local" value="nameless.htm"></OBJECT>
<LI><OBJECT type="text/sitemap"><param name="Name" value="Last"><param name="Local" value="last.htm"></OBJECT>
</UL></BODY></HTML>)";
    const auto entries = Parse_Sitemap(text);
    ASSERT_EQ(entries.size(), 4u);
    const struct {
        const char* name;
        const char* local;
        int depth;
    } expected[] = {{"Main", "main.htm", 0}, {"Child", "sub/child.htm", 1}, {"No topic", "", 1}, {"Last", "last.htm", 0}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].Name, expected[i].name);
        EXPECT_EQ(entries[i].Local, expected[i].local);
        EXPECT_EQ(entries[i].Depth, expected[i].depth);
    }
}
