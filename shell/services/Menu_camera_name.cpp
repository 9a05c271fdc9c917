#include "shell/services/Menu_camera_name.h"

#include <string>

namespace {

TMenuItem* New_Number_Item(TComponent* owner, const std::string& caption, int number, const TNotifyEvent& on_click)
{
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->SetTag(number);
    item->OnClick = on_click;
    return item;
}

} // namespace

Menu_Camera_Name::Menu_Camera_Name(TComponent* popup_owner, TMenuItem* root, const TNotifyEvent& on_click)
    : Root(root)
{
    for (int tens = 1; tens <= 9; ++tens) {
        auto* sub_menu = new TMenuItem(popup_owner);
        sub_menu->SetCaption(std::to_string(tens) + "...");
        // The single digit first, a blank before it to line it up with the
        // two-digit numbers.
        sub_menu->Add(New_Number_Item(popup_owner, " " + std::to_string(tens), tens, on_click));
        for (int number = 10 * tens; number <= 10 * tens + 9; ++number) {
            sub_menu->Add(New_Number_Item(popup_owner, std::to_string(number), number, on_click));
        }
        Root->Add(sub_menu);
        Sub_Menus.push_back(sub_menu);
    }
}

Menu_Camera_Name::~Menu_Camera_Name()
{
    for (TMenuItem* sub_menu : Sub_Menus) {
        if (Root->IndexOf(sub_menu) >= 0) {
            delete sub_menu;
        }
    }
}

void Menu_Camera_Name::Check(int number)
{
    for (TMenuItem* sub_menu : Sub_Menus) {
        for (int i = 0; i < sub_menu->Count(); ++i) {
            sub_menu->Items(i)->SetChecked(false);
        }
    }
    if (number < 1 || number > 99) {
        return;
    }
    TMenuItem* sub_menu = Sub_Menus[static_cast<std::size_t>(number < 10 ? number : number / 10) - 1];
    sub_menu->Items(number < 10 ? 0 : number % 10 + 1)->SetChecked(true);
}
