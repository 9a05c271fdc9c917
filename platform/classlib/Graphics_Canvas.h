#pragma once
// The canvas: a device context with the font, pen and brush it draws with.
// The objects are selected only when a call needs them, and reselected after
// they change: selecting the font sets the text colour to Font's colour,
// selecting the brush sets the background colour to Brush's colour and the
// background mode to OPAQUE (TRANSPARENT for bsClear), selecting the pen sets
// the mix of Pen's mode. Reading Handle selects all three.

#include <mutex>
#include <span>
#include <string>

#include "platform/classlib/Graphics.h"

class TGraphic;

// Copy modes are ternary raster operations.
using TCopyMode = DWORD;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    // The device context with font, pen and brush selected; a canvas that
    // makes its own context (a bitmap's) makes it now.
    HDC Handle();
    // Draws into dc from now on (nullptr: none); the objects are taken out
    // of the previous context first.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return handle != nullptr; }

    TFont* Font() { return &font; }
    void SetFont(TFont* value) { font.Assign(value); }
    TPen* Pen() { return &pen; }
    void SetPen(TPen* value) { pen.Assign(value); }
    TBrush* Brush() { return &brush; }
    void SetBrush(TBrush* value) { brush.Assign(value); }
    TCopyMode CopyMode() const { return copy_mode; }
    void SetCopyMode(TCopyMode value) { copy_mode = value; }

    POINT PenPos();
    void SetPenPos(POINT value) { MoveTo(value.x, value.y); }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const RECT& rect) { Ellipse(rect.left, rect.top, rect.right, rect.bottom); }
    void Polygon(std::span<const POINT> points);
    void Polyline(std::span<const POINT> points);
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);

    // Text in the font, over the brush colour unless the brush is bsClear;
    // TextOut leaves the pen position after the text.
    void TextOut(int x, int y, const std::string& text);
    void TextRect(const RECT& rect, int x, int y, const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    SIZE TextExtent(const std::string& text);

    // Graphics draw with the brush colour as background and the font colour
    // as text colour, so monochrome bitmaps take those colours.
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const RECT& rect, TGraphic* graphic);
    // StretchBlt from another canvas with CopyMode.
    void CopyRect(const RECT& dest, TCanvas* canvas, const RECT& source);
    // Copies source of bitmap into dest, painting the pixels of color with the brush.
    void BrushCopy(const RECT& dest, TBitmap* bitmap, const RECT& source, TColor color);

    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    // Serialises drawing from several threads; nested locks on one thread count.
    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return lock_count; }

    // The clip box in logical coordinates.
    RECT ClipRect();
    // Takes the objects out of the context; they are selected again when needed.
    void Refresh();

protected:
    // A canvas that owns its context (a bitmap's) makes it here, through SetHandle.
    virtual void CreateHandle() {}

    enum State : unsigned { Handle_Valid = 1, Font_Valid = 2, Pen_Valid = 4, Brush_Valid = 8 };
    void RequiredState(unsigned required);
    void DeselectHandles();

private:
    void Select_Font();
    void Select_Pen();
    void Select_Brush();

    TFont font;
    TPen pen;
    TBrush brush;
    HDC handle = nullptr;
    unsigned state = 0;
    TCopyMode copy_mode = cmSrcCopy;
    std::recursive_mutex lock;
    int lock_count = 0;
};
