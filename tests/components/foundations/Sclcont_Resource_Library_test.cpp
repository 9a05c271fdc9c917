// Bitmaps read from bitmap files and from resource libraries.
#include "components/foundations/Sclcont.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string Library = SCL_TEST_RESOURCE_LIBRARY;

TColor At(TBitmap& Bitmap, int X, int Y) { return Bitmap.Canvas()->Pixels(X, Y); }

// The library's bitmap "7": 3 x 2, top row 0x102030, red, green (RGB).
void Expect_Bitmap_7(TBitmap& Bitmap)
{
    ASSERT_EQ(Bitmap.Width(), 3);
    ASSERT_EQ(Bitmap.Height(), 2);
    EXPECT_EQ(At(Bitmap, 0, 0), 0x00302010u);
    EXPECT_EQ(At(Bitmap, 1, 0), clRed);
    EXPECT_EQ(At(Bitmap, 2, 0), clLime);
    EXPECT_EQ(At(Bitmap, 0, 1), clBlue);
    EXPECT_EQ(At(Bitmap, 1, 1), clWhite);
}

class Temp_Folder {
public:
    Temp_Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "sclres-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~Temp_Folder() { fs::remove_all(path); }
    std::string File(const std::string& Name, const std::string& Bytes) const
    {
        const std::string name = (path / Name).string();
        std::ofstream(name, std::ios::binary) << Bytes;
        return name;
    }

private:
    fs::path path;
};

// The library's bitmap as a bitmap file of its own.
std::string Bitmap_File_Bytes()
{
    TBitmap bitmap;
    EXPECT_TRUE(SCLBmpLoadFromFile(Library, 7, &bitmap));
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    return std::string(static_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

} // namespace

TEST(Sclcont_Resource_Library, TheLibrarysBitmapIsReadByItsNumber)
{
    TBitmap bitmap;
    ASSERT_TRUE(SCLBmpLoadFromFile(Library, 7, &bitmap));
    Expect_Bitmap_7(bitmap);
    TBitmap other;
    ASSERT_TRUE(SCLBmpLoadFromLibrary(Library, "7", &other));
    Expect_Bitmap_7(other);
}

TEST(Sclcont_Resource_Library, WhatCannotBeReadLeavesTheBitmapUnchanged)
{
    Temp_Folder folder;
    const std::string junk = folder.File("junk.so", "not a library at all");
    const std::string broken = folder.File("broken.bmp", "BM and nothing after");
    for (const auto& [file, ident] : {std::pair{Library, 8}, std::pair{junk, 7}, std::pair{broken, 7},
                                      std::pair{std::string("/nonexistent/lib.so"), 7}}) {
        TBitmap bitmap;
        bitmap.SetWidth(4);
        bitmap.SetHeight(1);
        EXPECT_FALSE(SCLBmpLoadFromFile(file, static_cast<WORD>(ident), &bitmap)) << file << " " << ident;
        EXPECT_EQ(bitmap.Width(), 4) << file;
    }
}

TEST(Sclcont_Resource_Library, ABitmapFileIsReadWhole)
{
    Temp_Folder folder;
    const std::string file = folder.File("picture.bmp", Bitmap_File_Bytes());
    TBitmap bitmap;
    ASSERT_TRUE(SCLBmpLoadFromFile(file, 99, &bitmap));
    Expect_Bitmap_7(bitmap);
}

TEST(Sclcont_Resource_Library, ALibraryResourceListLoadsItsItemsOnDemand)
{
    TSCLBitmapList list(nullptr);
    list.Add();
    list.Add();
    list.Items(0)->Ident = 7;
    list.Items(1)->Ident = 8;
    list.SetPrefix(ppFixed);
    list.Path = Library;
    list.SetSource(sdLibResource);
    Expect_Bitmap_7(*list.Items(0)->GetBitmap());
    EXPECT_TRUE(list.Items(1)->GetBitmap()->Empty()) << "the library holds no bitmap 8";
}

TEST(Sclcont_Resource_Library, APathListFindsItsFilesBesidePathWhateverPathsSuffix)
{
    Temp_Folder folder;
    const std::string picture = folder.File("pic7.bmp", Bitmap_File_Bytes());
    TSCLBitmapList list(nullptr);
    list.Add();
    list.Items(0)->Ident = 7;
    list.SetPrefix(ppFixed);
    list.Path = picture.substr(0, picture.rfind('/') + 1) + "pictures.bml";
    list.SetSource(sdPath);
    Expect_Bitmap_7(*list.Items(0)->GetBitmap());
}
