#pragma once
// The drawing enumerations that the drawing utilities and every library
// control share, with the names form resources store them by; the
// library's own control messages; and the focus-style conversion.
//
// Each enumeration's ordinal is its position. TSCLEnumInfo<E> gives its type
// name and its value names by ordinal, through which the form reader turns
// "bvLowered" into a value and back.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "platform/classlib/Classes.h"
#include "platform/winapi/WinTypes.h"

template <typename E>
struct TSCLEnumInfo;

enum TSCLAlignment {
    agTopLeft, agTopCenter, agTopRight, agCenterLeft, agCenter, agCenterRight, agBottomLeft, agBottomCenter,
    agBottomRight
};
template <>
struct TSCLEnumInfo<TSCLAlignment> {
    static constexpr const char* TypeName = "TSCLAlignment";
    static constexpr std::array<const char*, 9> Names{
        "agTopLeft", "agTopCenter", "agTopRight", "agCenterLeft", "agCenter", "agCenterRight", "agBottomLeft",
        "agBottomCenter", "agBottomRight"
    };
};

enum TSCLArrowPosition { apRightText, apLeftText, apRightGlyph, apLeftGlyph };
template <>
struct TSCLEnumInfo<TSCLArrowPosition> {
    static constexpr const char* TypeName = "TSCLArrowPosition";
    static constexpr std::array<const char*, 4> Names{"apRightText", "apLeftText", "apRightGlyph", "apLeftGlyph"};
};

enum TSCLBevelMode { bmCustom, bmStandard, bmEdge, bmWindows };
template <>
struct TSCLEnumInfo<TSCLBevelMode> {
    static constexpr const char* TypeName = "TSCLBevelMode";
    static constexpr std::array<const char*, 4> Names{"bmCustom", "bmStandard", "bmEdge", "bmWindows"};
};

enum TSCLBevelStyle { bvNone, bvLowered, bvRaised, bvFrameLowered, bvFrameRaised, bvNormal, bvShadow };
template <>
struct TSCLEnumInfo<TSCLBevelStyle> {
    static constexpr const char* TypeName = "TSCLBevelStyle";
    static constexpr std::array<const char*, 7> Names{
        "bvNone", "bvLowered", "bvRaised", "bvFrameLowered", "bvFrameRaised", "bvNormal", "bvShadow"
    };
};

enum TSCLBitmapStyle { sbNone, sbAutosize, sbCenter, sbStretch, sbTile, sbKeepAspRatio, sbKeepWidth, sbKeepHeight };
template <>
struct TSCLEnumInfo<TSCLBitmapStyle> {
    static constexpr const char* TypeName = "TSCLBitmapStyle";
    static constexpr std::array<const char*, 8> Names{
        "sbNone", "sbAutosize", "sbCenter", "sbStretch", "sbTile", "sbKeepAspRatio", "sbKeepWidth", "sbKeepHeight"
    };
};

enum TSCLBorderStyle {
    lsNone, lsSingle, lsLowered, lsRaised, lsRaisedspb, lsLoweredspb, lsRaisedExt, lsLoweredExt, lsFrameInset,
    lsFrameOffset, lsWindowBorder, lsSingleRaised, lsSingleLowered, lsDoubleRaised, lsDoubleLowered
};
template <>
struct TSCLEnumInfo<TSCLBorderStyle> {
    static constexpr const char* TypeName = "TSCLBorderStyle";
    static constexpr std::array<const char*, 15> Names{
        "lsNone", "lsSingle", "lsLowered", "lsRaised", "lsRaisedspb", "lsLoweredspb", "lsRaisedExt", "lsLoweredExt",
        "lsFrameInset", "lsFrameOffset", "lsWindowBorder", "lsSingleRaised", "lsSingleLowered", "lsDoubleRaised",
        "lsDoubleLowered"
    };
};

enum TSCLButtonState {
    bsUp, bsDisabledUp, bsMouseOver, bsOptionSet, bsDown, bsDragOver, bsDropDownOpen, bsDisabledDown
};
template <>
struct TSCLEnumInfo<TSCLButtonState> {
    static constexpr const char* TypeName = "TSCLButtonState";
    static constexpr std::array<const char*, 8> Names{
        "bsUp", "bsDisabledUp", "bsMouseOver", "bsOptionSet", "bsDown", "bsDragOver", "bsDropDownOpen",
        "bsDisabledDown"
    };
};

enum TSCLDirection { tdRight, tdDown, tdLeft, tdUp };
template <>
struct TSCLEnumInfo<TSCLDirection> {
    static constexpr const char* TypeName = "TSCLDirection";
    static constexpr std::array<const char*, 4> Names{"tdRight", "tdDown", "tdLeft", "tdUp"};
};

enum TSCLDisabledStyle { dsAuto, dsStandard, ds3d, dsNone };
template <>
struct TSCLEnumInfo<TSCLDisabledStyle> {
    static constexpr const char* TypeName = "TSCLDisabledStyle";
    static constexpr std::array<const char*, 4> Names{"dsAuto", "dsStandard", "ds3d", "dsNone"};
};

enum TSCLDrawTextStyle {
    dtDisabled, dtEnabled, dt3DDisabled, dtClip, dtAccelChar, dtAutoSize, dtRectText, dtRectGlyph, dtRectGlyphText,
    dtCalculate
};
template <>
struct TSCLEnumInfo<TSCLDrawTextStyle> {
    static constexpr const char* TypeName = "TSCLDrawTextStyle";
    static constexpr std::array<const char*, 10> Names{
        "dtDisabled", "dtEnabled", "dt3DDisabled", "dtClip", "dtAccelChar", "dtAutoSize", "dtRectText",
        "dtRectGlyph", "dtRectGlyphText", "dtCalculate"
    };
};

enum TSCLEdgeStyle {
    etRaisedInner, etRaisedOuter, etSunkenInner, etSunkenOuter, etBump, etEtched, etRaised, etSunken
};
template <>
struct TSCLEnumInfo<TSCLEdgeStyle> {
    static constexpr const char* TypeName = "TSCLEdgeStyle";
    static constexpr std::array<const char*, 8> Names{
        "etRaisedInner", "etRaisedOuter", "etSunkenInner", "etSunkenOuter", "etBump", "etEtched", "etRaised",
        "etSunken"
    };
};

enum TSCLFillStyle { sfNone, sfBrushBitmap, sfBrush, sfBitmap, sfBitmapList, sfGradient };
template <>
struct TSCLEnumInfo<TSCLFillStyle> {
    static constexpr const char* TypeName = "TSCLFillStyle";
    static constexpr std::array<const char*, 6> Names{
        "sfNone", "sfBrushBitmap", "sfBrush", "sfBitmap", "sfBitmapList", "sfGradient"
    };
};

enum TSCLFrameSide { fsBottom, fsLeft, fsRight, fsTop };
template <>
struct TSCLEnumInfo<TSCLFrameSide> {
    static constexpr const char* TypeName = "TSCLFrameSide";
    static constexpr std::array<const char*, 4> Names{"fsBottom", "fsLeft", "fsRight", "fsTop"};
};

enum TSCLGlyphTextFocusStyle { fcControl, fcText, fcGlyph, fcGlyphText, fcNone };
template <>
struct TSCLEnumInfo<TSCLGlyphTextFocusStyle> {
    static constexpr const char* TypeName = "TSCLGlyphTextFocusStyle";
    static constexpr std::array<const char*, 5> Names{"fcControl", "fcText", "fcGlyph", "fcGlyphText", "fcNone"};
};

enum TSCLGradientStyle {
    gstHorizontal, gstVertical, gstSquare, gstElliptic, gstTopLeft, gstTopRight, gstBottomLeft, gstBottomRight,
    gstTopLeftDiagonal, gstTopRightDiagonal
};
template <>
struct TSCLEnumInfo<TSCLGradientStyle> {
    static constexpr const char* TypeName = "TSCLGradientStyle";
    static constexpr std::array<const char*, 10> Names{
        "gstHorizontal", "gstVertical", "gstSquare", "gstElliptic", "gstTopLeft", "gstTopRight", "gstBottomLeft",
        "gstBottomRight", "gstTopLeftDiagonal", "gstTopRightDiagonal"
    };
};

enum TSCLMeterDirection { mdHorizontal, mdVertical, mdHorizontalReverse, mdVerticalReverse };
template <>
struct TSCLEnumInfo<TSCLMeterDirection> {
    static constexpr const char* TypeName = "TSCLMeterDirection";
    static constexpr std::array<const char*, 4> Names{
        "mdHorizontal", "mdVertical", "mdHorizontalReverse", "mdVerticalReverse"
    };
};

enum TSCLMeterTextOptions { toNoText, toCaption, toPercent };
template <>
struct TSCLEnumInfo<TSCLMeterTextOptions> {
    static constexpr const char* TypeName = "TSCLMeterTextOptions";
    static constexpr std::array<const char*, 3> Names{"toNoText", "toCaption", "toPercent"};
};

enum TSCLNormalButtonStyle { nbsAutoDetect, nbsWin31, nbsWin40 };
template <>
struct TSCLEnumInfo<TSCLNormalButtonStyle> {
    static constexpr const char* TypeName = "TSCLNormalButtonStyle";
    static constexpr std::array<const char*, 3> Names{"nbsAutoDetect", "nbsWin31", "nbsWin40"};
};

enum TSCLOrientation { toHorizontal, toVertical };
template <>
struct TSCLEnumInfo<TSCLOrientation> {
    static constexpr const char* TypeName = "TSCLOrientation";
    static constexpr std::array<const char*, 2> Names{"toHorizontal", "toVertical"};
};

enum TSCLShadowStyle { hssNone, hssSolid, hssTracing };
template <>
struct TSCLEnumInfo<TSCLShadowStyle> {
    static constexpr const char* TypeName = "TSCLShadowStyle";
    static constexpr std::array<const char*, 3> Names{"hssNone", "hssSolid", "hssTracing"};
};

enum TSCLTextArrange { taLeft, taLeftTop, taRight, taRightTop, taTop, taTopLeft, taBottom, taBottomLeft };
template <>
struct TSCLEnumInfo<TSCLTextArrange> {
    static constexpr const char* TypeName = "TSCLTextArrange";
    static constexpr std::array<const char*, 8> Names{
        "taLeft", "taLeftTop", "taRight", "taRightTop", "taTop", "taTopLeft", "taBottom", "taBottomLeft"
    };
};

enum TSCLThreeDOrientation { toBottomLeft, toBottomRight, toTopLeft, toTopRight };
template <>
struct TSCLEnumInfo<TSCLThreeDOrientation> {
    static constexpr const char* TypeName = "TSCLThreeDOrientation";
    static constexpr std::array<const char*, 4> Names{"toBottomLeft", "toBottomRight", "toTopLeft", "toTopRight"};
};

enum TSCLThreeDStyle {
    tdNone, tdSunken, tdRaised, tdSunkenShadow, tdRaisedShadow, tdPColorSunken, tdPColorRaised, tdShadow, tdOutline,
    tdExtrude, tdExtrudeEnh
};
template <>
struct TSCLEnumInfo<TSCLThreeDStyle> {
    static constexpr const char* TypeName = "TSCLThreeDStyle";
    static constexpr std::array<const char*, 11> Names{
        "tdNone", "tdSunken", "tdRaised", "tdSunkenShadow", "tdRaisedShadow", "tdPColorSunken", "tdPColorRaised",
        "tdShadow", "tdOutline", "tdExtrude", "tdExtrudeEnh"
    };
};

enum TSCLTileMode { tmNone, tmCenter, tmStretch, tmTile };
template <>
struct TSCLEnumInfo<TSCLTileMode> {
    static constexpr const char* TypeName = "TSCLTileMode";
    static constexpr std::array<const char*, 4> Names{"tmNone", "tmCenter", "tmStretch", "tmTile"};
};

enum TSCLTransparentMode { tpNone, tpRestoreBack, tpTransparentColor, tpRBTranspColor };
template <>
struct TSCLEnumInfo<TSCLTransparentMode> {
    static constexpr const char* TypeName = "TSCLTransparentMode";
    static constexpr std::array<const char*, 4> Names{
        "tpNone", "tpRestoreBack", "tpTransparentColor", "tpRBTranspColor"
    };
};

enum TSCLUserButtonStyle {
    ubsAutoDetect, ubsWin31, ubsWin40, ubsClassic, ubsClassicFlat, ubsFlat, ubsFlatUnColored, ubsNavigator,
    ubsExplorer, ubsExplorerColored, ubsIntegrated
};
template <>
struct TSCLEnumInfo<TSCLUserButtonStyle> {
    static constexpr const char* TypeName = "TSCLUserButtonStyle";
    static constexpr std::array<const char*, 11> Names{
        "ubsAutoDetect", "ubsWin31", "ubsWin40", "ubsClassic", "ubsClassicFlat", "ubsFlat", "ubsFlatUnColored",
        "ubsNavigator", "ubsExplorer", "ubsExplorerColored", "ubsIntegrated"
    };
};
using TSCLDrawTextStyles = TSet<TSCLDrawTextStyle>;
using TSCLFrameSides = TSet<TSCLFrameSide>;

// ---- Names ---------------------------------------------------------------

// One enumeration's value names, indexed by ordinal.
struct TSCLEnumTable {
    std::string_view TypeName;
    std::span<const char* const> Names;
};

template <typename E>
constexpr TSCLEnumTable SCLEnumTable()
{
    return {TSCLEnumInfo<E>::TypeName, TSCLEnumInfo<E>::Names};
}

// The table of an enumeration by its type name ("TSCLBevelStyle"), or nullptr.
const TSCLEnumTable* SCLFindEnumTable(std::string_view TypeName);
// The ordinal of a value name, compared without regard to case as the form
// reader compares identifiers; -1 for a name the enumeration lacks.
int SCLEnumOrdinal(const TSCLEnumTable& Table, std::string_view Name);

// The name of a value; empty for an ordinal outside the enumeration.
template <typename E>
std::string SCLEnumName(E Value)
{
    const auto ordinal = static_cast<std::size_t>(Value);
    return ordinal < TSCLEnumInfo<E>::Names.size() ? TSCLEnumInfo<E>::Names[ordinal] : "";
}

// The value of a name; false (Value unchanged) for an unknown name.
template <typename E>
bool SCLEnumValue(std::string_view Name, E& Value)
{
    const int ordinal = SCLEnumOrdinal(SCLEnumTable<E>(), Name);
    if (ordinal < 0)
        return false;
    Value = static_cast<E>(ordinal);
    return true;
}

// ---- Library control messages --------------------------------------------

// Sent to a control by itself when its transparency changed.
constexpr UINT CM_SCLTRANSPARENTCHANGED = 0xB0CD;
// The parent's background changed; passed on to the children.
constexpr UINT CM_SCLPARENTBACKCHANGED = 0xB0CE;
// Posted by a control to itself after it gained or lost the focus.
constexpr UINT CM_SCLFOCUSGAINED = 0xB0CF;
constexpr UINT CM_SCLFOCUSLOST = 0xB0D0;
// The control's bevel changed.
constexpr UINT CM_SCLBEVELCHANGED = 0xB0D1;
// The parent's caption look (its font or caption effect) changed; passed to
// the children.
constexpr UINT CM_SCLCAPTIONCHANGED = 0xB0D2;
// A scroll-box parent scrolled.
constexpr UINT CM_SCLSCROLLBOXSCROLLED = 0xB0D4;
// A grouped button was pressed: broadcast to its parent's controls with the
// group index in wParam and the button in lParam.
constexpr UINT CM_SCLBUTTONPRESSED = 0xB018;

// ---- Focus style ---------------------------------------------------------

// Which rectangle the text-and-glyph drawing reports as the focus
// rectangle: fcText [dtRectText], fcGlyph [dtRectGlyph], fcGlyphText
// [dtRectGlyphText], fcControl and fcNone none.
TSCLDrawTextStyles SCLConvertFocusStyle(TSCLGlyphTextFocusStyle Style);
