#include "components/controls/SCLCustomScrollBox.h"

#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclsysin_Frame.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/winapi/Window.h"

namespace {

const bool Scroll_Box_Bevel_Registered = [] {
    RegisterClass<TSCLScrollBoxBevel, TSCLBevel>("TSCLScrollBoxBevel")
        .Property("Mode", Enum_Type<TSCLBevelMode>(TSCLEnumInfo<TSCLBevelMode>::Names), &TSCLScrollBoxBevel::Mode,
                  &TSCLScrollBoxBevel::SetMode, bmWindows);
    return true;
}();

const bool Scroll_Box_Registered = [] {
    RegisterComponentClass<TSCLCustomScrollBox, TScrollBox>("TSCLCustomScrollBox")
        .Property("About", String_Type(), [](TSCLCustomScrollBox& b) { return b.About; },
                  [](TSCLCustomScrollBox& b, const std::string& value) { b.About = value; }, "")
        .Object("Bevel", &TSCLCustomScrollBox::Bevel)
        .Property("Delta", Integer_Type(0, 255), [](TSCLCustomScrollBox& b) { return int{b.Delta()}; },
                  [](TSCLCustomScrollBox& b, int v) { b.SetDelta(static_cast<BYTE>(v)); }, 1)
        .Property("Transparent", Boolean_Type(), &TSCLCustomScrollBox::Transparent,
                  &TSCLCustomScrollBox::SetTransparent, false);
    return true;
}();

RECT Moved(const RECT& Rect, int DX, int DY)
{
    return RECT{Rect.left + DX, Rect.top + DY, Rect.right + DX, Rect.bottom + DY};
}

} // namespace

// The box's window draws the border in bmWindows mode: a change of mode
// remakes the window.
TSCLScrollBoxBevel::TSCLScrollBoxBevel()
{
    SetWindowBorder(true);
    SetMode(bmWindows);
}

TSCLCustomScrollBox::TSCLCustomScrollBox(TComponent* AOwner)
    : TScrollBox(AOwner), bevel(std::make_unique<TSCLScrollBoxBevel>()),
      canvas(std::make_unique<TControlCanvas>(this))
{
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csReplicatable});
    SetBorderStyle(bsNone);
    bevel->OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TSCLCustomScrollBox::~TSCLCustomScrollBox() { bevel->OnChange = nullptr; }

void TSCLCustomScrollBox::SetBevel(TSCLBevel* Value)
{
    bevel->Assign(Value);
    bevel->SetWindowBorder(true);
    Perform(CM_SCLBEVELCHANGED, 0, 0);
}

void TSCLCustomScrollBox::SetTransparent(bool Value)
{
    if (Value == transparent)
        return;
    transparent = Value;
    TControlStyle style = ControlStyle();
    if (Value)
        style.Exclude(csOpaque);
    else
        style.Include(csOpaque);
    SetControlStyle(style);
    if (HandleAllocated())
        Perform(CM_RECREATEWND, 0, 0);
    Invalidate();
}

void TSCLCustomScrollBox::SetDelta(BYTE Value)
{
    if (Value == 0 || Value == delta)
        return;
    delta = Value;
    scroll_count = 0;
}

bool TSCLCustomScrollBox::VertScrollBarVisible() const
{
    return HandleAllocated() && VertScrollBar()->IsScrollBarVisible();
}

bool TSCLCustomScrollBox::HorzScrollBarVisible() const
{
    return HandleAllocated() && HorzScrollBar()->IsScrollBarVisible();
}

void TSCLCustomScrollBox::GetChange(TObject* Sender)
{
    if (Sender == bevel.get()) {
        if (bevel->GetRecreateWnd() && HandleAllocated())
            Perform(CM_RECREATEWND, 0, 0);
        else
            Frame_Changed();
        return;
    }
    if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    Invalidate();
}

int TSCLCustomScrollBox::Frame_Inset() const
{
    return bevel->Mode() == bmWindows ? 0 : bevel->BevelExtent();
}

// The frame is recomputed (WM_NCCALCSIZE) and repainted.
void TSCLCustomScrollBox::Frame_Changed()
{
    if (!HandleAllocated())
        return;
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TSCLCustomScrollBox::Paint_Frame()
{
    if (bevel->Mode() != bmWindows) {
        TCanvas frame;
        frame.SetHandle(GetWindowDC(Handle()));
        bevel->PaintBevel(&frame, RECT{0, 0, Width(), Height()}, transparent);
        const HDC dc = frame.Handle();
        frame.SetHandle(nullptr);
        ReleaseDC(Handle(), dc);
    }
    if (ScrollBarsVisible()) {
        const HDC dc = GetDC(Handle());
        Paint_Corner(dc);
        ReleaseDC(Handle(), dc);
    }
}

RECT TSCLCustomScrollBox::Corner_Rect()
{
    RECT window_client{};
    GetClientRect(Handle(), &window_client);
    const RECT inside = ClientRect();
    return RECT{inside.right, inside.bottom, window_client.right, window_client.bottom};
}

void TSCLCustomScrollBox::AlignControls(TControl* AControl, RECT& Rect)
{
    TScrollBox::AlignControls(AControl, Rect);
    if (HandleAllocated() && ScrollBarsVisible()) {
        const RECT corner = Corner_Rect();
        InvalidateRect(Handle(), &corner, FALSE);
    }
}

void TSCLCustomScrollBox::Paint_Corner(HDC DC)
{
    if (!ScrollBarsVisible())
        return;
    const RECT corner = Corner_Rect();
    TCanvas corner_canvas;
    corner_canvas.SetHandle(DC);
    if (!BackDrawArea(&corner_canvas, corner, POINT{-HorzScrollBar()->Position(), -VertScrollBar()->Position()}, 0)) {
        corner_canvas.Brush()->SetStyle(bsSolid);
        corner_canvas.Brush()->SetColor(Color());
        corner_canvas.FillRect(corner);
    }
    corner_canvas.SetHandle(nullptr);
}

void TSCLCustomScrollBox::CreateParams(TCreateParams& Params)
{
    TScrollBox::CreateParams(Params);
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
    Params.Style |= WS_CLIPCHILDREN;
    if (bevel->Mode() != bmWindows)
        return;
    if (SCLNCNewLook() && Ctl3D())
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        Params.Style |= WS_BORDER;
}

// ---- Background services -----------------------------------------------------------

bool TSCLCustomScrollBox::BackBitmapCheck()
{
    if (!transparent)
        return false;
    TSCLBackProvider* provider = SCLParentBackProvider(this);
    return provider && provider->BackBitmapCheck();
}

bool TSCLCustomScrollBox::CheckOptimized() { return BackBitmapCheck(); }

TBitmap* TSCLCustomScrollBox::BackBitmap()
{
    return BackBitmapCheck() ? SCLParentBackProvider(this)->BackBitmap() : nullptr;
}

POINT TSCLCustomScrollBox::Origin_In_Back(TSCLBackProvider* Provider)
{
    // The client area inside the frame, where the parent sees it; the
    // scroll position moves the background with the content.
    const POINT in_parent = Parent()->ScreenToClient(ClientOrigin());
    const POINT origin = Provider->BackMapPoint(in_parent);
    return POINT{origin.x + HorzScrollBar()->Position(), origin.y + VertScrollBar()->Position()};
}

POINT TSCLCustomScrollBox::BackMapPoint(POINT P)
{
    if (!BackBitmapCheck())
        return P;
    const POINT origin = Origin_In_Back(SCLParentBackProvider(this));
    return POINT{origin.x + P.x, origin.y + P.y};
}

bool TSCLCustomScrollBox::BackDrawArea(TCanvas* Canvas, const RECT& Dest, POINT Src, WORD /*Flags*/)
{
    if (Loading())
        return false;
    TBitmap* bitmap = BackBitmap();
    if (!bitmap)
        return false;
    const POINT origin = Origin_In_Back(SCLParentBackProvider(this));
    Canvas->CopyRect(Dest, bitmap->Canvas(), Moved(Dest, origin.x + Src.x, origin.y + Src.y));
    return true;
}

// ---- Painting and messages -----------------------------------------------------------

void TSCLCustomScrollBox::PaintWindow(HDC DC)
{
    if (Loading() || !DC)
        return;
    canvas->PaintThrough(DC, [this] {
        Draw_Background();
        if (OnPaint)
            OnPaint(this);
    });
    Paint_Corner(DC);
}

void TSCLCustomScrollBox::Draw_Background()
{
    if (BackDrawArea(canvas.get(), ClientRect(), POINT{0, 0}, 0))
        return;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
}

void TSCLCustomScrollBox::Erase_Background(HDC DC)
{
    // With more children the paint that follows draws the background once;
    // a lone child would otherwise show a stale background until then.
    if (ControlCount() <= 1 && DC)
        canvas->PaintThrough(DC, [this] { Draw_Background(); });
}

void TSCLCustomScrollBox::Tell_Children(UINT Message)
{
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->Perform(Message, 0, 0);
}

void TSCLCustomScrollBox::Background_Moved()
{
    if (!CheckOptimized())
        return;
    Invalidate();
    Tell_Children(CM_SCLPARENTBACKCHANGED);
}

void TSCLCustomScrollBox::Scrolled(WPARAM WParam, bool Vertical)
{
    if (!CheckOptimized())
        return;
    const bool end = LOWORD(static_cast<DWORD>(WParam)) == SB_ENDSCROLL;
    if (count_scrolls) {
        ++scroll_count;
        if (scroll_count < delta && !(Vertical && end))
            return;
    } else if (!end) {
        return;
    }
    scroll_count = 0;
    Invalidate();
    Tell_Children(CM_SCLSCROLLBOXSCROLLED);
    Tell_Children(CM_SCLPARENTBACKCHANGED);
}

void TSCLCustomScrollBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        TScrollBox::Dispatch(Message);
        Scrolled(Message.WParam, Message.Msg == WM_VSCROLL);
        return;
    case WM_ERASEBKGND:
        if (!CheckOptimized())
            break;
        Erase_Background(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return;
    case WM_MOVE:
        TScrollBox::Dispatch(Message);
        Background_Moved();
        return;
    case CM_SCLPARENTBACKCHANGED:
    case CM_SCLSCROLLBOXSCROLLED:
        Background_Moved();
        return;
    case CM_SCLBEVELCHANGED:
        GetChange(bevel.get());
        return;
    case WM_NCCALCSIZE: {
        TScrollBox::Dispatch(Message);
        if (!Message.LParam)
            return;
        RECT& rect = Message.WParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                    : *reinterpret_cast<RECT*>(Message.LParam);
        const int inset = Frame_Inset();
        rect = RECT{rect.left + inset, rect.top + inset, std::max(rect.left + inset, rect.right - inset),
                    std::max(rect.top + inset, rect.bottom - inset)};
        return;
    }
    case WM_NCPAINT:
        TScrollBox::Dispatch(Message);
        Paint_Frame();
        return;
    case CM_CTL3DCHANGED:
        TScrollBox::Dispatch(Message);
        if (bevel->Mode() == bmWindows && HandleAllocated())
            RecreateWnd();
        return;
    case CM_COLORCHANGED:
    case CM_PARENTCOLORCHANGED:
        TScrollBox::Dispatch(Message);
        if (!transparent && !Loading()) {
            Invalidate();
            if (ScrollBarsVisible())
                RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        }
        return;
    default: break;
    }
    TScrollBox::Dispatch(Message);
}
