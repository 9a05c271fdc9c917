#pragma once
// An image list of one strip for the image-control tests: Frames frames of
// 8 x 8, each a 4 x 4 block of its own colour at (2, 2) on the key colour
// clFuchsia, which also sits in each frame's bottom-left pixel.

#include <memory>
#include <vector>

#include "components/foundations/Sclcont.h"
#include "platform/classlib/Graphics_Bitmap.h"

namespace strip_test {

constexpr int Side = 8;
constexpr TColor Key = clFuchsia;
inline const std::vector<TColor> Frame_Colors{clRed, clLime, clBlue, clYellow, clAqua};

inline bool In_Block(int x, int y)
{
    return x >= 2 && x < 6 && y >= 2 && y < 6;
}

inline std::unique_ptr<TSCLImageList> Strip_List(int frames)
{
    TBitmap strip;
    strip.SetSize(Side * frames, Side);
    strip.Canvas()->Brush()->SetColor(Key);
    strip.Canvas()->FillRect(RECT{0, 0, Side * frames, Side});
    for (int i = 0; i < frames; ++i) {
        strip.Canvas()->Brush()->SetColor(Frame_Colors[static_cast<std::size_t>(i)]);
        strip.Canvas()->FillRect(RECT{i * Side + 2, 2, i * Side + 6, 6});
    }
    auto list = std::make_unique<TSCLImageList>(nullptr);
    list->Items(list->Add())->ConvertBmpToIML(&strip, frames, false);
    return list;
}

} // namespace strip_test
