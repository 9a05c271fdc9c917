#include "platform/classlib/Resources.h"
#include "platform/winapi/Cursor.h"

#include <QCursor>
#include <QPixmap>

#include <gtest/gtest.h>

TEST(Resources, TheGrabCursorLoadsByNameWithItsHotSpotInThePalm)
{
    Register_Cursor_Resources();
    auto* instance = reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(1));
    HCURSOR grab = LoadCursorA(instance, "GRABCURSOR");
    ASSERT_NE(grab, nullptr);
    const QCursor shape = Cursor_Shape(grab);
    EXPECT_EQ(shape.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(shape.hotSpot(), QPoint(16, 16));
    EXPECT_EQ(LoadCursorA(instance, "NOSUCHCURSOR"), nullptr);
}

TEST(Resources, BitmapsLoadByNameInAnyCase)
{
    TBitmap bitmap;
    ASSERT_TRUE(Bitmap_Resource_Exists("TestPattern"));
    Load_Bitmap_Resource(&bitmap, "testpattern");
    ASSERT_EQ(bitmap.Width(), 3);
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
    const auto* top = static_cast<const std::uint32_t*>(bitmap.ScanLine(0));
    const auto* bottom = static_cast<const std::uint32_t*>(bitmap.ScanLine(1));
    EXPECT_EQ(top[0] & 0xFFFFFF, 0xFF0000u) << "red, as 0x00RRGGBB in memory order B, G, R";
    EXPECT_EQ(top[2] & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(bottom[2] & 0xFFFFFF, 0x808080u);
}

TEST(Resources, AnUnknownBitmapNameLeavesTheBitmapAsItWas)
{
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    EXPECT_FALSE(Bitmap_Resource_Exists("SCLBML30"));
    EXPECT_THROW(Load_Bitmap_Resource(&bitmap, "SCLBML30"), EResNotFound);
    EXPECT_EQ(bitmap.Width(), 4);
}
