// The shape button and the speed buttons: shaped hit test, the pressed
// face and its offset, the state colours, the face styles.

#include <gtest/gtest.h>

#include "Back_Test_Support.h"
#include "components/controls/SCLOfficeButton.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLSpeedButton.h"
#include "components/foundations/Sclclass.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/winapi/Cursor.h"

using namespace back_test;

namespace {

class Counting_Shape_Button : public TSCLShapeButton {
public:
    explicit Counting_Shape_Button(TWinControl* parent) : TSCLShapeButton(parent)
    {
        SetBounds(20, 20, 60, 40);
        SetParent(parent);
        OnClick = [this](TObject*) { ++Clicks; };
    }
    int Clicks = 0;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        TSCLShapeButton::Paint();
    }
};

// The look every shape button of the program's forms has.
void Form_Look(TSCLShapeButton* button)
{
    button->SetMode(sbmShapeFill);
    button->SetShapeStyle(sbs3D);
    button->ShapeFill()->SetFillStyle(sfNone);
    button->Shape()->Brush()->SetColor(clSilver);
    button->Shape()->Bevel()->SetColor(0, clWhite);
    button->Shape()->Bevel()->SetColor(1, clGray);
    button->Shape()->Shadow()->SetStyle(hssNone);
    button->Shape()->Shadow()->SetDepth(0);
    for (int i = 0; i < 5; ++i)
        button->Colors()->SetColor(i, clSilver);
    button->SetAllowMouseOver(true);
    button->SetColor(clSilver);
}

struct Fixture {
    Test_Form form;
    Counting_Shape_Button* button = new Counting_Shape_Button(&form);
    Fixture()
    {
        form.Show();
        Pump();
        SCLApplication->TimerPool()->UpdateMainTimer(false);
    }
    void Send(UINT message, int x, int y)
    {
        SendMessageA(form.Handle(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                     MAKELPARAM(20 + x, 20 + y));
        SCLApplication->TimerPool()->UpdateMainTimer(false);
    }
    void Click_At(int x, int y)
    {
        Send(WM_LBUTTONDOWN, x, y);
        Send(WM_LBUTTONUP, x, y);
    }
};

} // namespace

TEST(ShapeButton, AClickOutsideTheEllipseButInsideItsRectangleFallsThrough)
{
    Fixture fixture;
    fixture.button->Shape()->SetShape(stEllipse);
    fixture.button->Shape()->Shadow()->SetStyle(hssNone);
    fixture.Click_At(1, 1);
    EXPECT_EQ(fixture.button->Clicks, 0);
    EXPECT_EQ(fixture.button->State(), bsUp);
    fixture.Click_At(30, 20);
    EXPECT_EQ(fixture.button->Clicks, 1);
}

TEST(ShapeButton, ThreeDPressedShowsAnInsetBevelAndTheCaptionTwoPixelsFurther)
{
    Fixture fixture;
    Form_Look(fixture.button);
    const RECT up = fixture.button->TextRect();
    QImage shown = Shown(&fixture.form);
    EXPECT_EQ(shown.pixel(21, 21), Rgb_Of(clWhite)) << "raised: light top-left";

    fixture.Send(WM_MOUSEMOVE, 10, 10);
    fixture.Send(WM_LBUTTONDOWN, 10, 10);
    ASSERT_EQ(fixture.button->State(), bsDown);
    EXPECT_EQ(fixture.button->PressedShift(), 2);
    const RECT down = fixture.button->TextRect();
    EXPECT_EQ(down.left, up.left + 2);
    EXPECT_EQ(down.top, up.top + 2);
    shown = Shown(&fixture.form);
    EXPECT_EQ(shown.pixel(21, 21), Rgb_Of(clGray)) << "inset: shadow top-left";
    fixture.Send(WM_LBUTTONUP, 10, 10);
}

TEST(ShapeButton, TheHeldFacesHitTestFollowsTheOffsetItsDrawingUses)
{
    Fixture fixture;
    fixture.button->Shape()->SetShape(stEllipse);
    fixture.button->Shape()->Shadow()->SetStyle(hssSolid);
    fixture.button->Shape()->Shadow()->SetDepth(6);
    EXPECT_EQ(fixture.button->PressedShift(), 6);
    fixture.button->SetShapeStyle(sbs3D);
    EXPECT_EQ(fixture.button->PressedShift(), 2);
    // The bottom-right edge of the ellipse moved down by 2: still the button.
    fixture.Send(WM_LBUTTONDOWN, 30, 20);
    fixture.Send(WM_MOUSEMOVE, 30, 40 - 1);
    EXPECT_EQ(fixture.button->State(), bsDown);
    fixture.Send(WM_LBUTTONUP, 30, 40 - 1);
    EXPECT_EQ(fixture.button->Clicks, 1);
}

TEST(ShapeButton, EqualColoursMeanNoRepaintOnHoverAndANegativeFillIndexChangesNothing)
{
    Fixture fixture;
    Form_Look(fixture.button);
    fixture.button->SetEnterColorChange(false);
    Pump();
    const int before = fixture.button->Paints;
    fixture.Send(WM_MOUSEMOVE, 10, 10);
    EXPECT_EQ(fixture.button->State(), bsMouseOver);
    Pump();
    EXPECT_EQ(fixture.button->Paints, before);

    fixture.button->Colors()->SetColor(2, clRed);
    EXPECT_TRUE(fixture.button->ShapeButtonColorChange());

    fixture.button->SetBtnFaceIndex(0, 3);
    fixture.button->SetBtnFaceIndex(0, -1);
    EXPECT_EQ(fixture.button->ShapeFillImageIndex(), 3);
}

TEST(ShapeButton, FastModeFillsWithTheStateColour)
{
    Fixture fixture;
    fixture.button->Shape()->Shadow()->SetStyle(hssNone);
    fixture.button->SetAllowMouseOver(true);
    fixture.button->Colors()->SetColor(4, clLime);   // up
    fixture.button->Colors()->SetColor(2, clYellow); // mouse over
    fixture.button->Colors()->SetColor(1, clRed);    // down
    EXPECT_EQ(Shown(&fixture.form).pixel(50, 40), Rgb_Of(clLime));
    const POINT over = fixture.button->ClientToScreen(POINT{30, 20});
    SetCursorPos(over.x, over.y); // the windows layer checks where the mouse is
    fixture.Send(WM_MOUSEMOVE, 30, 20);
    EXPECT_EQ(fixture.button->State(), bsMouseOver);
    EXPECT_EQ(Shown(&fixture.form).pixel(50, 40), Rgb_Of(clYellow));
    fixture.Send(WM_LBUTTONDOWN, 30, 20);
    EXPECT_EQ(Shown(&fixture.form).pixel(50, 40), Rgb_Of(clRed));
    fixture.Send(WM_LBUTTONUP, 30, 20);
}

TEST(SpeedButton, SizeStylesAndStockGlyphs)
{
    Test_Form form;
    auto* speed = new TSCLSpeedButton(&form);
    EXPECT_EQ(speed->Width(), 23);
    EXPECT_EQ(speed->Height(), 22);
    EXPECT_TRUE(speed->AllowMouseOver());
    speed->SetStyle(ubsExplorer);
    EXPECT_TRUE(speed->Transparent());
    EXPECT_FALSE(speed->ControlStyle().Contains(csOpaque));
    speed->SetStyle(ubsWin40);
    EXPECT_FALSE(speed->Transparent());
    EXPECT_TRUE(speed->ControlStyle().Contains(csOpaque));

    speed->SetGlyphKind(gkFolder);
    EXPECT_EQ(speed->Glyph()->Width(), 13);
    EXPECT_TRUE(speed->IsCustom());
    EXPECT_FALSE(speed->ActionChangeable());

    auto* office = new TSCLOfficeButton(&form);
    EXPECT_EQ(office->Style(), ubsFlat);
    EXPECT_EQ(office->Width(), 23);
    EXPECT_EQ(office->Height(), 22);
    EXPECT_FALSE(office->ControlStyle().Contains(csOpaque));
}

TEST(SpeedButton, ThePressedFaceMovesTheCaptionByOnePixel)
{
    Test_Form form;
    auto* speed = new TSCLSpeedButton(&form);
    speed->SetBounds(10, 10, 40, 30);
    speed->SetParent(&form);
    speed->SetColor(clSilver);
    form.Show();
    const QImage up = Shown(&form);
    SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SCLApplication->TimerPool()->UpdateMainTimer(false);
    EXPECT_EQ(speed->State(), bsDown);
    const QImage down = Shown(&form);
    EXPECT_NE(up.pixel(10, 10), down.pixel(10, 10)) << "the face is drawn sunken";
    SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
}

TEST(ShapeButton, AKeptFaceNeverHidesAChangedColour)
{
    Fixture fixture;
    Form_Look(fixture.button);
    EXPECT_EQ(Shown(&fixture.form).pixel(50, 40), Rgb_Of(clSilver));
    fixture.button->SetColor(clAqua);
    EXPECT_EQ(Shown(&fixture.form).pixel(50, 40), Rgb_Of(clAqua));
    fixture.button->SetEnabled(false);
    fixture.button->SetColor(clYellow);
    EXPECT_EQ(Shown(&fixture.form).pixel(50, 40), Rgb_Of(clYellow));
}

TEST(ShapeButton, TheFormReaderBuildsTheFormsBlockButtonAndWritesOnlyWhatDiffers)
{
    std::unique_ptr<TComponent> read(CreateComponentFromText(R"(object ShapeButtonAMU1: TSCLShapeButton
  Left = 8
  Top = 16
  Width = 73
  Height = 41
  AllowAllUp = True
  AllowMouseOver = True
  Caption = '&AMU 1'
  Colors.Disabled = clSilver
  Colors.Down = clSilver
  Colors.MouseOver = clSilver
  Colors.OptionSet = clSilver
  Colors.Up = clSilver
  EnterColor = clBlue
  EnterColorChange = True
  GroupIndex = 3
  Mode = sbmShapeFill
  MultiLine = True
  RepeatedClick = True
  RepeatingInterval = 200
  Shape.Brush.Color = clSilver
  Shape.Shadow.Depth = 0
  Shape.Shadow.Style = hssNone
  ShapeFill.Style = sfNone
  Style = sbs3D
end
)",
                                                             "test", nullptr));
    auto* button = dynamic_cast<TSCLShapeButton*>(read.get());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Caption(), "&AMU 1");
    EXPECT_EQ(button->GroupIndex(), 3);
    EXPECT_TRUE(button->AllowAllUp());
    EXPECT_EQ(button->Mode(), sbmShapeFill);
    EXPECT_EQ(button->Style(), sbs3D);
    EXPECT_EQ(button->RepeatingInterval(), 200);
    EXPECT_EQ(button->RepeatingDelay(), 500);
    EXPECT_EQ(button->EnterColor(), clBlue);
    EXPECT_EQ(button->PressedShift(), 2);

    const std::string written = WriteComponentText(button);
    EXPECT_NE(written.find("RepeatingInterval = 200"), std::string::npos);
    EXPECT_EQ(written.find("RepeatingDelay"), std::string::npos) << "defaults are not stored";
    EXPECT_EQ(written.find("AllowTransparency"), std::string::npos);
}
