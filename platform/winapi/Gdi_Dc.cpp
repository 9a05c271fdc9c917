#include "platform/winapi/Gdi_Dc.h"

#include "platform/winapi/Gdi_Region.h"
#include "platform/winapi/Window.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <unordered_set>

namespace {

std::mutex dc_mutex;
std::unordered_set<const Gdi_Dc*>& Live_Dcs()
{
    static std::unordered_set<const Gdi_Dc*> live;
    return live;
}

QScreen* Primary_Screen() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen() : nullptr; }

QSize Screen_Size()
{
    QScreen* screen = Primary_Screen();
    return screen ? screen->size() : QSize(1024, 768);
}

// The screen DC's pixels: drawing to the screen outside a window lands here.
QImage& Screen_Image()
{
    static QImage image = [] {
        QImage scratch(Screen_Size(), QImage::Format_RGB32);
        scratch.fill(0xFF000000u);
        return scratch;
    }();
    return image;
}

Gdi_Dc_State Initial_State(Gdi_Dc::Kind kind)
{
    Gdi_Dc_State state;
    state.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    state.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    state.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    state.palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    if (kind == Gdi_Dc::Kind::Memory)
        state.bitmap = Gdi_Stock_Bitmap();
    return state;
}

int Clip_Result(Gdi_Dc* dc) { return Gdi_Region_Type(dc->Drawable_Region()); }

// The current clip, or the whole surface when there is none.
QRegion Current_Clip(Gdi_Dc* dc) { return dc->state.clipped ? dc->state.clip : QRegion(dc->Surface().rect()); }

BOOL Set_Point(Gdi_Dc* dc, POINT& field, int x, int y, LPPOINT old)
{
    if (!dc)
        return FALSE;
    if (old)
        *old = field;
    field = POINT{x, y};
    return TRUE;
}

BOOL Get_Point(Gdi_Dc* dc, const POINT& field, LPPOINT out)
{
    if (!dc || !out)
        return FALSE;
    *out = field;
    return TRUE;
}

template <class T>
T Swap_Field(HDC dc, T Gdi_Dc_State::*field, T value, T failure)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return failure;
    T previous = context->state.*field;
    context->state.*field = value;
    return previous;
}

template <class T>
T Read_Field(HDC dc, T Gdi_Dc_State::*field, T failure)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    return context ? context->state.*field : failure;
}

int Device_Coordinate(std::int64_t value)
{
    constexpr std::int64_t limit = std::int64_t(1) << 28;
    return static_cast<int>(std::clamp(value, -limit, limit));
}

} // namespace

// ---- State -------------------------------------------------------------

void Gdi_Dc_State::Hold_Objects() const
{
    for (const void* object : {static_cast<const void*>(pen), static_cast<const void*>(brush), static_cast<const void*>(font),
                               static_cast<const void*>(bitmap), static_cast<const void*>(palette)})
        Gdi_Hold(Gdi_Find_Object(object));
}

void Gdi_Dc_State::Release_Objects() const
{
    for (const void* object : {static_cast<const void*>(pen), static_cast<const void*>(brush), static_cast<const void*>(font),
                               static_cast<const void*>(bitmap), static_cast<const void*>(palette)})
        Gdi_Release(Gdi_Find_Object(object));
}

// ---- Gdi_Dc ------------------------------------------------------------

Gdi_Dc::Gdi_Dc(Kind dc_kind, QImage* image) : state(Initial_State(dc_kind)), kind(dc_kind), external_image(image)
{
    state.Hold_Objects();
    std::lock_guard lock(dc_mutex);
    Live_Dcs().insert(this);
}

Gdi_Dc::~Gdi_Dc()
{
    {
        std::lock_guard lock(dc_mutex);
        Live_Dcs().erase(this);
    }
    if (Gdi_Bitmap* bitmap = Selected_Bitmap(); bitmap && bitmap->selected_dc == this)
        bitmap->selected_dc = nullptr;
    for (const Gdi_Dc_State& saved : saved_states)
        saved.Release_Objects();
    state.Release_Objects();
}

// A selected bitmap is held by the state, so it outlives its selection:
// no registry lookup needed (drawing asks for it many times per call).
Gdi_Bitmap* Gdi_Dc::Selected_Bitmap() const { return state.bitmap; }

QImage& Gdi_Dc::Surface()
{
    switch (kind) {
    case Kind::Memory:
        if (Gdi_Bitmap* bitmap = Selected_Bitmap())
            return bitmap->image;
        return Gdi_Stock_Bitmap()->image;
    case Kind::Image:
        return *external_image;
    case Kind::Screen:
        break;
    }
    return Screen_Image();
}

const QImage& Gdi_Dc::Surface() const { return const_cast<Gdi_Dc*>(this)->Surface(); }

Gdi_Pixel_Rows Gdi_Dc::Rows()
{
    if (kind == Kind::Memory)
        return (Selected_Bitmap() ? Selected_Bitmap() : Gdi_Stock_Bitmap())->Rows();
    QImage& image = Surface();
    return {image.bits(), image.bytesPerLine(), image.width(), image.height(), false};
}

bool Gdi_Dc::Is_Mono() const
{
    Gdi_Bitmap* bitmap = kind == Kind::Memory ? Selected_Bitmap() : nullptr;
    return bitmap && bitmap->Is_Mono();
}

QPoint Gdi_Dc::Origin() const
{
    return QPoint(state.viewport_origin.x - state.window_origin.x, state.viewport_origin.y - state.window_origin.y);
}

QPoint Gdi_Dc::To_Device(int x, int y) const
{
    const QPoint origin = Origin();
    return QPoint(Device_Coordinate(std::int64_t(x) + origin.x()), Device_Coordinate(std::int64_t(y) + origin.y()));
}

QRect Gdi_Dc::To_Device(const RECT& rect) const
{
    const QPoint top_left = To_Device(rect.left, rect.top);
    const QPoint bottom_right = To_Device(rect.right, rect.bottom);
    return QRect(top_left, QSize(bottom_right.x() - top_left.x(), bottom_right.y() - top_left.y()));
}

QRegion Gdi_Dc::Drawable_Region() const
{
    QRegion surface(Surface().rect());
    return state.clipped ? surface.intersected(state.clip) : surface;
}

QRgb Gdi_Dc::Surface_Pixel(COLORREF color) const
{
    const QRgb pixel = Gdi_To_Pixel(Resolved_Color(color));
    if (Is_Mono())
        return Gdi_Mono_Pixel(pixel);
    return (pixel & 0xFFFFFFu) | Fourth_Byte();
}

COLORREF Gdi_Dc::Resolved_Color(COLORREF color) const
{
    if ((color >> 16) == 0x10FF)
        return 0x000000;
    if ((color & 0x01000000) == 0)
        return color & 0xFFFFFF;
    const Gdi_Palette* palette = Gdi_Find<Gdi_Palette>(state.palette);
    const std::size_t index = color & 0xFFFF;
    if (!palette || palette->entries.empty())
        return 0x000000;
    // An index past the palette's end takes its first entry.
    const PALETTEENTRY& entry = palette->entries[index < palette->entries.size() ? index : 0];
    return static_cast<COLORREF>(entry.peRed) | (static_cast<COLORREF>(entry.peGreen) << 8) | (static_cast<COLORREF>(entry.peBlue) << 16);
}

QRgb Gdi_Dc::Fourth_Byte() const
{
    const Gdi_Bitmap* bitmap = kind == Kind::Memory ? Selected_Bitmap() : nullptr;
    return bitmap && bitmap->Keeps_Fourth_Byte() ? 0u : 0xFF000000u;
}

void Gdi_Dc::Begin_Access(const QRect& area)
{
    if (Gdi_Bitmap* bitmap = kind == Kind::Memory ? Selected_Bitmap() : nullptr)
        bitmap->Surface_Current(area);
}

void Gdi_Dc::End_Access(const QRect& area)
{
    if (Gdi_Bitmap* bitmap = kind == Kind::Memory ? Selected_Bitmap() : nullptr)
        bitmap->Surface_Drawn(area);
}

Gdi_Dc* Gdi_Find_Dc(HDC dc)
{
    if (!dc)
        return nullptr;
    std::lock_guard lock(dc_mutex);
    return Live_Dcs().contains(dc) ? dc : nullptr;
}

HDC Create_Image_DC(QImage* image)
{
    if (!image || image->format() != QImage::Format_RGB32)
        return nullptr;
    return new Gdi_Dc(Gdi_Dc::Kind::Image, image);
}

// ---- Creating and ending -----------------------------------------------

HDC CreateCompatibleDC(HDC dc)
{
    if (dc && !Gdi_Find_Dc(dc))
        return nullptr;
    return new Gdi_Dc(Gdi_Dc::Kind::Memory, nullptr);
}

BOOL DeleteDC(HDC dc)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return FALSE;
    delete context;
    return TRUE;
}

HDC GetDC(HWND window)
{
    if (window)
        return GetDCEx(window, nullptr, 0);
    return new Gdi_Dc(Gdi_Dc::Kind::Screen, nullptr);
}

int ReleaseDC(HWND, HDC dc) { return DeleteDC(dc) ? 1 : 0; }

int SaveDC(HDC dc)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return 0;
    context->state.Hold_Objects();
    context->saved_states.push_back(context->state);
    return static_cast<int>(context->saved_states.size());
}

BOOL RestoreDC(HDC dc, int saved)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return FALSE;
    const int depth = static_cast<int>(context->saved_states.size());
    const int level = saved < 0 ? depth + 1 + saved : saved;
    if (level < 1 || level > depth)
        return FALSE;
    while (static_cast<int>(context->saved_states.size()) > level) {
        context->saved_states.back().Release_Objects();
        context->saved_states.pop_back();
    }
    Gdi_Bitmap* old_bitmap = context->Selected_Bitmap();
    context->state.Release_Objects();
    context->state = context->saved_states.back();
    context->saved_states.pop_back();
    if (old_bitmap && old_bitmap->selected_dc == context)
        old_bitmap->selected_dc = nullptr;
    if (Gdi_Bitmap* bitmap = context->Selected_Bitmap(); bitmap && !bitmap->stock)
        bitmap->selected_dc = context;
    return TRUE;
}

// ---- Origins -----------------------------------------------------------

BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT old)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    return context ? Set_Point(context, context->state.window_origin, x, y, old) : FALSE;
}

BOOL GetWindowOrgEx(HDC dc, LPPOINT origin)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    return context ? Get_Point(context, context->state.window_origin, origin) : FALSE;
}

BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, LPPOINT old)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return FALSE;
    const POINT& origin = context->state.window_origin;
    return Set_Point(context, context->state.window_origin, origin.x + dx, origin.y + dy, old);
}

BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT old)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    return context ? Set_Point(context, context->state.viewport_origin, x, y, old) : FALSE;
}

BOOL GetViewportOrgEx(HDC dc, LPPOINT origin)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    return context ? Get_Point(context, context->state.viewport_origin, origin) : FALSE;
}

BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT old)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return FALSE;
    const POINT& origin = context->state.viewport_origin;
    return Set_Point(context, context->state.viewport_origin, origin.x + dx, origin.y + dy, old);
}

BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT old)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    return context ? Set_Point(context, context->state.brush_origin, x, y, old) : FALSE;
}

BOOL GetBrushOrgEx(HDC dc, LPPOINT origin)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    return context ? Get_Point(context, context->state.brush_origin, origin) : FALSE;
}

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT old)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    return context ? Set_Point(context, context->state.current_position, x, y, old) : FALSE;
}

BOOL GetCurrentPositionEx(HDC dc, LPPOINT position)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    return context ? Get_Point(context, context->state.current_position, position) : FALSE;
}

// ---- Clipping ----------------------------------------------------------

int SelectClipRgn(HDC dc, HRGN region)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return ERROR;
    if (!region) {
        context->state.clipped = false;
        context->state.clip = QRegion();
        return Clip_Result(context);
    }
    Gdi_Region* object = Gdi_Find<Gdi_Region>(region);
    if (!object)
        return ERROR;
    context->state.clipped = true;
    context->state.clip = object->region;
    return Clip_Result(context);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return ERROR;
    QRegion rect(context->To_Device(RECT{left, top, right, bottom}));
    context->state.clip = context->state.clipped ? context->state.clip.intersected(rect) : rect;
    context->state.clipped = true;
    return Clip_Result(context);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return ERROR;
    context->state.clip = Current_Clip(context).subtracted(QRegion(context->To_Device(RECT{left, top, right, bottom})));
    context->state.clipped = true;
    return Clip_Result(context);
}

int GetClipBox(HDC dc, LPRECT box)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context || !box)
        return ERROR;
    QRegion drawable = context->Drawable_Region();
    QRect bounds = drawable.boundingRect().translated(-context->Origin());
    *box = drawable.isEmpty() ? RECT{} : RECT{bounds.left(), bounds.top(), bounds.right() + 1, bounds.bottom() + 1};
    return Gdi_Region_Type(drawable);
}

int GetClipRgn(HDC dc, HRGN region)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    Gdi_Region* object = Gdi_Find<Gdi_Region>(region);
    if (!context || !object)
        return -1;
    if (!context->state.clipped)
        return 0;
    object->region = context->state.clip;
    return 1;
}

// ---- Colours and modes -------------------------------------------------

// Colours keep their palette flags: they are resolved when drawn, against the palette selected then.
COLORREF SetTextColor(HDC dc, COLORREF color) { return Swap_Field(dc, &Gdi_Dc_State::text_color, color, CLR_INVALID); }
COLORREF GetTextColor(HDC dc) { return Read_Field(dc, &Gdi_Dc_State::text_color, CLR_INVALID); }
COLORREF SetBkColor(HDC dc, COLORREF color) { return Swap_Field(dc, &Gdi_Dc_State::bk_color, color, CLR_INVALID); }
COLORREF GetBkColor(HDC dc) { return Read_Field(dc, &Gdi_Dc_State::bk_color, CLR_INVALID); }

int SetBkMode(HDC dc, int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return Swap_Field(dc, &Gdi_Dc_State::bk_mode, mode, 0);
}
int GetBkMode(HDC dc) { return Read_Field(dc, &Gdi_Dc_State::bk_mode, 0); }

int SetROP2(HDC dc, int mode)
{
    if (mode < R2_BLACK || mode > R2_WHITE)
        return 0;
    return Swap_Field(dc, &Gdi_Dc_State::rop2, mode, 0);
}
int GetROP2(HDC dc) { return Read_Field(dc, &Gdi_Dc_State::rop2, 0); }

int SetStretchBltMode(HDC dc, int mode)
{
    if (mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    return Swap_Field(dc, &Gdi_Dc_State::stretch_mode, mode, 0);
}
int GetStretchBltMode(HDC dc) { return Read_Field(dc, &Gdi_Dc_State::stretch_mode, 0); }

int SetPolyFillMode(HDC dc, int mode)
{
    if (mode != ALTERNATE && mode != WINDING)
        return 0;
    return Swap_Field(dc, &Gdi_Dc_State::poly_fill_mode, mode, 0);
}
int GetPolyFillMode(HDC dc) { return Read_Field(dc, &Gdi_Dc_State::poly_fill_mode, 0); }

int SetTextCharacterExtra(HDC dc, int extra)
{
    return Swap_Field(dc, &Gdi_Dc_State::char_extra, extra, static_cast<int>(0x80000000u));
}
int GetTextCharacterExtra(HDC dc) { return Read_Field(dc, &Gdi_Dc_State::char_extra, static_cast<int>(0x80000000u)); }

// ---- Device capabilities -----------------------------------------------

namespace {
std::atomic<int> dpi_override {0};
std::atomic<int> depth_override {0};

int Logical_Dpi(QScreen* screen, bool horizontal)
{
    if (const int dpi = dpi_override.load())
        return dpi;
    if (!screen)
        return 96;
    return qRound(horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY());
}

int Bits_Per_Pixel(QScreen* screen)
{
    if (const int bits = depth_override.load())
        return bits;
    return screen && screen->depth() == 24 ? 24 : 32;
}
} // namespace

void Override_Screen_Dpi(int dpi) { dpi_override = std::max(dpi, 0); }
void Override_Screen_Depth(int bits_per_pixel) { depth_override = std::max(bits_per_pixel, 0); }

int GetDeviceCaps(HDC dc, int index)
{
    if (!Gdi_Find_Dc(dc))
        return 0;
    QScreen* screen = Primary_Screen();
    switch (index) {
    case TECHNOLOGY:
        return DT_RASDISPLAY;
    case HORZRES:
        return Screen_Size().width();
    case VERTRES:
        return Screen_Size().height();
    case BITSPIXEL:
        return Bits_Per_Pixel(screen);
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1; // more than 256 colours
    case RASTERCAPS:
        return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT;
    case LOGPIXELSX:
        return Logical_Dpi(screen, true);
    case LOGPIXELSY:
        return Logical_Dpi(screen, false);
    case SIZEPALETTE:
        return 0;
    default:
        return 0;
    }
}
