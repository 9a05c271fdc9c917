// The fuzz targets' bodies run over every file of their committed corpus in
// the normal test run, so that the corpus keeps passing with g++ and under
// the sanitizer runs too.
#include "fuzz/Fuzz_Targets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

const fs::path Corpus = ORDEXIA_FUZZ_CORPUS_DIR;

struct Target {
    const char* name;
    int (*run)(const std::uint8_t*, std::size_t);
};

TEST(FuzzCorpus, EveryTargetTakesEveryFileOfItsCorpus)
{
    for (const Target& target : {Target{"lzrw", Fuzz_Lzrw}, Target{"list", Fuzz_List}, Target{"streams", Fuzz_Streams}}) {
        int files = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(Corpus / target.name)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            EXPECT_EQ(target.run(data.data(), data.size()), 0) << entry.path();
            ++files;
        }
        EXPECT_GT(files, 3) << target.name;
    }
}

TEST(FuzzCorpus, DamagedCopiesOfTheCorpusAreErrorsNotOverruns)
{
    // Every corpus file cut at a few lengths and with one byte changed at a
    // few places: what the fuzzers try first, run here on every build.
    for (const Target& target : {Target{"lzrw", Fuzz_Lzrw}, Target{"list", Fuzz_List}, Target{"streams", Fuzz_Streams}}) {
        for (const fs::directory_entry& entry : fs::directory_iterator(Corpus / target.name)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            for (std::size_t part = 1; part < 8; ++part) {
                const std::size_t at = data.size() * part / 8;
                EXPECT_EQ(target.run(data.data(), at), 0) << entry.path() << " cut at " << at;
                std::vector<std::uint8_t> changed = data;
                if (at < changed.size()) {
                    changed[at] ^= 0xA5;
                    EXPECT_EQ(target.run(changed.data(), changed.size()), 0) << entry.path() << " changed at " << at;
                }
            }
        }
    }
}

} // namespace
