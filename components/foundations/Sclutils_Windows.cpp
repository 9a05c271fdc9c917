// Centring and placing forms and windows, waiting with messages, window-menu
// pruning, and the explode animation.

#include <algorithm>
#include <array>
#include <cstdint>

#include "components/foundations/Sclclass.h"
#include "components/foundations/Sclutils.h"
#include "components/foundations/Sclutils_Internal.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Cursor.h"
#include "platform/winapi/Instance_Lock.h"
#include "platform/winapi/Kernel.h"
#include "platform/winapi/System_Metrics.h"
#include "platform/winapi/Window.h"

using namespace sclutils;

namespace {

constexpr UINT move_only = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

int Screen_Width() { return GetSystemMetrics(SM_CXSCREEN); }
int Screen_Height() { return GetSystemMetrics(SM_CYSCREEN); }

// Value moved back so that value + size stays within limit, then not below 0.
int Keep_Within(int value, int size, int limit)
{
    if (value + size > limit)
        value = limit - size;
    return std::max(value, 0);
}

RECT Window_Rect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// The start and growth of a rectangle over the steps of an animation.
struct Track {
    double x;
    double y;
    double w;
    double h;
    double dx;
    double dy;
    double dw;
    double dh;
};

void Busy_Wait(int delay)
{
    // A fixed amount of work, not time: the animation's pace on the
    // machines it was made for.
    volatile int rounds = 0;
    for (int i = 0; i < delay * 10000; ++i)
        rounds = i;
    (void)rounds;
}

void Run_Track(HDC dc, const Track& t, int steps, int delay)
{
    for (int i = 1; i <= steps; ++i) {
        Busy_Wait(delay);
        const int left = static_cast<int>(Round(i * t.dx + t.x));
        const int top = static_cast<int>(Round(i * t.dy + t.y));
        const RECT r{left, top, static_cast<int>(Round(t.w + i * t.dw + left)),
                     static_cast<int>(Round(t.h + i * t.dh + top))};
        DrawFocusRect(dc, &r);
    }
}

// The focus rectangles are XORed: the second pass erases the first.
template <typename Pass> void Draw_Twice_On_Screen(Pass pass)
{
    HDC screen = GetDC(nullptr);
    pass(screen);
    pass(screen);
    ReleaseDC(nullptr, screen);
}

POINT Start_Point(int x, int y)
{
    if (x >= 0)
        return POINT{x, y};
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    return cursor;
}

} // namespace

bool SCLIsChild(TControl* Control, TControl* Parent)
{
    for (TControl* c = Control; c; c = c->Parent())
        if (c == Parent)
            return true;
    return false;
}

int SCLCenterChild(TCustomForm* Parent, TCustomForm* Child, bool Show)
{
    if (!Parent || !Child)
        return 0;
    Child->SetPosition(poDesigned);
    const int left = Parent->Left() + (Parent->Width() - Child->Width()) / 2;
    const int top = Parent->Top() + (Parent->Height() - Child->Height()) / 2;
    Child->SetBounds(Keep_Within(left, Child->Width(), Screen_Width()),
                     Keep_Within(top, Child->Height(), Screen_Height()), Child->Width(), Child->Height());
    return Show ? Child->ShowModal() : 0;
}

void SCLCenterForm(TCustomForm* Form)
{
    if (Form)
        Form->SetBounds((Screen_Width() - Form->Width()) / 2, (Screen_Height() - Form->Height()) / 2, Form->Width(),
                        Form->Height());
}

void SCLCenterChildWindow(HWND Parent, HWND Child, bool)
{
    const RECT p = Window_Rect(Parent);
    const RECT c = Window_Rect(Child);
    const int w = Width_Of(c);
    const int h = Height_Of(c);
    int x = p.left + (Width_Of(p) - w) / 2;
    if (x + w > Screen_Width())
        x = Screen_Width() - w;
    const int y = Keep_Within(p.top + (Height_Of(p) - h) / 2, h, Screen_Height());
    SetWindowPos(Child, nullptr, x, y, 0, 0, move_only);
}

void SCLCenterWindow(HWND Wnd, bool Upper)
{
    const RECT r = Window_Rect(Wnd);
    const int w = Width_Of(r);
    const int h = Height_Of(r);
    const int x = Keep_Within((Screen_Width() - w) / 2, w, Screen_Width());
    const int y = Keep_Within((Screen_Height() - h) / (Upper ? 3 : 2), h, Screen_Height());
    SetWindowPos(Wnd, nullptr, x, y, 0, 0, move_only);
}

RECT SCLDlgGetTargetRect(TSCLDlgPosRel Relation)
{
    const RECT screen{0, 0, Screen_Width(), Screen_Height()};
    switch (Relation) {
    case brScreenWorkArea: {
        RECT work = screen;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        return work;
    }
    case brMainForm:
        return Application && Application->MainForm() ? Application->MainForm()->BoundsRect() : screen;
    case brActiveWindow:
        return Screen && Screen->ActiveForm() ? Screen->ActiveForm()->BoundsRect() : screen;
    default:
        return screen;
    }
}

void SCLPositionWindow(HWND Wnd, const RECT& Target, TSCLDlgPosition Position, bool)
{
    const RECT r = Window_Rect(Wnd);
    const int w = Width_Of(r);
    const int h = Height_Of(r);
    const int cell = Position == bpCustom ? 0 : static_cast<int>(Position) - 1;
    const std::array<int, 3> xs{Target.left, Target.left + (Width_Of(Target) - w) / 2, Target.right - w};
    const std::array<int, 3> ys{Target.top, Target.top + (Height_Of(Target) - h) / 2, Target.bottom - h};
    int x = xs[static_cast<std::size_t>(cell % 3)];
    int y = ys[static_cast<std::size_t>(cell / 3)];
    if (y + h > Screen_Height())
        y = Target.bottom - h;
    if (x + w > Screen_Width())
        x = Target.right - w;
    SetWindowPos(Wnd, nullptr, std::max(x, 0), std::max(y, 0), 0, 0, move_only);
}

void SCLCheckFormSysMenu(TCustomForm* Form, TSCLSysMenuEntries Entries)
{
    if (Form)
        SCLCheckSystemMenu(Entries, GetSystemMenu(Form->Handle(), FALSE), false);
}

void SCLCheckApplicationSysMenu(TSCLSysMenuEntries Entries)
{
    if (Application)
        SCLCheckSystemMenu(Entries, GetSystemMenu(Application->Handle(), FALSE), true);
}

void SCLActivatePrevInstance()
{
    if (!SCLApplication || !SCLApplication->PrevInstance() || !Application)
        return;
    SetWindowTextA(Application->Handle(), "");
    const Instance_Lock title_lock(Application->Title());
    if (!title_lock.First())
        title_lock.Ask_Restore();
}

void SCLWait(DWORD Milliseconds)
{
    if (Milliseconds == 0 || !Application)
        return;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < Milliseconds && !Application->Terminated())
        Application->ProcessMessages();
}

void sclutils::Draw_Explode(HDC dc, TCustomForm* form, POINT start, int delay, int steps)
{
    if (steps < 4)
        steps = 40;
    const RECT w = Window_Rect(form->Handle());
    const double n = steps;
    const Track track{static_cast<double>(start.x), static_cast<double>(start.y), 0, 0,
                      (w.left - start.x) / n, (w.top - start.y) / n, Width_Of(w) / n, Height_Of(w) / n};
    Run_Track(dc, track, steps, std::max(delay, 1));
}

void sclutils::Draw_Explode2(HDC dc, TCustomForm* form, POINT start, bool trace, int delay, int start_height,
                             int start_width, int steps)
{
    if (steps < 4)
        steps = 40;
    delay = std::max(delay, 1);
    const RECT w = Window_Rect(form->Handle());
    const double n = steps;
    const double sw = start_width;
    const double sh = start_height;
    const double half_x = start.x + (w.left - start.x) / 2.0;
    const double half_y = start.y + (w.top - start.y) / 2.0;
    if (trace)
        Run_Track(dc,
                  Track{static_cast<double>(start.x), static_cast<double>(start.y), sw, sh,
                        (half_x - start.x) / n, (half_y - start.y) / n, 0, 0},
                  steps, delay);
    Run_Track(dc,
              Track{half_x, half_y, sw, sh, (w.left - half_x) / n, (w.top - half_y) / n, (Width_Of(w) - sw) / n,
                    (Height_Of(w) - sh) / n},
              steps, delay);
}

void SCLExplodeFormExt(TCustomForm* Form, int X, int Y, int Delay, int Steps)
{
    if (!Form)
        return;
    const POINT start = Start_Point(X, Y);
    Draw_Twice_On_Screen([&](HDC screen) { Draw_Explode(screen, Form, start, Delay, Steps); });
}

void SCLExplodeForm(TCustomForm* Form)
{
    SCLExplodeFormExt(Form, -1, 0, SCLApplication ? SCLApplication->ExplodeDelay : 3, 40);
}

void SCLExplodeFormExt2(TCustomForm* Form, int X, int Y, bool Trace, int Delay, int StartHeight, int StartWidth,
                        int Steps)
{
    if (!Form)
        return;
    const POINT start = Start_Point(X, Y);
    Draw_Twice_On_Screen([&](HDC screen) {
        Draw_Explode2(screen, Form, start, Trace, Delay, StartHeight, StartWidth, Steps);
    });
}

void SCLExplodeForm2(TCustomForm* Form)
{
    SCLExplodeFormExt2(Form, -1, 0, true, SCLApplication ? SCLApplication->ExplodeDelay : 3, 10, 20, 40);
}
