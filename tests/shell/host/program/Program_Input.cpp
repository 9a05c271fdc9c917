#include "tests/shell/host/program/Program_Input.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <memory>

namespace {

struct Display_Closer {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using Display_Connection = std::unique_ptr<Display, Display_Closer>;

Display_Connection Open_Test_Display()
{
    Display_Connection display(XOpenDisplay(nullptr));
    int event_base = 0;
    int error_base = 0;
    int major = 0;
    int minor = 0;
    if (display && !XTestQueryExtension(display.get(), &event_base, &error_base, &major, &minor))
        display.reset();
    return display;
}

unsigned int Key_Code(Display* display, const std::string& key)
{
    return XKeysymToKeycode(display, XStringToKeysym(key.c_str()));
}

void Hold(Display* display, const Held_Keys& held, bool down)
{
    for (const std::string& key : held)
        XTestFakeKeyEvent(display, Key_Code(display, key), down ? True : False, CurrentTime);
}

constexpr unsigned int Left_Button = 1;
constexpr unsigned int Right_Button = 3;

// The pointer moved onto the window's point (x, y), then `clicks` clicks
// of the button there with the keys held.
bool Clicks_At(unsigned long window, int x, int y, int clicks, const Held_Keys& held,
               unsigned int button = Left_Button)
{
    const Display_Connection display = Open_Test_Display();
    if (!display)
        return false;
    int screen_x = 0;
    int screen_y = 0;
    Window child = 0;
    XTranslateCoordinates(display.get(), window, DefaultRootWindow(display.get()), x, y, &screen_x, &screen_y, &child);
    XTestFakeMotionEvent(display.get(), -1, screen_x, screen_y, CurrentTime);
    Hold(display.get(), held, true);
    for (int click = 0; click < clicks; ++click) {
        XTestFakeButtonEvent(display.get(), button, True, CurrentTime);
        XTestFakeButtonEvent(display.get(), button, False, CurrentTime);
    }
    Hold(display.get(), held, false);
    XSync(display.get(), False);
    return true;
}

} // namespace

bool Click_At(unsigned long window, int x, int y, const Held_Keys& held)
{
    return Clicks_At(window, x, y, 1, held);
}

bool Right_Click_At(unsigned long window, int x, int y)
{
    return Clicks_At(window, x, y, 1, {}, Right_Button);
}

bool Double_Click_At(unsigned long window, int x, int y)
{
    return Clicks_At(window, x, y, 2, {});
}

bool Press_Key(unsigned long window, const std::string& key, const Held_Keys& held)
{
    const Display_Connection display = Open_Test_Display();
    if (!display)
        return false;
    // Keys go to the focus window, as after a user's click on it.
    XSetInputFocus(display.get(), window, RevertToParent, CurrentTime);
    Hold(display.get(), held, true);
    XTestFakeKeyEvent(display.get(), Key_Code(display.get(), key), True, CurrentTime);
    XTestFakeKeyEvent(display.get(), Key_Code(display.get(), key), False, CurrentTime);
    Hold(display.get(), held, false);
    XSync(display.get(), False);
    return true;
}

bool Key_Down_Or_Up(unsigned long window, const std::string& key, bool down)
{
    const Display_Connection display = Open_Test_Display();
    if (!display)
        return false;
    XSetInputFocus(display.get(), window, RevertToParent, CurrentTime);
    Hold(display.get(), {key}, down);
    XSync(display.get(), False);
    return true;
}

void Move_Pointer_To(int x, int y)
{
    const Display_Connection display = Open_Test_Display();
    if (!display)
        return;
    XTestFakeMotionEvent(display.get(), -1, x, y, CurrentTime);
    XSync(display.get(), False);
}
