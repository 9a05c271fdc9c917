#include "platform/winapi/Window_Paint.h"

#include "platform/winapi/Gdi_Dc.h"
#include "platform/winapi/Gdi_Objects.h"
#include "platform/winapi/Kernel.h"
#include "platform/winapi/Message_Queue.h"
#include "platform/winapi/Sys_Colors.h"

#include <algorithm>

namespace {

QRect Client_Area(const HWND__* window) { return QRect(QPoint(0, 0), window->client.size()); }

bool Dc_Over(const HWND__* window, HDC dc)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    return context && context->Dc_Kind() == Gdi_Dc::Kind::Image &&
           (&context->Surface() == &window->store || &context->Surface() == &window->client_store);
}

HDC Open_Dc(HWND__* window, QImage* image)
{
    std::erase_if(window->dcs, [window](HDC dc) { return !Dc_Over(window, dc); });
    HDC dc = Create_Image_DC(image);
    if (dc)
        window->dcs.push_back(dc);
    return dc;
}

enum class Children { None, Unclipped, All };

// By default windows without WS_CLIPCHILDREN take their children along.
void Invalidate(HWND__* window, const QRegion& region, bool erase, Children children)
{
    const QRegion area = region & Client_Area(window);
    if (!area.isEmpty()) {
        window->update |= area;
        window->erase_pending = window->erase_pending || erase;
        Queue_Schedule_Paint();
    }
    if (children == Children::None || (children == Children::Unclipped && (window->style & WS_CLIPCHILDREN)))
        return;
    for (HWND child : window->children) {
        const QPoint origin = child->rect.topLeft() + child->client.topLeft();
        Invalidate(child, region.translated(-origin), erase, children);
    }
}

void Validate(HWND__* window, const QRegion& region, bool all_children)
{
    window->update -= region;
    if (window->update.isEmpty())
        window->erase_pending = false;
    if (!all_children)
        return;
    for (HWND child : window->children) {
        const QPoint origin = child->rect.topLeft() + child->client.topLeft();
        Validate(child, region.translated(-origin), all_children);
    }
}

QRegion Region_Of(HWND__* window, const RECT* rect, HRGN region)
{
    if (region) {
        Gdi_Region* object = Gdi_Find<Gdi_Region>(region);
        return object ? object->region : QRegion();
    }
    if (rect)
        return QRegion(QRect(QPoint(rect->left, rect->top), QPoint(rect->right - 1, rect->bottom - 1)));
    return QRegion(Client_Area(window));
}

void Paint_Now(HWND window)
{
    if (window->frame_dirty) {
        Window_Send(window, WM_NCPAINT, 1, 0);
        if (Window_Find(window))
            window->frame_dirty = false;
    }
    if (Window_Find(window) && !window->update.isEmpty()) {
        Window_Send(window, WM_PAINT, 0, 0);
        // A procedure that leaves the region invalid is not asked again.
        if (Window_Find(window))
            Validate(window, window->update, false);
    }
}

void Update_Tree(HWND window)
{
    Paint_Now(window);
    if (!Window_Find(window))
        return;
    for (HWND child : std::vector<HWND>(window->children))
        if (Window_Find(child) && (child->style & WS_VISIBLE))
            Update_Tree(child);
}

} // namespace

void Window_Paint_Pending()
{
    for (HWND window : Window_All())
        if (Window_Find(window) && IsWindowVisible(window))
            Paint_Now(window);
}

void Window_Invalidate_All(HWND__* window, bool erase, bool frame)
{
    window->update = QRegion(Client_Area(window));
    window->erase_pending = window->erase_pending || erase;
    window->frame_dirty = window->frame_dirty || (frame && window->client != QRect(QPoint(0, 0), window->store.size()));
    Queue_Schedule_Paint();
}

void Window_Paint_Frame(HWND__* window)
{
    window->frame_dirty = false;
    HDC dc = Open_Dc(window, &window->store);
    if (!dc)
        return;
    RECT rect{0, 0, window->store.width(), window->store.height()};
    if ((window->style & WS_BORDER) && !Window_Has_System_Frame(window)) {
        FrameRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
        rect = RECT{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    }
    if (window->ex_style & WS_EX_STATICEDGE)
        DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if (window->ex_style & WS_EX_CLIENTEDGE)
        DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    DeleteDC(dc);
    if (window->widget)
        window->widget->update();
}

bool Window_Erase_Background(HWND__* window, HDC dc)
{
    HBRUSH brush = window->window_class->info.hbrBackground;
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value > 0 && value <= COLOR_MENUBAR + 1)
        brush = GetSysColorBrush(static_cast<int>(value) - 1);
    if (!brush)
        return false;
    const RECT rect{0, 0, window->client.width(), window->client.height()};
    FillRect(dc, &rect, brush);
    return true;
}

void Window_Show_Drawn()
{
    for (HWND window : Window_All()) {
        if (!Window_Find(window) || window->dcs.empty() || !window->widget)
            continue;
        std::erase_if(window->dcs, [window](HDC dc) { return !Dc_Over(window, dc); });
        if (window->client_store.cacheKey() != window->shown_key ||
            window->store.cacheKey() != window->shown_frame_key)
            window->widget->update();
    }
}

void Window_Release_Dcs(HWND__* window)
{
    for (HDC dc : window->dcs)
        if (Dc_Over(window, dc))
            DeleteDC(dc);
    window->dcs.clear();
}

// ---- Calls -------------------------------------------------------------

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase)
{
    return RedrawWindow(window, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND window, HRGN region, BOOL erase)
{
    if (region && !Gdi_Find<Gdi_Region>(region))
        return FALSE;
    return RedrawWindow(window, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND window, const RECT* rect) { return RedrawWindow(window, rect, nullptr, RDW_VALIDATE); }

BOOL ValidateRgn(HWND window, HRGN region) { return RedrawWindow(window, nullptr, region, RDW_VALIDATE); }

BOOL UpdateWindow(HWND window)
{
    HWND__* found = Window_Live(window);
    if (!found)
        return FALSE;
    if (IsWindowVisible(window))
        Paint_Now(found);
    return TRUE;
}

BOOL RedrawWindow(HWND window, const RECT* rect, HRGN region, UINT flags)
{
    HWND__* found = Window_Live(window);
    if (!found)
        return FALSE;
    const QRegion area = Region_Of(found, rect, region);
    const bool all_children = (flags & RDW_ALLCHILDREN) != 0;
    if (flags & RDW_INVALIDATE) {
        const Children children = all_children                  ? Children::All
                                  : (flags & RDW_NOCHILDREN) ? Children::None
                                                             : Children::Unclipped;
        Invalidate(found, area, (flags & RDW_ERASE) != 0, children);
        if (flags & RDW_FRAME) {
            found->frame_dirty = true;
            Queue_Schedule_Paint();
        }
    }
    if (flags & RDW_VALIDATE) {
        Validate(found, area, all_children);
        if (flags & RDW_NOFRAME)
            found->frame_dirty = false;
    }
    if ((flags & (RDW_UPDATENOW | RDW_ERASENOW)) && IsWindowVisible(window)) {
        if (all_children)
            Update_Tree(window);
        else
            Paint_Now(found);
    }
    return TRUE;
}

BOOL GetUpdateRect(HWND window, LPRECT rect, BOOL)
{
    HWND__* found = Window_Live(window);
    if (!found)
        return FALSE;
    if (rect) {
        const QRect box = found->update.boundingRect();
        *rect = box.isEmpty() ? RECT{} : RECT{box.x(), box.y(), box.x() + box.width(), box.y() + box.height()};
    }
    return found->update.isEmpty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND window, HRGN region, BOOL)
{
    HWND__* found = Window_Live(window);
    Gdi_Region* object = Gdi_Find<Gdi_Region>(region);
    if (!found || !object)
        return ERROR;
    object->region = found->update;
    if (found->update.isEmpty())
        return NULLREGION;
    return found->update.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint)
{
    HWND__* found = Window_Live(window);
    if (!found || !paint)
        return nullptr;
    std::shared_ptr<HWND__> held = Window_Hold(window);
    *paint = PAINTSTRUCT{};
    if (found->frame_dirty) {
        Window_Send(window, WM_NCPAINT, 1, 0);
        found->frame_dirty = false;
    }
    HDC dc = Open_Dc(found, &found->client_store);
    if (!dc)
        return nullptr;
    const QRegion clip = found->update & Client_Area(found);
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    context->state.clipped = true;
    context->state.clip = clip;
    const bool erase = found->erase_pending;
    found->update = QRegion();
    found->erase_pending = false;
    if (erase)
        paint->fErase = Window_Send(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    const QRect box = clip.boundingRect();
    paint->hdc = dc;
    paint->rcPaint = RECT{box.x(), box.y(), box.x() + box.width(), box.y() + box.height()};
    return dc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint)
{
    HWND__* found = Window_Find(window);
    if (!paint)
        return FALSE;
    if (found && Dc_Over(found, paint->hdc)) {
        DeleteDC(paint->hdc);
        std::erase(found->dcs, paint->hdc);
    }
    if (found && found->widget)
        found->widget->update();
    return TRUE;
}

HDC GetDCEx(HWND window, HRGN clip, DWORD flags)
{
    if (!window)
        return GetDC(nullptr);
    HWND__* found = Window_Live(window);
    if (!found)
        return nullptr;
    // Without borders the window's area is the client area, shown from the client store.
    const bool frame = (flags & DCX_WINDOW) && found->client != QRect(QPoint(0, 0), found->store.size());
    HDC dc = Open_Dc(found, frame ? &found->store : &found->client_store);
    Gdi_Region* region = clip ? Gdi_Find<Gdi_Region>(clip) : nullptr;
    if (dc && region && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        Gdi_Dc* context = Gdi_Find_Dc(dc);
        context->state.clipped = true;
        context->state.clip = (flags & DCX_INTERSECTRGN) ? region->region
                                                          : QRegion(context->Surface().rect()) - region->region;
    }
    if (region)
        DeleteObject(clip);
    // Qt repaints from the event loop, after the caller has drawn.
    if (dc && found->widget)
        found->widget->update();
    return dc;
}

HDC GetWindowDC(HWND window) { return GetDCEx(window, nullptr, DCX_WINDOW); }
