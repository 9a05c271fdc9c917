// The multimedia button: a face per state with fallbacks, the hit test on
// the picture's transparent colour, and its stored face indexes in every
// layout that files hold.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Back_Test_Support.h"
#include "Strip_Test_Support.h"
#include "components/controls/SCLCustomMMButton.h"
#include "components/foundations/Sclclass.h"
#include "platform/classlib/Form_Parser.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"

using namespace back_test;
using namespace strip_test;

namespace {

struct Fixture {
    Test_Form form;
    std::unique_ptr<TSCLImageList> strip = Strip_List(5);
    TSCLCustomMMButton* button = new TSCLCustomMMButton(&form);
    int clicks = 0;
    Fixture()
    {
        button->SetBounds(20, 20, Side, Side);
        button->SetParent(&form);
        button->SetButtonFaceImageList(strip.get());
        button->SetButtonFaceIndex(bsUp, SCLFaceIndex(0, 0));
        button->SetButtonFaceIndex(bsDown, SCLFaceIndex(0, 1));
        button->OnClick = [this](TObject*) { ++clicks; };
        form.Show();
        Pump();
        SCLApplication->TimerPool()->UpdateMainTimer(false);
    }
    ~Fixture() { button->SetButtonFaceImageList(nullptr); }
    void Send(UINT message, int x, int y)
    {
        SendMessageA(form.Handle(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                     MAKELPARAM(20 + x, 20 + y));
        SCLApplication->TimerPool()->UpdateMainTimer(false);
    }
};

// The written text of the face properties, from their name to the end of
// their data.
std::vector<std::string> Face_Data(const std::string& text)
{
    std::vector<std::string> found;
    for (std::size_t at = text.find("ButtonFace"); at != std::string::npos; at = text.find("ButtonFace", at + 1)) {
        const std::size_t end = text.find('}', at);
        found.push_back(text.substr(at, end - at));
        at = end;
    }
    return found;
}

} // namespace

TEST(MultimediaButton, UpAndDownPicturesServeEveryStateAndTransparentPixelsFallThrough)
{
    Fixture fixture;
    fixture.button->SetAllowMouseOver(true);
    EXPECT_EQ(Shown(&fixture.form).pixel(23, 23), Rgb_Of(Frame_Colors[0]));
    fixture.Send(WM_MOUSEMOVE, 3, 3);
    EXPECT_EQ(fixture.button->State(), bsMouseOver);
    EXPECT_EQ(Shown(&fixture.form).pixel(23, 23), Rgb_Of(Frame_Colors[0])) << "mouse over shows the up face";
    fixture.Send(WM_LBUTTONDOWN, 3, 3);
    EXPECT_EQ(Shown(&fixture.form).pixel(23, 23), Rgb_Of(Frame_Colors[1])) << "down face";
    fixture.Send(WM_LBUTTONUP, 3, 3);
    EXPECT_EQ(fixture.clicks, 1);

    EXPECT_FALSE(fixture.button->VerifyTransparency(0, 0)) << "key colour";
    fixture.Send(WM_LBUTTONDOWN, 0, 0);
    fixture.Send(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(fixture.clicks, 1) << "a click on a transparent pixel is not the button's";
}

TEST(MultimediaButton, AutosizeMakesTheButtonThePicturesSize)
{
    Fixture fixture;
    fixture.button->SetBounds(20, 20, 30, 30);
    fixture.button->SetButtonFaceStyle(sbAutosize);
    Pump();
    EXPECT_EQ(fixture.button->Width(), Side);
    EXPECT_EQ(fixture.button->Height(), Side);
}

TEST(MultimediaButton, FaceIndexesAreWrittenInTheNewestLayoutAndReadBackByteIdentical)
{
    TSCLCustomMMButton saved(nullptr);
    saved.SetName("Media");
    for (int s = 0; s < 8; ++s)
        saved.SetButtonFaceIndex(static_cast<TSCLButtonState>(s), SCLFaceIndex(s + 1, 10 * s + 0x123456));
    EXPECT_EQ(saved.GetButtonFaceIndices()[0], 0x123456);
    EXPECT_EQ(saved.GetButtonFaceIndices()[8], 8) << "list indexes from state 7 down";
    const std::string text = WriteComponentText(&saved);
    EXPECT_NE(text.find("ButtonFaceIndicesNew2"), std::string::npos);
    EXPECT_NE(text.find("ButtonFaceTransColNew"), std::string::npos);
    EXPECT_EQ(text.find("ButtonFaceIndices "), std::string::npos) << "older layouts are never written";

    std::unique_ptr<TComponent> read(CreateComponentFromText(text, "written", nullptr));
    auto* button = dynamic_cast<TSCLCustomMMButton*>(read.get());
    ASSERT_NE(button, nullptr);
    for (int s = 0; s < 8; ++s)
        EXPECT_EQ(button->GetButtonFaceIndex(static_cast<TSCLButtonState>(s)),
                  SCLFaceIndex(s + 1, 10 * s + 0x123456));
    EXPECT_EQ(Face_Data(WriteComponentText(button)), Face_Data(text));
    EXPECT_EQ(Face_Data(text).size(), 2u);
}

TEST(MultimediaButton, OlderLayoutsStillLoad)
{
    // States 0-6 as (list, image) pairs: state s has list s + 1, image s + 20.
    std::string pairs;
    std::string lists_then_images;
    auto hex = [](int v) {
        char out[9];
        std::snprintf(out, sizeof out, "%02X000000", v);
        return std::string(out);
    };
    for (int s = 0; s < 7; ++s)
        pairs += hex(s + 1) + hex(s + 20);
    for (int s = 0; s < 7; ++s)
        lists_then_images += hex(s + 1);
    for (int s = 0; s < 7; ++s)
        lists_then_images += hex(s + 20);
    for (const auto& [name, data] : {std::pair{std::string("ButtonFaceIndices"), pairs},
                                     std::pair{std::string("ButtonFaceIndicesNew"), lists_then_images}}) {
        const std::string text = "object Media: TSCLCustomMMButton\n  " + name + " = {\n    " + data +
                                 "}\n  ButtonFaceTransCol = {\n    FF000000}\nend\n";
        std::unique_ptr<TComponent> read(CreateComponentFromText(text, name, nullptr));
        auto* button = dynamic_cast<TSCLCustomMMButton*>(read.get());
        ASSERT_NE(button, nullptr) << name;
        for (int s = 0; s < 7; ++s)
            EXPECT_EQ(button->GetButtonFaceIndex(static_cast<TSCLButtonState>(s)), SCLFaceIndex(s + 1, s + 20))
                << name << " state " << s;
        EXPECT_EQ(button->TransColor(), static_cast<TColor>(0xFF)) << name;
    }
}
