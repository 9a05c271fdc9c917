#include "platform/classlib/Graphics_Canvas.h"

#include "platform/winapi/Gdi_Text.h"

namespace {

constexpr unsigned all_states = 15;
// BitBlt code of "the pattern where the source is white, the destination elsewhere".
constexpr DWORD rop_pattern_where_source = 0x00E20746;

} // namespace

TCanvas::TCanvas()
{
    font.OnChange = [this](TObject*) { state &= ~static_cast<unsigned>(Font_Valid); };
    pen.OnChange = [this](TObject*) { state &= ~static_cast<unsigned>(Pen_Valid); };
    brush.OnChange = [this](TObject*) { state &= ~static_cast<unsigned>(Brush_Valid); };
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::Handle()
{
    RequiredState(all_states);
    return handle;
}

void TCanvas::SetHandle(HDC dc)
{
    if (dc == handle)
        return;
    DeselectHandles();
    handle = dc;
    state = dc ? static_cast<unsigned>(Handle_Valid) : 0u;
}

void TCanvas::DeselectHandles()
{
    if (!handle || !(state & (Font_Valid | Pen_Valid | Brush_Valid)))
        return;
    SelectObject(handle, GetStockObject(BLACK_PEN));
    SelectObject(handle, GetStockObject(HOLLOW_BRUSH));
    SelectObject(handle, GetStockObject(SYSTEM_FONT));
    state &= ~static_cast<unsigned>(Font_Valid | Pen_Valid | Brush_Valid);
}

void TCanvas::RequiredState(unsigned required)
{
    unsigned needed = required & ~state;
    if (!needed)
        return;
    if (needed & Handle_Valid) {
        CreateHandle();
        if (!handle)
            throw EInvalidGraphicOperation("Canvas does not allow drawing");
    }
    if (needed & Font_Valid)
        Select_Font();
    if (needed & Pen_Valid)
        Select_Pen();
    if (needed & Brush_Valid)
        Select_Brush();
}

void TCanvas::Select_Font()
{
    SelectObject(handle, font.Handle());
    SetTextColor(handle, ColorToRGB(font.Color()));
    state |= Font_Valid;
}

void TCanvas::Select_Pen()
{
    SelectObject(handle, pen.Handle());
    SetROP2(handle, PenModeToRop2(pen.Mode()));
    state |= Pen_Valid;
}

void TCanvas::Select_Brush()
{
    SelectObject(handle, brush.Handle());
    SetBkColor(handle, ColorToRGB(brush.Color()));
    SetBkMode(handle, brush.Style() == bsClear ? TRANSPARENT : OPAQUE);
    state |= Brush_Valid;
}

void TCanvas::Refresh() { DeselectHandles(); }

// ---- Lines and shapes ----------------------------------------------------

POINT TCanvas::PenPos()
{
    RequiredState(Handle_Valid);
    POINT position;
    GetCurrentPositionEx(handle, &position);
    return position;
}

void TCanvas::MoveTo(int x, int y)
{
    RequiredState(Handle_Valid);
    MoveToEx(handle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
    RequiredState(Handle_Valid | Pen_Valid | Brush_Valid);
    ::LineTo(handle, x, y);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    RequiredState(Handle_Valid | Pen_Valid | Brush_Valid);
    ::Rectangle(handle, x1, y1, x2, y2);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    RequiredState(Handle_Valid | Pen_Valid | Brush_Valid);
    ::RoundRect(handle, x1, y1, x2, y2, x3, y3);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    RequiredState(Handle_Valid | Pen_Valid | Brush_Valid);
    ::Ellipse(handle, x1, y1, x2, y2);
}

void TCanvas::Polygon(std::span<const POINT> points)
{
    RequiredState(Handle_Valid | Pen_Valid | Brush_Valid);
    ::Polygon(handle, points.data(), static_cast<int>(points.size()));
}

void TCanvas::Polyline(std::span<const POINT> points)
{
    RequiredState(Handle_Valid | Pen_Valid | Brush_Valid);
    ::Polyline(handle, points.data(), static_cast<int>(points.size()));
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    RequiredState(Handle_Valid | Pen_Valid | Brush_Valid);
    ::Arc(handle, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    RequiredState(Handle_Valid | Pen_Valid | Brush_Valid);
    ::Pie(handle, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    RequiredState(Handle_Valid | Pen_Valid | Brush_Valid);
    ::Chord(handle, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::FillRect(const RECT& rect)
{
    RequiredState(Handle_Valid | Brush_Valid);
    ::FillRect(handle, &rect, brush.Handle());
}

void TCanvas::FrameRect(const RECT& rect)
{
    RequiredState(Handle_Valid | Brush_Valid);
    ::FrameRect(handle, &rect, brush.Handle());
}

// ---- Text ----------------------------------------------------------------

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    RequiredState(Handle_Valid | Font_Valid | Brush_Valid);
    ExtTextOutA(handle, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    MoveTo(x + TextWidth(text), y);
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::string& text)
{
    RequiredState(Handle_Valid | Font_Valid | Brush_Valid);
    UINT options = ETO_CLIPPED | (brush.Style() != bsClear ? ETO_OPAQUE : 0);
    ExtTextOutA(handle, x, y, options, &rect, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::string& text)
{
    RequiredState(Handle_Valid | Font_Valid);
    SIZE size;
    GetTextExtentPoint32A(handle, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

// ---- Pictures and copies -------------------------------------------------

void TCanvas::Draw(int x, int y, TGraphic* graphic)
{
    if (!graphic || graphic->Empty())
        return;
    StretchDraw(RECT{x, y, x + graphic->Width(), y + graphic->Height()}, graphic);
}

void TCanvas::StretchDraw(const RECT& rect, TGraphic* graphic)
{
    if (!graphic)
        return;
    RequiredState(Handle_Valid);
    SetBkColor(handle, ColorToRGB(brush.Color()));
    SetTextColor(handle, ColorToRGB(font.Color()));
    graphic->Draw(this, rect);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas* canvas, const RECT& source)
{
    if (!canvas)
        return;
    RequiredState(Handle_Valid | Font_Valid | Brush_Valid);
    canvas->RequiredState(Handle_Valid | Brush_Valid);
    StretchBlt(handle, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, canvas->handle, source.left,
               source.top, source.right - source.left, source.bottom - source.top, copy_mode);
}

void TCanvas::BrushCopy(const RECT& dest, TBitmap* bitmap, const RECT& source, TColor color)
{
    if (!bitmap || bitmap->Empty())
        return;
    int dest_width = dest.right - dest.left;
    int dest_height = dest.bottom - dest.top;
    int source_width = source.right - source.left;
    int source_height = source.bottom - source.top;
    // The mask is white where the source has the colour.
    TBitmap mask;
    mask.Assign(bitmap);
    mask.Mask(color);
    HDC source_dc = bitmap->Canvas()->Handle();
    HDC mask_dc = mask.Canvas()->Handle();
    RequiredState(Handle_Valid | Brush_Valid);
    StretchBlt(handle, dest.left, dest.top, dest_width, dest_height, source_dc, source.left, source.top, source_width,
               source_height, SRCCOPY);
    COLORREF text_color = SetTextColor(handle, 0x000000);
    COLORREF back_color = SetBkColor(handle, 0xFFFFFF);
    StretchBlt(handle, dest.left, dest.top, dest_width, dest_height, mask_dc, source.left, source.top, source_width,
               source_height, rop_pattern_where_source);
    SetTextColor(handle, text_color);
    SetBkColor(handle, back_color);
}

TColor TCanvas::Pixels(int x, int y)
{
    RequiredState(Handle_Valid);
    return GetPixel(handle, x, y);
}

void TCanvas::SetPixels(int x, int y, TColor color)
{
    RequiredState(Handle_Valid | Pen_Valid);
    SetPixel(handle, x, y, ColorToRGB(color));
}

RECT TCanvas::ClipRect()
{
    RequiredState(Handle_Valid);
    RECT box;
    GetClipBox(handle, &box);
    return box;
}

// ---- Locking -------------------------------------------------------------

void TCanvas::Lock()
{
    lock.lock();
    ++lock_count;
}

void TCanvas::Unlock()
{
    --lock_count;
    lock.unlock();
}

bool TCanvas::TryLock()
{
    if (!lock.try_lock())
        return false;
    ++lock_count;
    return true;
}
