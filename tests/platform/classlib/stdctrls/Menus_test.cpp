#include "platform/classlib/Menus.h"
#include "platform/winapi/Message.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

TMenuItem* Item(TComponent* owner, TMenuItem* parent, const std::string& caption)
{
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

QAction* Find_Action(QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions()) {
        if (action->text() == text)
            return action;
        if (action->menu())
            if (QAction* found = Find_Action(action->menu(), text))
                return found;
    }
    return nullptr;
}

// Pops the menu up and runs Inspect on its QMenu while it is shown.
void Popup_And(TPopupMenu& menu, const std::function<void(QMenu*)>& Inspect)
{
    QTimer::singleShot(0, [&] {
        QMenu* shown = menu.Menu_Widget();
        ASSERT_NE(shown, nullptr);
        Inspect(shown);
        if (menu.Menu_Widget())
            shown->close();
    });
    menu.Popup(100, 100);
}

} // namespace

TEST(Menus, RadioItemsOfOneGroupUncheckEachOther)
{
    TComponent owner(nullptr);
    TMenuItem root(nullptr);
    TMenuItem* com1 = Item(&owner, &root, "Com1");
    TMenuItem* com2 = Item(&owner, &root, "Com2");
    TMenuItem* sound = Item(&owner, &root, "S&ound");
    for (TMenuItem* item : {com1, com2})
        item->SetRadioItem(true);
    sound->SetChecked(true);
    com1->SetChecked(true);
    com2->SetChecked(true);
    EXPECT_FALSE(com1->Checked());
    EXPECT_TRUE(com2->Checked());
    EXPECT_TRUE(sound->Checked()) << "a plain check mark is not part of a radio group";
    com1->SetGroupIndex(1);
    com1->SetChecked(true);
    EXPECT_TRUE(com2->Checked()) << "another group";
    EXPECT_EQ(com2->MenuIndex(), 1);
    EXPECT_THROW(root.Add(com1), EMenuError);
}

TEST(Menus, PopupRunsOnPopupThenShowsItemsAsTheyAre)
{
    TComponent owner(nullptr);
    TPopupMenu menu(&owner);
    TMenuItem* select_all = Item(&owner, menu.Items(), "Select all");
    TMenuItem* copy = Item(&owner, menu.Items(), "Copy");
    Item(&owner, menu.Items(), "-");
    TMenuItem* clear = Item(&owner, menu.Items(), "Clear all messages");
    clear->SetShortCut(VK_DELETE);
    TMenuItem* hidden = Item(&owner, menu.Items(), "&Record status...");
    hidden->SetVisible(false);
    hidden->SetShortCut(ShortCut('R', false, true, false));
    menu.OnPopup = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &menu);
        copy->SetEnabled(false); // nothing selected
        select_all->SetChecked(true);
    };
    Popup_And(menu, [&](QMenu* shown) {
        const QList<QAction*> actions = shown->actions();
        ASSERT_EQ(actions.size(), 4);
        EXPECT_EQ(actions[0]->text(), QStringLiteral("Select all"));
        EXPECT_TRUE(actions[0]->isChecked());
        EXPECT_FALSE(actions[1]->isEnabled());
        EXPECT_TRUE(actions[2]->isSeparator());
        EXPECT_EQ(actions[3]->shortcut().toString(), QStringLiteral("Del"));
    });
    EXPECT_EQ(ShortCutToText(hidden->ShortCut()), "Ctrl+R");
}

TEST(Menus, ChoosingAnItemInASubMenuClicksItOnceTheMenuHasClosed)
{
    TComponent owner(nullptr);
    TPopupMenu menu(&owner);
    TMenuItem* names = Item(&owner, menu.Items(), "&Camera name");
    std::vector<int> clicked;
    bool menu_open_at_click = true;
    for (int group = 1; group <= 2; ++group) {
        TMenuItem* sub = Item(&owner, names, std::to_string(group) + "...");
        for (int number = 10 * group; number < 10 * group + 3; ++number) {
            TMenuItem* item = Item(&owner, sub, std::to_string(number));
            item->SetTag(number);
            item->SetRadioItem(true);
            item->OnClick = [&](TObject* Sender) {
                clicked.push_back(static_cast<TMenuItem*>(Sender)->Tag());
                menu_open_at_click = menu.Menu_Widget() != nullptr;
            };
        }
    }
    names->Items(1)->Items(2)->SetChecked(true);
    Popup_And(menu, [&](QMenu* shown) {
        QAction* checked = Find_Action(shown, QStringLiteral("22"));
        ASSERT_NE(checked, nullptr);
        EXPECT_TRUE(checked->isChecked());
        EXPECT_NE(checked->actionGroup(), nullptr) << "radio items show as a group";
        Find_Action(shown, QStringLiteral("11"))->trigger();
    });
    EXPECT_EQ(clicked, std::vector<int>{11});
    EXPECT_FALSE(menu_open_at_click);
}

TEST(Menus, DisabledItemsAreNotClickedAndFreedItemsLeaveTheirParent)
{
    TComponent owner(nullptr);
    TMenuItem root(nullptr);
    TMenuItem* item = Item(&owner, &root, "Copy");
    int clicks = 0;
    item->OnClick = [&](TObject*) { ++clicks; };
    item->SetEnabled(false);
    item->Click();
    EXPECT_EQ(clicks, 0);
    Item(&owner, item, "sub");
    delete item;
    EXPECT_EQ(root.Count(), 0);
    EXPECT_EQ(owner.ComponentCount(), 0) << "the sub-item went with its parent";
}

TEST(Menus, AMenuFreedWhileItIsUpClicksNothing)
{
    TComponent owner(nullptr);
    auto* menu = new TPopupMenu(&owner);
    TMenuItem* item = Item(&owner, menu->Items(), "Copy");
    int clicks = 0;
    item->OnClick = [&](TObject*) { ++clicks; };
    QTimer::singleShot(0, [&] {
        Find_Action(menu->Menu_Widget(), QStringLiteral("Copy"))->trigger();
        delete menu;
    });
    menu->Popup(10, 10);
    EXPECT_EQ(clicks, 0);
}
