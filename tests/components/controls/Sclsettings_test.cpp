// Every settings object of the library by one table: an equal value changes
// nothing, another value notifies once, Assign copies with one
// notification, and the summary texts.

#include "components/controls/SCLFillObject.h"
#include "components/controls/SCLRgnShadow.h"
#include "components/controls/SCLShadow.h"
#include "components/controls/Sclalphaobject.h"
#include "components/controls/Sclbevel.h"
#include "components/controls/Sclbitmapeffectobject.h"
#include "components/controls/Sclcaption.h"
#include "components/controls/Sclgradient.h"
#include "components/controls/Sclshape.h"
#include "components/controls/Sclshapebuttoncolor.h"
#include "components/controls/Sclshapebase.h"
#include "components/controls/Sclshapefill.h"
#include "components/controls/Sclsimplebevel.h"
#include "components/controls/Sclsmallbar.h"
#include "components/controls/Sclteeth.h"
#include "components/foundations/Sclbuttonlayout.h"
#include "components/foundations/Sclglyphtextlayout.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// A settings property: Set stores a value chosen by the flag (false: the
// default the constructor gives, true: another one); Get reads it as a
// number for comparison.
struct Property_Case {
    const char* Name;
    std::function<void(TSCLObject&, bool)> Set;
    std::function<long long(TSCLObject&)> Get;
};

struct Object_Case {
    const char* Class_Name;
    std::function<std::unique_ptr<TSCLObject>()> Create;
    std::vector<Property_Case> Properties;
    std::string Summary;
};

template <class S, class V, class Setter, class Getter>
Property_Case Prop(const char* name, V initial, V other, Setter setter, Getter getter)
{
    return {name,
            [=](TSCLObject& object, bool changed) {
                std::invoke(setter, dynamic_cast<S&>(object), changed ? other : initial);
            },
            [=](TSCLObject& object) { return static_cast<long long>(std::invoke(getter, dynamic_cast<S&>(object))); }};
}

template <class S>
std::function<std::unique_ptr<TSCLObject>()> Make()
{
    return [] { return std::make_unique<S>(); };
}

std::vector<Object_Case> Cases()
{
    using B = TSCLBevel;
    using SB = TSCLSimpleBevel;
    using G = TSCLGradient;
    using T = TSCLTeeth;
    using L = TSCLGlyphTextLayout;
    using BL = TSCLButtonLayout;
    using SH = TSCLShadow;
    return {
        {"TSCLBevel", Make<B>(),
         {Prop<B>("StyleInner", bvNone, bvRaised, &B::SetBevelStyleInner, &B::StyleInner),
          Prop<B>("StyleOuter", bvNone, bvLowered, &B::SetBevelStyleOuter, &B::StyleOuter),
          Prop<B, BYTE>("WidthInner", 1, 3, &B::SetWidthInner, &B::WidthInner),
          Prop<B, BYTE>("WidthOuter", 1, 2, &B::SetWidthOuter, &B::WidthOuter),
          Prop<B, TColor>("BorderColor", clBtnFace, clRed, [](B& b, TColor c) { b.SetColor(0, c); }, &B::BorderColor),
          Prop<B, TColor>("LightColor", clBtnHighlight, clRed, [](B& b, TColor c) { b.SetColor(1, c); },
                          &B::LightColor),
          Prop<B, TColor>("ShadowColor", clBtnShadow, clRed, [](B& b, TColor c) { b.SetColor(2, c); },
                          &B::ShadowColor),
          Prop<B, BYTE>("BorderInnerWidth", 0, 2, &B::SetBorderSpace, &B::BorderInnerWidth),
          Prop<B, BYTE>("BorderWidth", 0, 2, &B::SetBorderWidth, &B::BorderWidth),
          Prop<B, TSCLFrameSides>("BorderSides", {fsBottom, fsLeft, fsRight, fsTop}, {fsTop}, &B::SetBorderSides,
                                  [](B& b) { return b.BorderSides().Contains(fsBottom); }),
          Prop<B>("EdgeStyle", etEtched, etBump, &B::SetEdgeStyle, &B::EdgeStyle),
          Prop<B>("Mode", bmCustom, bmEdge, &B::SetMode, &B::Mode)},
         "{Custom style}"},
        {"TSCLCaption", Make<TSCLCaption>(),
         {Prop<TSCLCaption>("Alignment", agCenter, agTopLeft, &TSCLCaption::SetAlignment, &TSCLCaption::Alignment),
          Prop<TSCLCaption>("Caption", std::string(), std::string("Go"), &TSCLCaption::SetCaption,
                            [](TSCLCaption& c) { return c.Caption().size(); }),
          Prop<TSCLCaption>("MultiLine", false, true, &TSCLCaption::SetMultiLine, &TSCLCaption::MultiLine)},
         "{}"},
        {"TSCLGradient", Make<G>(),
         {Prop<G, BYTE>("ColorCount", 16, 64, &G::SetColorCount, &G::ColorCount),
          Prop<G, TColor>("Color", 0xFF0000, clRed, &G::SetColor, &G::Color),
          Prop<G, TColor>("EndColor", 0, clWhite, &G::SetEndColor, &G::EndColor),
          Prop<G>("PaletteRealize", false, true, &G::SetPaletteRealize, &G::PaletteRealize),
          Prop<G>("Style", gstVertical, gstHorizontal, &G::SetStyle, &G::Style),
          Prop<G>("TwoColors", true, false, &G::SetTwoColors, &G::TwoColors)},
         "vertical, Col: 16, 2 col mode"},
        {"TSCLShapeFill", Make<TSCLShapeFill>(),
         {Prop<TSCLShapeFill>("Style", sfBrush, sfGradient, &TSCLShapeFill::SetFillStyle, &TSCLShapeFill::Style),
          Prop<TSCLShapeFill>("TileMode", tmTile, tmCenter, &TSCLShapeFill::SetTileMode, &TSCLShapeFill::TileMode)},
         "{Brush}"},
        {"TSCLFillObject", Make<TSCLFillObject>(),
         {Prop<TSCLFillObject>("Style", sfNone, sfBrush, &TSCLFillObject::SetFillStyle, &TSCLFillObject::Style),
          Prop<TSCLFillObject, TSCLFillOptions>("Options", {foFillInner, foGrUseBitmap}, {foQuickDraw},
                                                &TSCLFillObject::SetOptions,
                                                [](TSCLFillObject& f) { return f.Options().Contains(foQuickDraw); })},
         "{Disabled}"},
        {"TSCLShape", Make<TSCLShape>(),
         {Prop<TSCLShape, BYTE>("RoundPercent", 33, 60, &TSCLShape::SetRoundPercent, &TSCLShape::RoundPercent),
          Prop<TSCLShape>("Shape", stRectangle, stOctagon, &TSCLShape::SetShape, &TSCLShape::Shape),
          Prop<TSCLShape>("Square", false, true, &TSCLShape::SetSquare, &TSCLShape::Square),
          Prop<TSCLShape, TColor>("Bevel.Width", 2, 1, [](TSCLShape& s, TColor w) {
              s.Bevel()->SetWidth(static_cast<BYTE>(w)); }, [](TSCLShape& s) { return s.Bevel()->Width(); }),
          Prop<TSCLShape, TColor>("Brush.Color", clWhite, clRed, [](TSCLShape& s, TColor c) {
              s.Brush()->SetColor(c); }, [](TSCLShape& s) { return s.Brush()->Color(); }),
          Prop<TSCLShape, TColor>("Shadow.Depth", 6, 9, [](TSCLShape& s, TColor d) {
              s.Shadow()->SetDepth(static_cast<BYTE>(d)); }, [](TSCLShape& s) { return s.Shadow()->Depth(); })},
         ""},
        {"TSCLShapeButtonColor", Make<TSCLShapeButtonColor>(),
         {Prop<TSCLShapeButtonColor, TColor>("Disabled", clBtnFace, clSilver,
              [](TSCLShapeButtonColor& c, TColor v) { c.SetColor(0, v); }, &TSCLShapeButtonColor::Disabled),
          Prop<TSCLShapeButtonColor, TColor>("Down", clBtnFace, clSilver,
              [](TSCLShapeButtonColor& c, TColor v) { c.SetColor(1, v); }, &TSCLShapeButtonColor::Down),
          Prop<TSCLShapeButtonColor, TColor>("MouseOver", clBtnFace, clSilver,
              [](TSCLShapeButtonColor& c, TColor v) { c.SetColor(2, v); }, &TSCLShapeButtonColor::MouseOver),
          Prop<TSCLShapeButtonColor, TColor>("OptionSet", clBtnFace, clSilver,
              [](TSCLShapeButtonColor& c, TColor v) { c.SetColor(3, v); }, &TSCLShapeButtonColor::OptionSet),
          Prop<TSCLShapeButtonColor, TColor>("Up", clBtnFace, clSilver,
              [](TSCLShapeButtonColor& c, TColor v) { c.SetColor(4, v); }, &TSCLShapeButtonColor::Up)},
         ""},
        {"TSCLSimpleBevel", Make<SB>(),
         {Prop<SB, BYTE>("Width", 2, 1, &SB::SetWidth, &SB::Width),
          Prop<SB>("Style", sbNormal, sbOffset, &SB::SetStyle, &SB::Style),
          Prop<SB, TColor>("LightColor", clBtnHighlight, clWhite, [](SB& b, TColor c) { b.SetColor(0, c); },
                           &SB::LightColor),
          Prop<SB, TColor>("ShadowColor", clBtnShadow, clGray, [](SB& b, TColor c) { b.SetColor(1, c); },
                           &SB::ShadowColor),
          Prop<SB, TColor>("Color", clBlack, clRed, [](SB& b, TColor c) { b.SetColor(2, c); }, &SB::Color)},
         "{Normal}"},
        {"TSCLSmallBar", Make<TSCLSmallBar>(),
         {Prop<TSCLSmallBar>("AutoSize", true, false, &TSCLSmallBar::SetAutoSize, &TSCLSmallBar::AutoSize),
          Prop<TSCLSmallBar, TColor>("BarColor", 0x800000, clRed, &TSCLSmallBar::SetBarColor,
                                     &TSCLSmallBar::BarColor),
          Prop<TSCLSmallBar, BYTE>("BarCount", 10, 32, [](TSCLSmallBar& b, BYTE v) { b.SetByte(0, v); },
                                   &TSCLSmallBar::BarCount),
          Prop<TSCLSmallBar, BYTE>("HSpace", 3, 1, [](TSCLSmallBar& b, BYTE v) { b.SetByte(1, v); },
                                   &TSCLSmallBar::HSpace),
          Prop<TSCLSmallBar, BYTE>("VSpace", 3, 0, [](TSCLSmallBar& b, BYTE v) { b.SetByte(2, v); },
                                   &TSCLSmallBar::VSpace)},
         ""},
        {"TSCLTeeth", Make<T>(),
         {Prop<T, BYTE>("Count", 10, 4, &T::SetCount, &T::Count),
          Prop<T>("Direction", tdRight, tdUp, &T::SetDirection, &T::Direction),
          Prop<T>("Offset", true, false, [](T& t, bool v) { t.SetBoolean(0, v); }, &T::Offset),
          Prop<T>("SetPerCount", true, false, [](T& t, bool v) { t.SetBoolean(1, v); }, &T::SetPerCount),
          Prop<T>("Width", 10, 7, [](T& t, int v) { t.SetInteger(0, v); }, &T::Width),
          Prop<T>("Height", 0, 10, [](T& t, int v) { t.SetInteger(1, v); }, &T::Height)},
         ""},
        {"TSCLGlyphTextLayout", Make<L>(),
         {Prop<L>("Alignment", agTopLeft, agCenter, &L::SetAlignment, &L::Alignment),
          Prop<L>("AlignText2Glyph", taRight, taTop, &L::SetAlignText2Glyph, &L::AlignText2Glyph),
          Prop<L>("OffsetX", 0, 2, [](L& l, int v) { l.SetOffset(0, v); }, &L::OffsetX),
          Prop<L>("OffsetY", 0, 3, [](L& l, int v) { l.SetOffset(1, v); }, &L::OffsetY),
          Prop<L>("Spacing", 2, 5, &L::SetSpacing, &L::Spacing)},
         ""},
        {"TSCLButtonLayout", Make<BL>(),
         {Prop<BL>("Alignment", agCenter, agTopLeft, &BL::SetAlignment, &BL::Alignment),
          Prop<BL>("Arrow", false, true, &BL::SetArrow, &BL::Arrow),
          Prop<BL, TColor>("ArrowColor", clBlack, clRed, &BL::SetArrowColor, &BL::ArrowColor),
          Prop<BL>("ArrowIndent", 3, 5, [](BL& l, int v) { l.SetInteger(0, v); }, &BL::ArrowIndent),
          Prop<BL>("ArrowPosition", apRightText, apLeftGlyph, &BL::SetArrowPosition, &BL::ArrowPosition),
          Prop<BL, BYTE>("ArrowSize", 3, 4, &BL::SetArrowSize, &BL::ArrowSize)},
         ""},
        {"TSCLShadow", Make<SH>(),
         {Prop<SH, TColor>("Color", clBtnShadow, clBlack, &SH::SetColor, &SH::Color),
          Prop<SH, BYTE>("Depth", 6, 12, &SH::SetDepth, &SH::Depth),
          Prop<SH>("Style", hssSolid, hssTracing, &SH::SetStyle, &SH::Style)},
         "{solid, 6}"},
        {"TSCLRgnShadow", Make<TSCLRgnShadow>(),
         {Prop<SH>("Style", hssNone, hssSolid, &SH::SetStyle, &SH::Style)},
         "{Disabled}"},
    };
}

class Settings_Table : public testing::TestWithParam<std::size_t> {
protected:
    Object_Case the_case = Cases()[GetParam()];
};

int Changes_Of(TSCLObject& object, const std::function<void()>& action)
{
    int changes = 0;
    object.OnChange = [&changes](TObject*) { ++changes; };
    action();
    object.OnChange = nullptr;
    return changes;
}

} // namespace

TEST_P(Settings_Table, EqualValueNotifiesNobodyAndAnotherValueNotifiesOnce)
{
    for (const Property_Case& property : the_case.Properties) {
        SCOPED_TRACE(std::string(the_case.Class_Name) + "." + property.Name);
        auto object = the_case.Create();
        const long long initial = property.Get(*object);
        EXPECT_EQ(Changes_Of(*object, [&] { property.Set(*object, false); }), 0);
        EXPECT_EQ(property.Get(*object), initial);
        EXPECT_EQ(Changes_Of(*object, [&] { property.Set(*object, true); }), 1);
        EXPECT_NE(property.Get(*object), initial);
        EXPECT_EQ(Changes_Of(*object, [&] { property.Set(*object, true); }), 0);
    }
}

TEST_P(Settings_Table, AssignCopiesEverySettingWithOneChange)
{
    auto source = the_case.Create();
    for (const Property_Case& property : the_case.Properties)
        property.Set(*source, true);
    auto target = the_case.Create();
    EXPECT_EQ(Changes_Of(*target, [&] { target->Assign(source.get()); }), 1) << the_case.Class_Name;
    for (const Property_Case& property : the_case.Properties)
        EXPECT_EQ(property.Get(*target), property.Get(*source)) << the_case.Class_Name << "." << property.Name;
}

TEST_P(Settings_Table, AFreshObjectSummarisesItsDefaults)
{
    EXPECT_EQ(the_case.Create()->GetSetStr(), the_case.Summary) << the_case.Class_Name;
}

TEST_P(Settings_Table, AssigningAnotherKindOfObjectIsRefused)
{
    auto object = the_case.Create();
    TSCLTeeth teeth;
    TSCLSimpleBevel bevel;
    TSCLObject* other = dynamic_cast<TSCLTeeth*>(object.get()) ? static_cast<TSCLObject*>(&bevel) : &teeth;
    EXPECT_THROW(object->Assign(other), EConvertError) << the_case.Class_Name;
}

INSTANTIATE_TEST_SUITE_P(Sclsettings, Settings_Table, testing::Range<std::size_t>(0, Cases().size()),
                         [](const testing::TestParamInfo<std::size_t>& param) {
                             return std::string(Cases()[param.param].Class_Name);
                         });

TEST(Sclsettings, SummariesFollowTheSettings)
{
    TSCLShadow shadow;
    shadow.SetStyle(hssTracing);
    shadow.SetDepth(12);
    EXPECT_EQ(shadow.GetSetStr(), "{tracing, 12}");
    shadow.SetStyle(hssNone);
    EXPECT_EQ(shadow.GetSetStr(), "{Disabled}");

    TSCLSimpleBevel bevel;
    bevel.SetStyle(sbInset);
    EXPECT_EQ(bevel.GetSetStr(), "{Inset}");
    bevel.SetStyle(sbOffset);
    EXPECT_EQ(bevel.GetSetStr(), "{Offset}");

    TSCLShapeFill fill;
    const std::pair<TSCLFillStyle, const char*> fills[] = {{sfNone, "{Disabled}"},   {sfBrushBitmap, "{}"},
                                                           {sfBitmap, "{Bitmap}"},   {sfBitmapList, "{BitmapList}"},
                                                           {sfGradient, "{Gradient}"}};
    for (const auto& [style, text] : fills) {
        fill.SetFillStyle(style);
        EXPECT_EQ(fill.GetSetStr(), text);
    }

    TSCLGradient gradient;
    gradient.SetStyle(gstTopRightDiagonal);
    gradient.SetColorCount(128);
    gradient.SetTwoColors(false);
    EXPECT_EQ(gradient.GetSetStr(), "top right diag, Col: 128, mult. col mode");

    TSCLCaption caption;
    caption.SetCaption("PC");
    EXPECT_EQ(caption.GetSetStr(), "{PC}");
}

TEST(Sclsettings, ShadowsAssignEachOtherBothWays)
{
    TSCLShadow shadow;
    TSCLRgnShadow region;
    region.SetStyle(hssTracing);
    region.SetDepth(3);
    region.SetColor(clRed);
    shadow.Assign(&region);
    EXPECT_EQ(shadow.Style(), hssTracing);
    EXPECT_EQ(shadow.Depth(), 3);
    EXPECT_EQ(shadow.Color(), clRed);
    TSCLShadow plain;
    TSCLRgnShadow other;
    other.Assign(&plain);
    EXPECT_EQ(other.Style(), hssSolid);
    EXPECT_EQ(other.Depth(), 6);
}

TEST(Sclsettings, ChangesDeepInsideAShapeReachItsOwner)
{
    TSCLShape shape;
    int changes = 0;
    shape.OnChange = [&changes](TObject*) { ++changes; };
    shape.Bevel()->SetColor(0, clWhite);
    shape.Shadow()->SetStyle(hssNone);
    shape.Brush()->SetColor(clRed);
    EXPECT_EQ(changes, 3);
}

TEST(Sclsettings, TileModeMapsToBitmapPlacementFlags)
{
    EXPECT_EQ(SCLTileMode2DSF(tmNone), 0);
    EXPECT_EQ(SCLTileMode2DSF(tmCenter), 0x08);
    EXPECT_EQ(SCLTileMode2DSF(tmStretch), 0x10);
    EXPECT_EQ(SCLTileMode2DSF(tmTile), 0x20);
}
