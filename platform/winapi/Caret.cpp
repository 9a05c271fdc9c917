#include "platform/winapi/Caret.h"

#include <optional>

namespace {

struct Caret {
    Caret_Info info;
    int hide_count = 1;
};

thread_local std::optional<Caret> caret;

Caret* Caret_For(HWND window)
{
    return caret && caret->info.window == window ? &*caret : nullptr;
}

void Update_Shown(Caret& c)
{
    c.info.shown = c.hide_count == 0;
}

} // namespace

BOOL CreateCaret(HWND window, HBITMAP bitmap, int width, int height)
{
    if (!window)
        return FALSE;
    Caret c;
    c.info.window = window;
    c.info.bitmap = bitmap;
    if (bitmap) {
        BITMAP b{};
        GetObject(bitmap, sizeof b, &b);
        width = b.bmWidth;
        height = b.bmHeight;
    }
    c.info.width = width > 0 ? width : 1;
    c.info.height = height > 0 ? height : 1;
    caret = c;
    return TRUE;
}

BOOL DestroyCaret()
{
    if (!caret)
        return FALSE;
    caret.reset();
    return TRUE;
}

BOOL ShowCaret(HWND window)
{
    Caret* c = Caret_For(window);
    if (!c || c->hide_count == 0)
        return FALSE;
    --c->hide_count;
    Update_Shown(*c);
    return TRUE;
}

BOOL HideCaret(HWND window)
{
    Caret* c = Caret_For(window);
    if (!c)
        return FALSE;
    ++c->hide_count;
    Update_Shown(*c);
    return TRUE;
}

BOOL SetCaretPos(int x, int y)
{
    if (!caret)
        return FALSE;
    caret->info.position = POINT{x, y};
    return TRUE;
}

BOOL GetCaretPos(POINT* point)
{
    if (!caret || !point)
        return FALSE;
    *point = caret->info.position;
    return TRUE;
}

UINT GetCaretBlinkTime()
{
    return Default_Caret_Blink_Time;
}

BOOL SetCaretBlinkTime(UINT milliseconds)
{
    if (!caret || milliseconds == 0)
        return FALSE;
    caret->info.blink_time = milliseconds;
    return TRUE;
}

const Caret_Info* Caret_Of(HWND window)
{
    Caret* c = Caret_For(window);
    return c ? &c->info : nullptr;
}
