#pragma once
// The camera-number popup: nine sub-menus "1..." to "9..." under a root
// item, together holding the numbers 1 to 99 (each item's Tag is its
// number), the current number checked. The strip, the camera views and the
// camera forms each own one.

#include "platform/classlib/Menus.h"

#include <vector>

class Menu_Camera_Name {
public:
    // The items are owned by popup_owner; every number item runs on_click.
    Menu_Camera_Name(TComponent* popup_owner, TMenuItem* root, const TNotifyEvent& on_click);
    // Takes the items it made out of the root again; the root must still exist.
    ~Menu_Camera_Name();
    Menu_Camera_Name(const Menu_Camera_Name&) = delete;
    Menu_Camera_Name& operator=(const Menu_Camera_Name&) = delete;

    // Checks the item of number (1 to 99) and no other; a number outside
    // that range leaves every item unchecked.
    void Check(int number);

private:
    TMenuItem* Root;
    std::vector<TMenuItem*> Sub_Menus;
};
