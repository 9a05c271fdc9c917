#include "platform/winapi/Window.h"

#include "platform/winapi/Gdi_Objects.h"
#include "platform/winapi/Kernel.h"
#include "platform/winapi/Message_Queue.h"
#include "platform/winapi/Window_Input.h"
#include "platform/winapi/Window_Object.h"
#include "platform/winapi/Window_Paint.h"
#include "platform/winapi/X11_Window_Hints.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstring>
#include <map>

namespace {

constexpr DWORD ERROR_TLW_WITH_WSCHILD = 1406;

std::map<std::string, std::shared_ptr<Window_Class>> classes; // by lower-case name
WORD next_atom = 0xC000;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::shared_ptr<Window_Class> Find_Class(LPCSTR name)
{
    if (!name)
        return nullptr;
    if (IS_INTRESOURCE(name)) {
        const auto atom = static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name));
        for (const auto& [key, window_class] : classes)
            if (window_class->atom == atom)
                return window_class;
        return nullptr;
    }
    auto found = classes.find(Lower(name));
    return found == classes.end() ? nullptr : found->second;
}

RECT To_Rect(const QRect& rect) { return RECT{rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()}; }

void Calculate_Client(HWND__* window)
{
    RECT rect = To_Rect(window->rect);
    Window_Send(window, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
    const QPoint origin = window->rect.topLeft() + QPoint(window->system_frame.left(), window->system_frame.top());
    window->client = QRect(rect.left - origin.x(), rect.top - origin.y(), std::max(0, LONG(rect.right - rect.left)),
                           std::max(0, LONG(rect.bottom - rect.top)));
}

void Place_In_Z_Order(HWND__* window, HWND insert_after)
{
    std::vector<HWND>& siblings = Window_Siblings(window);
    std::erase(siblings, window);
    auto after = std::find(siblings.begin(), siblings.end(), insert_after);
    Window_Qt_Widget* widget = window->widget;
    if (insert_after == HWND_BOTTOM) {
        siblings.push_back(window);
        if (widget)
            widget->lower();
    } else if (after != siblings.end() && insert_after != HWND_TOP) {
        siblings.insert(after + 1, window);
        if (widget && insert_after->widget)
            widget->stackUnder(insert_after->widget);
    } else {
        siblings.insert(siblings.begin(), window);
        if (widget)
            widget->raise();
    }
}

void Set_Shown(HWND__* window, bool shown)
{
    if (shown)
        window->style |= WS_VISIBLE;
    else
        window->style &= ~WS_VISIBLE;
    if (window->widget) {
        if (shown)
            X11_Write_Frame_Hints(window);
        window->widget->setVisible(shown);
    }
    if (shown)
        Queue_Schedule_Paint(); // it or its children may have waited to be painted
    if (!shown && !window->Is_Child() && GetActiveWindow() == window) {
        HWND owner = window->owner && IsWindowVisible(window->owner) ? window->owner : nullptr;
        Window_Activate(owner, WA_ACTIVE);
    }
}

QWidget* Parent_Widget(HWND__* window)
{
    HWND parent = window->Is_Child() ? window->parent : window->owner;
    return parent ? parent->widget : nullptr;
}

void Rebuild_Widget_Flags(HWND__* window)
{
    Window_Qt_Widget* widget = window->widget;
    if (!widget || window->Is_Child())
        return;
    const Qt::WindowFlags flags = Window_Qt_Flags(window);
    if (widget->windowFlags() == flags)
        return;
    widget->setWindowFlags(flags);
    if (window->style & WS_VISIBLE)
        X11_Write_Frame_Hints(window);
    widget->setVisible((window->style & WS_VISIBLE) != 0);
}

// Windows send WM_DESTROY from the top of a tree down and WM_NCDESTROY from
// the bottom up.
void Send_Destroy(HWND__* window)
{
    Window_Send(window, WM_DESTROY, 0, 0);
    const std::vector<HWND> children = window->children;
    for (HWND child : children)
        if (Window_Find(child))
            Send_Destroy(child);
}

void Mark_Destroying(HWND__* window)
{
    window->destroying = true;
    for (HWND child : window->children)
        Mark_Destroying(child);
}

void Detach_Widgets(HWND__* window)
{
    for (HWND child : window->children)
        Detach_Widgets(child);
    if (window->widget)
        window->widget->handle = nullptr;
}

void Finish_Destroy(HWND__* window)
{
    const std::vector<HWND> children = window->children;
    for (HWND child : children)
        if (Window_Find(child))
            Finish_Destroy(child);
    Window_Send(window, WM_NCDESTROY, 0, 0);
    Queue_Remove_Window(window);
    Window_Release_Dcs(window);
    window->widget = nullptr;
    if (window->Is_Child() && window->parent)
        std::erase(window->parent->children, window);
    Window_Unregister(window);
}

void Delete_Widget(Window_Qt_Widget* widget)
{
    if (!widget)
        return;
    widget->hide();
    if (Window_Event_Depth > 0)
        widget->deleteLater();
    else
        delete widget;
}

} // namespace

// ---- Classes -----------------------------------------------------------

WORD RegisterClassA(const WNDCLASSA* window_class)
{
    if (!window_class || !window_class->lpszClassName || IS_INTRESOURCE(window_class->lpszClassName)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string key = Lower(window_class->lpszClassName);
    if (classes.count(key)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto entry = std::make_shared<Window_Class>();
    entry->info = *window_class;
    entry->name = window_class->lpszClassName;
    entry->info.lpszClassName = nullptr;
    entry->info.lpszMenuName = nullptr;
    entry->atom = next_atom++;
    classes[key] = entry;
    return entry->atom;
}

BOOL UnregisterClassA(LPCSTR class_name, HINSTANCE)
{
    std::shared_ptr<Window_Class> found = Find_Class(class_name);
    if (!found) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    for (HWND window : Window_All()) {
        if (window->window_class == found) {
            SetLastError(ERROR_CLASS_HAS_WINDOWS);
            return FALSE;
        }
    }
    classes.erase(Lower(found->name));
    return TRUE;
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR class_name, WNDCLASSA* window_class)
{
    std::shared_ptr<Window_Class> found = Find_Class(class_name);
    if (!found || !window_class) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *window_class = found->info;
    window_class->lpszClassName = found->name.c_str();
    return TRUE;
}

int GetClassNameA(HWND window, LPSTR name, int size)
{
    HWND__* found = Window_Live(window);
    if (!found || !name || size <= 0)
        return 0;
    const int length = std::min<int>(static_cast<int>(found->window_class->name.size()), size - 1);
    std::memcpy(name, found->window_class->name.data(), static_cast<std::size_t>(length));
    name[length] = '\0';
    return length;
}

// ---- Creation and destruction ------------------------------------------

HWND CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    std::shared_ptr<Window_Class> window_class = Find_Class(class_name);
    if (!window_class) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    HWND__* parent_window = parent ? Window_Live(parent) : nullptr;
    if ((parent && !parent_window) || !On_Ui_Thread())
        return nullptr;
    if ((style & WS_CHILD) && !parent_window) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }
    if (x == CW_USEDEFAULT)
        x = y = 0;
    if (width == CW_USEDEFAULT)
        width = height = 0;

    auto created = std::make_shared<HWND__>();
    HWND window = created.get();
    window->window_class = window_class;
    window->procedure = window_class->info.lpfnWndProc;
    window->style = style & ~WS_VISIBLE;
    window->ex_style = ex_style;
    window->instance = instance;
    window->thread_id = GetCurrentThreadId();
    window->id = (style & WS_CHILD) ? static_cast<LONG>(reinterpret_cast<std::intptr_t>(menu)) : 0;
    if (style & WS_CHILD)
        window->parent = parent_window;
    else
        window->owner = Window_Root(parent_window);
    window->rect = QRect(x, y, std::max(0, width), std::max(0, height));
    Window_Register(created);
    Window_Siblings(window).insert(Window_Siblings(window).begin(), window);
    window->widget = new Window_Qt_Widget(window, Parent_Widget(window), Window_Qt_Flags(window));
    // Qt shows a child with its parent unless it was hidden on purpose; a
    // window without WS_VISIBLE stays hidden until it is shown.
    if (window->Is_Child())
        window->widget->hide();

    CREATESTRUCTA create{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style), window_name,
                         class_name, ex_style};
    if (Window_Send(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) == 0) {
        DestroyWindow(window);
        return nullptr;
    }
    Calculate_Client(window);
    Window_Apply_Geometry(window);
    if (Window_Send(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    if (!Window_Find(window))
        return nullptr;
    Window_Send_Size(window);
    Window_Send_Move(window);
    Window_Invalidate_All(window, true, true);
    if ((style & WS_VISIBLE) && Window_Find(window))
        ShowWindow(window, (style & WS_CHILD) ? SW_SHOWNA : SW_SHOW);
    return Window_Find(window) ? window : nullptr;
}

BOOL DestroyWindow(HWND window)
{
    std::shared_ptr<HWND__> held = Window_Hold(window);
    if (!held || !On_Ui_Thread()) {
        SetLastError(held ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (window->destroying)
        return TRUE;
    // The tree goes as a whole; a DestroyWindow of a part from WM_DESTROY has nothing more to do.
    Mark_Destroying(window);
    for (HWND owned : std::vector<HWND>(Window_Top_Levels()))
        if (owned->owner == window)
            DestroyWindow(owned);
    if (window->style & WS_VISIBLE)
        Set_Shown(window, false);
    Window_Input_Forget(window);
    Send_Destroy(window);
    Window_Qt_Widget* widget = window->widget;
    Detach_Widgets(window);
    Finish_Destroy(window);
    Delete_Widget(widget);
    return TRUE;
}

BOOL IsWindow(HWND window) { return Window_Find(window) ? TRUE : FALSE; }

LRESULT CallWindowProcA(WNDPROC procedure, HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    if (!procedure)
        return 0;
    return procedure(window, message, w_param, l_param);
}

// ---- Fields ------------------------------------------------------------

LONG GetWindowLongA(HWND window, int index)
{
    HWND__* found = Window_Live(window);
    if (!found)
        return 0;
    switch (index) {
    case GWL_STYLE:
        return static_cast<LONG>(found->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(found->ex_style);
    case GWL_ID:
        return found->id;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
}

LONG SetWindowLongA(HWND window, int index, LONG value)
{
    HWND__* found = Window_Live(window);
    if (!found)
        return 0;
    const LONG old = GetWindowLongA(window, index);
    switch (index) {
    case GWL_STYLE:
        found->style = (static_cast<DWORD>(value) & ~WS_VISIBLE) | (found->style & WS_VISIBLE);
        if ((static_cast<DWORD>(value) & WS_VISIBLE) != (found->style & WS_VISIBLE))
            Set_Shown(found, (static_cast<DWORD>(value) & WS_VISIBLE) != 0);
        return old;
    case GWL_EXSTYLE:
        found->ex_style = static_cast<DWORD>(value);
        return old;
    case GWL_ID:
        found->id = value;
        return old;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
}

LONG_PTR GetWindowLongPtrA(HWND window, int index)
{
    HWND__* found = Window_Live(window);
    if (!found)
        return 0;
    switch (index) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(found->procedure);
    case GWLP_USERDATA:
        return found->user_data;
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(GetParent(window));
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(found->instance);
    default:
        return GetWindowLongA(window, index);
    }
}

LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value)
{
    HWND__* found = Window_Live(window);
    if (!found)
        return 0;
    const LONG_PTR old = GetWindowLongPtrA(window, index);
    switch (index) {
    case GWLP_WNDPROC:
        found->procedure = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_USERDATA:
        found->user_data = value;
        return old;
    case GWLP_HINSTANCE:
        found->instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWLP_HWNDPARENT:
        if (found->Is_Child())
            return 0;
        found->owner = Window_Root(reinterpret_cast<HWND>(value));
        if (found->widget) {
            found->widget->setParent(Parent_Widget(found), Window_Qt_Flags(found));
            found->widget->setVisible((found->style & WS_VISIBLE) != 0);
        }
        return old;
    default:
        return SetWindowLongA(window, index, static_cast<LONG>(value));
    }
}

BOOL SetWindowTextA(HWND window, LPCSTR text)
{
    if (!Window_Live(window))
        return FALSE;
    return Window_Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowTextA(HWND window, LPSTR text, int size)
{
    if (!Window_Live(window) || !text || size <= 0)
        return 0;
    return static_cast<int>(Window_Send(window, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextLengthA(HWND window)
{
    if (!Window_Live(window))
        return 0;
    return static_cast<int>(Window_Send(window, WM_GETTEXTLENGTH, 0, 0));
}

// ---- Tree --------------------------------------------------------------

HWND GetParent(HWND window)
{
    HWND__* found = Window_Live(window);
    if (!found)
        return nullptr;
    return found->Is_Child() ? found->parent : found->owner;
}

HWND SetParent(HWND window, HWND parent)
{
    HWND__* found = Window_Live(window);
    HWND__* new_parent = parent ? Window_Live(parent) : nullptr;
    if (!found || (parent && !new_parent) || found == new_parent || (new_parent && IsChild(window, parent)))
        return nullptr;
    HWND old = found->Is_Child() ? found->parent : nullptr;
    std::erase(Window_Siblings(found), found);
    if (new_parent) {
        found->style = (found->style & ~WS_POPUP) | WS_CHILD;
        found->parent = new_parent;
        found->owner = nullptr;
    } else {
        found->style &= ~WS_CHILD;
        found->parent = nullptr;
    }
    Window_Siblings(found).insert(Window_Siblings(found).begin(), found);
    if (found->widget) {
        found->widget->setParent(Parent_Widget(found), Window_Qt_Flags(found));
        Calculate_Client(found);
        Window_Apply_Geometry(found);
        found->widget->setVisible((found->style & WS_VISIBLE) != 0);
    }
    return old ? old : GetDesktopWindow();
}

BOOL IsChild(HWND parent, HWND window)
{
    HWND__* found = Window_Find(window);
    while (found && found->Is_Child()) {
        found = found->parent;
        if (found == parent)
            return TRUE;
    }
    return FALSE;
}

HWND GetWindow(HWND window, UINT command)
{
    HWND__* found = Window_Live(window);
    if (!found)
        return nullptr;
    if (command == GW_CHILD)
        return found->children.empty() ? nullptr : found->children.front();
    if (command == GW_OWNER)
        return found->Is_Child() ? nullptr : found->owner;
    const std::vector<HWND>& siblings = Window_Siblings(found);
    auto at = std::find(siblings.begin(), siblings.end(), found);
    switch (command) {
    case GW_HWNDFIRST:
        return siblings.front();
    case GW_HWNDLAST:
        return siblings.back();
    case GW_HWNDNEXT:
        return at + 1 == siblings.end() ? nullptr : *(at + 1);
    case GW_HWNDPREV:
        return at == siblings.begin() ? nullptr : *(at - 1);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND GetTopWindow(HWND window)
{
    if (!window)
        return Window_Top_Levels().empty() ? nullptr : Window_Top_Levels().front();
    return GetWindow(window, GW_CHILD);
}

HWND GetDesktopWindow()
{
    // A fixed non-null value that names no window of ours.
    static char desktop;
    return reinterpret_cast<HWND>(&desktop);
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC procedure, LPARAM l_param)
{
    HWND__* found = Window_Live(parent);
    if (!found || !procedure)
        return FALSE;
    for (HWND child : std::vector<HWND>(found->children)) {
        if (!Window_Find(child))
            continue;
        if (!procedure(child, l_param))
            return FALSE;
        if (!EnumChildWindows(child, procedure, l_param) && Window_Find(child) && !child->children.empty())
            return FALSE;
    }
    return TRUE;
}

BOOL EnumThreadWindows(DWORD thread_id, WNDENUMPROC procedure, LPARAM l_param)
{
    if (!procedure)
        return FALSE;
    for (HWND window : std::vector<HWND>(Window_Top_Levels()))
        if (Window_Find(window) && window->thread_id == thread_id && !procedure(window, l_param))
            return FALSE;
    return TRUE;
}

HWND FindWindowA(LPCSTR class_name, LPCSTR window_name)
{
    std::shared_ptr<Window_Class> wanted = class_name ? Find_Class(class_name) : nullptr;
    if (class_name && !wanted)
        return nullptr;
    for (HWND window : Window_Top_Levels())
        if ((!wanted || window->window_class == wanted) && (!window_name || window->text == window_name))
            return window;
    return nullptr;
}

DWORD GetWindowThreadProcessId(HWND window, DWORD* process_id)
{
    HWND__* found = Window_Live(window);
    if (!found)
        return 0;
    if (process_id)
        *process_id = static_cast<DWORD>(QCoreApplication::applicationPid());
    return found->thread_id;
}

void Set_Window_Thread(HWND window, DWORD thread_id)
{
    if (HWND__* found = Window_Live(window))
        found->thread_id = thread_id;
}

// ---- Showing, position and size ----------------------------------------

BOOL ShowWindow(HWND window, int command)
{
    HWND__* found = Window_Live(window);
    if (!found)
        return FALSE;
    std::shared_ptr<HWND__> held = Window_Hold(window);
    const bool was_visible = (found->style & WS_VISIBLE) != 0;
    if (command == SW_HIDE) {
        if (was_visible) {
            Window_Send(window, WM_SHOWWINDOW, FALSE, 0);
            SetWindowPos(window, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return was_visible ? TRUE : FALSE;
    }
    if (!was_visible)
        Window_Send(window, WM_SHOWWINDOW, TRUE, 0);
    if (!Window_Find(window))
        return FALSE;
    const bool minimize = command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE;
    const bool maximize = command == SW_SHOWMAXIMIZED;
    const bool restore = command == SW_RESTORE || command == SW_SHOWNORMAL || command == SW_SHOWDEFAULT;
    const bool activate = !found->Is_Child() && !(found->ex_style & WS_EX_NOACTIVATE) &&
                          (restore || maximize || command == SW_SHOW || command == SW_SHOWMINIMIZED);
    const DWORD old_state = found->style & (WS_MINIMIZE | WS_MAXIMIZE);
    if (minimize)
        found->style = (found->style & ~WS_MAXIMIZE) | WS_MINIMIZE;
    else if (maximize)
        found->style = (found->style & ~WS_MINIMIZE) | WS_MAXIMIZE;
    else if (restore)
        found->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (activate ? 0 : SWP_NOACTIVATE));
    if (Window_Find(window) && found->widget && !found->Is_Child() &&
        (found->style & (WS_MINIMIZE | WS_MAXIMIZE)) != old_state) {
        if (found->style & WS_MINIMIZE)
            found->widget->showMinimized();
        else if (found->style & WS_MAXIMIZE)
            found->widget->showMaximized();
        else
            found->widget->showNormal();
        Window_Send_Size(found);
    }
    return was_visible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND window)
{
    for (HWND__* found = Window_Find(window); found; found = found->Is_Child() ? found->parent : nullptr) {
        if (!(found->style & WS_VISIBLE))
            return FALSE;
        if (!found->Is_Child())
            return TRUE;
    }
    return FALSE;
}

BOOL IsIconic(HWND window)
{
    HWND__* found = Window_Find(window);
    return found && (found->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND window)
{
    HWND__* found = Window_Find(window);
    return found && (found->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND window, BOOL enable)
{
    HWND__* found = Window_Live(window);
    if (!found)
        return FALSE;
    const bool was_disabled = (found->style & WS_DISABLED) != 0;
    if (was_disabled == !enable)
        return was_disabled ? TRUE : FALSE;
    if (!enable)
        Window_Send(window, WM_CANCELMODE, 0, 0);
    if (enable)
        found->style &= ~WS_DISABLED;
    else
        found->style |= WS_DISABLED;
    if (!enable && (GetFocus() == window || IsChild(window, GetFocus())))
        SetFocus(nullptr);
    Window_Send(window, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return was_disabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND window)
{
    HWND__* found = Window_Find(window);
    return found && !(found->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL SetWindowPos(HWND window, HWND insert_after, int x, int y, int width, int height, UINT flags)
{
    HWND__* found = Window_Live(window);
    if (!found)
        return FALSE;
    std::shared_ptr<HWND__> held = Window_Hold(window);
    WINDOWPOS position{window, insert_after, x, y, width, height, flags};
    if (flags & SWP_NOMOVE) {
        position.x = found->rect.x();
        position.y = found->rect.y();
    }
    if (flags & SWP_NOSIZE) {
        position.cx = found->rect.width();
        position.cy = found->rect.height();
    }
    if (!(flags & SWP_NOSENDCHANGING))
        Window_Send(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
    if (!Window_Find(window))
        return FALSE;
    const QRect new_rect(position.x, position.y, std::max(0, position.cx), std::max(0, position.cy));
    const bool moved = new_rect.topLeft() != found->rect.topLeft();
    const bool sized = new_rect.size() != found->rect.size();
    found->rect = new_rect;
    if (flags & SWP_FRAMECHANGED)
        Rebuild_Widget_Flags(found);
    if (sized || (flags & SWP_FRAMECHANGED))
        Calculate_Client(found);
    Window_Apply_Geometry(found);
    if (!(position.flags & SWP_NOZORDER)) {
        const HWND after = position.hwndInsertAfter;
        if (!found->Is_Child() && (after == HWND_TOPMOST || after == HWND_NOTOPMOST)) {
            if (after == HWND_TOPMOST)
                found->ex_style |= WS_EX_TOPMOST;
            else
                found->ex_style &= ~WS_EX_TOPMOST;
            Rebuild_Widget_Flags(found);
        }
        Place_In_Z_Order(found, position.hwndInsertAfter);
    }
    if (position.flags & SWP_SHOWWINDOW)
        Set_Shown(found, true);
    if (position.flags & SWP_HIDEWINDOW)
        Set_Shown(found, false);
    if ((sized || (flags & SWP_FRAMECHANGED)) && !(flags & SWP_NOREDRAW))
        Window_Invalidate_All(found, true, true);
    if (!found->Is_Child() && (found->style & WS_VISIBLE) && !(position.flags & SWP_NOACTIVATE))
        Window_Activate(window, WA_ACTIVE);
    position.flags |= (moved ? 0 : SWP_NOMOVE) | (sized ? 0 : SWP_NOSIZE);
    if (Window_Find(window))
        Window_Send(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint)
{
    return SetWindowPos(window, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND window)
{
    return SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL GetWindowRect(HWND window, LPRECT rect)
{
    HWND__* found = Window_Live(window);
    if (!found || !rect)
        return FALSE;
    *rect = To_Rect(Window_Rect_On_Screen(found));
    return TRUE;
}

BOOL GetClientRect(HWND window, LPRECT rect)
{
    HWND__* found = Window_Live(window);
    if (!found || !rect)
        return FALSE;
    *rect = RECT{0, 0, found->client.width(), found->client.height()};
    return TRUE;
}

BOOL ScreenToClient(HWND window, LPPOINT point)
{
    HWND__* found = Window_Live(window);
    if (!found || !point)
        return FALSE;
    const QPoint origin = Window_Client_Origin_On_Screen(found);
    point->x -= origin.x();
    point->y -= origin.y();
    return TRUE;
}

BOOL ClientToScreen(HWND window, LPPOINT point)
{
    HWND__* found = Window_Live(window);
    if (!found || !point)
        return FALSE;
    const QPoint origin = Window_Client_Origin_On_Screen(found);
    point->x += origin.x();
    point->y += origin.y();
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count)
{
    HWND__* source = from && from != GetDesktopWindow() ? Window_Live(from) : nullptr;
    HWND__* target = to && to != GetDesktopWindow() ? Window_Live(to) : nullptr;
    const QPoint offset = (source ? Window_Client_Origin_On_Screen(source) : QPoint()) -
                          (target ? Window_Client_Origin_On_Screen(target) : QPoint());
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += offset.x();
        points[i].y += offset.y();
    }
    return static_cast<int>(MAKELONG(static_cast<WORD>(offset.x()), static_cast<WORD>(offset.y())));
}

HWND WindowFromPoint(POINT point)
{
    HWND window = Widget_Window(QApplication::widgetAt(point.x, point.y));
    while (window && (window->style & WS_DISABLED) && window->Is_Child())
        window = window->parent;
    return window && !(window->style & WS_DISABLED) ? window : nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT point)
{
    HWND__* found = Window_Live(parent);
    if (!found || !QRect(QPoint(0, 0), found->client.size()).contains(point.x, point.y))
        return nullptr;
    for (HWND child : found->children) {
        const QPoint local = QPoint(point.x, point.y) - child->rect.topLeft();
        if (child->rect.contains(point.x, point.y) && (!child->has_region || child->region.contains(local)))
            return child;
    }
    return parent;
}

// ---- Regions -----------------------------------------------------------

int SetWindowRgn(HWND window, HRGN region, BOOL redraw)
{
    HWND__* found = Window_Live(window);
    Gdi_Region* object = region ? Gdi_Find<Gdi_Region>(region) : nullptr;
    if (!found || (region && !object))
        return 0;
    found->has_region = object != nullptr;
    found->region = object ? object->region : QRegion();
    if (object)
        DeleteObject(region);
    Window_Apply_Mask(found);
    if (redraw)
        Window_Invalidate_All(found, true, true);
    return 1;
}

int GetWindowRgn(HWND window, HRGN region)
{
    HWND__* found = Window_Live(window);
    Gdi_Region* object = Gdi_Find<Gdi_Region>(region);
    if (!found || !object || !found->has_region)
        return 0;
    object->region = found->region;
    return found->region.isEmpty() ? NULLREGION : (found->region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

// ---- Window menu -------------------------------------------------------

HMENU GetSystemMenu(HWND, BOOL) { return nullptr; }

BOOL DeleteMenu(HMENU, UINT, UINT)
{
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
}

// ---- Widgets -----------------------------------------------------------

QWidget* Window_Widget(HWND window)
{
    HWND__* found = Window_Find(window);
    return found ? found->widget : nullptr;
}

HWND Widget_Window(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (auto* ours = dynamic_cast<const Window_Qt_Widget*>(widget))
            return Window_Find(ours->handle);
        if (widget->isWindow())
            return nullptr;
    }
    return nullptr;
}
