// Painting: control canvases, invalidation, a windowed control's paint
// handler and the windowless children it paints, and the graphic and
// custom controls' Paint.

#include "platform/classlib/Controls.h"

#include <algorithm>

#include "platform/classlib/Forms.h"

namespace {

// Control canvases holding a DC of their own.
std::vector<TControlCanvas*>& canvases_with_dc = *new std::vector<TControlCanvas*>;

bool Rects_Meet(const RECT& a, const RECT& b)
{
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

} // namespace

// ---- TControlCanvas ------------------------------------------------------------

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle()
{
    auto* windowed = dynamic_cast<TWinControl*>(control);
    TWinControl* host = windowed ? windowed : control->Parent();
    if (!host)
        return;
    HWND window = host->Handle();
    HDC dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!dc)
        return;
    if (!windowed) {
        // A windowless control draws in its parent's client area, moved to
        // its own position and kept inside its bounds.
        SetWindowOrgEx(dc, -control->Left(), -control->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
    }
    own_dc = dc;
    own_dc_window = window;
    canvases_with_dc.push_back(this);
    SetHandle(dc);
}

void TControlCanvas::FreeHandle()
{
    if (!own_dc)
        return;
    SetHandle(nullptr);
    ReleaseDC(own_dc_window, own_dc);
    own_dc = nullptr;
    own_dc_window = nullptr;
    std::erase(canvases_with_dc, this);
}

void TControlCanvas::PaintThrough(HDC DC, const std::function<void()>& Paint)
{
    Lock();
    FreeHandle();
    SetHandle(DC);
    try {
        Paint();
    } catch (...) {
        SetHandle(nullptr);
        Unlock();
        throw;
    }
    SetHandle(nullptr);
    Unlock();
}

void FreeDeviceContexts()
{
    while (!canvases_with_dc.empty()) {
        TControlCanvas* canvas = canvases_with_dc.back();
        canvas->Lock();
        canvas->FreeHandle();
        canvas->Unlock();
    }
}

// ---- TControl --------------------------------------------------------------------

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque)
{
    if (!IsVisible || !parent || !parent->HandleAllocated())
        return;
    const RECT bounds = BoundsRect();
    InvalidateRect(parent->Handle(), &bounds, IsOpaque ? FALSE : TRUE);
}

void TControl::Invalidate() { InvalidateControl(visible, control_style.Contains(csOpaque)); }

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::Update()
{
    if (parent)
        parent->Update();
}

// ---- TWinControl: windows ------------------------------------------------------

void TWinControl::Invalidate()
{
    if (handle)
        InvalidateRect(handle, nullptr, ControlStyle().Contains(csOpaque) ? FALSE : TRUE);
}

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

void TWinControl::Update()
{
    if (handle)
        UpdateWindow(handle);
}

// ---- TWinControl: mouse, painting and messages -------------------------------------------

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC DC, TControl* First)
{
    auto start = controls.begin();
    if (First) {
        start = std::find(controls.begin(), controls.end(), First);
        if (start == controls.end())
            start = controls.begin();
    }
    RECT clip;
    if (GetClipBox(DC, &clip) == 0)
        return; // nothing is drawable
    // A copy: a control may change the list while it paints.
    const std::vector<TControl*> painted(start, controls.end());
    for (TControl* control : painted) {
        if (!control->Visible() || !Rects_Meet(control->BoundsRect(), clip))
            continue;
        const int saved = SaveDC(DC);
        OffsetWindowOrgEx(DC, -control->Left(), -control->Top(), nullptr);
        IntersectClipRect(DC, 0, 0, control->Width(), control->Height());
        control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
        RestoreDC(DC, saved);
    }
}

void TWinControl::PaintHandler(TMessage& Message)
{
    PAINTSTRUCT paint;
    auto dc = reinterpret_cast<HDC>(Message.WParam);
    const bool own = dc == nullptr;
    if (own)
        dc = BeginPaint(handle, &paint);
    if (!dc)
        return;
    const int saved = SaveDC(dc);
    PaintWindow(dc);
    RestoreDC(dc, saved);
    PaintControls(dc, nullptr);
    if (own)
        EndPaint(handle, &paint);
}

void TWinControl::EraseBackground(TMessage& Message)
{
    const RECT client = ClientRect();
    FillRect(reinterpret_cast<HDC>(Message.WParam), &client, brush.Handle());
    Message.Result = 1;
}

// ---- TGraphicControl and TCustomControl ------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), canvas(this) {}

TGraphicControl::~TGraphicControl() { canvas.FreeHandle(); }

void TGraphicControl::Dispatch(TMessage& Message)
{
    if (Message.Msg != WM_PAINT) {
        TControl::Dispatch(Message);
        return;
    }
    if (Message.WParam)
        canvas.PaintThrough(reinterpret_cast<HDC>(Message.WParam), [this] { Paint(); });
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), canvas(this) {}

TCustomControl::~TCustomControl() { canvas.FreeHandle(); }

void TCustomControl::PaintWindow(HDC DC)
{
    canvas.PaintThrough(DC, [this] { Paint(); });
}
