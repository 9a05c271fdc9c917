#pragma once
// The library's combo box: the platform's combo box with a flat border in
// the window's frame, an incremental search that completes the typed text
// from the sorted items after a pause (on the application's timer pool), a
// most-recently-used list at the top of the items with a separator under
// it, a settable drop-down width, and a focus hand-over to another control
// after a choice or Enter.

#include <string>

#include "platform/classlib/StdCtrls_ComboBox.h"

class TSCLCustomComboBox : public TCustomComboBox {
public:
    explicit TSCLCustomComboBox(TComponent* AOwner);
    ~TSCLCustomComboBox() override;

    // 0 Flat, 1 MRUList.
    void SetBoolean(int Index, bool Value);
    // 0 DropDownWidth, 1 MRUMax.
    void SetInteger(int Index, int Value);
    bool Flat() const { return flat; }
    bool MRUList() const { return mru_list; }
    int DropDownWidth() const { return drop_down_width; }
    int MRUMax() const { return mru_max; }
    bool Search() const { return search; }
    void SetSearch(bool Value);
    // The search pause in milliseconds; the pool times it to its 50 ms tick.
    int Interval = 1500;
    TWinControl* FocusControl() const { return focus_control; }
    void SetFocusControl(TWinControl* Value);
    int MRUCount() const { return mru_count; }
    bool isMRUItem(int Index) const { return Index < mru_count; }
    // The search timer's identifier in the pool; 0 when none.
    WORD SearchTimer() const { return timer_ident; }
    bool EditFocused() const { return edit_focus; }
    std::string About;

    TNotifyEvent OnSelect;
    TNotifyEvent OnEditClick;

    // The window handle of FocusControl's topmost parent's parent window,
    // else of that topmost control itself.
    HWND GetTopParentHandleFocusCtrl();
    void RepaintBorder();
    void Dispatch(TMessage& Message) override;
    void Loaded() override;

protected:
    virtual void DoSelect();
    void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) override;
    void MeasureItem(int Index, int& Height) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    QWidget* Create_Content(QWidget* Parent) override;
    void PaintSeparatorLine(const RECT& Rect, int Index);
    // The user chose an item (from the list or by keys).
    void SelectionChanged();
    void ExitCtrl();
    void DoTimerEvent(TObject* Sender);
    void FreeTimer();

private:
    void Hand_Over_Focus();
    void Update_Mru();
    void Arm_Timer(int Milliseconds);
    int Edit_Sel_Start() const;
    void Select_Tail(int Start);
    HWND Top_Parent_Handle();

    WORD timer_ident = 0;
    bool edit_focus = false;
    bool navigation_key = false;
    bool search = false;
    bool mouse_above = false;
    bool exiting = false;
    bool flat = false;
    int drop_down_width = 0;
    TWinControl* focus_control = nullptr;
    int mru_count = 0;
    int mru_max = 5;
    bool mru_list = false;
};
