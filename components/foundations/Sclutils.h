#pragma once
// The drawing routines every library control shares: 3D frames and borders,
// button faces, bitmaps drawn with placement modes and transparency, masks,
// disabled and grey-scale bitmaps, pattern and texture fills, colour
// gradients; text measured and drawn with the 3D effects of a caption
// object, glyph-and-text layout, rectangle alignment, string conversions,
// and window placement helpers.
//
// The routines keep no state. They change the canvas's pen and brush as
// they go; the copy mode and the DC's text and background colours are put
// back where a routine changes them for a pass of its own.
//
// The implementation is split by theme: Sclutils.cpp (frames and faces),
// Sclutils_Bitmaps.cpp, Sclutils_Gradients.cpp, Sclutils_Text.cpp (text and
// glyph layout), Sclutils_Convert.cpp (alignment and strings) and
// Sclutils_Windows.cpp (windows and forms).

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "components/foundations/Scl3dcaption.h"
#include "components/foundations/Sclfxcaption.h"
#include "components/foundations/Sclglyphtextlayout.h"
#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclprocs.h"
#include "platform/classlib/Classes.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Graphics.h"

// ---- Frames ----------------------------------------------------------------

// A bevel (bvLowered, bvRaised, bvNormal) or etched (bvFrameLowered,
// bvFrameRaised) frame of Width pixels; Rect shrinks to the inside. False,
// with nothing drawn, for Width 0, bvNone and bvShadow.
bool SCLDrawFrame3D(TCanvas* Canvas, RECT& Rect, TSCLBevelStyle Style, TColor LightColor, TColor ShadowColor,
                    int Width);
// A system 3D edge of the style; Flags are extra BF_ bits. Rect shrinks by
// the drawn width, which SCLDrawStdFrameExt answers.
bool SCLDrawStdFrame(TCanvas* Canvas, RECT& Rect, TSCLBorderStyle Style, WORD Flags);
int SCLDrawStdFrameExt(TSCLBorderStyle Style);
// A drop shadow of Depth pixels at the right and bottom, the corner gaps in
// BackColor unless Transparent, then Width one-pixel frames in FrameColor;
// Rect becomes the inside of the frames. Flags are not used.
bool SCLDrawFrameShadow(TCanvas* Canvas, RECT& Rect, TColor FrameColor, TColor ShadowColor, TColor BackColor,
                        BYTE Depth, BYTE Width, bool Transparent, WORD Flags);
// One-pixel border: left and top in the first colour, right and bottom in
// the second.
void SCLDrawBorder(TCanvas* Canvas, const RECT& Rect, TColor TopLeftColor, TColor BottomRightColor);
int SCLGetCtrlBorderWidth(bool Ctl3D, TFormBorderStyle BorderStyle);
// A filled arrow triangle with its top-left at (X, Y), for 2 <= Size < 16;
// disabled, it is embossed in grey text over a highlight copy.
void SCLDrawTriangle(TCanvas* Canvas, int X, int Y, int Size, TColor Color, bool Down, bool Enabled);

// Button face flags.
constexpr WORD SCLBF_CORNERS = 0x01;   // Win31: corner pixels in button face
constexpr WORD SCLBF_FOCUSED = 0x02;   // focus rectangle (and default-button edge)
constexpr WORD SCLBF_NEWSTYLE = 0x04;  // Win40 with 3D edges, else plain
constexpr WORD SCLBF_SUNKEN = 0x08;    // Win40 pressed: a sunken edge
constexpr WORD SCLBF_MIDDLE = 0x10;    // default-button edge fills its middle
constexpr WORD SCLBF_DEFAULT = 0x20;   // default button
// The face of a push button of a style in a state, filled with Color (a
// dither of it when latched unless SolidLatched on a flat style). Rect
// becomes the content area, shifted by (1, 1) when pressed.
bool SCLDrawBtnFace(TCanvas* Canvas, bool SolidLatched, RECT& Rect, TSCLUserButtonStyle Style,
                    TSCLButtonState State, WORD Flags, TColor Color);
bool SCLDrawBtnIsFlat(TSCLUserButtonStyle Style);

// ---- Bitmaps ---------------------------------------------------------------

// Bitmap drawing modes; callers combine them.
constexpr WORD SCLBD_CLIP = 0x0001;         // clip to Dest (moved by the Offset of the clip routines)
constexpr WORD SCLBD_CENTER = 0x0008;       // centred, overhanging a smaller Dest
constexpr WORD SCLBD_STRETCH = 0x0010;      // over all of Dest (COLORONCOLOR)
constexpr WORD SCLBD_KEEPHEIGHT = 0x0200;   // stretched: Dest's height, width in proportion
constexpr WORD SCLBD_KEEPWIDTH = 0x0400;    // stretched: Dest's width, height in proportion
constexpr WORD SCLBD_KEEPASPECT = 0x0600;   // stretched: the largest proportional fit
constexpr WORD SCLBD_TILE = 0x0020;         // tiles from Dest's top-left, overhanging it
constexpr WORD SCLBD_TRANSPARENT = 0x0040;  // pixels of TransparentColor left out
constexpr WORD SCLBD_BRUSHCOPY = 0x0080;    // the bitmap's own transparent colour painted in TransparentColor
constexpr WORD SCLBD_MASK = 0x0100;         // transparent through a mask the caller gives
constexpr WORD SCLBD_PALETTE = 0x1000;      // the bitmap's palette selected and realised first

// Draws all of Bitmap into Dest by Mode; Painted receives the rectangle
// drawn (Dest for tiles).
void SCLBmpDraw(TCanvas* Canvas, const RECT& Dest, TBitmap* Bitmap, WORD Mode, TColor TransparentColor,
                RECT& Painted);
// The engine: Src of SrcCanvas into Dest. MaskOrBitmap is the bitmap
// object for SCLBD_BRUSHCOPY, and the mask (a bitmap or a canvas, white
// where transparent) for SCLBD_MASK.
void SCLBmpDrawExt(TCanvas* Canvas, const RECT& Dest, TCanvas* SrcCanvas, const RECT& Src, WORD Mode,
                   TColor TransparentColor, HPALETTE Palette, TPersistent* MaskOrBitmap, RECT& Painted);
// As SCLBmpDraw, clipped with SCLBD_CLIP to Dest moved by (low 16 bits,
// high 16 bits) of Offset; the caller's clip is put back afterwards.
void SCLBmpClipDraw(TCanvas* Canvas, const RECT& Dest, TBitmap* Bitmap, WORD Mode, int Offset,
                    TColor TransparentColor);
void SCLBmpClipDrawExt(TCanvas* Canvas, const RECT& Dest, TCanvas* SrcCanvas, const RECT& Src, WORD Mode,
                       int Offset, TColor TransparentColor);
void SCLBmpStretchDraw(TCanvas* Canvas, const RECT& Dest, TBitmap* Bitmap);
// Bitmap sized to Rect and filled with Color.
void SCLBmpCreateFromRect(TBitmap* Bitmap, const RECT& Rect, TColor Color);
void SCLCopyBmpSize(TBitmap* Source, TBitmap* Target);
// Mask: monochrome, white where the source has TransparentColor. Image:
// the source with those pixels black, ready for the AND / OR passes.
// Mask may be Source itself.
void SCLBmpCreateMasks(TBitmap* Source, TBitmap* Mask, TBitmap* Image, TColor TransparentColor);
void SCLBmpCreateMasksExt(TCanvas* SrcCanvas, const RECT& Src, TBitmap* Mask, TBitmap* Image,
                          TColor TransparentColor);
// Bitmap laid transparently over Back, then Back drawn transparently (with
// BackTransparentColor) into Dest. Bitmap is left as its own mask.
void SCLMaskBmpDraw(TCanvas* Canvas, const RECT& Dest, TBitmap* Bitmap, TBitmap* Back, TColor TransparentColor,
                    TColor BackTransparentColor);
// Source embossed as disabled into Target at (X, Y), on Source's
// transparent colour; an empty Target takes Source's size.
void SCLBmpDrawDisabledState(TBitmap* Target, TBitmap* Source, int X, int Y);
// A four-level grey copy (black, shadow, light, white); pixels of the
// colour of Source's top-left pixel stay as they are.
void SCLBmpCreateGrayscale(TBitmap* Target, TBitmap* Source);
// Rect of DC ANDed with Bitmap as a pattern.
void SCLFillPattern(HDC DC, const RECT& Rect, TBitmap* Bitmap);
// Rect tiled with Bitmap, the texture's Origin at Rect's top-left.
void SCLFillTexture(HDC DC, const RECT& Rect, TBitmap* Bitmap, const POINT& Origin);
void SCLIcon2Bitmap(TBitmap* Bitmap, TIcon* Icon, TColor BackColor);
void SCLBmpFromDesktop(TBitmap* Bitmap, const RECT& Rect);

// ---- Gradients -------------------------------------------------------------

using TSCLColorList = std::vector<TColor>;

// Gradient flags.
constexpr WORD SCLGD_CLIP = 0x0001;      // clip to the rectangle (moved by Offset)
constexpr WORD SCLGD_OFFSCREEN = 0x0004; // painted through an off-screen bitmap
constexpr WORD SCLGD_PALETTE = 0x1000;   // through a palette of the colours

// Position of Count steps from Color1 to Color2, each channel rounded to
// nearest (halves to even); system colours are taken as their RGB values.
TColor SCLGradientGetColor(TColor Color1, TColor Color2, int Position, int Count);
// Count steps from Color1 to Color2 (RGB). First: List is cleared and gets
// all steps; otherwise the steps after the first are appended, so that
// consecutive pairs chain without repeating their shared colour.
void SCLGradientCreateColorList(TColor Color1, TColor Color2, BYTE Count, TSCLColorList* List, bool First);
// A palette of the list's colours; nullptr for no colours. The caller
// deletes it.
HPALETTE SCLGradientCreatePalette(const TSCLColorList* List);
void SCLGradientPaint(TCanvas* Canvas, const RECT& Rect, TColor Color1, TColor Color2, BYTE ColorCount,
                      TSCLGradientStyle Style, WORD Flags, int Offset);
// One filled shape per colour: colour 0 at the left, top, centre or corner,
// the last colour at the far side.
void SCLGradientPaintExt(TCanvas* Canvas, const RECT& Rect, TSCLGradientStyle Style, const TSCLColorList* Colors,
                         HPALETTE Palette, WORD Flags, int Offset);
// Chains the pairs of Colors, ColorCount steps shared among them.
void SCLSuperGradientPaint(TCanvas* Canvas, const RECT& Rect, std::span<const TColor> Colors, BYTE ColorCount,
                           TSCLGradientStyle Style, WORD Flags, int Offset);

// ---- Text ------------------------------------------------------------------

// Source's size placed in Target by the alignment's column and row.
RECT SCLAlignRect(TSCLAlignment Alignment, const RECT& Source, const RECT& Target);
// Measures Text as drawn with the caption's effect: Rect's right and bottom
// receive the extent, plus (Border + 1) * 2. A rotated effect caption gets
// the position of its rotated text in PosX and PosY.
void SCLDrawTextCalc(const std::string& Text, TSCL3DCaption* Caption3D, RECT& Rect, TFont* Font, bool MultiLine,
                     bool ShowAccelChar, int Border, int Flags);
void SCLDrawTextCalcExt(TCanvas* Canvas, const std::string& Text, TSCL3DCaption* Caption3D, RECT& Rect,
                        TFont* Font, bool MultiLine, bool ShowAccelChar, int Border, int Flags);
// The measured text block placed in Target by Alignment.
RECT SCLAlignTextRect(TSCLAlignment Alignment, const std::string& Text, TSCL3DCaption* Caption3D,
                      const RECT& Target, TFont* Font, bool MultiLine, bool ShowAccelChar, int Flags);
int SCLGet3DTextWidth(const std::string& Text, TSCL3DCaption* Caption3D, TFont* Font);
int SCLGet3DTextHeight(TSCL3DCaption* Caption3D, TFont* Font);
int SCLGetFontHeight(TFont* Font);
bool SCLIsTrueTypeFont(TFont* Font);
bool SCLIsTrueTypeFontCheck(TCanvas* Canvas);

// Text in the canvas font with the caption's effect; DrawText flags in
// Flags. ClipRect (or Rect) clips with dtClip.
void SCLDrawText(TCanvas* Canvas, const std::string& Text, TSCL3DCaption* Caption3D, const RECT& Rect, WORD Flags);
void SCLDrawTextExt(TCanvas* Canvas, const std::string& Text, TSCL3DCaption* Caption3D, const RECT& Rect,
                    int Flags, TSCLDrawTextStyles Styles, const RECT* ClipRect = nullptr);

// The rectangles of a glyph-and-text block.
struct TSCLGlyphTextRects {
    RECT Union{};
    RECT Text{};
    RECT Glyph{};
    RECT Unused{};
};

// Lays out (and unless dtCalculate draws) a glyph beside a text in Dest,
// as Layout says; a drop-down arrow only for a TSCLButtonLayout whose Arrow
// is set. The glyph is GlyphRect of GlyphCanvas (none when either is missing or
// empty), transparent by MaskCanvas or else TransparentColor. GlyphRect
// receives the focus rectangle.
TSCLGlyphTextRects SCLDrawTextAndGlyphExt(TCanvas* Canvas, const std::string& Text, TSCL3DCaption* Caption3D,
                                          const RECT& Dest, TCanvas* GlyphCanvas, RECT& GlyphRect,
                                          TCanvas* MaskCanvas, TColor TransparentColor,
                                          const TSCLGlyphTextLayout& Layout, bool MultiLine,
                                          bool ShowAccelChar, bool Transparent, TSCLDrawTextStyles Styles,
                                          int Flags);
TSCLGlyphTextRects SCLDrawTextAndGlyph(TCanvas* Canvas, const std::string& Text, TSCL3DCaption* Caption3D,
                                       const RECT& Dest, TBitmap* Glyph, TBitmap* Mask,
                                       const TSCLGlyphTextLayout& Layout, bool MultiLine, bool ShowAccelChar,
                                       bool Transparent, TSCLDrawTextStyles Styles, int Flags);

// ---- Conversions -----------------------------------------------------------

// The separator of every conversion below, initially ','.
char SCLListSeparator();
void SCLSetListSeparator(char Separator);

std::string SCLRectToString(const RECT& Rect);
// Four fields, else (0, 0, 0, 0).
RECT SCLStringToRect(const std::string& S);
// "[X,Y]".
std::string SCLPointToString(const POINT& P);
// With or without the brackets; (0, 0) without a separator.
POINT SCLStringToPoint(const std::string& S);
// Name, size, colour name, then 1 or 0 for bold, italic, underline, strike-out.
std::string SCLFontToString(TFont* Font);
// Only a seven-field text changes Font; a style flag that is not a number
// raises EConvertError.
void SCLStringToFont(const std::string& S, TFont* Font);
// The pieces between separators, empty ones included; a trailing separator
// adds no empty last piece.
void SCLParseToStrList(const std::string& S, char Separator, TStrings* List);
// The divisors of N in ascending order; none below 2.
void SCLGetDivider(TStrings* List, int N);

// ---- Windows and forms -------------------------------------------------------

// What a dialog is placed relative to, and where in it.
enum TSCLDlgPosRel { brScreen, brScreenWorkArea, brMainForm, brActiveWindow };
enum TSCLDlgPosition {
    bpCustom, bpTopLeft, bpTopCenter, bpTopRight, bpCenterLeft, bpCenter, bpCenterRight, bpBottomLeft,
    bpBottomCenter, bpBottomRight
};

// Parent is Control itself or one of its parents.
bool SCLIsChild(TControl* Control, TControl* Parent);
// Child centred on Parent, kept on the screen; with Show, its modal result.
int SCLCenterChild(TCustomForm* Parent, TCustomForm* Child, bool Show);
void SCLCenterForm(TCustomForm* Form);
// Child centred on Parent's window rectangle, kept left of the screen's
// right edge, above its bottom and not above its top.
void SCLCenterChildWindow(HWND Parent, HWND Child, bool Unused);
// Centred on the screen (a third from the top with Upper), kept on it.
void SCLCenterWindow(HWND Wnd, bool Upper);
RECT SCLDlgGetTargetRect(TSCLDlgPosRel Relation);
void SCLPositionWindow(HWND Wnd, const RECT& Target, TSCLDlgPosition Position, bool Unused);

// Makes a form of the class, shows it modally, frees it.
template <class Form>
TModalResult SCLShowModal(TComponent* Owner)
{
    auto form = std::make_unique<Form>(Owner);
    return form->ShowModal();
}

// Processes the application's messages for Milliseconds, or until it
// terminates.
void SCLWait(DWORD Milliseconds);

// Only when another instance ran first (PrevInstance): clears this
// application window's text, then asks the instance that holds the
// application title's instance lock to restore itself and come to the
// front. Nothing happens when no such instance answers.
void SCLActivatePrevInstance();

// Prune the window menu of the form's window (a full menu) or of the
// application's window (a short menu) to Entries; nothing for a nil form.
// On Linux the window manager owns that menu, so neither changes anything.
void SCLCheckFormSysMenu(TCustomForm* Form, TSCLSysMenuEntries Entries);
void SCLCheckApplicationSysMenu(TSCLSysMenuEntries Entries);

// The opening animation: XOR focus rectangles on the screen growing from
// (X, Y) (the cursor when X < 0) to the form's window, drawn once and then
// once more to erase them.
void SCLExplodeForm(TCustomForm* Form);
void SCLExplodeFormExt(TCustomForm* Form, int X, int Y, int Delay, int Steps);
// In two stages from a StartWidth x StartHeight rectangle: half way to the
// window (shown only with Trace), then growing to the window.
void SCLExplodeForm2(TCustomForm* Form);
void SCLExplodeFormExt2(TCustomForm* Form, int X, int Y, bool Trace, int Delay, int StartHeight, int StartWidth,
                        int Steps);

// ---- Custom colours -------------------------------------------------------
// Lists of "name=value" lines kept in a section of an ini file or of a
// registry-ini object (any other object does nothing). Loading replaces the
// list with the section's lines; saving writes every line that holds "=",
// the name before the first "=", and leaves the section's other idents.

void SCLLoadCustomColorFromIniFile(const std::string& FileName, const std::string& Section, TStrings* List);
void SCLSaveCustomColorToIniFile(const std::string& FileName, const std::string& Section, TStrings* List);
void SCLLoadCustomColorList(TObject* IniObject, const std::string& Section, TStrings* List);
void SCLSaveCustomColorList(TObject* IniObject, const std::string& Section, TStrings* List);
// The same in the section "Couleurs personnalisées" of the environment's own
// ini file, SCLCustomColorIniName (Custom_Colors.ini in the settings folder).
// A settings folder that is not the user's own is neither read nor written
// (saving raises EFCreateError).
std::string SCLCustomColorIniName();
void SCLLoadCustomColors(TStrings* List);
void SCLSaveCustomColors(TStrings* List);
