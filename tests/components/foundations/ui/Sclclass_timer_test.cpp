#include "components/foundations/Sclclass.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// A pool of 50 ms ticks, driven tick by tick through its window as the
// window timer would drive it.
class Pool : public testing::Test {
protected:
    void Tick(int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            ++ticks;
            SendMessageA(pool.Handle(), WM_TIMER, 1, 0);
        }
    }
    // Records the tick numbers (counted from the test's start) on which a handler ran.
    TNotifyEvent Recorder(WORD Ident)
    {
        return [this, Ident](TObject* sender) {
            EXPECT_EQ(sender, &pool);
            fired[Ident].push_back(ticks);
        };
    }

    TSCLTimerPool pool{nullptr, 50};
    int ticks = 0;
    std::map<WORD, std::vector<int>> fired;
};

TEST_F(Pool, ItemsFireOnMultiplesOfTheirDivisor)
{
    pool.AddTimer(1, 500, Recorder(1));
    pool.AddTimer(2, 150, Recorder(2));
    pool.AddTimer(3, 50, Recorder(3));
    EXPECT_TRUE(pool.Active());
    EXPECT_EQ(pool.Tick(), 1);
    EXPECT_EQ(pool.GetTimer(1)->Divisor(), 10);
    Tick(20);
    EXPECT_EQ(fired[1], (std::vector<int>{10, 20}));
    EXPECT_EQ(fired[2], (std::vector<int>{3, 6, 9, 12, 15, 18}));
    EXPECT_EQ(fired[3].size(), 20u);
    EXPECT_EQ(pool.GetTimer(2)->Count(), 6);
}

TEST_F(Pool, AddingATimerRestartsThePhase)
{
    pool.AddTimer(1, 150, Recorder(1));
    Tick(4); // fired on 3; its next would be 6
    pool.AddTimer(2, 100, Recorder(2));
    Tick(6);
    EXPECT_EQ(fired[1], (std::vector<int>{3, 7, 10}));
    EXPECT_EQ(fired[2], (std::vector<int>{6, 8, 10}));
}

TEST_F(Pool, IntervalsMustFitTheBaseTick)
{
    struct Case {
        WORD interval;
        bool accepted;
    };
    for (const Case c : {Case{120, false}, Case{0, false}, Case{25, false}, Case{50, true}, Case{1000, true}}) {
        const WORD ident = static_cast<WORD>(10 + c.interval);
        if (c.accepted) {
            EXPECT_NO_THROW(pool.AddTimer(ident, c.interval, nullptr)) << c.interval;
        } else {
            try {
                pool.AddTimer(ident, c.interval, nullptr);
                ADD_FAILURE() << c.interval << " accepted";
            } catch (const Exception& error) {
                EXPECT_EQ(error.Message, "Interval not compatible with MinInterval property!");
            }
            EXPECT_EQ(pool.GetTimer(ident), nullptr);
        }
    }
    try {
        pool.AddTimer(60, 50, nullptr);
        ADD_FAILURE() << "a second item 60";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message, "Indice de liste hors limites (%d)");
    }
    EXPECT_EQ(pool.GetCount(), 2);

    TSCLTimerItem* item = pool.GetTimer(60);
    item->SetInterval(75); // not a multiple of 50: ignored
    EXPECT_EQ(item->Interval(), 50);
    item->SetInterval(300);
    EXPECT_EQ(item->Divisor(), 6);
    item->SetInterval(0); // the base tick
    EXPECT_EQ(item->Interval(), 50);
    EXPECT_EQ(item->Divisor(), 1);
}

TEST_F(Pool, ABaseIntervalOfZeroFallsBackToTheDefault)
{
    TSCLTimerPool zero(nullptr, 0);
    EXPECT_EQ(zero.MinInterval(), 1000);
    zero.SetLoading(true);
    zero.SetMinInterval(0);
    EXPECT_EQ(zero.MinInterval(), 1000);
    zero.SetMinInterval(100);
    EXPECT_EQ(zero.MinInterval(), 100);
    zero.Loaded();
    zero.SetMinInterval(200); // only while loading
    EXPECT_EQ(zero.MinInterval(), 100);
}

TEST_F(Pool, CallCountSwitchesTheItemOffUntilReenabled)
{
    std::vector<int> counts;
    pool.OnTimer = [&](TObject* sender, WORD ident, int count) {
        EXPECT_EQ(sender, &pool);
        EXPECT_EQ(ident, 7);
        counts.push_back(count);
    };
    pool.AddTimerExt(7, 50, 3, true, nullptr);
    EXPECT_TRUE(pool.HasTimerProc());
    Tick(5);
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 3}));
    TSCLTimerItem* item = pool.GetTimer(7);
    EXPECT_FALSE(item->Enabled());
    EXPECT_TRUE(pool.Active()); // a switched-off item keeps the timer running
    item->SetEnabled(true);
    Tick(5);
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 3, 1, 2, 3}));

    item->SetCallCount(0); // 0 switches it off, and it cannot be enabled
    item->SetEnabled(true);
    EXPECT_FALSE(item->Enabled());
    item->SetCallCount(-5);
    EXPECT_EQ(item->CallCount(), -1);
}

TEST_F(Pool, HandlersMayRemoveItemsDuringATick)
{
    pool.AddTimer(1, 50, Recorder(1));
    pool.AddTimer(2, 50, [&](TObject*) {
        fired[2].push_back(ticks);
        pool.RemoveTimer(2); // itself
        pool.RemoveTimer(3); // one still due in this tick
        pool.RemoveTimer(1); // one that already ran
        pool.RemoveTimer(99); // one that never was
    });
    pool.AddTimer(3, 50, Recorder(3));
    pool.AddTimer(4, 50, Recorder(4));
    Tick(2);
    EXPECT_EQ(fired[1], std::vector<int>{1});
    EXPECT_EQ(fired[2], std::vector<int>{1});
    EXPECT_TRUE(fired[3].empty());
    EXPECT_EQ(fired[4], (std::vector<int>{1, 2}));
    EXPECT_EQ(pool.GetCount(), 1);
}

TEST_F(Pool, OnlyRemovingTheLastItemStopsTheTimer)
{
    pool.AddTimer(1, 50, nullptr);
    pool.AddTimer(2, 50, nullptr);
    pool.GetTimer(1)->SetEnabled(false);
    pool.GetTimer(2)->SetEnabled(false);
    EXPECT_EQ(pool.GetActiveTimers(), 0);
    EXPECT_TRUE(pool.Active());
    pool.RemoveTimer(1);
    EXPECT_TRUE(pool.Active());
    pool.RemoveTimer(2);
    EXPECT_FALSE(pool.Active());
}

TEST_F(Pool, ATickDuringAHandlerIsDroppedAndErrorsReachTheApplication)
{
    int inner_tick = 0;
    pool.AddTimer(1, 50, [&](TObject*) {
        inner_tick = pool.Tick();
        SendMessageA(pool.Handle(), WM_TIMER, 1, 0); // re-entered: dropped
        throw Exception("handler failed");
    });
    std::vector<std::string> errors;
    const TExceptionEvent previous = Application->OnException;
    Application->OnException = [&](TObject* sender, Exception* error) {
        EXPECT_EQ(sender, &pool);
        errors.push_back(error->Message);
    };
    Tick(2);
    Application->OnException = previous;
    EXPECT_EQ(errors, (std::vector<std::string>{"handler failed", "handler failed"}));
    EXPECT_EQ(inner_tick, 2); // the dropped tick did not count; the failed one did
    EXPECT_EQ(pool.Tick(), 3);
}

TEST(Sclclass, TheApplicationHandsOutIdentifiersFromItsTable)
{
    TSCLApplication application(nullptr);
    EXPECT_EQ(application.TimerPool()->MinInterval(), 50);
    std::vector<WORD> idents;
    for (int i = 0; i < 250; ++i)
        idents.push_back(application.AddTimer(100, nullptr));
    EXPECT_EQ(idents.front(), 0xFD01);
    EXPECT_EQ(idents.back(), 0xFDFA);
    EXPECT_EQ(application.AddTimer(100, nullptr), 0); // the 251st

    for (WORD ident : {WORD{0}, WORD{0xFD00}, WORD{0xFDFB}, WORD{0xFFFF}})
        application.RemoveTimer(ident); // no identifier of the table: nothing happens
    EXPECT_EQ(application.TimerPool()->GetCount(), 250);

    application.RemoveTimer(0xFD05);
    application.RemoveTimer(0xFD03);
    EXPECT_EQ(application.GetTimer(0xFD03), nullptr);
    EXPECT_EQ(application.AddTimer(120, nullptr), 0); // refused by the pool: the flag stays free
    EXPECT_EQ(application.AddTimerExt(100, 2, false, nullptr), 0xFD03);
    EXPECT_FALSE(application.GetTimer(0xFD03)->Enabled());
    EXPECT_EQ(application.GetTimer(0xFD03)->CallCount(), 2);
    EXPECT_EQ(application.AddTimer(100, nullptr), 0xFD05);
}

} // namespace
