#pragma once
// The class library's graphics: colours, and the font, pen and brush objects
// a canvas draws with. Each object notifies its owner through OnChange when
// a property changes and makes its GDI handle only when first asked for it.
// The canvas is in Graphics_Canvas.h and the bitmap and icon in
// Graphics_Bitmap.h; including this header gives all three.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/classlib/Classes_Component.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Gdi.h"

class TBitmap;
class TCanvas;

// ---- Colours -------------------------------------------------------------

// 0x00BBGGRR, or 0x80000000 | index for a system colour.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clSystemColor = 0x80000000;
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;
constexpr TColor clHotLight = clSystemColor | 26;
constexpr TColor clGradientActiveCaption = clSystemColor | 27;
constexpr TColor clGradientInactiveCaption = clSystemColor | 28;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// A system colour resolved to its RGB value; other values unchanged.
COLORREF ColorToRGB(TColor color);
// The colour's name ("clRed", "clBtnFace") or "$" and eight hexadecimal digits.
std::string ColorToString(TColor color);
// A colour name, "$" hexadecimal or decimal text; anything else raises EConvertError.
TColor StringToColor(const std::string& text);

// ---- Exceptions ----------------------------------------------------------

class EInvalidGraphic : public Exception {
    using Exception::Exception;
};
class EInvalidGraphicOperation : public Exception {
    using Exception::Exception;
};

// ---- Graphics objects ----------------------------------------------------

class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont : public TGraphicsObject {
public:
    TFont();
    ~TFont() override;

    const std::string& Name() const { return name; }
    void SetName(const std::string& value);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return height; }
    void SetHeight(int value);
    // Points at PixelsPerInch: Size = -Height * 72 / PixelsPerInch.
    int Size() const;
    void SetSize(int value);
    TColor Color() const { return color; }
    void SetColor(TColor value);
    TFontStyles Style() const { return style; }
    void SetStyle(TFontStyles value);
    BYTE Charset() const { return charset; }
    void SetCharset(BYTE value);
    TFontPitch Pitch() const { return pitch; }
    void SetPitch(TFontPitch value);
    int PixelsPerInch() const { return pixels_per_inch; }

    // Made on first use; owned by the font.
    HFONT Handle();
    // Takes over a font handle: its description becomes the properties.
    void SetHandle(HFONT value);

    // From another font; other sources raise EConvertError.
    void Assign(TPersistent* Source) override;

private:
    void Drop_Handle();
    void Change_Description();

    std::string name = "MS Sans Serif";
    int height = -11;
    TColor color = clWindowText;
    TFontStyles style;
    BYTE charset = 1; // DEFAULT_CHARSET
    TFontPitch pitch = fpDefault;
    int pixels_per_inch;
    HFONT handle = nullptr;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

// The GDI mix (R2_*) of a pen mode.
int PenModeToRop2(TPenMode mode);

class TPen : public TGraphicsObject {
public:
    ~TPen() override;

    TColor Color() const { return color; }
    void SetColor(TColor value);
    int Width() const { return width; }
    void SetWidth(int value);
    TPenStyle Style() const { return style; }
    void SetStyle(TPenStyle value);
    // The mix the canvas sets when it selects the pen; not part of the handle.
    TPenMode Mode() const { return mode; }
    void SetMode(TPenMode value);

    HPEN Handle();
    // From another pen; other sources raise EConvertError.
    void Assign(TPersistent* Source) override;

private:
    void Drop_Handle();

    TColor color = clBlack;
    int width = 1;
    TPenStyle style = psSolid;
    TPenMode mode = pmCopy;
    HPEN handle = nullptr;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    ~TBrush() override;

    TColor Color() const { return color; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return style; }
    void SetStyle(TBrushStyle value);
    // A pattern bitmap (not owned; the caller keeps it alive while the brush
    // uses it); while set, the brush paints the pattern.
    TBitmap* Bitmap() const { return bitmap; }
    void SetBitmap(TBitmap* value);

    HBRUSH Handle();
    // From another brush; other sources raise EConvertError.
    void Assign(TPersistent* Source) override;

private:
    void Drop_Handle();

    TColor color = clWhite;
    TBrushStyle style = bsSolid;
    TBitmap* bitmap = nullptr;
    HBRUSH handle = nullptr;
};

#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/classlib/Graphics_Canvas.h"
