#include "platform/winapi/Window_Object.h"

#include "platform/winapi/Kernel.h"
#include "platform/winapi/Window_Input.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <mutex>
#include <unordered_map>

int Window_Event_Depth = 0;

namespace {

std::mutex table_mutex;
std::unordered_map<HWND, std::shared_ptr<HWND__>> table;
std::vector<HWND> creation_order;
std::vector<HWND> top_levels;

} // namespace

// ---- The table ---------------------------------------------------------

HWND__* Window_Find(HWND window)
{
    if (!window)
        return nullptr;
    std::lock_guard lock(table_mutex);
    auto found = table.find(window);
    return found == table.end() ? nullptr : found->second.get();
}

HWND__* Window_Live(HWND window)
{
    HWND__* found = Window_Find(window);
    if (!found)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return found;
}

std::shared_ptr<HWND__> Window_Hold(HWND window)
{
    std::lock_guard lock(table_mutex);
    auto found = table.find(window);
    return found == table.end() ? nullptr : found->second;
}

void Window_Register(const std::shared_ptr<HWND__>& window)
{
    std::lock_guard lock(table_mutex);
    table[window.get()] = window;
    creation_order.push_back(window.get());
}

void Window_Unregister(HWND window)
{
    std::lock_guard lock(table_mutex);
    table.erase(window);
    std::erase(creation_order, window);
    std::erase(top_levels, window);
}

std::vector<HWND> Window_All()
{
    std::lock_guard lock(table_mutex);
    return creation_order;
}

std::vector<HWND>& Window_Top_Levels() { return top_levels; }

std::vector<HWND>& Window_Siblings(HWND__* window)
{
    if (window->Is_Child() && window->parent)
        return window->parent->children;
    return top_levels;
}

HWND Window_Root(HWND window)
{
    while (window && window->Is_Child() && window->parent)
        window = window->parent;
    return window;
}

// ---- Geometry ----------------------------------------------------------

bool Window_Has_System_Frame(const HWND__* window)
{
    if (window->Is_Child())
        return false;
    return (window->style & WS_CAPTION) == WS_CAPTION || (window->style & (WS_THICKFRAME | WS_DLGFRAME)) != 0;
}

int Window_Own_Border(const HWND__* window)
{
    int border = 0;
    if ((window->style & WS_BORDER) && !Window_Has_System_Frame(window))
        border += 1;
    if (window->ex_style & WS_EX_CLIENTEDGE)
        border += 2;
    if (window->ex_style & WS_EX_STATICEDGE)
        border += 1;
    return border;
}

Qt::WindowFlags Window_Qt_Flags(const HWND__* window)
{
    if (window->Is_Child())
        return Qt::Widget;
    const DWORD style = window->style;
    const DWORD ex_style = window->ex_style;
    // A dialog frame makes a dialog's window, which window managers give
    // no minimise or maximise button.
    Qt::WindowFlags flags = (ex_style & WS_EX_DLGMODALFRAME) ? Qt::Dialog : Qt::Window;
    if (ex_style & WS_EX_TOOLWINDOW)
        flags = (style & WS_POPUP) && !Window_Has_System_Frame(window) ? Qt::ToolTip : Qt::Tool;
    if (!Window_Has_System_Frame(window)) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint;
        if ((style & WS_CAPTION) == WS_CAPTION)
            flags |= Qt::WindowTitleHint;
        if (style & WS_SYSMENU)
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (style & WS_MINIMIZEBOX)
            flags |= Qt::WindowMinimizeButtonHint;
        if (style & WS_MAXIMIZEBOX)
            flags |= Qt::WindowMaximizeButtonHint;
    }
    if (ex_style & WS_EX_TOPMOST)
        flags |= Qt::WindowStaysOnTopHint;
    if (ex_style & WS_EX_NOACTIVATE)
        flags |= Qt::WindowDoesNotAcceptFocus;
    return flags;
}

QPoint Window_Client_Origin_On_Screen(HWND__* window)
{
    return Window_Rect_On_Screen(window).topLeft() +
           QPoint(window->system_frame.left(), window->system_frame.top()) + window->client.topLeft();
}

QRect Window_Rect_On_Screen(HWND__* window)
{
    if (window->Is_Child() && window->parent)
        return window->rect.translated(Window_Client_Origin_On_Screen(window->parent));
    return window->rect;
}

void Window_Apply_Geometry(HWND__* window)
{
    const QSize size = window->rect.size().shrunkBy(window->system_frame).expandedTo(QSize(0, 0));
    if (window->store.size() != size) {
        window->store = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        window->store.fill(Qt::white);
    }
    const QSize client_size = window->client.size().expandedTo(QSize(1, 1));
    if (window->client_store.size() != client_size) {
        window->client_store = QImage(client_size, QImage::Format_RGB32);
        window->client_store.fill(Qt::white);
    }
    Window_Qt_Widget* widget = window->widget;
    if (!widget)
        return;
    window->applying_geometry = true;
    if (window->Is_Child() && window->parent) {
        widget->setGeometry(QRect(window->parent->client.topLeft() + window->rect.topLeft(), size));
    } else {
        widget->move(window->rect.topLeft());
        widget->resize(size);
    }
    window->applying_geometry = false;
    Window_Apply_Mask(window);
    for (HWND child : window->children)
        Window_Apply_Mask(child);
    widget->update();
}

void Window_Apply_Mask(HWND__* window)
{
    Window_Qt_Widget* widget = window->widget;
    if (!widget)
        return;
    const QRect whole(QPoint(0, 0), widget->size());
    QRegion shown = window->has_region
                        ? window->region.translated(-window->system_frame.left(), -window->system_frame.top())
                        : QRegion(whole);
    // A child is seen only within its parent's client area, never over the
    // parent's border.
    if (window->Is_Child() && window->parent)
        shown &= window->parent->client.translated(-widget->pos());
    if (!window->has_region && shown == QRegion(whole)) {
        widget->clearMask();
        return;
    }
    // An empty mask would mean no mask at all: a window with nothing to show
    // gets one pixel outside itself.
    widget->setMask(shown.isEmpty() ? QRegion(-1, -1, 1, 1) : shown);
}

// ---- The widget --------------------------------------------------------

Window_Qt_Widget::Window_Qt_Widget(HWND window, QWidget* parent_widget, Qt::WindowFlags flags)
    : QWidget(parent_widget, flags), handle(window)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

bool Window_Qt_Widget::event(QEvent* event)
{
    if (!handle || event->type() == QEvent::Paint)
        return QWidget::event(event);
    ++Window_Event_Depth;
    const bool consumed = Window_Input_Event(handle, event);
    --Window_Event_Depth;
    return consumed || QWidget::event(event);
}

void Window_Qt_Widget::paintEvent(QPaintEvent* event)
{
    if (!handle)
        return;
    handle->shown_key = handle->client_store.cacheKey();
    handle->shown_frame_key = handle->store.cacheKey();
    QPainter painter(this);
    painter.setClipRegion(event->region());
    if (handle->client != QRect(QPoint(0, 0), size()))
        painter.drawImage(0, 0, handle->store);
    if (!handle->client.isEmpty())
        painter.drawImage(handle->client.topLeft(), handle->client_store);
}

// ---- Sending -----------------------------------------------------------

LRESULT Window_Send(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    std::shared_ptr<HWND__> held = Window_Hold(window);
    if (!held || !held->procedure)
        return 0;
    return CallWindowProcA(held->procedure, window, message, w_param, l_param);
}

void Window_Send_Size(HWND__* window)
{
    WPARAM kind = SIZE_RESTORED;
    if (window->style & WS_MINIMIZE)
        kind = SIZE_MINIMIZED;
    else if (window->style & WS_MAXIMIZE)
        kind = SIZE_MAXIMIZED;
    Window_Send(window, WM_SIZE, kind,
                MAKELPARAM(static_cast<WORD>(window->client.width()), static_cast<WORD>(window->client.height())));
}

void Window_Send_Move(HWND__* window)
{
    const QPoint position = window->rect.topLeft() +
                            QPoint(window->system_frame.left(), window->system_frame.top()) + window->client.topLeft();
    Window_Send(window, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(position.x()), static_cast<WORD>(position.y())));
}
