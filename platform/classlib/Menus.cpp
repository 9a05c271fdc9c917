#include "platform/classlib/Menus.h"

#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>

#include <algorithm>
#include <map>

#include "platform/winapi/Message.h"

// ---- Shortcuts -------------------------------------------------------------

TShortCut ShortCut(WORD Key, bool Shift, bool Ctrl, bool Alt)
{
    TShortCut value = Key & 0xFF;
    if (Shift)
        value |= scShift;
    if (Ctrl)
        value |= scCtrl;
    if (Alt)
        value |= scAlt;
    return value;
}

namespace {

std::string Key_Name(WORD key)
{
    static const std::map<WORD, std::string> names{
        {VK_BACK, "BkSp"}, {VK_TAB, "Tab"}, {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},   {VK_SPACE, "Space"},
        {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"},    {VK_HOME, "Home"},    {VK_LEFT, "Left"},
        {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"}, {VK_INSERT, "Ins"},   {VK_DELETE, "Del"}};
    if (const auto found = names.find(key); found != names.end())
        return found->second;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F1 + 23)
        return "F" + std::to_string(key - VK_F1 + 1);
    return {};
}

} // namespace

std::string ShortCutToText(TShortCut ShortCut)
{
    const std::string name = Key_Name(ShortCut & 0xFF);
    if (name.empty())
        return {};
    std::string text;
    if (ShortCut & scShift)
        text += "Shift+";
    if (ShortCut & scCtrl)
        text += "Ctrl+";
    if (ShortCut & scAlt)
        text += "Alt+";
    return text + name;
}

// ---- Items -----------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    Destroying();
    Clear();
    if (parent)
        parent->Remove(this);
}

void TMenuItem::SetChecked(bool Value)
{
    checked = Value;
    if (checked && radio_item)
        Uncheck_Radio_Siblings();
}

void TMenuItem::SetRadioItem(bool Value)
{
    radio_item = Value;
    if (checked && radio_item)
        Uncheck_Radio_Siblings();
}

void TMenuItem::SetGroupIndex(BYTE Value)
{
    group_index = Value;
    if (checked && radio_item)
        Uncheck_Radio_Siblings();
}

void TMenuItem::Uncheck_Radio_Siblings()
{
    if (!parent)
        return;
    for (TMenuItem* sibling : parent->items)
        if (sibling != this && sibling->radio_item && sibling->group_index == group_index)
            sibling->checked = false;
}

TMenuItem* TMenuItem::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EMenuError("Menu index out of range");
    return items[static_cast<std::size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item)
{
    if (!Item || Item->parent || Item == this)
        throw EMenuError("Menu inserted twice");
    if (Index < 0 || Index > Count())
        throw EMenuError("Menu index out of range");
    items.insert(items.begin() + Index, Item);
    Item->parent = this;
    if (Item->checked && Item->radio_item)
        Item->Uncheck_Radio_Siblings();
}

void TMenuItem::Remove(TMenuItem* Item)
{
    const auto found = std::find(items.begin(), items.end(), Item);
    if (found == items.end())
        throw EMenuError("Sub-menu is not in menu");
    items.erase(found);
    Item->parent = nullptr;
}

void TMenuItem::Delete(int Index) { Remove(Items(Index)); }

void TMenuItem::Clear()
{
    while (!items.empty())
        delete items.back(); // each takes itself out of the list
}

int TMenuItem::IndexOf(const TMenuItem* Item) const
{
    const auto found = std::find(items.begin(), items.end(), Item);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

void TMenuItem::Click()
{
    if (enabled && OnClick)
        OnClick(this);
}

// ---- Menus -----------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items(std::make_unique<TMenuItem>(nullptr)) {}

TMenu::~TMenu() = default;

namespace {

QString Menu_Text(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QKeySequence Key_Sequence(TShortCut short_cut)
{
    const std::string text = ShortCutToText(short_cut);
    return text.empty() ? QKeySequence() : QKeySequence(Menu_Text(text), QKeySequence::PortableText);
}

constexpr const char* Item_Property = "ordexia_menu_item";

void Tie_Action(QAction* action, TMenuItem* entry)
{
    action->setProperty(Item_Property, QVariant::fromValue(static_cast<void*>(entry)));
}

// Fills menu with the visible sub-items of item; a chosen entry records
// its item in chosen and closes the outermost menu.
void Fill_Menu(QMenu* menu, TMenuItem* item, QMenu* outermost, TMenuItem*& chosen)
{
    std::map<BYTE, QActionGroup*> radio_groups;
    for (int index = 0; index < item->Count(); ++index) {
        TMenuItem* entry = item->Items(index);
        if (!entry->Visible())
            continue;
        if (entry->IsLine()) {
            menu->addSeparator();
            continue;
        }
        if (entry->Count() > 0) {
            QMenu* sub_menu = menu->addMenu(Menu_Text(entry->Caption()));
            sub_menu->setEnabled(entry->Enabled());
            Tie_Action(sub_menu->menuAction(), entry);
            Fill_Menu(sub_menu, entry, outermost, chosen);
            continue;
        }
        QAction* action = menu->addAction(Menu_Text(entry->Caption()));
        Tie_Action(action, entry);
        action->setEnabled(entry->Enabled());
        action->setShortcut(Key_Sequence(entry->ShortCut()));
        action->setCheckable(entry->Checked() || entry->RadioItem());
        action->setChecked(entry->Checked());
        if (entry->RadioItem()) {
            QActionGroup*& group = radio_groups[entry->GroupIndex()];
            if (!group)
                group = new QActionGroup(menu);
            group->addAction(action);
        }
        QObject::connect(action, &QAction::triggered, menu, [entry, outermost, &chosen] {
            chosen = entry;
            outermost->close();
        });
    }
}

QPoint Aligned_Position(QMenu* menu, int x, int y, TPopupAlignment alignment)
{
    const int width = menu->sizeHint().width();
    switch (alignment) {
    case paRight: return QPoint(x - width, y);
    case paCenter: return QPoint(x - width / 2, y);
    case paLeft: break;
    }
    return QPoint(x, y);
}

} // namespace

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

TPopupMenu::~TPopupMenu()
{
    if (freed)
        *freed = true;
    if (shown)
        shown->close();
}

void TPopupMenu::Popup(int X, int Y)
{
    if (OnPopup)
        OnPopup(this);
    if (shown)
        return; // a nested call while the menu is up
    QMenu menu;
    TMenuItem* chosen = nullptr;
    Fill_Menu(&menu, Items(), &menu, chosen);
    if (menu.isEmpty())
        return;
    bool menu_freed = false;
    freed = &menu_freed;
    shown = &menu;
    menu.exec(Aligned_Position(&menu, X, Y, alignment));
    if (menu_freed) // freed by what ran while it was up: its items went with it
        return;
    shown = nullptr;
    freed = nullptr;
    if (chosen)
        chosen->Click();
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == popup_component)
        popup_component = nullptr;
}

TMenuItem* Menu_Item_Of(const QAction* Action)
{
    return Action ? static_cast<TMenuItem*>(Action->property(Item_Property).value<void*>()) : nullptr;
}
