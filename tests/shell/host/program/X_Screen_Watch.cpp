#include "tests/shell/host/program/X_Screen_Watch.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// Windows of other processes may go at any moment: a request about one that
// is gone answers an error, which must not end the test.
int Ignore_Error(Display*, XErrorEvent*)
{
    return 0;
}

std::string Text_Property(Display* display, Window window, const char* name, Atom type)
{
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1024, False, type, &actual, &format,
                           &count, &left, &data) == Success
        && data != nullptr) {
        if (actual == type && format == 8)
            text.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return text;
}

pid_t Pid_Property(Display* display, Window window)
{
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    pid_t pid = 0;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL,
                           &actual, &format, &count, &left, &data) == Success
        && data != nullptr) {
        if (actual == XA_CARDINAL && format == 32 && count == 1)
            pid = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data));
        XFree(data);
    }
    return pid;
}

} // namespace

X_Screen_Watch::X_Screen_Watch()
{
    XSetErrorHandler(Ignore_Error);
    display = XOpenDisplay(nullptr);
}

X_Screen_Watch::~X_Screen_Watch()
{
    if (display != nullptr)
        XCloseDisplay(display);
}

X_Screen_Watch::Window_Seen X_Screen_Watch::Describe(unsigned long window)
{
    Window_Seen seen;
    seen.Id = window;
    seen.Title = Text_Property(display, window, "_NET_WM_NAME", XInternAtom(display, "UTF8_STRING", False));
    if (seen.Title.empty())
        seen.Title = Text_Property(display, window, "WM_NAME", XA_STRING);
    XWindowAttributes attributes {};
    if (XGetWindowAttributes(display, window, &attributes)) {
        seen.Width = attributes.width;
        seen.Height = attributes.height;
    }
    seen.Pid = Pid_Property(display, window);
    return seen;
}

std::vector<X_Screen_Watch::Window_Seen> X_Screen_Watch::Shown_Windows()
{
    std::vector<Window_Seen> shown;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return shown;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes {};
        if (children[i] != own_window && XGetWindowAttributes(display, children[i], &attributes)
            && attributes.map_state == IsViewable)
            shown.push_back(Describe(children[i]));
    }
    if (children != nullptr)
        XFree(children);
    return shown;
}

void X_Screen_Watch::Watch_Mappings()
{
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);
    watching = true;
}

std::vector<X_Screen_Watch::Window_Seen> X_Screen_Watch::Mapped_Since()
{
    std::vector<Window_Seen> mapped;
    XSync(display, False);
    while (watching && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && event.xmap.window != own_window)
            mapped.push_back(Describe(event.xmap.window));
    }
    return mapped;
}

void X_Screen_Watch::Take_Focus()
{
    if (own_window == 0) {
        own_window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 8, 8, 0, 0, 0);
        XSelectInput(display, own_window, StructureNotifyMask);
        XMapWindow(display, own_window);
        XEvent event;
        do
            XWindowEvent(display, own_window, StructureNotifyMask, &event);
        while (event.type != MapNotify);
    }
    XSetInputFocus(display, own_window, RevertToParent, CurrentTime);
    XSync(display, False);
}

void X_Screen_Watch::Touch(unsigned long window)
{
    const Atom mark = XInternAtom(display, "ORDEXIA_TEST_MARK", False);
    const unsigned char value = 1;
    XChangeProperty(display, window, mark, XA_INTEGER, 8, PropModeReplace, &value, 1);
    XSync(display, False);
}

unsigned long X_Screen_Watch::Focus()
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return focus;
}

std::vector<unsigned long> X_Screen_Watch::Property_Values(unsigned long window, const std::string& property)
{
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display, window, XInternAtom(display, property.c_str(), False), 0, 64, False,
                           AnyPropertyType, &actual, &format, &count, &left, &data) == Success
        && data != nullptr) {
        // Xlib hands 32-bit values over as longs.
        if (format == 32)
            values.assign(reinterpret_cast<unsigned long*>(data), reinterpret_cast<unsigned long*>(data) + count);
        XFree(data);
    }
    return values;
}

unsigned long X_Screen_Watch::Atom_Of(const std::string& name)
{
    return XInternAtom(display, name.c_str(), False);
}
