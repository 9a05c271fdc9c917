// The help file fuzz target's body over its committed corpus, whole, cut
// short and with single bytes changed, in the normal test run (and so under
// the sanitizers too).
#include "fuzz/Fuzz_Help_Target.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path Corpus = fs::path(ORDEXIA_FUZZ_CORPUS_DIR) / "help";

std::vector<std::uint8_t> Read_Bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

TEST(Help_Fuzz_Corpus, EveryFileAndItsDamagedCopiesAreRead)
{
    int files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(Corpus)) {
        const std::vector<std::uint8_t> data = Read_Bytes(entry.path());
        EXPECT_EQ(Fuzz_Help(data.data(), data.size()), 0) << entry.path();
        for (std::size_t part = 1; part < 16; ++part) {
            const std::size_t at = data.size() * part / 16;
            EXPECT_EQ(Fuzz_Help(data.data(), at), 0) << entry.path() << " cut at " << at;
            std::vector<std::uint8_t> changed = data;
            changed[at] ^= 0xA5;
            EXPECT_EQ(Fuzz_Help(changed.data(), changed.size()), 0) << entry.path() << " changed at " << at;
        }
        ++files;
    }
    EXPECT_GE(files, 3);
}

TEST(Help_Fuzz_Corpus, TheCompiledSeedsOpen)
{
    // The indexed seed is the HD one with an index chunk over its listing,
    // so that the fuzzer starts from a sound index tree.
    for (const char* name : {"tiny.chm", "hd_help.chm", "hd_help_indexed.chm"}) {
        const std::vector<std::uint8_t> data = Read_Bytes(Corpus / name);
        const auto file = Chm_File::From_Bytes(std::string(data.begin(), data.end()));
        ASSERT_TRUE(file->Is_Open()) << name;
        EXPECT_FALSE(file->Topic_Of_Context(1000).empty()) << name;
        EXPECT_FALSE(Parse_Sitemap(file->Read(file->Contents_File()).value_or("")).empty()) << name;
    }
}
