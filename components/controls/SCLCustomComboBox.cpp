#include "components/controls/SCLCustomComboBox.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>

#include "components/foundations/Sclclass.h"
#include "platform/classlib/Forms.h"
#include "platform/winapi/Edit_Messages.h"
#include "platform/winapi/Sys_Colors.h"
#include "platform/winapi/Window.h"

namespace {

// A pause the pool can time: the nearest multiple of its tick, at least one tick.
WORD Pool_Interval(int Milliseconds)
{
    const int tick = SCLApplication->TimerPool()->MinInterval();
    const int ticks = std::max(1, (std::clamp(Milliseconds, 0, 60000) + tick / 2) / tick);
    return static_cast<WORD>(ticks * tick);
}

bool Is_Navigation_Key(WORD Key)
{
    return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN;
}

// What the combo's edit part tells: focus in and out, a left button press.
class Edit_Watcher : public QObject {
public:
    Edit_Watcher(QObject* parent, bool& focus, TNotifyEvent& click, TObject* sender)
        : QObject(parent), edit_focus(focus), on_click(click), owner(sender)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn)
            edit_focus = true;
        else if (event->type() == QEvent::FocusOut)
            edit_focus = false;
        else if (event->type() == QEvent::MouseButtonPress && on_click)
            on_click(owner);
        return QObject::eventFilter(watched, event);
    }

private:
    bool& edit_focus;
    TNotifyEvent& on_click;
    TObject* owner;
};

HWND Top_Handle_Of(TWinControl* Control)
{
    while (Control->Parent())
        Control = Control->Parent();
    return Control->ParentWindow() ? Control->ParentWindow() : Control->Handle();
}

} // namespace

TSCLCustomComboBox::TSCLCustomComboBox(TComponent* AOwner) : TCustomComboBox(AOwner)
{
    TControlStyle style = ControlStyle();
    style.Include(csReplicatable);
    SetControlStyle(style);
}

TSCLCustomComboBox::~TSCLCustomComboBox()
{
    FreeTimer();
}

QWidget* TSCLCustomComboBox::Create_Content(QWidget* Parent)
{
    QWidget* content = TCustomComboBox::Create_Content(Parent);
    auto* combo = static_cast<QComboBox*>(content);
    // After the platform's own handling of a choice.
    QObject::connect(combo, &QComboBox::activated, combo, [this](int) { SelectionChanged(); });
    if (QLineEdit* editor = combo->lineEdit())
        editor->installEventFilter(new Edit_Watcher(editor, edit_focus, OnEditClick, this));
    combo->view()->setMinimumWidth(drop_down_width);
    return content;
}

// ---- Settings --------------------------------------------------------------

void TSCLCustomComboBox::SetBoolean(int Index, bool Value)
{
    if (Index == 0 && Value != flat) {
        flat = Value;
        RepaintBorder();
    } else if (Index == 1 && Value != mru_list) {
        mru_list = Value;
        if (!mru_list) {
            for (; mru_count > 0; --mru_count)
                Items()->Delete(0);
        } else {
            SetStyle(csOwnerDrawFixed);
        }
    }
}

void TSCLCustomComboBox::SetInteger(int Index, int Value)
{
    if (Index == 0 && Value != drop_down_width) {
        drop_down_width = std::max(0, Value);
        if (HandleAllocated())
            PostMessageA(Handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(drop_down_width), 0);
    } else if (Index == 1 && Value != mru_max) {
        mru_max = std::max(0, Value);
        for (; mru_count > mru_max; --mru_count)
            Items()->Delete(mru_count - 1);
    }
}

void TSCLCustomComboBox::SetSearch(bool Value)
{
    if (Value == search)
        return;
    search = Value;
    if (!search)
        FreeTimer();
    if (!Sorted())
        SetSorted(true);
}

void TSCLCustomComboBox::SetFocusControl(TWinControl* Value)
{
    focus_control = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TSCLCustomComboBox::Loaded()
{
    TCustomComboBox::Loaded();
    if (HandleAllocated())
        PostMessageA(Handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(drop_down_width), 0);
}

void TSCLCustomComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == focus_control)
        focus_control = nullptr;
    TCustomComboBox::Notification(AComponent, Operation);
}

void TSCLCustomComboBox::DoSelect()
{
    if (OnSelect)
        OnSelect(this);
}

// ---- Items -----------------------------------------------------------------

void TSCLCustomComboBox::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State)
{
    TCustomComboBox::DrawItem(Index, Rect, State);
    if (!State.Contains(odComboBoxEdit))
        PaintSeparatorLine(Rect, Index);
}

void TSCLCustomComboBox::MeasureItem(int Index, int& Height)
{
    TCustomComboBox::MeasureItem(Index, Height);
    Height = ItemHeight() + (mru_list ? 4 : 0);
}

// Two black lines under the last MRU entry of the dropped-down list.
void TSCLCustomComboBox::PaintSeparatorLine(const RECT& Rect, int Index)
{
    if (!DroppedDown() || !mru_list || Index != mru_count - 1)
        return;
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetColor(clBlack);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(0);
    for (const int y : {Rect.bottom - 3, Rect.bottom - 1}) {
        canvas->MoveTo(Rect.left, y);
        canvas->LineTo(Rect.right, y);
    }
}

// ---- Choosing --------------------------------------------------------------

void TSCLCustomComboBox::Update_Mru()
{
    if (mru_max <= 0 || ItemIndex() < 0)
        return; // a list of no entries keeps none
    const std::string selected = Items()->Strings(ItemIndex());
    for (int i = 0; i < mru_count; ++i)
        if (Items()->Strings(i) == selected) {
            SetItemIndex(i);
            return;
        }
    void* object = Items()->Objects(ItemIndex());
    if (mru_count == mru_max)
        Items()->Delete(mru_max - 1);
    else
        ++mru_count;
    Items()->Insert(0, selected);
    Items()->PutObject(0, object);
    SetItemIndex(0);
}

HWND TSCLCustomComboBox::Top_Parent_Handle()
{
    return Top_Handle_Of(this);
}

HWND TSCLCustomComboBox::GetTopParentHandleFocusCtrl()
{
    return focus_control ? Top_Handle_Of(focus_control) : nullptr;
}

// The focus goes for real: the control's window is activated (when it is
// another top-level window) and the control focused, so it receives keys.
void TSCLCustomComboBox::Hand_Over_Focus()
{
    if (!focus_control)
        return;
    if (Top_Parent_Handle() != GetTopParentHandleFocusCtrl()) {
        edit_focus = false;
        if (TCustomForm* form = GetParentForm(focus_control))
            SetForegroundWindow(form->Handle());
    }
    if (focus_control->CanFocus())
        focus_control->SetFocus();
}

void TSCLCustomComboBox::SelectionChanged()
{
    DoSelect();
    if (mru_list)
        Update_Mru();
    if (!DroppedDown() && !navigation_key && focus_control) {
        Hand_Over_Focus();
        ExitCtrl();
    }
}

// ---- Keys and search -------------------------------------------------------

void TSCLCustomComboBox::Arm_Timer(int Milliseconds)
{
    if (!timer_ident)
        timer_ident = SCLApplication->AddTimerExt(Pool_Interval(Milliseconds), -1, false,
                                                  [this](TObject* Sender) { DoTimerEvent(Sender); });
    TSCLTimerItem* timer = SCLApplication->GetTimer(timer_ident);
    if (!timer)
        return;
    timer->SetInterval(Pool_Interval(Milliseconds));
    timer->SetEnabled(true);
}

void TSCLCustomComboBox::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomComboBox::KeyDown(Key, Shift);
    // Without Search no pool slot is taken.
    if (search && timer_ident)
        SCLApplication->GetTimer(timer_ident)->SetEnabled(false);
    if (search && (Key == VK_BACK || Key == VK_DELETE))
        Arm_Timer(Interval + 1000);
    else if (search && Key >= 32)
        Arm_Timer(Interval);
    navigation_key = Is_Navigation_Key(Key);
    if (Key == VK_RETURN && focus_control) {
        Hand_Over_Focus();
        ExitCtrl();
    }
}

void TSCLCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    navigation_key = false;
    TCustomComboBox::MouseDown(Button, Shift, X, Y);
}

int TSCLCustomComboBox::Edit_Sel_Start() const
{
    auto* combo = static_cast<QComboBox*>(Content());
    QLineEdit* editor = combo ? combo->lineEdit() : nullptr;
    if (!editor)
        return 0;
    return editor->hasSelectedText() ? editor->selectionStart() : editor->cursorPosition();
}

// The caret stays at Start and the completed tail is selected.
void TSCLCustomComboBox::Select_Tail(int Start)
{
    auto* combo = static_cast<QComboBox*>(Content());
    QLineEdit* editor = combo ? combo->lineEdit() : nullptr;
    if (!editor)
        return;
    const int length = static_cast<int>(editor->text().size());
    editor->setCursorPosition(length);
    editor->cursorBackward(true, length - std::min(Start, length));
}

void TSCLCustomComboBox::DoTimerEvent(TObject*)
{
    if (Sorted()) {
        const std::string typed = Text();
        for (int i = 0; i < Items()->Count(); ++i) {
            if (Items()->Strings(i).compare(0, typed.size(), typed) != 0)
                continue;
            const int start = Edit_Sel_Start();
            SetItemIndex(i);
            Select_Tail(start);
            break;
        }
    }
    FreeTimer();
}

void TSCLCustomComboBox::FreeTimer()
{
    if (!timer_ident || !SCLApplication)
        return;
    if (TSCLTimerItem* timer = SCLApplication->GetTimer(timer_ident))
        timer->SetEnabled(false);
    SCLApplication->RemoveTimer(timer_ident);
    timer_ident = 0;
}

// ---- Border ----------------------------------------------------------------

void TSCLCustomComboBox::RepaintBorder()
{
    if (!HandleAllocated())
        return;
    HWND window = Handle();
    HDC dc = GetWindowDC(window);
    if (!dc)
        return;
    RECT screen{};
    GetWindowRect(window, &screen);
    RECT r{0, 0, screen.right - screen.left, screen.bottom - screen.top};
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    HBRUSH back = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
    HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME));
    const bool designing = ComponentState().Contains(csDesigning);
    if (flat && (exiting || (!designing && !mouse_above && !Focused() && !edit_focus))) {
        FrameRect(dc, &r, face);
        RECT in1{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        FrameRect(dc, &in1, face);
        RECT in2{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
        FrameRect(dc, &in2, back);
    } else {
        RECT inner{r.left + 1, r.top + 1, r.right, r.bottom};
        FrameRect(dc, &inner, frame);
        RECT outer{0, 0, r.right - 1, r.bottom - 1};
        FrameRect(dc, &outer, face);
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
    DeleteObject(face);
    DeleteObject(back);
    DeleteObject(frame);
    ReleaseDC(window, dc);
}

void TSCLCustomComboBox::ExitCtrl()
{
    if (!mouse_above && !edit_focus) {
        exiting = true;
        RepaintBorder();
        exiting = false;
    }
    if (search)
        FreeTimer();
}

void TSCLCustomComboBox::Dispatch(TMessage& Message)
{
    if (Message.Msg == CB_SETDROPPEDWIDTH) {
        if (auto* combo = static_cast<QComboBox*>(Content()))
            combo->view()->setMinimumWidth(static_cast<int>(Message.WParam));
        Message.Result = static_cast<LRESULT>(Message.WParam);
        return;
    }
    if (Message.Msg == CM_MOUSEENTER)
        mouse_above = true;
    else if (Message.Msg == CM_MOUSELEAVE)
        mouse_above = false;
    TCustomComboBox::Dispatch(Message);
    switch (Message.Msg) {
    case WM_PAINT:
    case CM_ENTER: RepaintBorder(); break;
    case CM_EXIT: ExitCtrl(); break;
    case CM_MOUSEENTER:
        if (flat && !Focused())
            RepaintBorder();
        break;
    case CM_MOUSELEAVE:
        if (flat && !Focused() && !DroppedDown() && !edit_focus)
            RepaintBorder();
        break;
    default: break;
    }
}
