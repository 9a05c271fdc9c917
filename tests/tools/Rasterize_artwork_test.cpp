// The artwork rasteriser: hard edges against the key colour, opaque
// pictures laid on their background, the key kept out of figures and in
// every frame's corner, refusals with their line, and the same bytes every
// time.

#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/classlib/Graphics_Canvas.h"

#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Run_Result {
    int status;
    std::string output;
};

Run_Result Run_Tool(const fs::path& manifest, const fs::path& output)
{
    const std::string command =
        std::string(RASTERIZE_ARTWORK) + " " + manifest.string() + " " + output.string() + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string text;
    char buffer[256];
    while (pipe && fgets(buffer, sizeof buffer, pipe))
        text += buffer;
    const int status = pipe ? pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}

std::string Read_File(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

class Rasterize_Artwork : public ::testing::Test {
protected:
    void TearDown() override { fs::remove_all(folder); }

    // One SVG under `name` with the given root settings and content, and a
    // manifest line naming it.
    void Write_Svg(const std::string& name, const std::string& root, const std::string& content)
    {
        std::ofstream(folder / name) << "<svg xmlns=\"http://www.w3.org/2000/svg\" " << root << ">" << content
                                     << "</svg>\n";
    }
    Run_Result Run(const std::string& manifest_line)
    {
        std::ofstream(folder / "manifest") << "# test\n" << manifest_line << '\n';
        return Run_Tool(folder / "manifest", folder / "out");
    }
    TColor Pixel(const std::string& bmp, int x, int y)
    {
        TBitmap bitmap;
        bitmap.LoadFromFile((folder / "out" / bmp).string());
        return bitmap.Canvas()->Pixels(x, y);
    }

    fs::path folder = Make_Temp_Folder("rasterize_artwork");
};

// Four pixels in a row over an empty bottom row: red at 60 % and at 40 %
// cover, magenta (the key itself) and blue in full.
const char* const Row = "<rect x='0' y='0' width='1' height='1' fill='#FF0000' fill-opacity='0.6'/>"
                        "<rect x='1' y='0' width='1' height='1' fill='#FF0000' fill-opacity='0.4'/>"
                        "<rect x='2' y='0' width='1' height='1' fill='#FF00FF'/>"
                        "<rect x='3' y='0' width='1' height='1' fill='#0000FF'/>";

TEST_F(Rasterize_Artwork, KeyedPicturesHaveHardEdgesAndKeepTheKeyOutOfTheFigure)
{
    Write_Svg("row.svg", "width='4' height='2' data-key='#FF00FF'", Row);
    const Run_Result result = Run("bitmap 3 \"Row\" row.svg");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(Pixel("row.bmp", 0, 0), static_cast<TColor>(0x0000FF)) << "half covered or more: its own colour";
    EXPECT_EQ(Pixel("row.bmp", 1, 0), static_cast<TColor>(0xFF00FF)) << "less than half: the key";
    EXPECT_EQ(Pixel("row.bmp", 2, 0), static_cast<TColor>(0xFE00FF)) << "the key's colour in the figure moves";
    EXPECT_EQ(Pixel("row.bmp", 3, 0), static_cast<TColor>(0xFF0000));
    EXPECT_EQ(Pixel("row.bmp", 0, 1), static_cast<TColor>(0xFF00FF));
    EXPECT_EQ(Read_File(folder / "out" / "manifest"), "bitmap 3 \"Row\" row.bmp\n");
}

TEST_F(Rasterize_Artwork, OpaquePicturesAreLaidOnTheirBackground)
{
    Write_Svg("row.svg", "width='4' height='2' data-background='#00FF00'", Row);
    ASSERT_EQ(Run("bitmap 0 \"\" row.svg").status, 0);
    // Six tenths red over green (the renderer's alpha rounds to 152 or 153).
    const TColor blend = Pixel("row.bmp", 0, 0);
    EXPECT_NEAR(GetRValue(blend), 153, 1);
    EXPECT_EQ(GetRValue(blend) + GetGValue(blend), 255);
    EXPECT_EQ(GetBValue(blend), 0);
    EXPECT_EQ(Pixel("row.bmp", 2, 0), static_cast<TColor>(0xFF00FF));
    EXPECT_EQ(Pixel("row.bmp", 0, 1), static_cast<TColor>(0x00FF00));
}

TEST_F(Rasterize_Artwork, AWrapperRendersAnotherDrawingAtItsSizeAndTone)
{
    Write_Svg("red.svg", "width='2' height='2' viewBox='0 0 2 2' data-key='#FF00FF'",
              "<rect width='2' height='1' fill='#FF0000'/>");
    Write_Svg("big.svg", "width='4' height='4' data-picture='red.svg' data-tone='grey' data-key='#00FFFF'", "");
    ASSERT_EQ(Run("strip 0 \"Big\" big.svg 2x4 2").status, 0);
    EXPECT_EQ(Pixel("big.bmp", 3, 1), static_cast<TColor>(RGB(150, 150, 150))) << "red in light grey";
    EXPECT_EQ(Pixel("big.bmp", 3, 2), static_cast<TColor>(0xFFFF00));
    EXPECT_EQ(Read_File(folder / "out" / "manifest"), "strip 0 \"Big\" big.bmp 2x4 2\n");
}

TEST_F(Rasterize_Artwork, BadArtworkIsRefusedWithItsLine)
{
    struct Case {
        const char* root;
        const char* content;
        const char* line;
        const char* message;
    };
    const char* const second_corner = "<rect x='2' y='1' width='1' height='1' fill='#000000'/>";
    for (const Case& c : {
             Case{"width='4' height='2' data-key='#FF00FF'", second_corner, "strip 0 \"S\" a.svg 2x2 2", "frame 1"},
             Case{"width='4' height='2' data-key='#FF00FF'", "", "strip 0 \"S\" a.svg 2x2 3", "not 3 frames"},
             Case{"width='4' height='2'", "", "bitmap 0 \"\" a.svg", "exactly one of"},
             Case{"width='4' height='2' data-key='pink'", "", "bitmap 0 \"\" a.svg", "#rrggbb"},
             Case{"width='4' data-key='#FF00FF'", "", "bitmap 0 \"\" a.svg", "height"},
             Case{"width='4' height='2' data-key='#FF00FF'", "", "bitmap 0 \"\" gone.svg", "gone.svg"},
         }) {
        Write_Svg("a.svg", c.root, c.content);
        const Run_Result result = Run(c.line);
        EXPECT_EQ(result.status, 1) << c.line;
        EXPECT_NE(result.output.find("manifest:2: "), std::string::npos) << result.output;
        EXPECT_NE(result.output.find(c.message), std::string::npos) << result.output;
        EXPECT_FALSE(fs::exists(folder / "out" / "manifest")) << c.line;
    }
}

TEST(Rasterize_Artwork_Output, TheProgramsArtworkRendersToTheSameBytesEveryTime)
{
    const fs::path folder = Make_Temp_Folder("rasterize_artwork_twice");
    const fs::path manifest = fs::path(ARTWORK_SOURCE) / "manifest";
    ASSERT_EQ(Run_Tool(manifest, folder / "first").status, 0);
    ASSERT_EQ(Run_Tool(manifest, folder / "second").status, 0);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder / "first")) {
        EXPECT_EQ(Read_File(entry.path()), Read_File(folder / "second" / entry.path().filename()))
            << entry.path().filename();
        ++files;
    }
    EXPECT_GT(files, 20);
    fs::remove_all(folder);
}

} // namespace
