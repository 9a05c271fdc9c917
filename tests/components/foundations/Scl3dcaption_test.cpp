#include "components/foundations/Scl3dcaption.h"

#include <functional>

#include <gtest/gtest.h>

namespace {

struct Notified {
    explicit Notified(TSCLObject& subject)
    {
        subject.OnChange = [this](TObject*) { ++calls; };
    }
    int calls = 0;
};

TEST(Scl3dcaption, DefaultsAreTheLibrarysOwn)
{
    TSCL3DCaption caption;
    EXPECT_EQ(caption.DisabledStyle(), dsAuto);
    EXPECT_EQ(caption.LightDepth(), 1);
    EXPECT_EQ(caption.ShadowDepth(), 1);
    EXPECT_EQ(caption.LightColor(), clBtnHighlight);
    EXPECT_EQ(caption.ShadowColor(), clBtnShadow);
    EXPECT_EQ(caption.Style(), tdNone);
    EXPECT_EQ(caption.Orientation(), toTopLeft);
    EXPECT_EQ(caption.Tracing(), 0);
}

TEST(Scl3dcaption, EverySetterNotifiesOnceForANewValueAndNeverForTheSame)
{
    const std::function<void(TSCL3DCaption&)> new_values[] = {
        [](TSCL3DCaption& c) { c.SetDisabledStyle(ds3d); },
        [](TSCL3DCaption& c) { c.SetLightDepth(2); },
        [](TSCL3DCaption& c) { c.SetShadowDepth(3); },
        [](TSCL3DCaption& c) { c.SetLightColor(clWhite); },
        [](TSCL3DCaption& c) { c.SetShadowColor(clSilver); },
        [](TSCL3DCaption& c) { c.SetStyle(tdExtrude); },
        [](TSCL3DCaption& c) { c.SetOrientation(toBottomRight); },
        [](TSCL3DCaption& c) { c.SetTracing(-2); },
    };
    for (const auto& set : new_values) {
        TSCL3DCaption caption;
        Notified notified(caption);
        set(caption);
        EXPECT_EQ(notified.calls, 1);
        set(caption);
        EXPECT_EQ(notified.calls, 1);
    }
}

TEST(Scl3dcaption, AssignCopiesAllSettingsWithOneNotification)
{
    TSCL3DCaption source;
    source.SetDisabledStyle(dsNone);
    source.SetLightDepth(4);
    source.SetShadowDepth(5);
    source.SetLightColor(clWhite);
    source.SetShadowColor(clSilver);
    source.SetStyle(tdOutline);
    source.SetOrientation(toBottomLeft);
    source.SetTracing(3);
    TSCL3DCaption target;
    Notified notified(target);
    target.Assign(&source);
    EXPECT_EQ(notified.calls, 1);
    EXPECT_EQ(target.DisabledStyle(), dsNone);
    EXPECT_EQ(target.LightDepth(), 4);
    EXPECT_EQ(target.ShadowDepth(), 5);
    EXPECT_EQ(target.LightColor(), clWhite);
    EXPECT_EQ(target.ShadowColor(), clSilver);
    EXPECT_EQ(target.Style(), tdOutline);
    EXPECT_EQ(target.Orientation(), toBottomLeft);
    EXPECT_EQ(target.Tracing(), 3);
}

TEST(Scl3dcaption, AssignFromAnotherClassIsRefused)
{
    TSCLObject other;
    TSCL3DCaption target;
    EXPECT_THROW(target.Assign(&other), EConvertError);
}

TEST(Scl3dcaption, SummaryNamesTheStyle)
{
    const std::pair<TSCLThreeDStyle, const char*> cases[] = {
        {tdNone, "{Disabled}"},           {tdSunken, "{sunken}"},     {tdRaised, "{raised}"},
        {tdSunkenShadow, "{sunken shadow}"}, {tdRaisedShadow, "{raised shadow}"},
        {tdPColorSunken, "{PColor sunken}"}, {tdPColorRaised, "{}"},     {tdShadow, "{shadow}"},
        {tdOutline, "{outline}"},         {tdExtrude, "{extrude}"},   {tdExtrudeEnh, "{extrude enh}"},
    };
    for (const auto& [style, summary] : cases) {
        TSCL3DCaption caption;
        caption.SetStyle(style);
        EXPECT_EQ(caption.GetSetStr(), summary);
    }
}

} // namespace
