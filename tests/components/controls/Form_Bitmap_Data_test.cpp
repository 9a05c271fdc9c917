// Bitmaps stored in form resources: a fill's ShapeFill.Bitmap.Data,
// written and read back.
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/classlib/Graphics_Bitmap_Published.h"

namespace {

std::unique_ptr<TBitmap> Picture()
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetWidth(3);
    bitmap->SetHeight(2);
    const TColor colors[2][3] = {{clRed, clLime, clBlue}, {clWhite, clBlack, 0x00123456}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            bitmap->Canvas()->SetPixels(x, y, colors[y][x]);
    return bitmap;
}

void Expect_Picture(TBitmap* bitmap)
{
    ASSERT_EQ(bitmap->Width(), 3);
    ASSERT_EQ(bitmap->Height(), 2);
    EXPECT_EQ(bitmap->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(bitmap->Canvas()->Pixels(2, 0), clBlue);
    EXPECT_EQ(bitmap->Canvas()->Pixels(2, 1), 0x00123456u);
}

} // namespace

TEST(FormBitmapData, AShapeFillsBitmapIsPublished)
{
    TSCLShapeControl shape(nullptr);
    shape.SetName("Shape");
    shape.ShapeFill()->SetBitmap(Picture().get());
    shape.ShapeFill()->SetFillStyle(sfBitmap);
    const std::string text = WriteComponentText(&shape);
    const std::size_t data = text.find("ShapeFill.Bitmap.Data = {");
    ASSERT_NE(data, std::string::npos) << text;
    // The length (0x4E = 78 bytes of a 3 x 2 24-bit file) and then "BM".
    EXPECT_NE(text.find("4E000000424D", data), std::string::npos) << text;
    EXPECT_LT(data, text.find("ShapeFill.Style")) << "Bitmap comes first";

    TSCLShapeControl read(nullptr);
    ReadComponentText(text, "written", &read, TForm_Table());
    Expect_Picture(read.ShapeFill()->Bitmap());
    EXPECT_EQ(read.ShapeFill()->Style(), sfBitmap);

    TSCLShapeButton empty(nullptr);
    empty.SetName("Empty");
    EXPECT_EQ(WriteComponentText(&empty).find("Bitmap.Data"), std::string::npos) << "an empty bitmap stores nothing";
}

TEST(FormBitmapData, DamagedDataIsAnErrorAndLeavesTheBitmap)
{
    const std::vector<std::vector<unsigned char>> damaged{
        {0x10, 0, 0, 0, 'B', 'M'},
        {0x02, 0, 0, 0, 'X', 'Y'},
        {0x01, 0},
    };
    for (const auto& bytes : damaged) {
        TBitmap bitmap;
        bitmap.Assign(Picture().get());
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
        stream.SetPosition(0);
        EXPECT_THROW(Read_Bitmap_Data(bitmap, stream), Exception);
        Expect_Picture(&bitmap);
    }
    TBitmap emptied;
    emptied.Assign(Picture().get());
    TMemoryStream zero;
    const std::uint32_t none = 0;
    zero.WriteBuffer(&none, 4);
    zero.SetPosition(0);
    Read_Bitmap_Data(emptied, zero);
    EXPECT_TRUE(emptied.Empty());
}
