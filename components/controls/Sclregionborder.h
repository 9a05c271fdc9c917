#pragma once
// The border painted along a window outline: its settings object and the
// frame functions that outline each shape on a canvas. Every frame function
// draws with the canvas pen as it is set (width, mode), in the colours and
// the style given:
//  - the lowered styles exchange the light and the shadow colour first;
//  - rbLowered, rbRaised: the upper-left part of the outline in the light
//    colour, the lower-right part in the shadow colour;
//  - rbSingle: the whole outline in the single colour;
//  - rbSingleRaised, rbSingleLowered: the whole outline in the single
//    colour, and inside it the 3D outline;
//  - rbRaisedpsb, rbLoweredpsb: the single and the shadow colour exchanged,
//    the 3D outline, and inside it the lower-right part in the single colour.
// The light colour gives way to the shadow colour at the upper-right and the
// lower-left extremes of a shape; a star alternates them edge by edge.

#include <array>
#include <span>

#include "components/controls/Sclrgnshapes.h"
#include "components/foundations/Sclobject.h"
#include "platform/classlib/Graphics.h"

enum TSCLRegionBorderStyle : BYTE {
    rbNone, rbLowered, rbRaised, rbSingle, rbSingleRaised, rbSingleLowered, rbRaisedpsb, rbLoweredpsb
};
template <>
struct TSCLEnumInfo<TSCLRegionBorderStyle> {
    static constexpr const char* TypeName = "TSCLRegionBorderStyle";
    static constexpr std::array<const char*, 8> Names{"rbNone",         "rbLowered",       "rbRaised",
                                                      "rbSingle",       "rbSingleRaised",  "rbSingleLowered",
                                                      "rbRaisedpsb",    "rbLoweredpsb"};
};

class TSCLRegionBorder : public TSCLObject {
public:
    TSCLRegionBorder() = default;

    TSCLRegionBorderStyle Style() const { return style; }
    TColor LightColor() const { return light_color; }
    TColor ShadowColor() const { return shadow_color; }
    TColor SingleColor() const { return single_color; }

    void SetBorderStyle(TSCLRegionBorderStyle Value) { Store(style, Value); }
    // 0 LightColor, 1 ShadowColor, 2 SingleColor; other indexes change nothing.
    void SetColor(int Index, TColor Value);
    void SetLightColor(TColor Value) { SetColor(0, Value); }
    void SetShadowColor(TColor Value) { SetColor(1, Value); }
    void SetSingleColor(TColor Value) { SetColor(2, Value); }

    // From another border: the four values, one notification; other
    // sources go to the inherited assignment.
    void Assign(TPersistent* Source) override;

private:
    TSCLRegionBorderStyle style = rbSingle;
    TColor light_color = clBtnHighlight;
    TColor shadow_color = clBtnShadow;
    TColor single_color = clBlack;
};

void SCLFrameRectRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                     TSCLRegionBorderStyle Style);
void SCLFrameRoundRectRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                          TSCLRegionBorderStyle Style, int RoundX, int RoundY);
void SCLFrameEllipticRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                         TSCLRegionBorderStyle Style);
void SCLFrameHalfRoundRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                          TSCLRegionBorderStyle Style);
void SCLFrameDiamondRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                        TSCLRegionBorderStyle Style);
void SCLFrameStarRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                     TSCLRegionBorderStyle Style);
void SCLFrameOctagonRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                        TSCLRegionBorderStyle Style);
void SCLFrameCombRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                     TSCLRegionBorderStyle Style);
void SCLFrameRoundShieldRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                            TSCLRegionBorderStyle Style);
void SCLFrameSharpShieldRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                            TSCLRegionBorderStyle Style);
// Each bubble outlined, then the body outlined around the bubbles.
void SCLFrameThinkBubbleRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                            TSCLRegionBorderStyle Style, int Size, int Count, TSCLExtPos ExtPos);
void SCLFrameEllipticThinkBubbleRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                                    TSCLRegionBorderStyle Style, int Size, int Count, TSCLExtPos ExtPos);
void SCLFrameRoundThinkBubbleRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                                 TSCLRegionBorderStyle Style, int Size, int Count, TSCLExtPos ExtPos, int RoundX,
                                 int RoundY);
// The body of a nose shape outlined (its nose is not): the nose is kept
// out of the outline by clipping its base away. Round: the round-rectangle
// body and its edge offset.
void SCLFrameNoseRectRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                         TSCLRegionBorderStyle Style, int NoseSize, TSCLExtPos ExtPos);
void SCLFrameRoundNoseRectRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                              TSCLRegionBorderStyle Style, int NoseSize, int RoundX, int RoundY, TSCLExtPos ExtPos);
// A closed polyline through the points, each segment coloured by its
// direction (down or left shadow, up or right light; the horizontal test
// wins); rbSingle draws it in the single colour. Fewer than two points draw
// nothing.
void SCLFramePointList(TCanvas* Canvas, std::span<const POINT> Points, TColor Light, TColor Shadow, TColor Single,
                       TSCLRegionBorderStyle Style);
