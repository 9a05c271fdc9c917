// What the SD and HD pages do alike, on both real forms offscreen: the
// memo's Delete key and the camera-name menu.

#include "components/controls/SCLShapeControl.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "tests/screens/Hd_Page_Test_Support.h"
#include "tests/screens/Sd_Page_Test_Support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

namespace {

template <class Page>
class CameraPage : public ::testing::Test {
protected:
    Page page;
};

struct Page_Names {
    template <class Page>
    static std::string GetName(int)
    {
        return std::is_same_v<Page, sd_page_test::Sd_Page> ? "Sd" : "Hd";
    }
};

using Pages = ::testing::Types<sd_page_test::Sd_Page, hd_page_test::Hd_Page>;
TYPED_TEST_SUITE(CameraPage, Pages, Page_Names);

TYPED_TEST(CameraPage, DeleteClearsTheMessagesThroughTheMainWindow)
{
    auto& page = this->page;
    page.main_window.cleared.clear();
    page.Key(VK_DELETE);
    EXPECT_TRUE(page.main_window.cleared.empty());
    page.form->MemoStatus->Lines()->Add("12:00:00");
    page.Key(VK_DELETE);
    EXPECT_EQ(page.main_window.cleared, std::vector<int> {0});
    page.form->ClearStatusMessages();
    EXPECT_EQ(page.form->MemoStatus->Text(), "");
}

TYPED_TEST(CameraPage, TheCameraNameMenuChecksTheNumberAndAsksForAnotherOnly)
{
    auto& page = this->page;
    page.camera_count = 2;
    page.Refresh([](St_System& st) { st.Settings.Name = 12; }, true);
    EXPECT_EQ(page.form->ShapeControlAppliTitle->PopupMenu(), page.form->PopupCamName);
    std::vector<TMenuItem*> checked;
    TMenuItem* other = nullptr;
    std::function<void(TMenuItem*)> walk = [&](TMenuItem* item) {
        for (int i = 0; i < item->Count(); ++i) {
            TMenuItem* child = item->Items(i);
            if (child->Count() > 0) {
                walk(child);
            } else if (child->Checked()) {
                checked.push_back(child);
            } else if (child->Tag() == 13) {
                other = child;
            }
        }
    };
    walk(page.form->MenuCamName);
    ASSERT_EQ(checked.size(), 1u);
    EXPECT_EQ(checked[0]->Tag(), 12);
    checked[0]->Click();
    EXPECT_TRUE(page.main_window.names.empty());
    ASSERT_NE(other, nullptr);
    other->Click();
    EXPECT_EQ(page.main_window.names, std::vector<int> {13});
}

} // namespace
