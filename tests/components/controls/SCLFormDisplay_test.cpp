#include "components/controls/SCLFormDisplay.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "components/controls/SCLResWinControl.h"
#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

constexpr TColor Page_Colors[] = {clRed, clLime, clBlue, clYellow};

// A display of 200 x 150 on a shown form, holding three small pages A, B, C.
struct Display_Fixture {
    Test_Form host;
    TSCLFormDisplay* display = nullptr;
    std::vector<TForm*> pages;
    std::vector<std::string> events;

    Display_Fixture()
    {
        host.SetBounds(10, 10, 260, 200);
        display = new TSCLFormDisplay(&host);
        display->Bevel()->SetMode(bmCustom);
        display->SetBounds(10, 10, 200, 150);
        display->SetParent(&host);
        host.Show();
        for (int i = 0; i < 3; ++i)
            display->AddFormExt(New_Page(i), false);
        display->OnChanging = [this](TObject*, TCustomForm* form, bool&) {
            events.push_back("changing " + Page_Name(form));
        };
        display->OnChange = [this](TObject*) { events.push_back("change"); };
    }

    TForm* New_Page(int i)
    {
        auto* page = new TForm(&host);
        page->SetName(std::string(1, static_cast<char>('A' + i)));
        page->SetBounds(0, 0, 60, 40);
        page->SetColor(Page_Colors[i]);
        pages.push_back(page);
        return page;
    }

    static std::string Page_Name(const TCustomForm* form) { return form ? form->Name() : "nil"; }

    // The names of the listed forms in order, and which of them show.
    std::string List() const
    {
        std::string list;
        for (int i = 0; i < display->GetCount(); ++i)
            list += display->GetForms(i)->Name();
        return list;
    }
    std::string Shown_Pages() const
    {
        std::string shown;
        for (TForm* page : pages)
            if (page->Visible() && page->HandleAllocated() && IsWindowVisible(page->Handle()))
                shown += page->Name();
        return shown;
    }
};

struct State_Case {
    const char* what;
    int start_active;
    std::function<void(Display_Fixture&)> act;
    const char* list;
    int active;
    const char* shown;
    std::vector<std::string> events;
};

} // namespace

TEST(FormDisplay, ActivationFollowsEveryListOperation)
{
    const std::vector<State_Case> cases = {
        {"activating the active index again", 1, [](auto& f) { f.display->SetActiveFormIndex(1); }, "ABC", 1, "B",
         {}},
        {"switching", 1, [](auto& f) { f.display->SetActiveFormIndex(2); }, "ABC", 2, "C",
         {"changing C", "change"}},
        {"switching by reference", 0, [](auto& f) { f.display->SetActiveForm(f.pages[2]); }, "ABC", 2, "C",
         {"changing C", "change"}},
        {"an unlisted form changes nothing", 0, [](auto& f) { f.display->SetActiveForm(&f.host); }, "ABC", 0, "A",
         {}},
        {"-1 hides without OnChange", 1, [](auto& f) { f.display->SetActiveFormIndex(-1); }, "ABC", -1, "",
         {"changing nil"}},
        {"an index past the end is refused", 1, [](auto& f) { f.display->SetActiveFormIndex(3); }, "ABC", 1, "B",
         {}},
        {"an index below -1 is refused", 1, [](auto& f) { f.display->SetActiveFormIndex(-2); }, "ABC", 1, "B", {}},
        {"a veto keeps the shown form",
         1,
         [](auto& f) {
             f.display->OnChanging = [&f](TObject*, TCustomForm*, bool& cancel) {
                 f.events.push_back("vetoed");
                 cancel = true;
             };
             f.display->SetActiveFormIndex(0);
         },
         "ABC", 1, "B", {"vetoed"}},
        {"adding without activating", 1, [](auto& f) { f.display->AddFormExt(f.New_Page(3), false); }, "ABCD", 1,
         "B", {}},
        {"adding and activating", 1, [](auto& f) { f.display->AddFormExt(f.New_Page(3), true); }, "ABCD", 3, "D",
         {"changing D", "change"}},
        {"removing a form before the active one", 1, [](auto& f) { f.display->RemoveForm(f.pages[0], false); },
         "BC", 0, "B", {}},
        {"removing a form after the active one", 1, [](auto& f) { f.display->RemoveForm(f.pages[2], false); },
         "AB", 1, "B", {}},
        {"removing the active form", 1, [](auto& f) { f.display->RemoveForm(f.pages[1], false); }, "AC", -1, "",
         {}},
        {"removing the last active form", 2, [](auto& f) { f.display->RemoveForm(f.pages[2], false); }, "AB", -1,
         "", {}},
        {"removing an unlisted form", 1, [](auto& f) { f.display->RemoveForm(&f.host, false); }, "ABC", 1, "B", {}},
        {"moving the active form", 1, [](auto& f) { f.display->MoveForm(f.pages[1], 2); }, "ACB", 1, "C",
         {"changing C", "change"}},
        {"moving another form", 1, [](auto& f) { f.display->MoveForm(f.pages[0], 2); }, "BCA", 1, "C",
         {"changing C", "change"}},
        {"moving with nothing active", -1, [](auto& f) { f.display->MoveForm(f.pages[0], 2); }, "BCA", -1, "", {}},
        {"hiding the active form", 1, [](auto& f) { f.display->HideForm(f.pages[1]); }, "ABC", -1, "", {}},
        {"hiding another form", 1, [](auto& f) { f.display->HideForm(f.pages[0]); }, "ABC", 1, "B", {}},
        {"selecting the next form", 1, [](auto& f) { f.display->SelectNextForm(true); }, "ABC", 2, "C",
         {"changing C", "change"}},
        {"no next form after the last", 2, [](auto& f) { f.display->SelectNextForm(true); }, "ABC", 2, "C", {}},
        {"no previous form before the first", 0, [](auto& f) { f.display->SelectNextForm(false); }, "ABC", 0, "A",
         {}},
        {"a listed form freed by its owner", 1, [](auto& f) { delete f.pages[0]; f.pages.erase(f.pages.begin()); },
         "BC", 0, "B", {}},
    };
    for (const State_Case& c : cases) {
        SCOPED_TRACE(c.what);
        Display_Fixture f;
        f.display->SetActiveFormIndex(c.start_active);
        f.events.clear();
        c.act(f);
        Pump();
        EXPECT_EQ(f.List(), c.list);
        EXPECT_EQ(f.display->ActiveFormIndex(), c.active);
        EXPECT_EQ(f.Shown_Pages(), c.shown);
        EXPECT_EQ(f.events, c.events);
        EXPECT_EQ(f.display->GetActiveForm(), f.display->GetForms(c.active));
        EXPECT_EQ(f.display->ActiveFormSnapshot().Index, c.active);
    }
}

TEST(FormDisplay, AHostedFormIsAFramelessChildFillingTheBevel)
{
    Display_Fixture f;
    f.display->Bevel()->SetMode(bmStandard);
    f.display->Bevel()->SetWidthOuter(2);
    f.display->SetActiveFormIndex(1);
    TForm* page = f.pages[1];
    EXPECT_EQ(page->Parent(), f.display);
    EXPECT_TRUE(page->IsControl());
    EXPECT_EQ(page->BorderStyle(), bsNone);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(page->Handle(), GWL_STYLE)) & 0x46000000u, 0x46000000u);
    EXPECT_EQ(GetParent(page->Handle()), f.display->Handle());
    EXPECT_TRUE(page->BoundsRect() == f.display->BeveledRect());

    const QImage image = Shown(&f.host);
    const RECT beveled = f.display->BeveledRect();
    EXPECT_EQ(image.pixel(10 + beveled.left + 5, 10 + beveled.top + 5), Rgb_Of(clLime));
    EXPECT_EQ(image.pixel(10 + beveled.right - 2, 10 + beveled.bottom - 2), Rgb_Of(clLime));

    f.display->SetBounds(10, 10, 180, 120);
    EXPECT_TRUE(page->BoundsRect() == f.display->BeveledRect()) << "a resized display realigns its form";
}

TEST(FormDisplay, APositionPlacesTheFormInTheBeveledRectangle)
{
    Display_Fixture f;
    f.host.SetBounds(0, 0, 500, 400);
    f.display->SetBounds(0, 0, 401, 301);
    f.pages[0]->SetBounds(0, 0, 300, 200);
    f.display->SetPosition(fdpCenter);
    f.display->SetActiveFormIndex(0);
    EXPECT_TRUE(f.pages[0]->BoundsRect() == (RECT{50, 50, 350, 250}));

    f.display->SetPosition(fdpBottomRight);
    EXPECT_TRUE(f.pages[0]->BoundsRect() == (RECT{101, 101, 401, 301}));
    f.display->SetPosition(fdpClient);
    EXPECT_EQ(f.pages[0]->Align(), alClient);
    EXPECT_TRUE(f.pages[0]->BoundsRect() == (RECT{0, 0, 401, 301}));
}

TEST(FormDisplay, SavedResourcesLeaveHiddenFormsWithoutWindows)
{
    Display_Fixture f;
    f.display->SetSaveResources(true);
    TForm* page = f.New_Page(3);
    f.display->AddFormExt(page, false);
    EXPECT_FALSE(page->HandleAllocated());
    f.display->SetActiveForm(page);
    EXPECT_TRUE(page->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(page->Handle()));
    f.display->SetActiveFormIndex(0);
    EXPECT_FALSE(page->HandleAllocated()) << "hidden again, its window is freed";
}

TEST(FormDisplay, TheSingleFormModeHostsOneFormAtATime)
{
    Display_Fixture f;
    try {
        f.display->Execute(nullptr);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "TSCLFormDisplay: Form not instanced!");
    }
    TForm* first = f.New_Page(3);
    EXPECT_TRUE(f.display->Execute(first));
    EXPECT_FALSE(f.display->Execute(first)) << "already hosted";
    EXPECT_EQ(f.display->FormName(), "D");
    EXPECT_TRUE(first->BoundsRect() == f.display->BeveledRect());
    EXPECT_TRUE(IsWindowVisible(first->Handle()));

    f.pages.pop_back();
    auto* second = new TForm(&f.host);
    second->SetName("E");
    EXPECT_TRUE(f.display->Execute(second)) << "the first form is freed";
    EXPECT_EQ(f.display->Form(), second);
    f.display->Hide();
    EXPECT_EQ(f.display->Form(), nullptr);
    EXPECT_FALSE(second->Visible());
    EXPECT_EQ(f.display->FormName(), "");

    f.display->SetFormName("E");
    EXPECT_EQ(f.display->Form(), second) << "found by name among the screen's forms";
    delete second;
    EXPECT_EQ(f.display->Form(), nullptr) << "a freed form is forgotten";
}

TEST(ResWinControl, FreedWindowsAreMadeAgainWithTheSameState)
{
    Test_Form form;
    auto* child = new TForm(&form);
    child->SetParent(&form);
    child->SetBounds(5, 6, 70, 50);
    child->SetCaption("kept");
    form.Show();
    TSCLResWinControl::FreeResources(child);
    EXPECT_FALSE(child->HandleAllocated());
    TSCLResWinControl::FreeResources(child);
    EXPECT_FALSE(child->HandleAllocated()) << "nothing to free";
    TSCLResWinControl::CreateHandle(child);
    ASSERT_TRUE(child->HandleAllocated());
    RECT rect{};
    GetClientRect(child->Handle(), &rect);
    EXPECT_EQ(rect.right, 70);
    char caption[16] = {};
    GetWindowTextA(child->Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "kept");
}

TEST(FormDisplay, PollingThreadsReadAConsistentActiveForm)
{
    Display_Fixture f;
    std::vector<const TCustomForm*> listed(f.pages.begin(), f.pages.end());
    std::atomic<bool> stop{false};
    std::atomic<int> torn{0};
    std::atomic<int> reads{0};
    std::thread poller([&] {
        while (!stop.load()) {
            const TSCLActiveFormSnapshot seen = f.display->ActiveFormSnapshot();
            const bool consistent = seen.Index == -1 ? seen.Form == nullptr : seen.Form == listed[seen.Index];
            if (!consistent)
                ++torn;
            ++reads;
        }
    });
    for (int round = 0; round < 200 || reads.load() < 100; ++round)
        f.display->SetActiveFormIndex(round % 4 - 1);
    stop = true;
    poller.join();
    EXPECT_EQ(torn.load(), 0);
}

// Forms read from their own resources keep no class-library parent: only
// their windows are hosted by the display.
TEST(FormDisplay, ResourceFormsAreHostedByWindowOnly)
{
    Display_Fixture f;
    f.display->SetUseResForms(true);
    f.display->SetPosition(fdpCenter);
    TForm* page = f.New_Page(3);
    f.display->AddFormExt(page, true);
    EXPECT_EQ(page->Parent(), nullptr);
    EXPECT_EQ(GetParent(page->Handle()), f.display->Handle());
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(page->Handle(), GWL_STYLE)) & 0x46000000u, 0x46000000u);
    EXPECT_EQ(page->BorderStyle(), bsNone);
    const RECT beveled = f.display->BeveledRect();
    const RECT placed = page->BoundsRect();
    EXPECT_EQ(placed.left, beveled.left + (beveled.right - beveled.left - page->ClientWidth()) / 2);
    EXPECT_EQ(placed.top, beveled.top + (beveled.bottom - beveled.top - page->ClientHeight()) / 2);
    EXPECT_EQ(f.Shown_Pages(), "D");
    const QImage image = Shown(&f.host);
    EXPECT_EQ(image.pixel(10 + placed.left + 5, 10 + placed.top + 5), Rgb_Of(clYellow));

    f.display->SetActiveFormIndex(0);
    EXPECT_EQ(f.Shown_Pages(), "A") << "hidden again when another page shows";

    auto* single = new TForm(&f.host);
    EXPECT_TRUE(f.display->Execute(single));
    EXPECT_EQ(single->Parent(), nullptr);
    EXPECT_EQ(GetParent(single->Handle()), f.display->Handle());
    EXPECT_TRUE(single->BoundsRect() == beveled);
}
