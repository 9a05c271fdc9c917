// The default window procedure.

#include "platform/winapi/Window.h"

#include "platform/winapi/Window_Input.h"
#include "platform/winapi/Window_Object.h"
#include "platform/winapi/Window_Paint.h"

#include <QWindow>

#include <algorithm>
#include <cstring>

namespace {

void Shrink(RECT& rect, const QMargins& margins)
{
    rect.left += margins.left();
    rect.top += margins.top();
    rect.right = std::max(rect.left, LONG(rect.right - margins.right()));
    rect.bottom = std::max(rect.top, LONG(rect.bottom - margins.bottom()));
}

LRESULT Calculate_Size(HWND__* window, WPARAM w_param, LPARAM l_param)
{
    if (!l_param)
        return 0;
    RECT& rect = w_param ? reinterpret_cast<NCCALCSIZE_PARAMS*>(l_param)->rgrc[0] : *reinterpret_cast<RECT*>(l_param);
    const int border = Window_Own_Border(window);
    Shrink(rect, window->system_frame + QMargins(border, border, border, border));
    return 0;
}

LRESULT Hit_Test(HWND__* window, LPARAM l_param)
{
    const QPoint point(GET_X_LPARAM(l_param), GET_Y_LPARAM(l_param));
    const QRect client(Window_Client_Origin_On_Screen(window), window->client.size());
    if (client.contains(point))
        return HTCLIENT;
    return Window_Rect_On_Screen(window).contains(point) ? HTBORDER : HTNOWHERE;
}

LRESULT Set_Cursor(HWND window, WPARAM w_param, LPARAM l_param)
{
    if (window->Is_Child() && window->parent && Window_Send(window->parent, WM_SETCURSOR, w_param, l_param))
        return TRUE;
    const auto hit = static_cast<SHORT>(LOWORD(static_cast<DWORD>(l_param)));
    if (reinterpret_cast<HWND>(w_param) != window)
        return FALSE;
    if (hit != HTCLIENT)
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    else if (window->window_class->info.hCursor)
        SetCursor(window->window_class->info.hCursor);
    return FALSE;
}

LRESULT System_Command(HWND window, WPARAM w_param)
{
    switch (w_param & 0xFFF0) {
    case SC_CLOSE:
        Window_Send(window, WM_CLOSE, 0, 0);
        break;
    case SC_MINIMIZE:
        ShowWindow(window, SW_MINIMIZE);
        break;
    case SC_MAXIMIZE:
        ShowWindow(window, SW_MAXIMIZE);
        break;
    case SC_RESTORE:
        ShowWindow(window, SW_RESTORE);
        break;
    case SC_MOVE:
        if (window->widget && window->widget->windowHandle())
            window->widget->windowHandle()->startSystemMove();
        break;
    default:
        break;
    }
    return 0;
}

LRESULT Get_Text(HWND__* window, WPARAM size, LPARAM l_param)
{
    auto* buffer = reinterpret_cast<char*>(l_param);
    if (!buffer || size == 0)
        return 0;
    const std::size_t length = std::min(window->text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, window->text.data(), length);
    buffer[length] = '\0';
    return static_cast<LRESULT>(length);
}

LRESULT Set_Text(HWND__* window, LPARAM l_param)
{
    const auto* text = reinterpret_cast<const char*>(l_param);
    window->text = text ? text : "";
    if (window->widget && !window->Is_Child())
        window->widget->setWindowTitle(QString::fromStdString(window->text));
    return TRUE;
}

} // namespace

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    HWND__* found = Window_Find(window);
    if (!found)
        return 0;
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(l_param);
        if (create && create->lpszName)
            Set_Text(found, reinterpret_cast<LPARAM>(create->lpszName));
        return TRUE;
    }
    case WM_NCCALCSIZE:
        return Calculate_Size(found, w_param, l_param);
    case WM_NCPAINT:
        Window_Paint_Frame(found);
        return 0;
    case WM_NCHITTEST:
        return Hit_Test(found, l_param);
    case WM_ERASEBKGND:
        return Window_Erase_Background(found, reinterpret_cast<HDC>(w_param)) ? 1 : 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (BeginPaint(window, &paint))
            EndPaint(window, &paint);
        return 0;
    }
    case WM_WINDOWPOSCHANGED: {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(l_param);
        if (position && !(position->flags & SWP_NOMOVE))
            Window_Send_Move(found);
        if (position && (!(position->flags & SWP_NOSIZE) || (position->flags & SWP_FRAMECHANGED)) &&
            Window_Find(window))
            Window_Send_Size(found);
        return 0;
    }
    case WM_SETCURSOR:
        return Set_Cursor(window, w_param, l_param);
    case WM_MOUSEACTIVATE:
        if (found->Is_Child() && found->parent)
            if (LRESULT answer = Window_Send(found->parent, WM_MOUSEACTIVATE, w_param, l_param))
                return answer;
        return MA_ACTIVATE;
    case WM_MOUSEWHEEL:
        return found->Is_Child() && found->parent ? Window_Send(found->parent, message, w_param, l_param) : 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SYSCOMMAND:
        return System_Command(window, w_param);
    case WM_SYSKEYDOWN:
        if (w_param == VK_F4 && (l_param & KF_ALTDOWN_BIT))
            PostMessageA(Window_Root(window), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(static_cast<DWORD>(w_param)) != WA_INACTIVE && !IsIconic(window) && GetFocus() != window &&
            !IsChild(window, GetFocus()))
            SetFocus(window);
        return 0;
    case WM_CANCELMODE:
        if (GetCapture() == window)
            ReleaseCapture();
        return 0;
    case WM_NCLBUTTONDOWN:
        if (w_param == static_cast<WPARAM>(HTCAPTION))
            System_Command(Window_Root(window), SC_MOVE);
        return 0;
    case WM_SETTEXT:
        return Set_Text(found, l_param);
    case WM_GETTEXT:
        return Get_Text(found, w_param, l_param);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(found->text.size());
    case WM_QUERYENDSESSION:
        return TRUE;
    default:
        return 0;
    }
}
