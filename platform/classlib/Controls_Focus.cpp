// Focus, tab order and keys of windowed controls, and the key helpers.

#include "platform/classlib/Controls.h"

#include <algorithm>
#include <cctype>

#include "platform/classlib/Forms.h"

// ---- Helpers -----------------------------------------------------------------

TShiftState KeysToShiftState(WORD Keys)
{
    TShiftState shift;
    if (Keys & MK_SHIFT)
        shift.Include(ssShift);
    if (Keys & MK_CONTROL)
        shift.Include(ssCtrl);
    if (Keys & MK_LBUTTON)
        shift.Include(ssLeft);
    if (Keys & MK_RBUTTON)
        shift.Include(ssRight);
    if (Keys & MK_MBUTTON)
        shift.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0)
        shift.Include(ssAlt);
    return shift;
}

TShiftState KeyDataToShiftState(LPARAM KeyData)
{
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0)
        shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0)
        shift.Include(ssCtrl);
    if (KeyData & KF_ALTDOWN_BIT)
        shift.Include(ssAlt);
    return shift;
}

bool IsAccel(WORD VK, const std::string& Str)
{
    // "&&" is a literal ampersand; the first single '&' marks the accelerator.
    for (std::size_t i = 0; i + 1 < Str.size(); ++i) {
        if (Str[i] != '&')
            continue;
        if (Str[i + 1] == '&') {
            ++i;
            continue;
        }
        const auto wanted = std::toupper(static_cast<unsigned char>(VK & 0xFF));
        return std::toupper(static_cast<unsigned char>(Str[i + 1])) == wanted;
    }
    return false;
}

// ---- TWinControl: focus and keys ---------------------------------------------------

bool TWinControl::Focused() { return handle && GetFocus() == handle; }

bool TWinControl::CanFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (!form || !form->Visible() || !form->Enabled())
        return false;
    for (TControl* control = this; control != form; control = control->Parent())
        if (!control->Visible() || !control->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    if (TCustomForm* form = GetParentForm(this)) {
        form->FocusControl(this);
    } else if (parent_window) {
        ::SetFocus(Handle());
    } else {
        ValidParentForm(this);
    }
}

void TWinControl::SetTabStop(bool Value)
{
    if (Value == tab_stop)
        return;
    tab_stop = Value;
    if (handle) {
        const LONG style = GetWindowLongA(handle, GWL_STYLE);
        SetWindowLongA(handle, GWL_STYLE,
                       Value ? (style | static_cast<LONG>(WS_TABSTOP)) : (style & ~static_cast<LONG>(WS_TABSTOP)));
    }
}

int TWinControl::TabOrder() const
{
    if (!parent)
        return -1;
    const auto& list = parent->tab_list;
    const auto found = std::find(list.begin(), list.end(), this);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

void TWinControl::SetTabOrder(int Value)
{
    if (!parent)
        return;
    auto& list = parent->tab_list;
    std::erase(list, this);
    const auto position = static_cast<std::size_t>(std::clamp(Value, 0, static_cast<int>(list.size())));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(position), this);
}

void TWinControl::TabOrderList(std::vector<TWinControl*>& List)
{
    for (TWinControl* child : tab_list) {
        List.push_back(child);
        child->TabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    std::vector<TWinControl*> list;
    TabOrderList(list);
    if (list.empty())
        return nullptr;
    const auto count = static_cast<int>(list.size());
    const auto found = std::find(list.begin(), list.end(), CurControl);
    int start = found == list.end() ? (GoForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
    for (int step = 1; step <= count; ++step) {
        const int index = ((start + (GoForward ? step : -step)) % count + count) % count;
        TWinControl* candidate = list[static_cast<std::size_t>(index)];
        if (candidate->CanFocus() && (!CheckTabStop || candidate->TabStop()))
            return candidate;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop))
        next->SetFocus();
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

TWinControl* TWinControl::KeyPreviewForm()
{
    TCustomForm* form = GetParentForm(this);
    if (!form || form == this || !form->KeyPreview())
        return nullptr;
    return form;
}

bool TWinControl::DoKeyDown(TMessage& Message)
{
    if (TWinControl* form = KeyPreviewForm(); form && form->DoKeyDown(Message))
        return true;
    auto key = static_cast<WORD>(Message.WParam);
    if (!ControlStyle().Contains(csNoStdEvents))
        KeyDown(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& Message)
{
    if (TWinControl* form = KeyPreviewForm(); form && form->DoKeyUp(Message))
        return true;
    auto key = static_cast<WORD>(Message.WParam);
    if (!ControlStyle().Contains(csNoStdEvents))
        KeyUp(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& Message)
{
    if (TWinControl* form = KeyPreviewForm(); form && form->DoKeyPress(Message))
        return true;
    auto key = static_cast<char>(Message.WParam);
    if (!ControlStyle().Contains(csNoStdEvents))
        KeyPress(key);
    Message.WParam = static_cast<unsigned char>(key);
    return key == 0;
}

bool TWinControl::DialogChar(TMessage& Message)
{
    // An accelerator goes to the form's controls first, unless this control
    // takes characters itself.
    if (Message.Msg == WM_CHAR && (Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS))
        return false;
    if (Message.Msg == WM_SYSCHAR && Message.WParam == VK_SPACE)
        return false;
    TCustomForm* form = GetParentForm(this);
    return form && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0;
}

bool TWinControl::DialogKey(TMessage& Message)
{
    // Tab moves the focus unless this control takes tabs itself.
    if (Message.WParam != VK_TAB || (Perform(WM_GETDLGCODE, 0, 0) & (DLGC_WANTTAB | DLGC_WANTALLKEYS)))
        return false;
    TCustomForm* form = GetParentForm(this);
    return form && form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0;
}

bool TWinControl::KeyMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return DoKeyDown(Message) || DialogKey(Message);
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return DoKeyUp(Message);
    case WM_CHAR:
        return DialogChar(Message) || DoKeyPress(Message);
    case WM_SYSCHAR:
        return DialogChar(Message);
    default:
        return false;
    }
}
