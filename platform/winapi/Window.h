#pragma once
// Windows: classes, creation and destruction, styles, the parent tree and
// z-order, geometry, painting, regions, capture, focus and activation, and
// the lookups the shell makes.
//
// A window is one non-native QWidget holding a persistent RGB32 back store
// of its whole area. WM_PAINT (through BeginPaint) and GetDCEx/GetWindowDC
// draw into that store; the widget's own painting only copies the store to
// the screen. The client area is the window less the borders we draw for
// WS_BORDER and WS_EX_CLIENTEDGE (WM_NCCALCSIZE, WM_NCPAINT); a top-level
// window with a caption or sizing frame is framed by the window manager,
// whose frame counts in its window rectangle. A child window's widget is the
// child of its parent's widget; a top-level window with a parent (the owner)
// stays above it. Every call is made on the UI thread, except those
// Message.h names as safe from any thread, IsWindow among them.
//
// Message order follows Windows: CreateWindowExA sends WM_NCCREATE,
// WM_NCCALCSIZE, WM_CREATE, then WM_SIZE and WM_MOVE, then shows a
// WS_VISIBLE window. SetWindowPos sends WM_WINDOWPOSCHANGING, WM_NCCALCSIZE
// on a size change, WM_WINDOWPOSCHANGED, whose default handling sends WM_MOVE
// then WM_SIZE. ShowWindow sends WM_SHOWWINDOW first. DestroyWindow hides,
// ends capture and focus, sends WM_DESTROY to the window and then to its
// children and owned windows, and WM_NCDESTROY in the reverse order. A mouse
// message is preceded by WM_NCHITTEST and WM_SETCURSOR (not under capture),
// and goes to the capture window if there is one; a press within the
// double-click time and distance of the last one on the same window and
// button is a WM_xBUTTONDBLCLK for classes with CS_DBLCLKS. Keys go to the
// focus window (else the active one): WM_KEYDOWN, then WM_CHAR when
// dispatched; with Alt held WM_SYSKEYDOWN and WM_SYSCHAR; Alt released
// after another key is a WM_KEYUP, alone a WM_SYSKEYUP.

#include "platform/winapi/Cursor.h"
#include "platform/winapi/Gdi.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/Sys_Colors.h"
#include "platform/winapi/System_Metrics.h"

#include <functional>

class QWidget;

struct HICON__;
using HICON = HICON__*;
struct HMENU__;
using HMENU = HMENU__*;

// ---- Styles ------------------------------------------------------------

constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_CHILDWINDOW = WS_CHILD;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_ICONIC = WS_MINIMIZE;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_MAXIMIZE = 0x01000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_SIZEBOX = WS_THICKFRAME;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD WS_POPUPWINDOW = WS_POPUP | WS_BORDER | WS_SYSMENU;

constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
constexpr DWORD WS_EX_NOPARENTNOTIFY = 0x00000004;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_ACCEPTFILES = 0x00000010;
constexpr DWORD WS_EX_TRANSPARENT = 0x00000020;
constexpr DWORD WS_EX_MDICHILD = 0x00000040;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_CONTEXTHELP = 0x00000400;
constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;
constexpr DWORD WS_EX_STATICEDGE = 0x00020000;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;
constexpr DWORD WS_EX_LAYERED = 0x00080000;
constexpr DWORD WS_EX_NOACTIVATE = 0x08000000;

constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr UINT CS_OWNDC = 0x0020;
constexpr UINT CS_CLASSDC = 0x0040;
constexpr UINT CS_PARENTDC = 0x0080;
constexpr UINT CS_NOCLOSE = 0x0200;
constexpr UINT CS_SAVEBITS = 0x0800;
constexpr UINT CS_GLOBALCLASS = 0x4000;
constexpr UINT CS_DROPSHADOW = 0x00020000;

// ---- Other codes -------------------------------------------------------

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
constexpr int SW_SHOWDEFAULT = 10;

constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_DRAWFRAME = SWP_FRAMECHANGED;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
constexpr UINT SWP_NOCOPYBITS = 0x0100;
constexpr UINT SWP_NOOWNERZORDER = 0x0200;
constexpr UINT SWP_NOREPOSITION = SWP_NOOWNERZORDER;
constexpr UINT SWP_NOSENDCHANGING = 0x0400;
constexpr UINT SWP_DEFERERASE = 0x2000;
constexpr UINT SWP_ASYNCWINDOWPOS = 0x4000;

inline HWND const HWND_TOP = nullptr;
inline HWND const HWND_BOTTOM = reinterpret_cast<HWND>(static_cast<std::intptr_t>(1));
inline HWND const HWND_TOPMOST = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1));
inline HWND const HWND_NOTOPMOST = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-2));
inline HWND const HWND_BROADCAST = reinterpret_cast<HWND>(static_cast<std::intptr_t>(0xFFFF));

constexpr int GWL_WNDPROC = -4;
constexpr int GWL_HINSTANCE = -6;
constexpr int GWL_HWNDPARENT = -8;
constexpr int GWL_ID = -12;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWL_USERDATA = -21;
constexpr int GWLP_WNDPROC = GWL_WNDPROC;
constexpr int GWLP_HINSTANCE = GWL_HINSTANCE;
constexpr int GWLP_HWNDPARENT = GWL_HWNDPARENT;
constexpr int GWLP_ID = GWL_ID;
constexpr int GWLP_USERDATA = GWL_USERDATA;

constexpr UINT GW_HWNDFIRST = 0;
constexpr UINT GW_HWNDLAST = 1;
constexpr UINT GW_HWNDNEXT = 2;
constexpr UINT GW_HWNDPREV = 3;
constexpr UINT GW_OWNER = 4;
constexpr UINT GW_CHILD = 5;

constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_INTERNALPAINT = 0x0002;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_VALIDATE = 0x0008;
constexpr UINT RDW_NOINTERNALPAINT = 0x0010;
constexpr UINT RDW_NOERASE = 0x0020;
constexpr UINT RDW_NOCHILDREN = 0x0040;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ERASENOW = 0x0200;
constexpr UINT RDW_FRAME = 0x0400;
constexpr UINT RDW_NOFRAME = 0x0800;

constexpr DWORD DCX_WINDOW = 0x00000001;
constexpr DWORD DCX_CACHE = 0x00000002;
constexpr DWORD DCX_CLIPCHILDREN = 0x00000008;
constexpr DWORD DCX_CLIPSIBLINGS = 0x00000010;
constexpr DWORD DCX_PARENTCLIP = 0x00000020;
constexpr DWORD DCX_EXCLUDERGN = 0x00000040;
constexpr DWORD DCX_INTERSECTRGN = 0x00000080;

// ---- Records -----------------------------------------------------------

struct WNDCLASSA {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    int cbClsExtra = 0;
    int cbWndExtra = 0;
    HINSTANCE hInstance = nullptr;
    HICON hIcon = nullptr;
    HCURSOR hCursor = nullptr;
    HBRUSH hbrBackground = nullptr; // a brush, or (HBRUSH)(COLOR_x + 1)
    LPCSTR lpszMenuName = nullptr;
    LPCSTR lpszClassName = nullptr;
};

struct CREATESTRUCTA {
    LPVOID lpCreateParams = nullptr;
    HINSTANCE hInstance = nullptr;
    HMENU hMenu = nullptr;
    HWND hwndParent = nullptr;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    LONG style = 0;
    LPCSTR lpszName = nullptr;
    LPCSTR lpszClass = nullptr;
    DWORD dwExStyle = 0;
};

struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
};

struct NCCALCSIZE_PARAMS {
    RECT rgrc[3];
    WINDOWPOS* lppos = nullptr;
};

struct MINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE;
    RECT rcPaint;
    BOOL fRestore = FALSE;
    BOOL fIncUpdate = FALSE;
    BYTE rgbReserved[32] = {};
};

constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

using WNDENUMPROC = BOOL (*)(HWND window, LPARAM l_param);

// ---- Classes and creation ----------------------------------------------

// Answers a non-zero atom; FALSE with ERROR_CLASS_ALREADY_EXISTS for a name
// already registered.
WORD RegisterClassA(const WNDCLASSA* window_class);
BOOL UnregisterClassA(LPCSTR class_name, HINSTANCE instance);
BOOL GetClassInfoA(HINSTANCE instance, LPCSTR class_name, WNDCLASSA* window_class);
int GetClassNameA(HWND window, LPSTR name, int size);

// parent: the parent of a WS_CHILD window, the owner of a top-level one.
// lpCreateParams of CREATESTRUCTA is `param`. Null when the class is unknown
// (ERROR_CANNOT_FIND_WND_CLASS), a child has no parent, or WM_NCCREATE
// answers 0 or WM_CREATE answers -1.
HWND CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window); // any thread

// The default handling: WM_NCCREATE, WM_NCCALCSIZE, WM_NCPAINT,
// WM_NCHITTEST, WM_ERASEBKGND (the class brush), WM_PAINT (validates),
// WM_WINDOWPOSCHANGED (WM_MOVE, WM_SIZE), WM_SETCURSOR (parent first, then
// the class cursor in the client area), WM_CLOSE (DestroyWindow),
// WM_SYSCOMMAND (SC_CLOSE sends WM_CLOSE, SC_MINIMIZE/MAXIMIZE/RESTORE),
// WM_ACTIVATE (focus to the window), WM_NCLBUTTONDOWN on HTCAPTION (the
// window manager moves the window), WM_SETTEXT/WM_GETTEXT/WM_GETTEXTLENGTH,
// WM_MOUSEWHEEL (to the parent), WM_QUERYENDSESSION (TRUE).
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
LRESULT CallWindowProcA(WNDPROC procedure, HWND window, UINT message, WPARAM w_param, LPARAM l_param);

// A plain window procedure bound to an object's handler, for subclassing a
// window with SetWindowLongPtrA(GWLP_WNDPROC); null when all 512 are in use.
// A freed one that is still called (a chain unhooked out of order) answers
// as DefWindowProcA does.
using Window_Procedure_Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
WNDPROC Make_Window_Procedure(Window_Procedure_Handler handler);
void Free_Window_Procedure(WNDPROC procedure);

// GWL_STYLE, GWL_EXSTYLE, GWL_ID; the pointer-sized fields (GWLP_WNDPROC,
// GWLP_USERDATA, GWLP_HWNDPARENT, GWLP_HINSTANCE) through the Ptr calls.
// Setting GWLP_WNDPROC subclasses the window and answers the procedure it
// replaced. Changing a style takes effect with SetWindowPos(SWP_FRAMECHANGED).
LONG GetWindowLongA(HWND window, int index);
LONG SetWindowLongA(HWND window, int index, LONG value);
LONG_PTR GetWindowLongPtrA(HWND window, int index);
LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value);

BOOL SetWindowTextA(HWND window, LPCSTR text); // sends WM_SETTEXT
int GetWindowTextA(HWND window, LPSTR text, int size);
int GetWindowTextLengthA(HWND window);

// ---- Tree and z-order --------------------------------------------------

HWND GetParent(HWND window); // the parent of a child, the owner of a top-level window
HWND SetParent(HWND window, HWND parent); // null: becomes top-level; answers the old parent
BOOL IsChild(HWND parent, HWND window);
HWND GetWindow(HWND window, UINT command); // siblings in z-order, top first
HWND GetTopWindow(HWND window);           // null: the topmost top-level window
HWND GetDesktopWindow();                  // stands for the screen; not a real window
BOOL EnumChildWindows(HWND parent, WNDENUMPROC procedure, LPARAM l_param);
// The top-level windows a thread owns (the creating thread, unless
// Set_Window_Thread changed it), top of the z-order first.
BOOL EnumThreadWindows(DWORD thread_id, WNDENUMPROC procedure, LPARAM l_param);
// Top-level windows of this program by class and title (null: any).
HWND FindWindowA(LPCSTR class_name, LPCSTR window_name);
DWORD GetWindowThreadProcessId(HWND window, DWORD* process_id);
// Counts the window as a window of that thread (dialogs shown on the UI
// thread on behalf of a polling thread).
void Set_Window_Thread(HWND window, DWORD thread_id);

// ---- Showing, position and size ----------------------------------------

BOOL ShowWindow(HWND window, int command); // answers whether it was visible
BOOL IsWindowVisible(HWND window);         // it and all its parents are shown
BOOL IsIconic(HWND window);
BOOL IsZoomed(HWND window);
BOOL EnableWindow(HWND window, BOOL enable); // answers whether it was disabled; sends WM_ENABLE
BOOL IsWindowEnabled(HWND window);
BOOL SetWindowPos(HWND window, HWND insert_after, int x, int y, int width, int height, UINT flags);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL BringWindowToTop(HWND window);
BOOL GetWindowRect(HWND window, LPRECT rect); // screen coordinates
BOOL GetClientRect(HWND window, LPRECT rect); // (0, 0, width, height)
BOOL ScreenToClient(HWND window, LPPOINT point);
BOOL ClientToScreen(HWND window, LPPOINT point);
// Client to client; a null window is the screen. Answers the offset (x in
// the low word, y in the high word).
int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
HWND WindowFromPoint(POINT point); // the visible, enabled-or-not window under a screen point
HWND ChildWindowFromPoint(HWND parent, POINT point); // client point; the parent itself when no child

// The window owns the region from then on (window coordinates); null
// removes it. Painting and mouse input are masked by it.
int SetWindowRgn(HWND window, HRGN region, BOOL redraw);
int GetWindowRgn(HWND window, HRGN region); // copies it; ERROR (0) when it has none

// ---- Window menu -------------------------------------------------------

// The window manager owns a window's menu on Linux; the program has none it
// could change. GetSystemMenu answers 0 (no menu); DeleteMenu refuses every
// menu with ERROR_INVALID_MENU_HANDLE.
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr DWORD ERROR_INVALID_MENU_HANDLE = 1401;
HMENU GetSystemMenu(HWND window, BOOL revert);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);

// ---- Painting ----------------------------------------------------------

// Client coordinates; a null rectangle or region is the whole client area.
// The update region is painted from Qt's event loop: WM_NCPAINT when the
// frame is invalid, then WM_PAINT, parents before their children.
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL InvalidateRgn(HWND window, HRGN region, BOOL erase);
BOOL ValidateRect(HWND window, const RECT* rect);
BOOL ValidateRgn(HWND window, HRGN region);
BOOL UpdateWindow(HWND window); // sends WM_PAINT now when the update region is not empty
BOOL RedrawWindow(HWND window, const RECT* rect, HRGN region, UINT flags);
BOOL GetUpdateRect(HWND window, LPRECT rect, BOOL erase);
int GetUpdateRgn(HWND window, HRGN region, BOOL erase);
// A DC over the back store's client area clipped to the update region;
// sends WM_ERASEBKGND first when the erase flag is set (fErase tells
// whether it was left undone), and validates.
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint); // releases the DC and shows the store
// DCs straight into the back store: the client area, or the whole window
// (DCX_WINDOW / GetWindowDC; where it has borders, the client area is shown
// from the client's own store). What is drawn shows without a WM_PAINT, at
// the latest when the event loop goes idle. ReleaseDC (Gdi.h) ends them.
HDC GetDCEx(HWND window, HRGN clip, DWORD flags);
HDC GetWindowDC(HWND window);

// ---- Input state -------------------------------------------------------

HWND SetCapture(HWND window); // answers the previous capture window
BOOL ReleaseCapture();        // sends WM_CAPTURECHANGED to the window losing it
HWND GetCapture();
// WM_KILLFOCUS to the old window, WM_SETFOCUS to the new one; activates
// the new one's top-level window first. Answers the old focus window.
HWND SetFocus(HWND window);
HWND GetFocus();
HWND SetActiveWindow(HWND window);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND window);
HWND GetForegroundWindow();
// High bit: down; low bit: toggled. As of the input turned into messages so far.
SHORT GetKeyState(int virtual_key);
SHORT GetAsyncKeyState(int virtual_key);

// The widget behind a window (parent for Qt's own popups and dialogs), and back.
QWidget* Window_Widget(HWND window);
HWND Widget_Window(const QWidget* widget);
