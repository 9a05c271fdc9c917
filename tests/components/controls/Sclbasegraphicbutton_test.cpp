// The graphic button engine driven by real mouse messages sent to the
// form's window: the windows layer routes them to the windowless button,
// with capture, as the screen would.

#include <gtest/gtest.h>

#include <QMenu>
#include <QTimer>

#include <string>
#include <vector>

#include "Back_Test_Support.h"
#include "components/controls/Sclbasegraphicbutton.h"
#include "components/controls/Sclbuttonbase.h"
#include "components/foundations/Sclclass.h"
#include "platform/classlib/ActnList.h"
#include "platform/classlib/ImgList.h"
#include "platform/winapi/Cursor.h"

using namespace back_test;

namespace {

constexpr int Left = 20;
constexpr int Top = 20;
constexpr int W = 40;
constexpr int H = 30;

class Test_Button : public TSCLBaseGraphicButton {
public:
    Test_Button(TWinControl* parent, int left, int top) : TSCLBaseGraphicButton(parent)
    {
        SetBounds(left, top, W, H);
        SetParent(parent);
        OnClick = [this](TObject*) { ++Clicks; };
    }
    int Clicks = 0;
    int Paints = 0;

protected:
    void Paint() override { ++Paints; }
};

enum Event { Move, Press, Release, Leave };

struct Step {
    Event event;
    int x; // the button's own coordinates
    int y;
    TSCLButtonState state;
    int clicks;
};

struct Fixture {
    Test_Form form;
    Test_Button* button = new Test_Button(&form, Left, Top);

    Fixture()
    {
        form.Show();
        Pump();
        SCLApplication->TimerPool()->UpdateMainTimer(false);
    }
    void Send(UINT message, WPARAM keys, int x, int y)
    {
        SendMessageA(form.Handle(), message, keys, MAKELPARAM(Left + x, Top + y));
        // Only the test ticks the pool.
        SCLApplication->TimerPool()->UpdateMainTimer(false);
    }
    void Run(Event event, int x, int y)
    {
        switch (event) {
        case Move: Send(WM_MOUSEMOVE, button->MouseCapture() ? MK_LBUTTON : 0, x, y); break;
        case Press: Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y); break;
        case Release: Send(WM_LBUTTONUP, 0, x, y); break;
        case Leave: button->Perform(CM_MOUSELEAVE, 0, 0); break;
        }
    }
    void Tick(int count)
    {
        for (int i = 0; i < count; ++i)
            SCLApplication->TimerPool()->HandleTimers();
    }
};

void Run_Table(Fixture& fixture, const std::vector<Step>& steps)
{
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        fixture.Run(step.event, step.x, step.y);
        EXPECT_EQ(fixture.button->State(), step.state) << "step " << i;
        EXPECT_EQ(fixture.button->Clicks, step.clicks) << "step " << i;
    }
}

} // namespace

TEST(GraphicButton, StateMachineOfAPlainHoverButtonFollowsTheMouse)
{
    Fixture fixture;
    fixture.button->SetAllowMouseOver(true);
    Run_Table(fixture, {
                           {Move, 5, 5, bsMouseOver, 0},
                           {Press, 5, 5, bsDown, 0},
                           {Move, 60, 5, bsUp, 0},    // dragged off while held
                           {Move, 6, 6, bsDown, 0},   // back on
                           {Release, 6, 6, bsMouseOver, 1},
                           {Leave, 0, 0, bsUp, 1},
                           {Move, 5, 5, bsMouseOver, 1},
                           {Press, 5, 5, bsDown, 1},
                           {Release, 70, 5, bsUp, 1}, // released outside: no click
                       });
}

TEST(GraphicButton, WithoutHoverTheButtonGoesDownAndUpOnly)
{
    Fixture fixture;
    Run_Table(fixture, {
                           {Move, 5, 5, bsUp, 0},
                           {Press, 5, 5, bsDown, 0},
                           {Release, 5, 5, bsUp, 1},
                           {Press, 5, 5, bsDown, 1},
                           {Release, 5, 5, bsUp, 2},
                       });
}

TEST(GraphicButton, AGroupButtonLatchesOnReleaseAndTheReleaseOutsideKeepsItLatched)
{
    Fixture fixture;
    fixture.button->SetAllowMouseOver(true);
    fixture.button->SetGroupIndex(1);
    Run_Table(fixture, {
                           {Move, 5, 5, bsMouseOver, 0},
                           {Press, 5, 5, bsDown, 0},
                           {Release, 5, 5, bsOptionSet, 1},
                           {Press, 5, 5, bsOptionSet, 1},
                           {Release, 5, 5, bsOptionSet, 1}, // latched, no AllowAllUp: nothing
                       });
    EXPECT_TRUE(fixture.button->Pressed());
}

TEST(GraphicButton, HitTestsAreHalfOpenAReleaseOnePixelOutsideDoesNotClick)
{
    struct Case {
        int x;
        int y;
        int clicks;
    };
    for (const Case& c : {Case{W - 1, H - 1, 1}, Case{W, 5, 0}, Case{5, H, 0}, Case{-1, 5, 0}}) {
        Fixture fixture;
        fixture.Run(Press, 5, 5);
        fixture.Run(Release, c.x, c.y);
        EXPECT_EQ(fixture.button->Clicks, c.clicks) << c.x << "," << c.y;
        EXPECT_EQ(fixture.button->State(), bsUp);
    }
    Test_Button probe(nullptr, 0, 0);
    EXPECT_TRUE(probe.VerifyTransparency(W - 1, H - 1));
    EXPECT_FALSE(probe.VerifyTransparency(W, 0));
    EXPECT_FALSE(probe.VerifyTransparency(0, H));
}

TEST(GraphicButton, OneClickPerClickAlsoThroughTheClassLibrarysOwnRelease)
{
    Fixture fixture;
    EXPECT_FALSE(fixture.button->ControlStyle().Contains(csClickEvents));
    fixture.Run(Press, 5, 5);
    fixture.Run(Release, 5, 5);
    EXPECT_EQ(fixture.button->Clicks, 1);
}

TEST(GraphicButton, LatchingGroupWithAndWithoutAllowAllUp)
{
    for (bool all_up : {false, true}) {
        Fixture fixture;
        auto* second = new Test_Button(&fixture.form, 80, 20);
        auto* third = new Test_Button(&fixture.form, 140, 20);
        for (TSCLBaseGraphicButton* b : {static_cast<TSCLBaseGraphicButton*>(fixture.button),
                                         static_cast<TSCLBaseGraphicButton*>(second),
                                         static_cast<TSCLBaseGraphicButton*>(third)})
            b->SetGroupIndex(1);
        fixture.button->SetAllowAllUp(all_up);
        EXPECT_EQ(third->AllowAllUp(), all_up) << "the broadcast copies AllowAllUp to the group";

        fixture.Run(Press, 5, 5);
        fixture.Run(Release, 5, 5);
        EXPECT_TRUE(fixture.button->Pressed());
        auto press_second = [&] {
            SendMessageA(fixture.form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(85, 25));
            SendMessageA(fixture.form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(85, 25));
        };
        press_second();
        EXPECT_FALSE(fixture.button->Pressed()) << "pressing the second releases the first";
        EXPECT_EQ(fixture.button->State(), bsUp);
        EXPECT_TRUE(second->Pressed());
        press_second();
        EXPECT_EQ(second->Pressed(), !all_up) << "AllowAllUp " << all_up;
        EXPECT_FALSE(third->Pressed());
    }
}

TEST(GraphicButton, PressedNeedsAGroupAndADisabledLatchedButtonShowsDisabledDown)
{
    Fixture fixture;
    fixture.button->SetPressed(true);
    EXPECT_FALSE(fixture.button->Pressed()) << "no group: never pressed";
    fixture.button->SetGroupIndex(2);
    fixture.button->SetPressed(true);
    EXPECT_EQ(fixture.button->State(), bsOptionSet);
    fixture.button->SetEnabled(false);
    EXPECT_EQ(fixture.button->State(), bsDisabledDown);
    fixture.button->SetEnabled(true);
    EXPECT_EQ(fixture.button->State(), bsOptionSet);
}

TEST(GraphicButton, RepeatClicksAtOnceAfterTheDelayThenEveryIntervalWhileOver)
{
    Fixture fixture;
    fixture.button->SetRepeatedClick(true);
    fixture.Run(Move, 5, 5);
    fixture.Run(Press, 5, 5);
    EXPECT_EQ(fixture.button->Clicks, 1) << "the first click comes with the press";
    std::vector<int> clicks_at; // pool ticks of 50 ms
    for (int tick = 1; tick <= 20; ++tick) {
        const int before = fixture.button->Clicks;
        fixture.Tick(1);
        if (fixture.button->Clicks != before)
            clicks_at.push_back(tick * 50);
    }
    EXPECT_EQ(clicks_at, (std::vector<int>{500, 600, 700, 800, 900, 1000}));

    fixture.Run(Move, 60, 5); // off the button: no clicks
    const int off = fixture.button->Clicks;
    fixture.Tick(10);
    EXPECT_EQ(fixture.button->Clicks, off);
    fixture.Run(Move, 5, 5);
    fixture.Tick(2);
    EXPECT_EQ(fixture.button->Clicks, off + 1) << "back on: clicks again";
    fixture.Run(Release, 5, 5);
    EXPECT_EQ(fixture.button->Clicks, off + 1) << "the release does not click a repeating button";
    EXPECT_EQ(fixture.button->TimerIdent(1), 0);
}

TEST(GraphicButton, ALatchedRepeatingButtonClicksOnItsRelease)
{
    // Only a press that clicked at once (and repeats) keeps its release from
    // clicking: pressing a latched button starts no repeat, its release clicks.
    Fixture fixture;
    fixture.button->SetGroupIndex(1);
    fixture.button->SetAllowAllUp(true);
    fixture.button->SetRepeatedClick(true);
    Run_Table(fixture, {
                           {Press, 5, 5, bsDown, 1},         // clicks at once
                           {Release, 5, 5, bsOptionSet, 1},  // latched, no second click
                           {Press, 5, 5, bsOptionSet, 1},    // latched: no repeat
                           {Release, 5, 5, bsUp, 2},         // released, and clicked
                           {Press, 5, 5, bsDown, 3},
                           {Release, 5, 5, bsOptionSet, 3},
                       });
    EXPECT_TRUE(fixture.button->Pressed());
    EXPECT_EQ(fixture.button->TimerIdent(1), 0);
}

TEST(GraphicButton, APressBesideTheShapeRunsOnMouseDownThenIsIgnored)
{
    // A button whose left ten columns are see-through.
    class Holed_Button : public Test_Button {
    public:
        using Test_Button::Test_Button;
        bool VerifyTransparency(int X, int Y) override { return X >= 10 && TSCLBaseGraphicButton::VerifyTransparency(X, Y); }
    };
    Fixture fixture;
    fixture.button->SetVisible(false);
    auto* holed = new Holed_Button(&fixture.form, Left, Top);
    int downs = 0;
    holed->OnMouseDown = [&downs](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    SendMessageA(fixture.form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Left + 5, Top + 5));
    EXPECT_EQ(downs, 1) << "the platform's handling runs first";
    EXPECT_EQ(holed->State(), bsUp);
    EXPECT_FALSE(holed->MouseCapture());
    SendMessageA(fixture.form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(Left + 5, Top + 5));
    EXPECT_EQ(holed->Clicks, 0);
    SendMessageA(fixture.form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Left + 20, Top + 5));
    EXPECT_EQ(downs, 2);
    EXPECT_EQ(holed->State(), bsDown);
    SendMessageA(fixture.form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(Left + 20, Top + 5));
    EXPECT_EQ(holed->Clicks, 1);
}

TEST(GraphicButton, RepeatStopsOnCaptureLossCancelModeDisableAndHide)
{
    const std::vector<std::pair<std::string, std::function<void(Fixture&)>>> stops{
        {"capture lost", [](Fixture&) { ReleaseCapture(); }},
        {"cancel mode", [](Fixture& f) { SendMessageA(f.form.Handle(), WM_CANCELMODE, 0, 0); }},
        {"disabled", [](Fixture& f) { f.button->SetEnabled(false); }},
        {"hidden", [](Fixture& f) { f.button->SetVisible(false); }},
    };
    for (const auto& [name, stop] : stops) {
        Fixture fixture;
        fixture.button->SetRepeatedClick(true);
        fixture.Run(Move, 5, 5);
        fixture.Run(Press, 5, 5);
        stop(fixture);
        fixture.Tick(40);
        EXPECT_EQ(fixture.button->Clicks, 1) << name;
        EXPECT_EQ(fixture.button->TimerIdent(1), 0) << name;
        EXPECT_NE(fixture.button->State(), bsDown) << name;
    }
}

TEST(GraphicButton, TheHoverPollLeavesTheMouseOverStateWhenTheCursorIsGone)
{
    Fixture fixture;
    fixture.button->SetAllowMouseOver(true);
    const POINT inside = fixture.button->ClientToScreen(POINT{5, 5});
    SetCursorPos(inside.x, inside.y);
    fixture.Run(Move, 5, 5);
    ASSERT_EQ(fixture.button->State(), bsMouseOver);
    EXPECT_NE(fixture.button->TimerIdent(0), 0);
    fixture.Tick(4);
    EXPECT_EQ(fixture.button->State(), bsMouseOver);
    SetCursorPos(inside.x + W, inside.y);
    fixture.Tick(2);
    EXPECT_EQ(fixture.button->State(), bsUp);
    EXPECT_EQ(fixture.button->TimerIdent(0), 0);
}

TEST(GraphicButton, TheDropDownMenuIsModalAndTheMouseMessagesQueuedMeanwhileAreDropped)
{
    Fixture fixture;
    TPopupMenu menu(&fixture.form);
    auto* item = new TMenuItem(&menu);
    item->SetCaption("One");
    menu.Items()->Add(item);
    fixture.button->SetDropDown(&menu);
    std::vector<TSCLButtonState> seen;
    fixture.button->OnDropDown = [&](TObject*) {
        seen.push_back(fixture.button->State());
        // While the menu is up: the user clicks the button again, then the
        // menu closes. Those clicks must not reach the button afterwards.
        QTimer::singleShot(0, [&] {
            const HWND form = fixture.form.Handle();
            PostMessageA(form, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Left + 5, Top + 5));
            PostMessageA(form, WM_LBUTTONUP, 0, MAKELPARAM(Left + 5, Top + 5));
            if (QMenu* shown = menu.Menu_Widget())
                shown->close();
        });
    };
    int drop_clicks = 0;
    fixture.button->OnClick = [&](TObject*) { ++drop_clicks; };
    fixture.Run(Press, 5, 5);
    EXPECT_EQ(seen, (std::vector<TSCLButtonState>{bsDropDownOpen}));
    EXPECT_EQ(fixture.button->State(), bsMouseOver);
    MSG left;
    EXPECT_FALSE(PeekMessageA(&left, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE));
    Pump();
    EXPECT_EQ(drop_clicks, 0);
    EXPECT_EQ(seen.size(), 1u) << "no second drop-down from the queued press";
}

TEST(GraphicButton, TheAcceleratorClicksOnceAndTogglesAGroupButton)
{
    Fixture fixture;
    fixture.button->SetCaption("&Go");
    EXPECT_EQ(fixture.button->Perform(CM_DIALOGCHAR, 'g', 0), 1);
    EXPECT_EQ(fixture.button->Clicks, 1);
    EXPECT_EQ(fixture.button->Perform(CM_DIALOGCHAR, 'x', 0), 0);
    fixture.button->SetGroupIndex(3);
    fixture.button->SetAllowMouseOver(true);
    fixture.button->Perform(CM_DIALOGCHAR, 'G', 0);
    EXPECT_TRUE(fixture.button->Pressed());
    EXPECT_EQ(fixture.button->State(), bsOptionSet);
    EXPECT_EQ(fixture.button->Clicks, 2);
}

namespace {

// An action whose list holds one 8 x 8 red image with a white (transparent) corner pixel.
struct Action_Fixture {
    TImageList images{nullptr};
    TActionList list{nullptr};
    TAction action{nullptr};

    Action_Fixture()
    {
        images.SetWidth(8);
        images.SetHeight(8);
        TBitmap picture;
        picture.SetSize(8, 8);
        picture.Canvas()->Brush()->SetColor(clRed);
        picture.Canvas()->FillRect(RECT{0, 0, 8, 8});
        picture.Canvas()->SetPixels(0, 0, clWhite);
        images.AddMasked(&picture, clWhite);
        list.SetImages(&images);
        action.SetActionList(&list);
        action.SetCaption("Record");
        action.SetImageIndex(0);
    }
};

} // namespace

TEST(GraphicButton, TheGlyphIsTheActionsImageUntilItsIndexLeavesTheList)
{
    Fixture fixture;
    Action_Fixture actions;
    fixture.button->SetAction(&actions.action);
    EXPECT_EQ(fixture.button->Caption(), "Record") << "the inherited update runs first";
    TBitmap* glyph = fixture.button->Glyph();
    ASSERT_EQ(glyph->Width(), 8);
    EXPECT_EQ(glyph->Height(), 8);
    EXPECT_EQ(glyph->Canvas()->Pixels(4, 4), clRed);
    EXPECT_EQ(glyph->Canvas()->Pixels(0, 0), static_cast<TColor>(0xFF00FF)) << "the key colour behind the image";

    actions.action.SetImageIndex(1);
    EXPECT_TRUE(fixture.button->Glyph()->Empty());
    actions.action.SetImageIndex(0);
    EXPECT_EQ(fixture.button->Glyph()->Width(), 8);
    actions.list.SetImages(nullptr);
    EXPECT_TRUE(fixture.button->Glyph()->Empty()) << "no list images, no glyph";
    fixture.button->SetAction(nullptr);
}

TEST(GraphicButton, AUserSetGlyphSurvivesAnActionChange)
{
    Fixture fixture;
    Action_Fixture actions;
    TBitmap own;
    own.SetSize(16, 16);
    fixture.button->SetGlyph(&own);
    fixture.button->SetAction(&actions.action);
    actions.action.SetImageIndex(5);
    EXPECT_EQ(fixture.button->Glyph()->Width(), 16) << "the user's glyph stays";
    fixture.button->SetAction(nullptr);
}

TEST(GraphicButton, AClickRunsTheAction)
{
    Fixture fixture;
    Action_Fixture actions;
    int runs = 0;
    actions.action.OnExecute = [&](TObject*) { ++runs; };
    fixture.button->SetAction(&actions.action);
    fixture.Run(Press, 5, 5);
    fixture.Run(Release, 5, 5);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(fixture.button->Clicks, 0) << "the action took the click";
    fixture.button->SetAction(nullptr);
}

TEST(GraphicButton, StockGlyphsAreCellsOfTheStripInKindOrder)
{
    TBitmap first;
    TBitmap font;
    SCLGetGlyphKind(&first, gkEllipsis);
    SCLGetGlyphKind(&font, gkFont);
    EXPECT_EQ(first.Width(), 13);
    EXPECT_EQ(first.Height(), 14);
    EXPECT_EQ(font.Width(), 13);
    EXPECT_EQ(first.Canvas()->Pixels(2, 9), clBlack) << "the ellipsis dots";
    EXPECT_EQ(first.Canvas()->Pixels(0, 13), static_cast<TColor>(0xFF00FF)) << "key colour bottom-left";
    EXPECT_NE(font.Canvas()->Pixels(4, 2), first.Canvas()->Pixels(4, 2));
    SCLGetGlyphKind(nullptr, gkFile);
}

TEST(GraphicButton, BevelDepthPerStyle)
{
    struct Case {
        TSCLUserButtonStyle style;
        int depth;
    };
    for (const Case& c : {Case{ubsAutoDetect, 2}, Case{ubsWin31, 3}, Case{ubsWin40, 2}, Case{ubsClassic, 2},
                          Case{ubsClassicFlat, 2}, Case{ubsFlat, 1}, Case{ubsFlatUnColored, 1}, Case{ubsNavigator, 2},
                          Case{ubsExplorer, 1}, Case{ubsExplorerColored, 1}, Case{ubsIntegrated, 2}})
        EXPECT_EQ(SCLGetButtonBevel(c.style, bsDown), c.depth) << c.style;
}
