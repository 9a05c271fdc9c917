#include "components/foundations/Sclfxcaption.h"

#include <gtest/gtest.h>

namespace {

struct Notified {
    explicit Notified(TSCLObject& subject)
    {
        subject.OnChange = [this](TObject*) { ++calls; };
    }
    int calls = 0;
};

TEST(Sclfxcaption, AngleOf360IsKeptAsZeroButStillNotifies)
{
    TSCLFxCaption caption;
    Notified notified(caption);
    caption.SetAngle(360);
    EXPECT_EQ(caption.Angle(), 0);
    EXPECT_EQ(notified.calls, 1);
    caption.SetAngle(45);
    caption.SetAngle(45);
    EXPECT_EQ(caption.Angle(), 45);
    EXPECT_EQ(notified.calls, 2);
}

TEST(Sclfxcaption, PositionsSetTogetherChangeSilently)
{
    TSCLFxCaption caption;
    Notified notified(caption);
    caption.SetPosXY(3, 4);
    EXPECT_EQ(caption.PosX(), 3);
    EXPECT_EQ(caption.PosY(), 4);
    EXPECT_EQ(notified.calls, 0);
    caption.SetPosY(5);
    EXPECT_EQ(notified.calls, 1);
}

TEST(Sclfxcaption, AssignFromAPlain3DCaptionKeepsAngleAndPositions)
{
    TSCL3DCaption source;
    source.SetStyle(tdRaised);
    TSCLFxCaption target;
    target.SetAngle(90);
    target.SetPosXY(7, 8);
    Notified notified(target);
    target.Assign(&source);
    EXPECT_EQ(notified.calls, 1);
    EXPECT_EQ(target.Style(), tdRaised);
    EXPECT_EQ(target.Angle(), 90);
    EXPECT_EQ(target.PosX(), 7);
    EXPECT_EQ(target.PosY(), 8);
}

TEST(Sclfxcaption, AssignFromAnEffectCaptionCopiesEverything)
{
    TSCLFxCaption source;
    source.SetStyle(tdShadow);
    source.SetTracing(2);
    source.SetAngle(270);
    source.SetPosXY(11, 12);
    TSCLFxCaption target;
    Notified notified(target);
    target.Assign(&source);
    EXPECT_EQ(notified.calls, 1);
    EXPECT_EQ(target.Style(), tdShadow);
    EXPECT_EQ(target.Tracing(), 2);
    EXPECT_EQ(target.Angle(), 270);
    EXPECT_EQ(target.PosX(), 11);
    EXPECT_EQ(target.PosY(), 12);
}

TEST(Sclfxcaption, SummaryAddsTheRotation)
{
    const struct {
        TSCLThreeDStyle style;
        TSCLAngle angle;
        const char* summary;
    } cases[] = {
        {tdExtrude, 0, "{extrude}"},
        {tdRaised, 45, "{raised, rot: 45\u00B0}"},
        {tdNone, 90, "{ rot: 90\u00B0}"},
    };
    for (const auto& c : cases) {
        TSCLFxCaption caption;
        caption.SetStyle(c.style);
        caption.SetAngle(c.angle);
        EXPECT_EQ(caption.GetSetStr(), c.summary);
    }
}

} // namespace
