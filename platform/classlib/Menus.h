#pragma once
// Menus: menu items in a tree, the popup menu (shown as a QMenu built from
// the items each time it pops up) and the shortcut values items carry.

#include <memory>
#include <string>
#include <vector>

#include "platform/classlib/Classes.h"
#include "platform/winapi/WinTypes.h"

class QAction;
class QMenu;

// A key code with scShift, scCtrl and scAlt; 0 for none.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(WORD Key, bool Shift, bool Ctrl, bool Alt);
// "Ctrl+R", "Del", "F1"; empty for a key without a name.
std::string ShortCutToText(TShortCut ShortCut);

class EMenuError : public Exception {
    using Exception::Exception;
};

class TMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    // "-" makes a separator; "&" marks the accelerator, "&&" is a plain "&".
    const std::string& Caption() const { return caption; }
    void SetCaption(const std::string& Value) { caption = Value; }
    // Checking a radio item unchecks the radio items of its group among its siblings.
    bool Checked() const { return checked; }
    void SetChecked(bool Value);
    bool RadioItem() const { return radio_item; }
    void SetRadioItem(bool Value);
    BYTE GroupIndex() const { return group_index; }
    void SetGroupIndex(BYTE Value);
    bool Enabled() const { return enabled; }
    void SetEnabled(bool Value) { enabled = Value; }
    bool Visible() const { return visible; }
    void SetVisible(bool Value) { visible = Value; }
    TShortCut ShortCut() const { return short_cut; }
    void SetShortCut(TShortCut Value) { short_cut = Value; }
    int HelpContext() const { return help_context; }
    void SetHelpContext(int Value) { help_context = Value; }
    const std::string& Hint() const { return hint; }
    void SetHint(const std::string& Value) { hint = Value; }
    bool IsLine() const { return caption == "-"; }

    // Sub-items. A bad index raises EMenuError; adding an item that has a
    // parent already raises EMenuError.
    int Count() const { return static_cast<int>(items.size()); }
    TMenuItem* Items(int Index) const;
    TMenuItem* operator[](int Index) const { return Items(Index); }
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    // Takes the item out without freeing it.
    void Remove(TMenuItem* Item);
    void Delete(int Index);
    // Frees every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* Item) const;
    TMenuItem* Parent() const { return parent; }
    int MenuIndex() const { return parent ? parent->IndexOf(this) : -1; }

    // Runs OnClick for an enabled item.
    virtual void Click();
    TNotifyEvent OnClick;

private:
    void Uncheck_Radio_Siblings();

    std::string caption;
    bool checked = false;
    bool radio_item = false;
    BYTE group_index = 0;
    bool enabled = true;
    bool visible = true;
    TShortCut short_cut = 0;
    int help_context = 0;
    std::string hint;
    std::vector<TMenuItem*> items;
    TMenuItem* parent = nullptr;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    // The root item; its sub-items are the menu's entries.
    TMenuItem* Items() const { return items.get(); }

private:
    std::unique_ptr<TMenuItem> items;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    // paLeft: the menu's left edge at the point; paRight: its right edge;
    // paCenter: centred on it.
    TPopupAlignment Alignment() const { return alignment; }
    void SetAlignment(TPopupAlignment Value) { alignment = Value; }
    bool AutoPopup() const { return auto_popup; }
    void SetAutoPopup(bool Value) { auto_popup = Value; }
    // The control the menu popped up for.
    TComponent* PopupComponent() const { return popup_component; }
    void SetPopupComponent(TComponent* Value) { popup_component = Value; }

    // Runs OnPopup, then shows the items at a screen point until one is
    // chosen or the menu is dismissed; the chosen item's Click runs once the
    // menu has closed.
    virtual void Popup(int X, int Y);
    // The menu while it is shown, else nullptr.
    QMenu* Menu_Widget() const { return shown; }

    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TPopupAlignment alignment = paLeft;
    bool auto_popup = true;
    TComponent* popup_component = nullptr;
    QMenu* shown = nullptr;
    bool* freed = nullptr; // set while the menu is up
};

// The item a shown menu's entry stands for (for help on the entry under the
// keyboard), or nullptr for any other action.
TMenuItem* Menu_Item_Of(const QAction* Action);
