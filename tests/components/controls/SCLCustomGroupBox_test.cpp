#include "components/controls/SCLCustomGroupBox.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLSimplePanel.h"

#include <QApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include <memory>

#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/StdCtrls.h"
#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

TSCLGroupBox* Silver_Box(TWinControl* parent, const std::string& caption)
{
    auto* box = new TSCLGroupBox(parent);
    box->SetColor(clSilver);
    box->SetCaption(caption);
    box->SetBounds(0, 0, 185, 105);
    box->SetParent(parent);
    return box;
}

} // namespace

TEST(GroupBox, TheCaptionBandAndTheFrameFollowTheCaptionsSide)
{
    TSCLGroupBox box(nullptr);
    const int h = box.GetCaptionHeight();
    ASSERT_GT(h, 8);
    const int hh = h / 2 - 1;
    struct Case {
        TSCLGroupCaptionAlign alignment;
        RECT band;
        RECT frame;
        int angle;
    };
    const Case cases[] = {
        {gcaTopLeft, {8, 0, 185, h}, {0, hh, 185, 105}, 0},
        {gcaTopCenter, {0, 0, 185, h}, {0, hh, 185, 105}, 0},
        {gcaTopRight, {0, 0, 177, h}, {0, hh, 185, 105}, 0},
        {gcaLeftBottom, {0, 0, h, 97}, {hh, 0, 185, 105}, 90},
        {gcaLeftCenter, {0, 0, h, 105}, {hh, 0, 185, 105}, 90},
        {gcaLeftTop, {0, 8, h, 105}, {hh, 0, 185, 105}, 90},
        {gcaBottomLeft, {8, 105 - h, 185, 105}, {0, 0, 185, 105 - hh}, 0},
        {gcaBottomCenter, {0, 105 - h, 185, 105}, {0, 0, 185, 105 - hh}, 0},
        {gcaBottomRight, {0, 105 - h, 177, 105}, {0, 0, 185, 105 - hh}, 0},
        {gcaRightTop, {185 - h, 10, 185, 105}, {0, 0, 185 - hh, 105}, 270},
        {gcaRightCenter, {185 - h, 2, 185, 105}, {0, 0, 185 - hh, 105}, 270},
        {gcaRightBottom, {185 - h, 2, 185, 97}, {0, 0, 185 - hh, 105}, 270},
    };
    for (const Case& c : cases) {
        box.SetAlignCaption(c.alignment);
        EXPECT_TRUE(box.CaptionBand() == c.band) << SCLEnumName(c.alignment);
        EXPECT_TRUE(box.BevelRect() == c.frame) << SCLEnumName(c.alignment);
        EXPECT_EQ(box.FxCaption()->Angle(), c.angle) << SCLEnumName(c.alignment);
        EXPECT_EQ(box.GetCaptionHeight(), h) << "the band is one text line thick on every side";
    }
}

TEST(GroupBox, TheFrameIsCutOutUnderTheCaption)
{
    Test_Form form;
    auto* box = Silver_Box(&form, "Group");
    form.Show();
    const RECT text = box->CaptionTextRect();
    const int line = box->BevelRect().top;
    const QImage image = Shown(&form);
    EXPECT_EQ(text.left, 8) << "the caption starts at its offset";
    EXPECT_EQ(image.pixel(text.left - 1, line), Rgb_Of(clSilver)) << "cut two pixels before the text";
    EXPECT_NE(image.pixel(text.right + 10, line), Rgb_Of(clSilver)) << "the frame line runs on after the text";
    EXPECT_NE(image.pixel(4, line), Rgb_Of(clSilver)) << "and before it";

    box->SetCaption("   ");
    const QImage plain = Shown(&form);
    EXPECT_NE(plain.pixel(90, 0), Rgb_Of(clSilver)) << "a blank caption: the frame over the whole client area";
    EXPECT_EQ(plain.pixel(90, line), Rgb_Of(clSilver));
}

TEST(GroupBox, ChildrenAreAlignedBesideTheCaptionBand)
{
    Test_Form form;
    auto* box = Silver_Box(&form, "Group");
    auto* child = new TSCLSimplePanel(box);
    child->SetParent(box);
    child->SetAlign(alClient);
    form.Show();
    Pump();
    const int h = box->GetCaptionHeight();
    EXPECT_GE(child->Top(), h);
    box->SetAlignCaption(gcaLeftCenter);
    Pump();
    EXPECT_GE(child->Left(), h);
    EXPECT_LT(child->Top(), h);
    box->SetAlignCaption(gcaRightBottom);
    Pump();
    EXPECT_LE(child->Left() + child->Width(), box->ClientWidth() - h);
}

TEST(GroupBox, ItsAcceleratorFocusesTheFirstChild)
{
    Test_Form form;
    auto* other = new TEdit(&form);
    other->SetBounds(10, 150, 80, 20);
    other->SetParent(&form);
    auto* box = Silver_Box(&form, "&Group");
    auto* inside = new TEdit(box);
    inside->SetBounds(10, 30, 80, 20);
    inside->SetParent(box);
    form.Show();
    other->SetFocus();
    Pump();
    ASSERT_TRUE(other->Focused());
    QWidget* widget = Window_Widget(form.Handle());
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::NoModifier);
    QApplication::sendEvent(widget, &alt);
    QKeyEvent g(QEvent::KeyPress, Qt::Key_G, Qt::AltModifier, QStringLiteral("g"));
    QApplication::sendEvent(widget, &g);
    QKeyEvent g_up(QEvent::KeyRelease, Qt::Key_G, Qt::AltModifier, QStringLiteral("g"));
    QApplication::sendEvent(widget, &g_up);
    QKeyEvent alt_up(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QApplication::sendEvent(widget, &alt_up);
    Pump();
    EXPECT_TRUE(inside->Focused());
}

TEST(GroupBox, ItsOwnCaptionFontNoLongerFollowsTheParent)
{
    Test_Form form;
    auto* box = Silver_Box(&form, "Group");
    form.Font()->SetHeight(-20);
    Pump();
    EXPECT_EQ(box->CaptionFont()->Height(), -20) << "the caption font follows the parent's";
    const int tall = box->GetCaptionHeight();
    box->CaptionFont()->SetHeight(-11);
    EXPECT_FALSE(box->CaptionParentFont());
    EXPECT_LT(box->GetCaptionHeight(), tall) << "the band follows the caption font";
    form.Font()->SetHeight(-30);
    Pump();
    EXPECT_EQ(box->CaptionFont()->Height(), -11);
}

TEST(GroupBox, AListPictureIsItsBackgroundBehindTheCaption)
{
    Test_Form form;
    auto* list = new TSCLBitmapList(&form);
    list->Add();
    list->Items(0)->SetBitmap(Pattern_Bitmap(40, 30).get());
    std::unique_ptr<TComponent> read(CreateComponentFromText(R"(object Box: TSCLGroupBox
  Left = 0
  Top = 0
  Width = 185
  Height = 105
  Caption = 'Levels'
  Color = clWhite
  Alignment = gcaLeftCenter
  CaptionOffset = 56
  CaptionParentFont = False
  CaptionFont.Style = [fsBold]
  BackFX.AlphaBlend.Strength = 0.600000023841858
end
)",
                                                             "test", nullptr));
    auto* box = dynamic_cast<TSCLGroupBox*>(read.release());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Alignment(), gcaLeftCenter);
    EXPECT_EQ(box->CaptionOffset(), 56);
    EXPECT_FALSE(box->CaptionParentFont());
    EXPECT_TRUE(box->CaptionFont()->Style().Contains(fsBold));
    EXPECT_EQ(box->FxCaption()->Angle(), 90);
    form.InsertComponent(box);
    box->SetParent(&form);
    box->SetImageList(list);
    form.Show();
    const QImage image = Shown(&form);
    const RECT text = box->CaptionTextRect();
    EXPECT_EQ(image.pixel(2, text.bottom + 1), Rgb_Of(Pattern_Color(2, (text.bottom + 1) % 30)))
        << "the cut-out under the caption shows the picture";
    EXPECT_EQ(image.pixel(100, 50), Rgb_Of(Pattern_Color(100 % 40, 50 % 30)));
}
