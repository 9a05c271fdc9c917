#include "components/controls/Sclgraphiccontrol.h"

#include "components/controls/Sclbaseimage.h"

#include <gtest/gtest.h>

#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

// A beveled control that is empty unless told otherwise.
class Beveled : public TSCLGraphicControl {
public:
    Beveled(TWinControl* parent, bool empty) : TSCLGraphicControl(parent), empty(empty)
    {
        SetBounds(10, 10, 40, 30);
        SetParent(parent);
    }
    bool GetEmpty() override { return empty; }

private:
    bool empty;
};

} // namespace

TEST(GraphicControl, AnEmptyControlWithoutBevelPaintsNothing)
{
    Test_Form form;
    auto* control = new Beveled(&form, true);
    form.Show();
    EXPECT_EQ(control->BevelExt(), 0);
    EXPECT_EQ(Shown(&form).pixel(10, 10), Rgb_Of(clWhite));
}

TEST(GraphicControl, TheBevelFramesTheControlAndNarrowsItsRectangle)
{
    Test_Form form;
    auto* control = new Beveled(&form, false);
    TSCLBevel raised;
    raised.SetBevelStyleOuter(bvRaised);
    raised.SetWidthOuter(2);
    raised.SetColor(1, clYellow);
    raised.SetColor(2, clMaroon);
    int bevel_messages = 0;
    control->WindowProc = [&](TMessage& Message) {
        if (Message.Msg == CM_SCLBEVELCHANGED)
            ++bevel_messages;
        control->WndProc(Message);
    };
    control->SetBevel(&raised);
    EXPECT_EQ(bevel_messages, 1);
    EXPECT_EQ(control->BevelExt(), 2);
    EXPECT_EQ(control->DblBevelExt(), 4);
    EXPECT_TRUE(control->BeveledRect() == (RECT{2, 2, 38, 28}));
    form.Show();
    const QImage image = Shown(&form);
    EXPECT_EQ(image.pixel(10, 10), Rgb_Of(clYellow));
    EXPECT_EQ(image.pixel(49, 39), Rgb_Of(clMaroon));
}

TEST(BaseImage, StyleFlagsFollowTheStyleAndTheBevelTogglesTheClip)
{
    struct Case {
        TSCLBitmapStyle style;
        WORD flags;
    };
    const Case cases[] = {{sbNone, 0x0001},    {sbAutosize, 0x0001},     {sbCenter, 0x0009},
                          {sbStretch, 0x0010}, {sbTile, 0x0021},         {sbKeepAspRatio, 0x0610},
                          {sbKeepWidth, 0x0211}, {sbKeepHeight, 0x0411}};
    TSCLBaseImage image(nullptr);
    EXPECT_TRUE(image.QuickDraw());
    EXPECT_EQ(image.Style(), sbNone);
    for (const Case& c : cases) {
        image.SetStyle(c.style);
        image.Bevel()->SetBevelStyleOuter(bvRaised);
        WORD flags = 0x8000;
        image.AddStyleFlags(flags);
        EXPECT_EQ(flags, 0x8000 | c.flags) << SCLEnumName(c.style) << " with a bevel";
        image.Bevel()->SetBevelStyleOuter(bvNone);
        flags = 0;
        image.AddStyleFlags(flags);
        EXPECT_EQ(flags, c.flags ^ 0x0001) << SCLEnumName(c.style) << " without a bevel";
    }
}
