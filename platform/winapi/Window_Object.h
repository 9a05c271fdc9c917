#pragma once
// The object behind an HWND, its widget, and the table of live windows that
// every window call looks handles up in (a stale handle fails the call).

#include "platform/winapi/Window.h"

#include <QImage>
#include <QMargins>
#include <QRect>
#include <QRegion>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

struct Window_Class {
    WNDCLASSA info;
    std::string name;
    WORD atom = 0;
};

class Window_Qt_Widget;

struct HWND__ {
    std::shared_ptr<Window_Class> window_class;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    DWORD ex_style = 0;
    LONG id = 0;
    LONG_PTR user_data = 0;
    HINSTANCE instance = nullptr;
    std::string text;
    DWORD thread_id = 0;

    HWND parent = nullptr;           // a child's parent
    HWND owner = nullptr;            // a top-level window's owner
    std::vector<HWND> children;      // z-order, top first

    QRect rect;                      // parent's client coordinates, or the screen's
    QMargins system_frame;           // the window manager's frame of a top-level window
    QRect client;                    // within the widget
    QImage store;                    // the widget's whole area, borders included
    QImage client_store;             // the client area
    QRegion region;                  // window coordinates; empty with has_region false
    bool has_region = false;

    QRegion update;                  // client coordinates
    bool erase_pending = false;
    bool frame_dirty = false;
    std::vector<HDC> dcs;            // DCs handed out over the stores
    qint64 shown_key = 0;            // the stores' cache keys when last copied to the screen
    qint64 shown_frame_key = 0;

    bool destroying = false;
    bool applying_geometry = false;  // the widget's own move and resize events are ours
    bool tracking_leave = false;
    Window_Qt_Widget* widget = nullptr;

    bool Is_Child() const { return (style & WS_CHILD) != 0; }
};

class Window_Qt_Widget : public QWidget {
public:
    Window_Qt_Widget(HWND window, QWidget* parent_widget, Qt::WindowFlags flags);

    HWND handle; // null once the window is destroyed

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool focusNextPrevChild(bool) override { return false; }
};

// Counts nesting inside our widgets' event handlers, so that a window
// destroyed from one of them is deleted later.
extern int Window_Event_Depth;

// The live window a handle names, or nullptr. Any thread.
HWND__* Window_Find(HWND window);
// The window, or nullptr with ERROR_INVALID_WINDOW_HANDLE as the last error.
HWND__* Window_Live(HWND window);
std::shared_ptr<HWND__> Window_Hold(HWND window);
void Window_Register(const std::shared_ptr<HWND__>& window);
void Window_Unregister(HWND window);
std::vector<HWND> Window_All(); // creation order

// Top-level windows, top of the z-order first.
std::vector<HWND>& Window_Top_Levels();
// The sibling list a window is part of.
std::vector<HWND>& Window_Siblings(HWND__* window);
HWND Window_Root(HWND window); // its top-level window

// Window geometry in screen coordinates.
QPoint Window_Client_Origin_On_Screen(HWND__* window);
QRect Window_Rect_On_Screen(HWND__* window);
// Borders we draw ourselves (child and frameless top-level windows).
int Window_Own_Border(const HWND__* window);
bool Window_Has_System_Frame(const HWND__* window);
Qt::WindowFlags Window_Qt_Flags(const HWND__* window);

// After the client rectangle changed: reallocates the stores and the
// widget's geometry.
void Window_Apply_Geometry(HWND__* window);
// Masks the widget to what the window shows: its window region, and for a
// child the part within its parent's client area.
void Window_Apply_Mask(HWND__* window);

// WM_SIZE and WM_MOVE with the client area's size and position (in the
// parent's client coordinates, or the screen's).
void Window_Send_Size(HWND__* window);
void Window_Send_Move(HWND__* window);

LRESULT Window_Send(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
