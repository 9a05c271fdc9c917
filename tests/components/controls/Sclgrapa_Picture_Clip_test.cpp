// A shape's picture (a gradient, a bitmap) stays inside the shape's outline
// whatever the colour of the control around it, white included, as a
// title button on a white group box has it.

#include "components/controls/Sclgrapa.h"

#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/classlib/Graphics_Canvas.h"
#include "tests/support/Pixel_Map.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A 16 x 10 round rectangle (bevel 2, raised) filled with a blue picture,
// on a yellow canvas, for a control of colour `surroundings`.
std::string Drawn(TColor surroundings)
{
    TBitmap canvas;
    canvas.SetSize(16, 10);
    canvas.Canvas()->Brush()->SetColor(clYellow);
    canvas.Canvas()->FillRect({0, 0, 16, 10});
    TBitmap picture;
    picture.SetSize(16, 10);
    picture.Canvas()->Brush()->SetColor(clBlue);
    picture.Canvas()->FillRect({0, 0, 16, 10});
    TSCLShapeBevel bevel;
    bevel.Width = 2;
    bevel.Kind = TSCLShapeBevelKind::Offset;
    bevel.LightColor = clWhite;
    bevel.ShadowColor = clGray;
    SCLShapeDraw({0, 0, 16, 10}, canvas.Canvas(), stRoundRect, nullptr, nullptr, false, nullptr, 60, bevel, nullptr,
                 &picture, surroundings, clWhite);
    return Pixel_Map(16, 10, [&](int x, int y) {
        const TColor c = canvas.Canvas()->Pixels(x, y);
        return c == clYellow ? '.' : c == clBlue ? 'b' : c == clWhite ? 'w' : c == clGray ? 'd' : '?';
    });
}

TEST(SclShapeDrawPicture, AWhiteControlClipsThePictureToTheOutlineLikeAnyOther)
{
    const std::string on_white = Drawn(clWhite);
    EXPECT_EQ(on_white, Drawn(clSilver));
    EXPECT_EQ(on_white, Drawn(clBlack));
}

TEST(SclShapeDrawPicture, TheRoundedCornersKeepWhatWasUnderThem)
{
    const std::string map = Drawn(clWhite);
    const auto at = [&](int x, int y) { return map[static_cast<std::size_t>(y * 17 + x)]; };
    EXPECT_EQ(at(0, 0), '.');
    EXPECT_EQ(at(15, 0), '.');
    EXPECT_EQ(at(0, 9), '.');
    EXPECT_EQ(at(15, 9), '.');
    EXPECT_EQ(at(8, 5), 'b');
}

} // namespace
