// A form resource placing a shape control, a list image, two animated
// images and a draw edge, read and shown offscreen: stored values (the
// animation interval among them) survive the loading, and every control
// draws.

#include <gtest/gtest.h>

#include "Back_Test_Support.h"
#include "Strip_Test_Support.h"
#include "components/controls/SCLDrawEdge.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/Sclanictrl.h"
#include "components/foundations/Sclclass.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"

using namespace back_test;
using namespace strip_test;

namespace {

class TForm_Shapes : public TForm {
public:
    TForm_Shapes(TComponent* AOwner, bool from_resource) : TForm(AOwner)
    {
        if (from_resource)
            InitInheritedComponent(this, Table());
    }

    TSCLShapeControl* Tile = nullptr;
    TSCLLImage* Picture = nullptr;
    TSCLAniCtrl* Spinner = nullptr;
    TSCLAniCtrl* Blinker = nullptr;
    TSCLDrawEdge* Separator = nullptr;

    static const TForm_Table& Table()
    {
        static const TForm_Table table = TForm_Table()
                                             .Field("Tile", &TForm_Shapes::Tile)
                                             .Field("Picture", &TForm_Shapes::Picture)
                                             .Field("Spinner", &TForm_Shapes::Spinner)
                                             .Field("Blinker", &TForm_Shapes::Blinker)
                                             .Field("Separator", &TForm_Shapes::Separator);
        return table;
    }
};

// Item 0 of the global image list holds the five-frame strip while a test runs.
class Global_Strip {
public:
    Global_Strip()
    {
        const auto strip = Strip_List(5);
        SCLContainer->ImageList()->Clear();
        SCLContainer->ImageList()->Add();
        SCLContainer->ImageList()->Items(0)->Assign(strip->Items(0));
    }
    ~Global_Strip() { SCLContainer->ImageList()->Clear(); }
};

} // namespace

TEST(ShapesForm, AFormResourcePlacesTheShapeImageAnimationAndEdgeControls)
{
    Global_Strip strip;
    TForm_Shapes form(nullptr, true);
    ASSERT_NE(form.Separator, nullptr);
    EXPECT_EQ(form.Tile->Mode(), scmShapeFill);
    EXPECT_EQ(form.Tile->ShapeFill()->Gradient()->ColorCount(), 128);
    EXPECT_EQ(form.Tile->Bevel()->Style(), sbOffset);
    EXPECT_EQ(form.Tile->RoundPercent(), 60);
    EXPECT_EQ(form.Picture->ImageList(), SCLContainer->ImageList());
    EXPECT_TRUE(form.Picture->Transparent()) << "the list image's default";
    EXPECT_FALSE(form.Spinner->Transparent()) << "the animated image's default";
    EXPECT_TRUE(form.Spinner->ForceTransparent());
    EXPECT_EQ(form.Separator->FrameSides(), TSCLFrameSides{fsTop});

    EXPECT_EQ(form.Spinner->Interval(), 400) << "the stored interval is kept through the loading";
    EXPECT_TRUE(form.Spinner->Animate()) << "a stored Animate plays once loaded";
    EXPECT_EQ(SCLApplication->GetTimer(form.Spinner->TimerIdent())->Interval(), 400);
    EXPECT_EQ(form.Blinker->Interval(), 150) << "a pool interval rounds up to the pool's period";
    EXPECT_FALSE(form.Blinker->Animate());

    form.Show();
    SCLApplication->TimerPool()->UpdateMainTimer(false);
    const QImage shown = Shown(&form);
    const QRgb left = shown.pixel(15, 30);
    const QRgb right = shown.pixel(104, 30);
    EXPECT_GT(qRed(left), 200) << "the gradient starts red at the left";
    EXPECT_LT(qBlue(left), 40);
    EXPECT_GT(qBlue(right), 200);
    EXPECT_LT(qRed(right), 40);
    EXPECT_EQ(shown.pixel(10, 10), Rgb_Of(clWhite)) << "outside the rounded corner: the form";
    EXPECT_EQ(shown.pixel(10, 30), Rgb_Of(clWhite)) << "the light bevel line";
    EXPECT_EQ(shown.pixel(109, 30), Rgb_Of(clGray)) << "the shadow bevel line";
    EXPECT_EQ(shown.pixel(130, 10), Rgb_Of(clWhite)) << "the key colour, stretched, shows the form";
    EXPECT_EQ(shown.pixel(137, 17), Rgb_Of(Frame_Colors[1]));
    EXPECT_EQ(shown.pixel(133, 43), Rgb_Of(Frame_Colors[0]));
    EXPECT_EQ(shown.pixel(15, 60), Rgb_Of(clBtnShadow));
    EXPECT_EQ(shown.pixel(15, 61), Rgb_Of(clBtnHighlight));

    // 400 ms on the 50 ms pool: a step every eighth tick.
    auto ticks_to_next_frame = [&form] {
        const int frame = form.Spinner->GetCurrentFrame();
        int ticks = 0;
        while (form.Spinner->GetCurrentFrame() == frame && ticks < 100) {
            SCLApplication->TimerPool()->HandleTimers();
            ++ticks;
        }
        return ticks;
    };
    EXPECT_LE(ticks_to_next_frame(), 8);
    EXPECT_EQ(ticks_to_next_frame(), 8);
    EXPECT_EQ(form.Spinner->GetCurrentFrame(), 2);
}

TEST(ShapesForm, TheControlsWrittenOutReadBackWithTheirSettings)
{
    Global_Strip strip;
    TForm_Shapes form(nullptr, true);
    form.Spinner->SetAnimate(false);
    const std::string text = WriteComponentText(&form, TForm_Shapes::Table());
    EXPECT_EQ(text.find("Animate ="), std::string::npos) << "Animate is never stored";
    EXPECT_NE(text.find("Interval = 400"), std::string::npos) << text;

    TForm_Shapes copy(nullptr, false);
    ReadComponentText(text, "written", &copy, TForm_Shapes::Table());
    EXPECT_EQ(copy.Spinner->Interval(), 400);
    EXPECT_EQ(copy.Spinner->AnimationStyle(), asLoopReverse);
    EXPECT_EQ(copy.Tile->Shape(), stRoundRect);
    EXPECT_EQ(copy.Tile->Caption()->Caption(), "WCU");
    EXPECT_TRUE(copy.Picture->ForceTransparent());
    EXPECT_EQ(copy.Picture->Style(), sbStretch);
}
