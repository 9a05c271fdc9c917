#pragma once
// GDI text: logical fonts mapped onto Qt's font engine, text output into a
// device context (TextOutA, ExtTextOutA, DrawTextA) and the text metrics and
// extents callers lay text out with. Strings are UTF-8; counts are in bytes,
// -1 meaning "up to the terminating zero" where GDI allows it.
//
// Fonts: the face names the system asks for are mapped to the installed
// metric-compatible families (Arial, MS Sans Serif, Tahoma -> Liberation
// Sans; Times New Roman -> Liberation Serif; Courier New -> Liberation Mono;
// Verdana -> DejaVu Sans). A negative lfHeight is the character (em) height
// in pixels, a positive one the cell height (ascent + descent), 0 a default.
// Characters advance by whole pixels, without kerning, as GDI places them, so
// measured and drawn widths always agree.

#include "platform/winapi/Gdi.h"

// ---- Font constants ----------------------------------------------------

constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_THIN = 100;
constexpr LONG FW_LIGHT = 300;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_MEDIUM = 500;
constexpr LONG FW_SEMIBOLD = 600;
constexpr LONG FW_BOLD = 700;
constexpr LONG FW_HEAVY = 900;

constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SYMBOL_CHARSET = 2;
constexpr BYTE OEM_CHARSET = 255;

constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE OUT_TT_PRECIS = 4;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE NONANTIALIASED_QUALITY = 3;
constexpr BYTE ANTIALIASED_QUALITY = 4;

constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_DONTCARE = 0x00;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;

// TEXTMETRICA::tmPitchAndFamily bits (TMPF_FIXED_PITCH set means variable pitch).
constexpr BYTE TMPF_FIXED_PITCH = 0x01;
constexpr BYTE TMPF_VECTOR = 0x02;
constexpr BYTE TMPF_TRUETYPE = 0x04;

struct TEXTMETRICA {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 0;
    LONG tmDigitizedAspectY = 0;
    BYTE tmFirstChar = 0;
    BYTE tmLastChar = 0;
    BYTE tmDefaultChar = 0;
    BYTE tmBreakChar = 0;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};
using TEXTMETRIC = TEXTMETRICA;

// ---- Text alignment (SetTextAlign) -------------------------------------

constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;
constexpr UINT TA_RTLREADING = 256;

// ---- ExtTextOut options ------------------------------------------------

constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

// ---- DrawText formats --------------------------------------------------

constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_EXTERNALLEADING = 0x00000200;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_EDITCONTROL = 0x00002000;
constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_RTLREADING = 0x00020000;

struct DRAWTEXTPARAMS {
    UINT cbSize = sizeof(DRAWTEXTPARAMS);
    int iTabLength = 0; // in average character widths; 0 keeps the default of 8
    int iLeftMargin = 0;
    int iRightMargin = 0;
    UINT uiLengthDrawn = 0;
};

// ---- Calls -------------------------------------------------------------

HFONT CreateFontIndirectA(const LOGFONTA* font);
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strike_out, DWORD char_set, DWORD out_precision,
                  DWORD clip_precision, DWORD quality, DWORD pitch_and_family, LPCSTR face_name);
inline HFONT CreateFontIndirect(const LOGFONTA* font) { return CreateFontIndirectA(font); }

UINT SetTextAlign(HDC dc, UINT align); // answers the previous alignment, GDI_ERROR on a bad DC
UINT GetTextAlign(HDC dc);

// x, y is the reference point of the DC's text alignment (or the current
// position with TA_UPDATECP). In OPAQUE background mode the text cell is
// filled with the background colour first.
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count);
// ETO_OPAQUE fills rect with the background colour, ETO_CLIPPED clips to it;
// dx, when given, holds each character's advance (in bytes' order).
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const INT* dx);
// Answers the height of the text, or with DT_VCENTER / DT_BOTTOM the offset
// from rect->top to the bottom of the drawn text; 0 on failure.
int DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format);
int DrawTextExA(HDC dc, LPSTR text, int count, LPRECT rect, UINT format, DRAWTEXTPARAMS* params);
inline int DrawText(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format)
{
    return DrawTextA(dc, text, count, rect, format);
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size);
BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics);
// Widths of the characters first .. last (Latin-1 codes), without character extra.
BOOL GetCharWidth32A(HDC dc, UINT first, UINT last, INT* widths);
BOOL GetCharWidthA(HDC dc, UINT first, UINT last, INT* widths);
