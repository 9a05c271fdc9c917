#include "platform/winapi/X11_Window_Hints.h"

#include <QGuiApplication>

#include "platform/winapi/Window.h"
#include "platform/winapi/Window_Object.h"

// Last: the X headers define short macro names (None, Bool, Status).
#include <X11/Xlib.h>

namespace {

constexpr long Functions_Given = 1;
constexpr long Decorations_Given = 2;

constexpr long Function_Resize = 2;
constexpr long Function_Move = 4;
constexpr long Function_Minimise = 8;
constexpr long Function_Maximise = 16;
constexpr long Function_Close = 32;

constexpr long Decoration_Border = 2;
constexpr long Decoration_Resize_Border = 4;
constexpr long Decoration_Title = 8;
constexpr long Decoration_Menu = 16;
constexpr long Decoration_Minimise = 32;
constexpr long Decoration_Maximise = 64;

// What the style gives: a function and the decoration that offers it.
struct Frame_Part {
    DWORD Style;
    long Function;
    long Decoration;
};

constexpr Frame_Part Frame_Parts[] = {
    {WS_THICKFRAME, Function_Resize, Decoration_Resize_Border},
    {WS_SYSMENU, Function_Close, Decoration_Menu},
    {WS_MINIMIZEBOX, Function_Minimise, Decoration_Minimise},
    {WS_MAXIMIZEBOX, Function_Maximise, Decoration_Maximise},
};

} // namespace

std::array<long, 5> Motif_Frame_Hints(DWORD style)
{
    long functions = Function_Move;
    long decorations = Decoration_Border;
    if ((style & WS_CAPTION) == WS_CAPTION)
        decorations |= Decoration_Title;
    for (const Frame_Part& part : Frame_Parts) {
        if (style & part.Style) {
            functions |= part.Function;
            decorations |= part.Decoration;
        }
    }
    return {Functions_Given | Decorations_Given, functions, decorations, 0, 0};
}

void X11_Write_Frame_Hints(HWND__* window)
{
    if (!window->widget || window->Is_Child() || !Window_Has_System_Frame(window))
        return;
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return;
    std::array<long, 5> hints = Motif_Frame_Hints(window->style);
    const Atom property = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, static_cast<::Window>(window->widget->winId()), property, property, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints.data()), static_cast<int>(hints.size()));
    XFlush(display);
}
