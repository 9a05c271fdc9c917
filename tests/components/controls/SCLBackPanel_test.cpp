#include "components/controls/SCLBackPanel.h"

#include "components/controls/SCLBack.h"

#include "components/controls/SCLPanelFill.h"
#include "components/controls/SCLSimplePanel.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"

#include <gtest/gtest.h>

#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

// The test form of the resources folder: a back panel drawing item 0 of
// the global bitmap list with a transparent panel on it, a red tile, and a
// fill panel with a red-to-blue gradient.
class TForm_Panels : public TForm {
public:
    // Empty unless read from the resource.
    TForm_Panels(TComponent* AOwner, bool from_resource) : TForm(AOwner)
    {
        if (from_resource)
            InitInheritedComponent(this, Table());
    }

    TSCLBackPanel* BackPanel = nullptr;
    TSCLSimplePanel* GlassPanel = nullptr;
    TSCLSimplePanel* TilePanel = nullptr;
    TSCLPanelFill* FillPanel = nullptr;

    static const TForm_Table& Table()
    {
        static const TForm_Table table = TForm_Table()
                                             .Field("BackPanel", &TForm_Panels::BackPanel)
                                             .Field("GlassPanel", &TForm_Panels::GlassPanel)
                                             .Field("TilePanel", &TForm_Panels::TilePanel)
                                             .Field("FillPanel", &TForm_Panels::FillPanel);
        return table;
    }
};

// Item 0 of the global bitmap list holds a pattern while a test runs.
class Global_Pattern {
public:
    Global_Pattern()
    {
        SCLContainer->BitmapList()->Clear();
        SCLContainer->BitmapList()->Add();
        SCLContainer->BitmapList()->Items(0)->SetBitmap(Pattern_Bitmap(200, 200).get());
    }
    ~Global_Pattern() { SCLContainer->BitmapList()->Clear(); }
};

} // namespace

TEST(PanelForm, AFormResourcePlacesTheLibrarysPanelsThatDrawAsStored)
{
    Global_Pattern pattern;
    TForm_Panels form(nullptr, true);
    ASSERT_NE(form.FillPanel, nullptr);
    EXPECT_EQ(form.BackPanel->ImageList(), SCLContainer->BitmapList());
    EXPECT_TRUE(form.TilePanel->Locked);
    EXPECT_TRUE(form.GlassPanel->Transparent());
    EXPECT_EQ(form.FillPanel->FillObject()->Style(), sfGradient);
    auto* form_back = dynamic_cast<TSCLBack*>(form.FindComponent("FormBack"));
    ASSERT_NE(form_back, nullptr);
    EXPECT_EQ(form_back->PaintMode(), pcOwnerDraw);
    EXPECT_FALSE(form_back->DefaultFill);
    form.Show();
    const QImage image = Shown(&form);

    // The back panel: its raised inner bevel of 2, then the picture.
    EXPECT_EQ(image.pixel(0, 0), Rgb_Of(clBtnHighlight));
    EXPECT_EQ(image.pixel(10, 10), Rgb_Of(Pattern_Color(10, 10)));
    EXPECT_EQ(image.pixel(119, 60), Rgb_Of(clBtnShadow));
    // The transparent panel shows the back panel's picture under it.
    EXPECT_EQ(image.pixel(35, 45), Rgb_Of(Pattern_Color(35, 45)));
    EXPECT_EQ(image.pixel(89, 79), Rgb_Of(Pattern_Color(89, 79)));
    // The tile: a lowered frame of one pixel round its red.
    EXPECT_EQ(image.pixel(130, 0), Rgb_Of(clBtnShadow));
    EXPECT_EQ(image.pixel(229, 49), Rgb_Of(clBtnHighlight));
    EXPECT_EQ(image.pixel(180, 25), Rgb_Of(clRed));
    // The gradient runs from red at the left to blue at the right.
    EXPECT_EQ(image.pixel(130, 110), Rgb_Of(clRed));
    EXPECT_EQ(image.pixel(229, 110), Rgb_Of(clBlue));
    EXPECT_EQ(image.pixel(130, 60), image.pixel(130, 159)) << "horizontal: the same down a column";
}

TEST(PanelForm, APanelWrittenOutReadsBackAsItWas)
{
    Global_Pattern pattern;
    TForm_Panels form(nullptr, true);
    form.FillPanel->FillObject()->SetFillStyle(sfBrush);
    form.BackPanel->SetQuickDraw(true);
    const std::string text = WriteComponentText(&form, TForm_Panels::Table());
    EXPECT_NE(text.find("Internal = 'SCLBML30'"), std::string::npos) << text;
    EXPECT_EQ(text.find("ImageList ="), std::string::npos) << "the global list is no reference";

    TForm_Panels copy(nullptr, false);
    ReadComponentText(text, "written", &copy, TForm_Panels::Table());
    EXPECT_EQ(copy.FillPanel->FillObject()->Style(), sfBrush) << "a brush fill is stored: sfNone is the default";
    EXPECT_TRUE(copy.BackPanel->QuickDraw());
    EXPECT_EQ(copy.BackPanel->ImageList(), SCLContainer->BitmapList());

    copy.FillPanel->FillObject()->SetFillStyle(sfNone);
    TForm_Panels again(nullptr, false);
    ReadComponentText(WriteComponentText(&copy, TForm_Panels::Table()), "written", &again, TForm_Panels::Table());
    EXPECT_EQ(again.FillPanel->FillObject()->Style(), sfNone) << "no style reloads as no style";
}
