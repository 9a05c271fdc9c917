// The container tool: its output, embedded in the test program, fills the
// global lists through the container control's form object and draws; a
// bad manifest is refused with its line.

#include "components/foundations/Sclcont.h"
#include "platform/classlib/Form_Reader.h"

#include "tests/support/Temp_Settings.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Resource(const char* Name)
{
    QFile file(Name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << Name;
    const QByteArray data = file.readAll();
    return Bytes(data.begin(), data.end());
}

// The global lists filled from the embedded container object, read as the
// main form's resource reads its container control.
void Load_Container()
{
    const Bytes text = Resource(":/container/MainContainer.txt");
    std::unique_ptr<TComponent> control(
        CreateComponentFromText(std::string(text.begin(), text.end()), "MainContainer", nullptr));
    ASSERT_NE(dynamic_cast<TSCLContainerCtrl*>(control.get()), nullptr);
    EXPECT_EQ(control->Name(), "MainContainer");
}

void Clear_Target(TBitmap& Target, int Size)
{
    Target.SetPixelFormat(pf24bit);
    Target.SetSize(Size, Size);
    Target.Canvas()->Brush()->SetColor(clYellow);
    Target.Canvas()->FillRect(RECT{0, 0, Size, Size});
}

struct Run_Result {
    int status;
    std::string output;
};

Run_Result Run_Tool(const std::string& Arguments)
{
    const std::string command = std::string(MAKE_CONTAINER) + " " + Arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[256];
    while (pipe && fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = pipe ? pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

} // namespace

TEST(Make_Container, EmbeddedOutputFillsTheGlobalLists)
{
    Load_Container();
    TSCLBitmapList* bitmaps = static_cast<TSCLBitmapList*>(SCLGlobalList("SCLBML30"));
    TSCLImageList* images = static_cast<TSCLImageList*>(SCLGlobalList("SCLIML30"));
    ASSERT_EQ(bitmaps->Count(), 2);
    ASSERT_EQ(images->Count(), 2);

    EXPECT_EQ(bitmaps->Items(0)->Ident, 0);
    EXPECT_EQ(bitmaps->Items(1)->Ident, 1);
    EXPECT_EQ(bitmaps->Dimensions(0, 0), 24);
    EXPECT_EQ(bitmaps->Dimensions(1, 1), 10);

    TSCLImageListItem* led = images->ItemByName("Led");
    ASSERT_NE(led, nullptr);
    EXPECT_EQ(led->Count(), 4);
    EXPECT_EQ(led->Width(), 6);
    EXPECT_FALSE(led->Masked());
    TSCLImageListItem* camera = images->ItemByName("Camera");
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->Count(), 2);
    EXPECT_TRUE(camera->Masked());
}

TEST(Make_Container, StripFramesDrawWithTheirTransparentColour)
{
    Load_Container();
    TSCLCustomImageList* images = SCLGlobalList("SCLIML30");

    // The Led strip, frame 2 (blue), drawn transparently through its
    // bottom-left colour.
    TBitmap target;
    Clear_Target(target, 10);
    images->DrawExt(target.Canvas(), RECT{2, 2, 8, 8}, 0x0040, 0, 2);
    EXPECT_EQ(target.Canvas()->Pixels(4, 3), clBlue);
    EXPECT_EQ(target.Canvas()->Pixels(2, 3), clYellow) << "left column is transparent";
    EXPECT_EQ(target.Canvas()->Pixels(4, 7), clYellow) << "bottom row is transparent";

    // The masked Camera strip, frame 1 (cyan), drawn through its mask.
    Clear_Target(target, 10);
    images->Draw(target.Canvas(), 1, 1, 1, 1);
    EXPECT_EQ(target.Canvas()->Pixels(4, 4), clAqua);
    EXPECT_EQ(target.Canvas()->Pixels(1, 4), clYellow);
    EXPECT_EQ(target.Canvas()->Pixels(4, 8), clYellow);

    // The logo bitmap in its own size.
    Clear_Target(target, 12);
    SCLGlobalList("SCLBML30")->Draw(target.Canvas(), 1, 1, 1, 0);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clWhite);
    EXPECT_EQ(target.Canvas()->Pixels(5, 5), static_cast<TColor>(0x008000));
    EXPECT_EQ(target.Canvas()->Pixels(11, 11), clYellow);
}

TEST(Make_Container, StoredDataWritesBackByteIdentical)
{
    Load_Container();
    TSCLContainerCtrl control(nullptr);
    for (const char* name : {"BitmapList", "ImageList"}) {
        const Bytes stored = Resource((std::string(":/container/") + name + ".dat").c_str());
        TMemoryStream written;
        control.WriteList(name, written);
        const auto* data = static_cast<const unsigned char*>(written.Memory());
        EXPECT_EQ(Bytes(data, data + written.Size()), stored) << name;
    }
}

TEST(Make_Container, BadManifestIsRefusedWithItsLine)
{
    const auto folder = Make_Temp_Folder("make_container");
    std::filesystem::copy_file(std::filesystem::path(CONTAINER_SOURCE) / "led.bmp", folder / "led.bmp");
    struct Case {
        const char* line;
        const char* message;
    };
    for (const Case& c : {Case{"strip 0 \"Led\" led.bmp 5x6 4", "not 4 frames of 5x6"},
                          Case{"strip 0 \"Led\" led.bmp 6x6", "frame count"},
                          Case{"picture 0 \"Led\" led.bmp", "expected"},
                          Case{"bitmap 0 \"Gone\" gone.bmp", "gone.bmp"}}) {
        std::ofstream(folder / "manifest") << "# comment\n\n" << c.line << '\n';
        const Run_Result result = Run_Tool((folder / "manifest").string() + " " + (folder / "out").string());
        EXPECT_EQ(result.status, 1) << c.line;
        EXPECT_NE(result.output.find("manifest:3: "), std::string::npos) << result.output;
        EXPECT_NE(result.output.find(c.message), std::string::npos) << result.output;
        EXPECT_FALSE(std::filesystem::exists(folder / "out" / "ImageList.dat")) << c.line;
    }
    std::filesystem::remove_all(folder);
}
