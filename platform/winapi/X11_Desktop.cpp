#include "platform/winapi/X11_Desktop.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/winapi/Kernel.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/System_Metrics.h"

// Last: the X headers define short macro names (None, Bool, Status).
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

struct Display_Closer {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using Display_Connection = std::unique_ptr<Display, Display_Closer>;

Display_Connection Open_Display()
{
    return Display_Connection(XOpenDisplay(nullptr));
}

BOOL Refused()
{
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
}

BOOL Answer(void* value, int answer)
{
    if (value == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *static_cast<int*>(value) = answer;
    return TRUE;
}

struct Lock_Key {
    int virtual_key;
    KeySym key;
    const char* indicator;
};

constexpr Lock_Key Lock_Keys[] = {
    {VK_NUMLOCK, XK_Num_Lock, "Num Lock"},
    {VK_CAPITAL, XK_Caps_Lock, "Caps Lock"},
    {VK_SCROLL, XK_Scroll_Lock, "Scroll Lock"},
};

const Lock_Key* Find_Lock_Key(int virtual_key)
{
    const auto found = std::ranges::find(Lock_Keys, virtual_key, &Lock_Key::virtual_key);
    return found == std::end(Lock_Keys) ? nullptr : &*found;
}

// ---- Keyboard repeat: Windows' steps and the server's milliseconds ----

constexpr int Delay_Step_Ms = 250;
constexpr double Slowest_Rate = 2.5;  // repeats per second at speed 0
constexpr double Fastest_Rate = 30.0; // at speed 31

int Delay_Index(unsigned delay_ms)
{
    return std::clamp(static_cast<int>(std::lround(static_cast<double>(delay_ms) / Delay_Step_Ms)) - 1, 0, 3);
}

unsigned Delay_Ms(UINT index)
{
    return (std::min<UINT>(index, 3) + 1) * Delay_Step_Ms;
}

int Speed_Index(unsigned interval_ms)
{
    const double rate = 1000.0 / std::max(interval_ms, 1u);
    return std::clamp(static_cast<int>(std::lround((rate - Slowest_Rate) * 31 / (Fastest_Rate - Slowest_Rate))), 0, 31);
}

unsigned Interval_Ms(UINT speed)
{
    const double rate = Slowest_Rate + std::min<UINT>(speed, 31) * (Fastest_Rate - Slowest_Rate) / 31;
    return static_cast<unsigned>(std::lround(1000.0 / rate));
}

struct Repeat {
    unsigned delay = 0;
    unsigned interval = 0;
};

std::optional<Repeat> Read_Repeat(Display* display)
{
    Repeat repeat;
    if (!XkbGetAutoRepeatRate(display, XkbUseCoreKbd, &repeat.delay, &repeat.interval))
        return std::nullopt;
    return repeat;
}

BOOL Write_Repeat(Display* display, const Repeat& repeat)
{
    if (!XkbSetAutoRepeatRate(display, XkbUseCoreKbd, repeat.delay, repeat.interval))
        return Refused();
    XSync(display, False);
    return TRUE;
}

BOOL Keyboard_Parameter(Display* display, UINT action, UINT param, void* value)
{
    std::optional<Repeat> repeat = Read_Repeat(display);
    if (!repeat)
        return Refused();
    switch (action) {
    case SPI_GETKEYBOARDDELAY: return Answer(value, Delay_Index(repeat->delay));
    case SPI_GETKEYBOARDSPEED: return Answer(value, Speed_Index(repeat->interval));
    case SPI_SETKEYBOARDDELAY: repeat->delay = Delay_Ms(param); break;
    default: repeat->interval = Interval_Ms(param); break;
    }
    return Write_Repeat(display, *repeat);
}

// ---- Bell ----

constexpr int Default_Bell_Percent = 50;

BOOL Bell_Parameter(Display* display, UINT action, UINT param, void* value)
{
    XKeyboardState state{};
    XGetKeyboardControl(display, &state);
    if (action == SPI_GETBEEP)
        return Answer(value, state.bell_percent != 0 ? TRUE : FALSE);
    XKeyboardControl control{};
    control.bell_percent = param != 0 ? (state.bell_percent != 0 ? state.bell_percent : Default_Bell_Percent) : 0;
    XChangeKeyboardControl(display, KBBellPercent, &control);
    XSync(display, False);
    return TRUE;
}

// ---- Screen saver ----

constexpr int Default_Screen_Saver_Seconds = 600;

struct Screen_Saver {
    int timeout = 0;
    int interval = 0;
    int prefer_blanking = 0;
    int allow_exposures = 0;
};

BOOL Screen_Saver_Parameter(Display* display, UINT action, UINT param, void* value)
{
    Screen_Saver saver;
    XGetScreenSaver(display, &saver.timeout, &saver.interval, &saver.prefer_blanking, &saver.allow_exposures);
    switch (action) {
    case SPI_GETSCREENSAVETIMEOUT: return Answer(value, saver.timeout);
    case SPI_GETSCREENSAVEACTIVE: return Answer(value, saver.timeout != 0 ? TRUE : FALSE);
    case SPI_SETSCREENSAVETIMEOUT: saver.timeout = static_cast<int>(std::min<UINT>(param, 0x7FFF)); break;
    default:
        // Switching on a saver without a time-out gives it the server's default one.
        saver.timeout = param == 0 ? 0 : (saver.timeout != 0 ? saver.timeout : Default_Screen_Saver_Seconds);
        break;
    }
    XSetScreenSaver(display, saver.timeout, saver.interval, saver.prefer_blanking, saver.allow_exposures);
    XSync(display, False);
    return TRUE;
}

} // namespace

void keybd_event(BYTE virtual_key, BYTE, DWORD flags, ULONG_PTR)
{
    const Lock_Key* lock = Find_Lock_Key(virtual_key);
    const Display_Connection display = lock != nullptr ? Open_Display() : nullptr;
    if (!display)
        return;
    int event_base = 0;
    int error_base = 0;
    int major = 0;
    int minor = 0;
    const KeyCode code = XKeysymToKeycode(display.get(), lock->key);
    if (code == 0 || !XTestQueryExtension(display.get(), &event_base, &error_base, &major, &minor))
        return;
    XTestFakeKeyEvent(display.get(), code, (flags & KEYEVENTF_KEYUP) ? False : True, CurrentTime);
    XSync(display.get(), False);
}

std::optional<bool> X11_Lock_Key_Toggled(int virtual_key)
{
    const Lock_Key* lock = Find_Lock_Key(virtual_key);
    const Display_Connection display = lock != nullptr ? Open_Display() : nullptr;
    if (!display)
        return std::nullopt;
    const Atom name = XInternAtom(display.get(), lock->indicator, True);
    Bool lit = False;
    if (name == None || !XkbGetNamedIndicator(display.get(), name, nullptr, &lit, nullptr, nullptr))
        return std::nullopt;
    return lit != False;
}

std::optional<BOOL> X11_Desktop_Parameter(UINT action, UINT param, void* value)
{
    BOOL (*handler)(Display*, UINT, UINT, void*) = nullptr;
    switch (action) {
    case SPI_GETKEYBOARDDELAY:
    case SPI_SETKEYBOARDDELAY:
    case SPI_GETKEYBOARDSPEED:
    case SPI_SETKEYBOARDSPEED: handler = Keyboard_Parameter; break;
    case SPI_GETBEEP:
    case SPI_SETBEEP: handler = Bell_Parameter; break;
    case SPI_GETSCREENSAVETIMEOUT:
    case SPI_SETSCREENSAVETIMEOUT:
    case SPI_GETSCREENSAVEACTIVE:
    case SPI_SETSCREENSAVEACTIVE: handler = Screen_Saver_Parameter; break;
    default: return std::nullopt;
    }
    const Display_Connection display = Open_Display();
    if (!display)
        return Refused();
    return handler(display.get(), action, param, value);
}
