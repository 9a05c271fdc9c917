#pragma once
// The combo box over Qt's combo box: items, the chosen index, the drop-down
// list, and owner-drawn items (csOwnerDrawFixed, csOwnerDrawVariable) that
// DrawItem paints on Canvas, the list's entries and the closed box alike.

#include <memory>
#include <string>

#include "platform/classlib/StdCtrls_Host.h"

class QComboBox;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TOwnerDrawStateItem { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit };
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

class TWinControl;
using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, const RECT& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

class TCustomComboBox : public TWidget_Control {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TStrings* Items() const { return items.get(); }
    void SetItems(TStrings* Value) { items->Assign(*Value); }
    // -1: none chosen.
    int ItemIndex() const { return item_index; }
    void SetItemIndex(int Value);
    // The chosen item's text, or what was typed (csDropDown, csSimple).
    std::string Text() const;
    void SetText(const std::string& Value);
    TComboBoxStyle Style() const { return style; }
    void SetStyle(TComboBoxStyle Value);
    int DropDownCount() const { return drop_down_count; }
    void SetDropDownCount(int Value);
    int ItemHeight() const { return item_height; }
    void SetItemHeight(int Value);
    bool Sorted() const { return sorted; }
    void SetSorted(bool Value);
    int MaxLength() const { return max_length; }
    void SetMaxLength(int Value);
    bool DroppedDown() const;
    void SetDroppedDown(bool Value);
    void Clear() { items->Clear(); }

    // Where DrawItem paints: a bitmap as large as the item.
    TCanvas* Canvas();

    // The user chose an item or typed.
    TNotifyEvent OnChange;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    void Dispatch(TMessage& Message) override;

    // For the widget: an item's height and its picture.
    int Item_Height_Of(int Index);
    void Paint_Item(int Index, const RECT& Rect, TOwnerDrawState State);

protected:
    virtual void Change();
    // Fills the rectangle and writes the item, unless OnDrawItem does.
    virtual void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);
    QWidget* Create_Content(QWidget* Parent) override;
    void Save_Content() override;

private:
    friend class Combo_Items;

    QComboBox* Combo() const;
    void Items_Changed();
    void Fill(QComboBox* Combo);
    bool Owner_Drawn() const { return style == csOwnerDrawFixed || style == csOwnerDrawVariable; }

    std::unique_ptr<TStrings> items;
    std::unique_ptr<TBitmap> item_bitmap;
    std::string stored; // the typed text while there is no window
    int item_index = -1;
    TComboBoxStyle style = csDropDown;
    int drop_down_count = 8;
    int item_height = 16;
    bool sorted = false;
    int max_length = 0;
    bool filling = false;
};

class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
};
