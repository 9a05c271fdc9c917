#include "platform/winapi/Window_Input.h"

#include "platform/winapi/Kernel.h"
#include "platform/winapi/X11_Desktop.h"

#include <QApplication>
#include <QGuiApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <unordered_map>
#include <utility>

namespace {

HWND capture = nullptr;
HWND focus = nullptr;
HWND active = nullptr;
HWND tracked = nullptr; // TrackMouseEvent(TME_LEAVE)
using Key_States = std::array<BYTE, 256>; // 0x80 down, 0x01 toggled
// As Qt delivered the input (GetAsyncKeyState), and as of the last input
// message retrieved from the queue (GetKeyState): a handler asks about the
// input it handles, though later input may already have arrived.
Key_States key_state{};
Key_States retrieved_state{};
// Input that holds at once (it reaches no window of ours and is never
// retrieved) outdates the changes of its keys that older input still has
// in the queue.
std::uint64_t input_order = 0;
std::array<std::uint64_t, 256> held_at_once{};
bool alt_used = false; // another key went down while Alt was held

struct Press {
    HWND window = nullptr;
    Qt::MouseButton button = Qt::NoButton;
    quint64 time = 0;
    QPoint position;
};
Press last_press;

// A window of this process has the activation: WM_ACTIVATEAPP tells when
// that changes.
bool application_active = false;

bool Down(int key) { return (key_state[static_cast<std::size_t>(key & 0xFF)] & 0x80) != 0; }

void Set_Key(Key_States& states, int key, bool down)
{
    BYTE& state = states[static_cast<std::size_t>(key & 0xFF)];
    if (down && !(state & 0x80))
        state ^= 0x01;
    state = static_cast<BYTE>(down ? (state | 0x80) : (state & ~0x80));
}

// The input sets the key now, and again for GetKeyState when retrieved.
void Set_Key(Queued_Message& entry, int key, bool down)
{
    Set_Key(key_state, key, down);
    entry.keys[entry.key_count++] = Key_Change{static_cast<BYTE>(key & 0xFF), down, ++input_order};
}

void Sync_Modifiers(Queued_Message& entry, Qt::KeyboardModifiers modifiers)
{
    Set_Key(entry, VK_SHIFT, modifiers & Qt::ShiftModifier);
    Set_Key(entry, VK_CONTROL, modifiers & Qt::ControlModifier);
}

void Sync_Buttons(Queued_Message& entry, Qt::MouseButtons buttons)
{
    Set_Key(entry, VK_LBUTTON, buttons & Qt::LeftButton);
    Set_Key(entry, VK_RBUTTON, buttons & Qt::RightButton);
    Set_Key(entry, VK_MBUTTON, buttons & Qt::MiddleButton);
}

void Hold_At_Once(const Queued_Message& entry)
{
    for (std::uint8_t i = 0; i < entry.key_count; ++i)
        held_at_once[entry.keys[i].key] = entry.keys[i].order;
    Window_Retrieve_Keys(entry);
}

// Input that reaches no window is never retrieved: its keys hold at once.
void Post_Input(Queued_Message& entry, bool has_target)
{
    if (has_target)
        Queue_Post(std::move(entry));
    else
        Hold_At_Once(entry);
}

WPARAM Mouse_Keys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    WPARAM keys = 0;
    if (buttons & Qt::LeftButton)
        keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        keys |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        keys |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        keys |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        keys |= MK_CONTROL;
    return keys;
}

bool Accepts_Input(HWND window)
{
    HWND root = Window_Root(window);
    return window && !(window->style & WS_DISABLED) && root && !(root->style & WS_DISABLED);
}

bool In_Tree(HWND window, HWND root) { return window && (window == root || IsChild(root, window)); }

bool Is_Double_Click(HWND target, Qt::MouseButton button, quint64 time, const QPoint& global)
{
    const bool double_click = last_press.window == target && last_press.button == button &&
                              time - last_press.time <= GetDoubleClickTime() &&
                              std::abs(global.x() - last_press.position.x()) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                              std::abs(global.y() - last_press.position.y()) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    last_press = double_click ? Press{} : Press{target, button, time, global};
    return double_click;
}

UINT Button_Message(QEvent::Type type, Qt::MouseButton button)
{
    UINT base = 0;
    switch (button) {
    case Qt::LeftButton:
        base = WM_LBUTTONDOWN;
        break;
    case Qt::RightButton:
        base = WM_RBUTTONDOWN;
        break;
    case Qt::MiddleButton:
        base = WM_MBUTTONDOWN;
        break;
    default:
        return 0;
    }
    return type == QEvent::MouseButtonRelease ? base + 1 : base;
}

// The message for mouse input into the entry; false when no window takes it.
bool Mouse_Message(QMouseEvent* event, Queued_Message& entry)
{
    const QPoint global = event->globalPosition().toPoint();
    HWND target = capture ? capture : WindowFromPoint(POINT{global.x(), global.y()});
    if (!target || (!capture && !Accepts_Input(target)))
        return false;
    UINT message = WM_MOUSEMOVE;
    if (event->type() != QEvent::MouseMove) {
        message = Button_Message(event->type(), event->button());
        if (message == 0)
            return false;
        const bool double_click = event->type() != QEvent::MouseButtonRelease &&
                                  Is_Double_Click(target, event->button(), event->timestamp(), global);
        if (double_click && (target->window_class->info.style & CS_DBLCLKS))
            message += 2;
    }
    const QPoint client = global - Window_Client_Origin_On_Screen(target);
    entry.msg = MSG{target, message, Mouse_Keys(event->buttons(), event->modifiers()),
                    MAKELPARAM(static_cast<WORD>(client.x()), static_cast<WORD>(client.y())),
                    static_cast<DWORD>(event->timestamp()), POINT{global.x(), global.y()}};
    entry.mouse = true;
    entry.hit_test = capture == nullptr;
    return true;
}

void Mouse_Event(QMouseEvent* event)
{
    Queued_Message entry;
    Sync_Buttons(entry, event->buttons());
    Sync_Modifiers(entry, event->modifiers());
    const bool has_target = Mouse_Message(event, entry);
    Post_Input(entry, has_target);
}

void Wheel_Event(QWheelEvent* event)
{
    HWND target = focus ? focus : active;
    if (!target || !Accepts_Input(target))
        return;
    const QPoint global = event->globalPosition().toPoint();
    const auto delta = static_cast<SHORT>(event->angleDelta().y());
    Queued_Message entry;
    entry.msg = MSG{target, WM_MOUSEWHEEL,
                    MAKEWPARAM(static_cast<WORD>(Mouse_Keys(event->buttons(), event->modifiers())),
                               static_cast<WORD>(delta)),
                    MAKELPARAM(static_cast<WORD>(global.x()), static_cast<WORD>(global.y())),
                    static_cast<DWORD>(event->timestamp()), POINT{global.x(), global.y()}};
    Queue_Post(entry);
}

int Keypad_Key(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return VK_NUMPAD0 + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk:
        return VK_MULTIPLY;
    case Qt::Key_Plus:
        return VK_ADD;
    case Qt::Key_Minus:
        return VK_SUBTRACT;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return VK_DECIMAL;
    case Qt::Key_Slash:
        return VK_DIVIDE;
    case Qt::Key_Enter:
        return VK_RETURN;
    default:
        return 0;
    }
}

int Virtual_Key(const QKeyEvent* event)
{
    const int key = event->key();
    if ((event->modifiers() & Qt::KeypadModifier) && Keypad_Key(key))
        return Keypad_Key(key);
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + (key - Qt::Key_F1);
    static const std::unordered_map<int, int> keys = {
        {Qt::Key_Escape, VK_ESCAPE},       {Qt::Key_Tab, VK_TAB},
        {Qt::Key_Backtab, VK_TAB},         {Qt::Key_Backspace, VK_BACK},
        {Qt::Key_Return, VK_RETURN},       {Qt::Key_Enter, VK_RETURN},
        {Qt::Key_Insert, VK_INSERT},       {Qt::Key_Delete, VK_DELETE},
        {Qt::Key_Pause, VK_PAUSE},         {Qt::Key_Print, VK_SNAPSHOT},
        {Qt::Key_Home, VK_HOME},           {Qt::Key_End, VK_END},
        {Qt::Key_Left, VK_LEFT},           {Qt::Key_Up, VK_UP},
        {Qt::Key_Right, VK_RIGHT},         {Qt::Key_Down, VK_DOWN},
        {Qt::Key_PageUp, VK_PRIOR},        {Qt::Key_PageDown, VK_NEXT},
        {Qt::Key_Shift, VK_SHIFT},         {Qt::Key_Control, VK_CONTROL},
        {Qt::Key_Alt, VK_MENU},            {Qt::Key_AltGr, VK_MENU},
        {Qt::Key_Meta, VK_LWIN},           {Qt::Key_Menu, VK_APPS},
        {Qt::Key_CapsLock, VK_CAPITAL},    {Qt::Key_NumLock, VK_NUMLOCK},
        {Qt::Key_ScrollLock, VK_SCROLL},   {Qt::Key_Space, VK_SPACE},
        {Qt::Key_Help, VK_HELP},           {Qt::Key_Clear, VK_CLEAR},
        {Qt::Key_Semicolon, VK_OEM_1},     {Qt::Key_Colon, VK_OEM_1},
        {Qt::Key_Equal, VK_OEM_PLUS},      {Qt::Key_Plus, VK_OEM_PLUS},
        {Qt::Key_Comma, VK_OEM_COMMA},     {Qt::Key_Less, VK_OEM_COMMA},
        {Qt::Key_Minus, VK_OEM_MINUS},     {Qt::Key_Underscore, VK_OEM_MINUS},
        {Qt::Key_Period, VK_OEM_PERIOD},   {Qt::Key_Greater, VK_OEM_PERIOD},
        {Qt::Key_Slash, VK_OEM_2},         {Qt::Key_Question, VK_OEM_2},
        {Qt::Key_QuoteLeft, VK_OEM_3},     {Qt::Key_AsciiTilde, VK_OEM_3},
        {Qt::Key_BracketLeft, VK_OEM_4},   {Qt::Key_BraceLeft, VK_OEM_4},
        {Qt::Key_Backslash, VK_OEM_5},     {Qt::Key_Bar, VK_OEM_5},
        {Qt::Key_BracketRight, VK_OEM_6},  {Qt::Key_BraceRight, VK_OEM_6},
        {Qt::Key_Apostrophe, VK_OEM_7},    {Qt::Key_QuoteDbl, VK_OEM_7},
        {Qt::Key_Exclam, '1'},             {Qt::Key_At, '2'},
        {Qt::Key_NumberSign, '3'},         {Qt::Key_Dollar, '4'},
        {Qt::Key_Percent, '5'},            {Qt::Key_AsciiCircum, '6'},
        {Qt::Key_Ampersand, '7'},          {Qt::Key_Asterisk, '8'},
        {Qt::Key_ParenLeft, '9'},          {Qt::Key_ParenRight, '0'},
    };
    auto found = keys.find(key);
    return found == keys.end() ? 0 : found->second;
}

bool Is_Extended(int key, const QKeyEvent* event)
{
    switch (key) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_DIVIDE:
        return !(event->modifiers() & Qt::KeypadModifier) || key == VK_DIVIDE;
    case VK_RETURN:
        return event->key() == Qt::Key_Enter;
    default:
        return false;
    }
}

// The characters a key types, in the 8-bit character set (Latin-1 here).
std::string Key_Chars(const QString& text)
{
    std::string chars;
    for (QChar character : text)
        if (character.unicode() != 0 && character.unicode() < 0x100)
            chars.push_back(static_cast<char>(character.unicode()));
    return chars;
}

void Key_Event(QKeyEvent* event)
{
    const bool press = event->type() == QEvent::KeyPress;
    const int key = Virtual_Key(event);
    const std::string chars = press ? Key_Chars(event->text()) : std::string();
    if (key == 0 && chars.empty())
        return;
    const bool was_down = Down(key);
    Queued_Message entry;
    Set_Key(entry, key, press);
    if (key == VK_MENU && press && !was_down)
        alt_used = false;
    else if (press && Down(VK_MENU))
        alt_used = true;
    const bool alt = Down(VK_MENU) && !Down(VK_CONTROL);
    bool system = alt || key == VK_F10;
    if (key == VK_MENU && !press)
        system = !alt_used;
    UINT message = press ? WM_KEYDOWN : WM_KEYUP;
    if (system)
        message += WM_SYSKEYDOWN - WM_KEYDOWN;
    LPARAM l_param = 1 | (static_cast<LPARAM>(event->nativeScanCode() & 0xFF) << 16);
    if (Is_Extended(key, event))
        l_param |= KF_EXTENDED_BIT;
    if (system && (alt || key == VK_MENU))
        l_param |= KF_ALTDOWN_BIT;
    if (!press || was_down)
        l_param |= KF_REPEAT_BIT;
    if (!press)
        l_param |= KF_UP_BIT;
    HWND target = focus ? focus : active;
    const QPoint cursor = QCursor::pos();
    entry.msg = MSG{target, message, static_cast<WPARAM>(key), l_param, static_cast<DWORD>(event->timestamp()),
                    POINT{cursor.x(), cursor.y()}};
    entry.chars = chars;
    // Input is handled in the order it was made: a click still queued may
    // move the focus, and the key must follow it there.
    if (Queue_Holds_Mouse_Input()) {
        entry.msg.hwnd = nullptr;
        entry.to_focus = true;
        Queue_Post(std::move(entry));
        return;
    }
    Post_Input(entry, target && Accepts_Input(target));
}

// While a Qt modal window (the file dialog) blocks our windows, Qt drops
// the keys that the display still sends them before that window has the
// keyboard, unseen by any filter: a Ctrl let go as the dialog opens is
// heard by nobody. Once our windows are free again, a modifier still down
// here that the keyboard has up is let go.
void Release_Lost_Modifiers()
{
    // AltGr is our Alt key too.
    static const std::array<std::pair<int, Qt::KeyboardModifiers>, 3> modifiers = {{
        {VK_SHIFT, Qt::ShiftModifier},
        {VK_CONTROL, Qt::ControlModifier},
        {VK_MENU, Qt::AltModifier | Qt::GroupSwitchModifier},
    }};
    if (std::ranges::none_of(modifiers, [](const auto& modifier) { return Down(modifier.first); }))
        return;
    const Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
    Queued_Message entry;
    for (const auto& [key, modifier] : modifiers)
        if (Down(key) && !(held & modifier))
            Set_Key(entry, key, false);
    if (entry.key_count > 0)
        Hold_At_Once(entry);
}

// Keys pressed or released in a window that is not ours (a Qt dialog such
// as the file dialog, a popup menu, while their modal loop runs) become no
// input message: they hold at once, so that a key released there is up once
// the loop ends. Qt widgets inside our windows pass their keys on to them.
class Foreign_Key_Watch : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && Is_Foreign(watched))
            Foreign_Key(static_cast<const QKeyEvent*>(event));
        else if (type == QEvent::WindowUnblocked && watched->isWindowType())
            Release_Lost_Modifiers();
        return false;
    }

private:
    // A Qt window hands its keys on to a widget, which the watch sees then.
    static bool Is_Foreign(const QObject* receiver)
    {
        return receiver->isWidgetType() &&
               !dynamic_cast<const Window_Qt_Widget*>(static_cast<const QWidget*>(receiver)->window());
    }
    static void Foreign_Key(const QKeyEvent* event)
    {
        const int key = Virtual_Key(event);
        if (key == 0 || event->isAutoRepeat())
            return;
        Queued_Message entry;
        Set_Key(entry, key, event->type() == QEvent::KeyPress);
        Hold_At_Once(entry);
    }
};

QPointer<Foreign_Key_Watch> foreign_key_watch;

// Once our windows take input, every key the application sees is watched.
void Watch_Foreign_Keys()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (foreign_key_watch || !application)
        return;
    foreign_key_watch = new Foreign_Key_Watch;
    foreign_key_watch->setParent(application);
    application->installEventFilter(foreign_key_watch);
}

// Activation passed to or from another application: every top-level window
// of ours hears it, hidden ones (the application's window) included.
void Application_Activated(bool activated)
{
    if (application_active == activated)
        return;
    application_active = activated;
    for (HWND window : std::vector<HWND>(Window_Top_Levels()))
        if (Window_Find(window))
            Window_Send(window, WM_ACTIVATEAPP, activated ? TRUE : FALSE, 0);
}

// Whether the activation a window of ours loses leaves the application: Qt
// has the keyboard in none of its windows (a Qt dialog such as the file
// dialog is one of the application's), or only still in the window losing
// it, which is hidden or going away.
bool Activation_Leaves(HWND losing)
{
    const QWindow* focus_window = QGuiApplication::focusWindow();
    if (!focus_window)
        return true;
    return losing && Window_Find(losing) && losing->widget && losing->widget->windowHandle() == focus_window;
}

// Qt's keyboard leaving the application after our activation has gone (the
// active window was hidden or destroyed first) ends the application's
// activation too; any window of the application getting it starts it.
void Watch_Application_Focus()
{
    static bool watching = false;
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (watching || !application)
        return;
    watching = true;
    QObject::connect(application, &QGuiApplication::focusWindowChanged, application, [](QWindow* focus_window) {
        if (focus_window)
            Application_Activated(true);
        else if (!active)
            Application_Activated(false);
    });
}

// The window manager moved, resized or re-framed a top-level window.
void System_Geometry(HWND window)
{
    Window_Qt_Widget* widget = window->widget;
    if (!widget || window->Is_Child() || !widget->isVisible() || window->applying_geometry)
        return;
    const QRect frame = widget->frameGeometry();
    const QRect inner = widget->geometry();
    const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                           frame.bottom() - inner.bottom());
    if (frame == window->rect && margins == window->system_frame)
        return;
    const bool reframed = margins != window->system_frame;
    window->system_frame = margins;
    SetWindowPos(window, nullptr, frame.x(), frame.y(), frame.width(), frame.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | (reframed ? SWP_FRAMECHANGED : 0));
}

void System_State(HWND window)
{
    if (!window->widget || window->Is_Child())
        return;
    const Qt::WindowStates states = window->widget->windowState();
    DWORD style = window->style & ~(WS_MINIMIZE | WS_MAXIMIZE);
    if (states & Qt::WindowMinimized)
        style |= WS_MINIMIZE;
    else if (states & Qt::WindowMaximized)
        style |= WS_MAXIMIZE;
    if (style == window->style)
        return;
    window->style = style;
    Window_Send_Size(window);
}

} // namespace

bool Window_Input_Event(HWND window, QEvent* event)
{
    Watch_Foreign_Keys();
    Watch_Application_Focus();
    switch (event->type()) {
    // Qt gives a widget no press for the press that makes its double click,
    // only the double click: it is that press, and our own timing decides
    // whether it makes a double click.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        Mouse_Event(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::Wheel:
        Wheel_Event(static_cast<QWheelEvent*>(event));
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        Key_Event(static_cast<QKeyEvent*>(event));
        return true;
    case QEvent::Leave: {
        const QPoint cursor = QCursor::pos();
        Window_Check_Leave(POINT{cursor.x(), cursor.y()});
        return false;
    }
    case QEvent::WindowActivate:
        if (!window->Is_Child() && Accepts_Input(window))
            Window_Activate(window, WA_ACTIVE);
        return false;
    case QEvent::WindowDeactivate:
        if (active == window)
            Window_Activate(nullptr, WA_INACTIVE);
        return false;
    case QEvent::Close:
        event->ignore();
        Window_Send(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    case QEvent::Move:
    case QEvent::Resize:
        System_Geometry(window);
        return false;
    case QEvent::WindowStateChange:
        System_State(window);
        return false;
    default:
        return false;
    }
}

void Window_Retrieve_Keys(const Queued_Message& entry)
{
    for (std::uint8_t i = 0; i < entry.key_count; ++i) {
        const Key_Change& change = entry.keys[i];
        if (change.order >= held_at_once[change.key])
            Set_Key(retrieved_state, change.key, change.down);
    }
}

HWND Window_Keyboard_Target()
{
    HWND target = focus ? focus : active;
    return target && Accepts_Input(target) ? target : nullptr;
}

void Window_Check_Leave(POINT point)
{
    if (!tracked || WindowFromPoint(point) == tracked)
        return;
    HWND window = tracked;
    tracked = nullptr;
    Window_Send(window, WM_MOUSELEAVE, 0, 0);
}

bool Window_Prepare_Mouse(Queued_Message& entry)
{
    MSG& msg = entry.msg;
    HWND target = msg.hwnd;
    if (capture)
        return true;
    const LPARAM screen = MAKELPARAM(static_cast<WORD>(msg.pt.x), static_cast<WORD>(msg.pt.y));
    const LRESULT hit = Window_Send(target, WM_NCHITTEST, 0, screen);
    const bool button_down = msg.message != WM_MOUSEMOVE && msg.message != WM_LBUTTONUP &&
                             msg.message != WM_RBUTTONUP && msg.message != WM_MBUTTONUP;
    HWND root = Window_Root(target);
    if (button_down && root != active && Window_Find(target)) {
        const LRESULT answer = Window_Send(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root),
                                           MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(msg.message)));
        if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) && Window_Find(root))
            Window_Activate(root, WA_CLICKACTIVE);
        if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT)
            return false;
    }
    if (!Window_Find(target))
        return false;
    Window_Send(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(msg.message)));
    if (hit != HTCLIENT) {
        msg.message -= WM_MOUSEMOVE - WM_NCMOUSEMOVE;
        msg.wParam = static_cast<WPARAM>(hit);
        msg.lParam = screen;
    }
    return Window_Find(target) != nullptr;
}

void Window_Activate(HWND top_level, WORD how)
{
    if (top_level == active)
        return;
    HWND old = active;
    active = top_level;
    if (old && Window_Find(old)) {
        Window_Send(old, WM_NCACTIVATE, FALSE, 0);
        // A window may take the activation back on hearing that it loses it.
        if (active != top_level)
            return;
        Window_Send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0),
                    reinterpret_cast<LPARAM>(top_level));
        if (active != top_level)
            return;
    }
    if (!top_level) {
        if (Activation_Leaves(old))
            Application_Activated(false);
        SetFocus(nullptr);
        return;
    }
    if (active != top_level || !Window_Find(top_level))
        return;
    // The window manager raises what it activates.
    std::vector<HWND>& top_levels = Window_Top_Levels();
    std::erase(top_levels, top_level);
    top_levels.insert(top_levels.begin(), top_level);
    if (top_level->widget && !top_level->widget->isActiveWindow())
        top_level->widget->activateWindow();
    Application_Activated(true);
    // A window may take the activation on hearing that the application has it.
    if (active != top_level || !Window_Find(top_level))
        return;
    Window_Send(top_level, WM_NCACTIVATE, TRUE, 0);
    Window_Send(top_level, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(top_level) ? 1 : 0), reinterpret_cast<LPARAM>(old));
}

void Window_Input_Forget(HWND window)
{
    if (In_Tree(capture, window))
        ReleaseCapture();
    if (In_Tree(focus, window)) {
        HWND old = focus;
        focus = nullptr;
        Window_Send(old, WM_KILLFOCUS, 0, 0);
    }
    if (active == window) {
        HWND owner = window->owner && IsWindowVisible(window->owner) ? window->owner : nullptr;
        Window_Activate(owner, WA_ACTIVE);
    }
    if (In_Tree(tracked, window))
        tracked = nullptr;
    if (In_Tree(last_press.window, window))
        last_press = Press{};
}

// ---- Calls -------------------------------------------------------------

HWND SetCapture(HWND window)
{
    HWND old = capture;
    if (!Window_Find(window))
        return old;
    capture = window;
    if (old && old != window)
        Window_Send(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
    return old;
}

BOOL ReleaseCapture()
{
    HWND old = capture;
    capture = nullptr;
    if (old)
        Window_Send(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() { return capture; }

HWND SetFocus(HWND window)
{
    const HWND previous = focus;
    if (window == previous)
        return previous;
    if (window && !Window_Find(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (window && Window_Root(window) != active) {
        Window_Activate(Window_Root(window), WA_ACTIVE);
        if (!Window_Find(window))
            return nullptr;
        if (focus == window)
            return previous;
    }
    HWND old = focus;
    if (old && Window_Find(old))
        Window_Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    focus = window;
    if (window && Window_Find(window)) {
        if (window->widget)
            window->widget->setFocus(Qt::OtherFocusReason);
        Window_Send(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    }
    return previous;
}

HWND GetFocus() { return focus; }

HWND SetActiveWindow(HWND window)
{
    HWND old = active;
    HWND root = Window_Root(window);
    if (!Window_Find(root))
        return nullptr;
    Window_Activate(root, WA_ACTIVE);
    return old;
}

HWND GetActiveWindow() { return active; }

BOOL SetForegroundWindow(HWND window)
{
    HWND root = Window_Root(window);
    if (!Window_Find(root))
        return FALSE;
    Window_Activate(root, WA_ACTIVE);
    if (root->widget) {
        root->widget->raise();
        root->widget->activateWindow();
    }
    return TRUE;
}

HWND GetForegroundWindow() { return active; }

SHORT GetKeyState(int virtual_key)
{
    const BYTE state = retrieved_state[static_cast<std::size_t>(virtual_key & 0xFF)];
    // A lock key's toggle is the display's: it may change outside the program.
    const bool toggled = X11_Lock_Key_Toggled(virtual_key).value_or((state & 0x01) != 0);
    return static_cast<SHORT>(((state & 0x80) ? 0x8000 : 0) | (toggled ? 0x01 : 0));
}

SHORT GetAsyncKeyState(int virtual_key)
{
    return static_cast<SHORT>((key_state[static_cast<std::size_t>(virtual_key & 0xFF)] & 0x80) ? 0x8000 : 0);
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track)
{
    if (!track || track->cbSize != sizeof(TRACKMOUSEEVENT) || (track->dwFlags & TME_HOVER)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (track->dwFlags & TME_CANCEL) {
        if (tracked == track->hwndTrack)
            tracked = nullptr;
        return TRUE;
    }
    if (!Window_Find(track->hwndTrack)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (tracked && tracked != track->hwndTrack)
        PostMessageA(tracked, WM_MOUSELEAVE, 0, 0);
    tracked = track->hwndTrack;
    // Called while a mouse message is handled: the cursor was where it says.
    const DWORD position = GetMessagePos();
    const POINT point{static_cast<SHORT>(LOWORD(position)), static_cast<SHORT>(HIWORD(position))};
    if (WindowFromPoint(point) != tracked) {
        PostMessageA(tracked, WM_MOUSELEAVE, 0, 0);
        tracked = nullptr;
    }
    return TRUE;
}
