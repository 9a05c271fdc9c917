// The animated image: its frames stepped by the timer pool's own ticks
// (the pool's window timer is held so that only the test ticks it), every
// style's transitions, stop and restart, the pool interval, the timer
// modes, and the background a transparent one composes its frames over.

#include <chrono>
#include <vector>

#include <gtest/gtest.h>

#include "Back_Test_Support.h"
#include "Strip_Test_Support.h"
#include "components/controls/SCLBackPanel.h"
#include "components/controls/Sclanictrl.h"
#include "components/foundations/Sclclass.h"
#include "platform/classlib/Thread.h"
#include "platform/winapi/Kernel.h"

using namespace back_test;
using namespace strip_test;

namespace {

// An animated image of a five-frame strip at (20, 30) of a white form.
struct Animation {
    Test_Form form;
    std::unique_ptr<TSCLImageList> strip = Strip_List(5);
    TSCLAniCtrl* ani = new TSCLAniCtrl(&form);

    Animation()
    {
        ani->SetBounds(20, 30, Side, Side);
        ani->SetColor(clWhite);
        ani->SetInterval(50);
        ani->SetImageList(strip.get());
        ani->SetParent(&form);
        form.Show();
        Shown(&form);
        // Only the test ticks the pool from here on.
        SCLApplication->TimerPool()->UpdateMainTimer(false);
    }
    ~Animation() { ani->SetImageList(nullptr); }

    std::vector<int> Frames_Of_Ticks(int ticks)
    {
        std::vector<int> frames{ani->GetCurrentFrame()};
        for (int i = 0; i < ticks; ++i) {
            SCLApplication->TimerPool()->HandleTimers();
            frames.push_back(ani->GetCurrentFrame());
        }
        return frames;
    }
};

} // namespace

TEST(AnimatedImage, ThePoolsTicksStepThroughEveryFrameOfTheStripAndShowIt)
{
    Animation fixture;
    EXPECT_EQ(fixture.ani->StopFrame(), 4) << "a new list plays whole";
    int starts = 0;
    int animates = 0;
    fixture.ani->OnStart = [&](TObject*) { ++starts; };
    fixture.ani->OnAnimate = [&](TObject*) { ++animates; };
    fixture.ani->Play();
    EXPECT_TRUE(fixture.ani->Animate());
    EXPECT_EQ(starts, 1);

    for (int frame = 1; frame < 5; ++frame) {
        SCLApplication->TimerPool()->HandleTimers();
        ASSERT_EQ(fixture.ani->GetCurrentFrame(), frame);
        const QImage shown = Shown(&fixture.form);
        EXPECT_EQ(shown.pixel(23, 33), Rgb_Of(Frame_Colors[static_cast<std::size_t>(frame)])) << frame;
        EXPECT_EQ(shown.pixel(20, 30), Rgb_Of(clWhite)) << "the key colour is transparent by default";
    }
    EXPECT_EQ(fixture.Frames_Of_Ticks(2), (std::vector<int>{4, 0, 1})) << "asLoop wraps to the first frame";
    EXPECT_EQ(animates, 1 + 6);
}

TEST(AnimatedImage, StopShowsTheFirstFrameAndTicksNoMoreUntilPlayRestarts)
{
    Animation fixture;
    int stops = 0;
    fixture.ani->OnStop = [&](TObject*) { ++stops; };
    fixture.ani->Play();
    fixture.Frames_Of_Ticks(3);
    fixture.ani->Stop();
    EXPECT_FALSE(fixture.ani->Animate());
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(fixture.Frames_Of_Ticks(3), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(Shown(&fixture.form).pixel(23, 33), Rgb_Of(Frame_Colors[0]));

    fixture.ani->Play();
    EXPECT_EQ(fixture.Frames_Of_Ticks(2), (std::vector<int>{0, 1, 2}));
}

TEST(AnimatedImage, EachStyleStepsAndEndsAsItSays)
{
    struct Case {
        TSCLAnimationStyle style;
        BYTE repetitions;
        bool reverse;
        int ticks;
        std::vector<int> frames;
        bool playing_after;
        bool visible_after;
    };
    const Case cases[] = {
        {asLoopReverse, 1, false, 11, {0, 1, 2, 3, 4, 4, 3, 2, 1, 0, 0, 1}, true, true},
        {asRepeat, 1, false, 6, {0, 1, 2, 3, 4, 4, 4}, false, true},
        {asRepeat, 3, false, 16, {0, 1, 2, 3, 4, 0, 1, 2, 3, 4, 0, 1, 2, 3, 4, 4, 4}, false, true},
        {asRepeatFirst, 1, false, 6, {0, 1, 2, 3, 4, 0, 0}, false, true},
        {asRepeatHide, 1, false, 5, {0, 1, 2, 3, 4, 4}, false, false},
        {asLoop, 1, true, 6, {4, 3, 2, 1, 0, 4, 3}, true, true},
    };
    for (const Case& c : cases) {
        Animation fixture;
        fixture.ani->SetAniStyle(c.style);
        fixture.ani->SetRepetitions(c.repetitions);
        fixture.ani->SetReverse(c.reverse);
        fixture.ani->Play();
        EXPECT_EQ(fixture.Frames_Of_Ticks(c.ticks), c.frames) << c.style << " x" << int{c.repetitions};
        EXPECT_EQ(fixture.ani->Animate(), c.playing_after) << c.style;
        EXPECT_EQ(fixture.ani->Visible(), c.visible_after) << c.style;
    }
}

TEST(AnimatedImage, AHiddenLoopShowsItselfAgainOnlyWithMakeVisible)
{
    Animation fixture;
    fixture.ani->SetAniStyle(asLoopHide);
    fixture.ani->Play();
    fixture.ani->Stop();
    EXPECT_FALSE(fixture.ani->Visible());
    fixture.ani->SetMakeVisible(false);
    fixture.ani->Play();
    EXPECT_FALSE(fixture.ani->Animate());
    fixture.ani->SetMakeVisible(true);
    fixture.ani->Play();
    EXPECT_TRUE(fixture.ani->Visible());
    EXPECT_TRUE(fixture.ani->Animate());
}

TEST(AnimatedImage, MoveOnlyWhileStoppedAndInsideTheFrameRange)
{
    Animation fixture;
    fixture.ani->SetStartFrame(1);
    fixture.ani->SetStopFrame(3);
    EXPECT_EQ(fixture.ani->GetCurrentFrame(), 1);
    fixture.ani->Move(4);
    EXPECT_EQ(fixture.ani->GetCurrentFrame(), 1) << "outside the range";
    fixture.ani->Last();
    EXPECT_EQ(fixture.ani->GetCurrentFrame(), 3);
    fixture.ani->Play();
    fixture.ani->Move(2);
    EXPECT_EQ(fixture.ani->GetCurrentFrame(), 1) << "ignored while playing";
    EXPECT_EQ(fixture.Frames_Of_Ticks(3), (std::vector<int>{1, 2, 3, 1}));

    fixture.ani->SetStartFrame(4);
    EXPECT_EQ(fixture.ani->StartFrame(), 3) << "the pair is kept in order";
    EXPECT_EQ(fixture.ani->StopFrame(), 4);
}

TEST(AnimatedImage, AnEmptyListNeverStarts)
{
    Animation fixture;
    auto empty = std::make_unique<TSCLImageList>(nullptr);
    empty->Add();
    fixture.ani->SetImageList(empty.get());
    fixture.ani->Play();
    EXPECT_FALSE(fixture.ani->Animate());
    fixture.ani->SetImageList(nullptr);
}

TEST(AnimatedImage, APoolIntervalIsRoundedUpToTheNextMultipleOfFifty)
{
    Animation fixture;
    fixture.ani->SetInterval(120);
    EXPECT_EQ(fixture.ani->Interval(), 120);
    fixture.ani->SetTimerMode(tmHiTimer);
    EXPECT_EQ(fixture.ani->TimerIdent(), 0);
    ASSERT_NE(fixture.ani->HiTimer(), nullptr);
    EXPECT_FALSE(fixture.ani->HiTimer()->UseThread());
    fixture.ani->SetTimerMode(tmGlobalTimer);
    EXPECT_EQ(fixture.ani->HiTimer(), nullptr);
    EXPECT_EQ(fixture.ani->Interval(), 150);
    ASSERT_NE(fixture.ani->TimerIdent(), 0);
    EXPECT_EQ(SCLApplication->GetTimer(fixture.ani->TimerIdent())->Interval(), 150);

    fixture.ani->SetInterval(210);
    fixture.ani->Play();
    EXPECT_EQ(SCLApplication->GetTimer(fixture.ani->TimerIdent())->Interval(), 250)
        << "the pool runs it at the next period it takes";
}

TEST(AnimatedImage, TheThreadedTimerStepsTheFramesOnTheUserInterfaceThread)
{
    Animation fixture;
    fixture.ani->SetTimerMode(tmThreaded);
    ASSERT_NE(fixture.ani->HiTimer(), nullptr);
    EXPECT_TRUE(fixture.ani->HiTimer()->UseThread());
    const DWORD ui_thread = GetCurrentThreadId();
    std::vector<bool> on_ui_thread;
    fixture.ani->OnAnimate = [&](TObject*) { on_ui_thread.push_back(GetCurrentThreadId() == ui_thread); };
    fixture.ani->Play();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (fixture.ani->GetCurrentFrame() < 2 && std::chrono::steady_clock::now() < deadline) {
        CheckSynchronize();
        Application->ProcessMessages();
    }
    fixture.ani->Stop();
    EXPECT_GE(on_ui_thread.size(), 3u);
    for (bool ui : on_ui_thread)
        EXPECT_TRUE(ui);
}

TEST(AnimatedImage, ATransparentOneComposesItsFramesOverItsParentsBackground)
{
    // Over a back panel: the panel's picture. Directly on a form: what the
    // form painted under it, never the screen.
    for (bool on_panel : {true, false}) {
        TSCLBitmapList pictures(nullptr);
        pictures.Items(pictures.Add())->SetBitmap(Pattern_Bitmap(240, 180).get());
        Animation fixture;
        fixture.form.SetColor(clYellow);
        if (on_panel) {
            auto* panel = new TSCLBackPanel(&fixture.form);
            panel->SetBounds(0, 0, 240, 180);
            panel->SetImageList(&pictures);
            panel->SetParent(&fixture.form);
            fixture.ani->SetParent(panel);
        }
        fixture.ani->SetTransparent(true);
        Shown(&fixture.form);
        fixture.ani->Play();
        SCLApplication->TimerPool()->HandleTimers();
        const QImage shown = Shown(&fixture.form);
        const QRgb under = on_panel ? Rgb_Of(Pattern_Color(20, 30)) : Rgb_Of(clYellow);
        EXPECT_EQ(shown.pixel(20, 30), under) << on_panel;
        EXPECT_EQ(shown.pixel(27, 37), on_panel ? Rgb_Of(Pattern_Color(27, 37)) : Rgb_Of(clYellow)) << on_panel;
        EXPECT_EQ(shown.pixel(23, 33), Rgb_Of(Frame_Colors[1])) << on_panel;
    }
}
