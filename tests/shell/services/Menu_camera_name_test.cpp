#include "shell/services/Menu_camera_name.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

namespace {

struct Menu_Scene {
    TPopupMenu popup {nullptr};
    TMenuItem* root = new TMenuItem(&popup);
    int clicked = 0;
    std::unique_ptr<Menu_Camera_Name> menu;

    Menu_Scene()
    {
        popup.Items()->Add(root);
        menu = std::make_unique<Menu_Camera_Name>(&popup, root, [this](TObject* sender) {
            clicked = static_cast<TMenuItem*>(sender)->Tag();
        });
    }

    // The numbers of the checked items.
    std::set<int> Checked() const
    {
        std::set<int> numbers;
        for (int g = 0; g < root->Count(); ++g) {
            for (int i = 0; i < root->Items(g)->Count(); ++i) {
                if (root->Items(g)->Items(i)->Checked()) {
                    numbers.insert(root->Items(g)->Items(i)->Tag());
                }
            }
        }
        return numbers;
    }
};

TEST(Menu_Camera_Name, NineSubMenusHoldTheNumbers1To99)
{
    Menu_Scene scene;
    ASSERT_EQ(scene.root->Count(), 9);
    std::set<int> numbers;
    for (int g = 0; g < 9; ++g) {
        TMenuItem* sub_menu = scene.root->Items(g);
        const int tens = g + 1;
        EXPECT_EQ(sub_menu->Caption(), std::to_string(tens) + "...");
        ASSERT_EQ(sub_menu->Count(), 11);
        EXPECT_EQ(sub_menu->Items(0)->Caption(), " " + std::to_string(tens));
        EXPECT_EQ(sub_menu->Items(0)->Tag(), tens);
        for (int i = 1; i < 11; ++i) {
            EXPECT_EQ(sub_menu->Items(i)->Caption(), std::to_string(10 * tens + i - 1));
            EXPECT_EQ(sub_menu->Items(i)->Tag(), 10 * tens + i - 1);
        }
        for (int i = 0; i < 11; ++i) {
            numbers.insert(sub_menu->Items(i)->Tag());
        }
    }
    EXPECT_EQ(numbers.size(), 99u);
    EXPECT_EQ(*numbers.begin(), 1);
    EXPECT_EQ(*numbers.rbegin(), 99);
}

TEST(Menu_Camera_Name, EveryNumberItemRunsTheClickEvent)
{
    Menu_Scene scene;
    scene.root->Items(4)->Items(0)->Click();
    EXPECT_EQ(scene.clicked, 5);
    scene.root->Items(8)->Items(10)->Click();
    EXPECT_EQ(scene.clicked, 99);
}

TEST(Menu_Camera_Name, CheckMarksOneNumberOnly)
{
    Menu_Scene scene;
    for (const int number : {1, 9, 10, 19, 42, 90, 99, 7}) {
        SCOPED_TRACE(number);
        scene.menu->Check(number);
        EXPECT_EQ(scene.Checked(), std::set<int> {number});
    }
    for (const int number : {0, -1, 100, 123}) {
        SCOPED_TRACE(number);
        scene.menu->Check(number);
        EXPECT_TRUE(scene.Checked().empty());
    }
}

TEST(Menu_Camera_Name, DestroyingItTakesItsItemsAway)
{
    Menu_Scene scene;
    auto* own = new TMenuItem(&scene.popup);
    scene.root->Insert(0, own);
    const int owned = scene.popup.ComponentCount();
    scene.menu.reset();
    ASSERT_EQ(scene.root->Count(), 1);
    EXPECT_EQ(scene.root->Items(0), own);
    EXPECT_EQ(scene.popup.ComponentCount(), owned - 9 * 12);
}

} // namespace
