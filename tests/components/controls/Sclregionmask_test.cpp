// The region mask's stored form: each binary property round trips byte for
// byte, compressed or not; damaged data raises without reading past it;
// assignment and the region-data buffer.

#include "components/controls/Sclregionmask.h"

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/SysUtils.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// Keeps every binary property a DefineProperties defines.
class Recording_Filer : public TFiler {
public:
    struct Entry {
        TStreamProc read;
        TStreamProc write;
        bool has_data = false;
    };
    void DefineProperty(const std::string&, const TReaderProc&, const TWriterProc&, bool) override {}
    void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override
    {
        names.push_back(Name);
        entries[Name] = {ReadData, WriteData, HasData};
    }
    std::vector<std::string> names;
    std::map<std::string, Entry> entries;
};

Bytes Written(TSCLRegionMask& mask, const std::string& name)
{
    Recording_Filer filer;
    mask.DefineProperties(filer);
    TMemoryStream stream;
    filer.entries.at(name).write(stream);
    const auto* data = static_cast<const unsigned char*>(stream.Memory());
    return Bytes(data, data + stream.Size());
}

void Read(TSCLRegionMask& mask, const std::string& name, const Bytes& bytes)
{
    Recording_Filer filer;
    mask.DefineProperties(filer);
    TMemoryStream stream;
    if (!bytes.empty())
        stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
    filer.entries.at(name).read(stream);
}

void Paint(TBitmap& bitmap, int w, int h, TColor base)
{
    bitmap.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bitmap.Canvas()->SetPixels(x, y, base + static_cast<TColor>(x * 16 + y));
}

Bytes Region_Bytes()
{
    HRGN region = CreateEllipticRgn(0, 0, 20, 12);
    Bytes data(GetRegionData(region, 0, nullptr));
    GetRegionData(region, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
    DeleteObject(region);
    return data;
}

struct Filled_Mask : TSCLRegionMask {
    explicit Filled_Mask(bool compressed)
    {
        SetRegionData(Region_Bytes());
        Paint(*BorderBmp(), 7, 5, 0x102030);
        Paint(*BorderUpBmp(), 3, 4, 0x405060);
        SetCompressed(compressed);
    }
};

const std::vector<std::string> stored_names{"RegionData", "BorderBmp", "BorderUpBmp", "BorderDnBmp"};

TEST(SclRegionMask, PropertiesAreDefinedInTheirOrderAndOnlyWithContent)
{
    Filled_Mask mask(false);
    Recording_Filer filer;
    mask.DefineProperties(filer);
    EXPECT_EQ(filer.names, stored_names);
    EXPECT_TRUE(filer.entries["RegionData"].has_data);
    EXPECT_TRUE(filer.entries["BorderBmp"].has_data);
    EXPECT_TRUE(filer.entries["BorderUpBmp"].has_data);
    EXPECT_FALSE(filer.entries["BorderDnBmp"].has_data);

    TSCLRegionMask empty;
    Recording_Filer empty_filer;
    empty.DefineProperties(empty_filer);
    for (const auto& [name, entry] : empty_filer.entries)
        EXPECT_FALSE(entry.has_data) << name;
}

TEST(SclRegionMask, StoredFormRoundTripsByteIdentical)
{
    for (bool compressed : {false, true}) {
        SCOPED_TRACE(compressed);
        Filled_Mask source(compressed);
        TSCLRegionMask target;
        target.SetCompressed(!compressed);
        target.SetDataSize(source.RegionDataSize());
        for (const char* name : {"RegionData", "BorderBmp", "BorderUpBmp"}) {
            const Bytes stored = Written(source, name);
            Read(target, name, stored);
            EXPECT_EQ(Written(target, name), stored) << name;
        }
        EXPECT_EQ(target.Compressed(), compressed);
        EXPECT_EQ(Bytes(target.RegionData().begin(), target.RegionData().end()), Region_Bytes());
        EXPECT_EQ(target.BorderBmp()->Width(), 7);
        EXPECT_EQ(target.BorderBmp()->Canvas()->Pixels(6, 4), 0x102030u + 6 * 16 + 4);
        EXPECT_EQ(target.BorderUpBmp()->Height(), 4);
    }
}

TEST(SclRegionMask, BitmapPayloadIsTheFlagThenTheStoredBitmap)
{
    Filled_Mask plain(false);
    const Bytes stored = Written(plain, "BorderBmp");
    ASSERT_GT(stored.size(), 5u);
    EXPECT_EQ(stored[0], 0);
    const std::uint32_t length = stored[1] | stored[2] << 8 | stored[3] << 16 | static_cast<std::uint32_t>(stored[4]) << 24;
    EXPECT_EQ(length, stored.size() - 5);
    EXPECT_EQ(stored[5], 'B');
    EXPECT_EQ(stored[6], 'M');
    Filled_Mask packed(true);
    EXPECT_EQ(Written(packed, "BorderBmp")[0], 1);
}

TEST(SclRegionMask, DamagedDataRaises)
{
    for (bool compressed : {false, true}) {
        Filled_Mask source(compressed);
        for (const char* name : {"BorderBmp", "BorderUpBmp"}) {
            const Bytes stored = Written(source, name);
            for (std::size_t cut = 0; cut < stored.size(); ++cut) {
                TSCLRegionMask target;
                EXPECT_ANY_THROW(Read(target, name, Bytes(stored.begin(), stored.begin() + static_cast<long>(cut))))
                    << name << " cut at " << cut;
            }
            Bytes bad_flag = stored;
            bad_flag[0] = 2;
            TSCLRegionMask target;
            EXPECT_THROW(Read(target, name, bad_flag), EReadError);
        }
    }
}

TEST(SclRegionMask, RegionDataMustHoldTheAnnouncedSize)
{
    const Bytes data = Region_Bytes();
    for (int announced : {0, -5, static_cast<int>(data.size()) + 1, static_cast<int>(data.size()) - 1}) {
        TSCLRegionMask target;
        target.SetDataSize(announced);
        EXPECT_THROW(Read(target, "RegionData", data), EReadError) << announced;
        EXPECT_TRUE(target.RegionData().empty());
    }
}

TEST(SclRegionMask, BufferFollowsTheSizeAndTakesARegion)
{
    TSCLRegionMask mask;
    HRGN region = CreateRectRgn(1, 2, 30, 40);
    mask.SetDataSize(static_cast<int>(GetRegionData(region, 0, nullptr)));
    EXPECT_FALSE(mask.GetRegionData(region)); // no buffer yet
    mask.GetMem();
    EXPECT_TRUE(mask.GetRegionData(region));
    HRGN copy = ExtCreateRegion(nullptr, static_cast<DWORD>(mask.RegionDataSize()),
                                reinterpret_cast<const RGNDATA*>(mask.RegionData().data()));
    EXPECT_TRUE(EqualRgn(copy, region));
    DeleteObject(copy);
    DeleteObject(region);
    mask.FreeMem();
    EXPECT_EQ(mask.RegionDataSize(), 0);
    EXPECT_TRUE(mask.RegionData().empty());
}

TEST(SclRegionMask, AssignCopiesDataAndBitmapsButNotTheSettings)
{
    Filled_Mask source(true);
    source.SetPixelFormat(spf8bit);
    TSCLRegionMask target;
    int changes = 0;
    target.OnChange = [&](TObject*) { ++changes; };
    target.Assign(&source);
    EXPECT_EQ(target.RegionDataSize(), source.RegionDataSize());
    EXPECT_EQ(target.BorderBmp()->Width(), 7);
    EXPECT_EQ(target.BorderUpBmp()->Width(), 3);
    EXPECT_FALSE(target.Compressed());
    EXPECT_EQ(target.PixelFormat(), spfDefault);
    EXPECT_EQ(changes, 0);

    // From a mask without data: the data is freed, the pictures stay.
    TSCLRegionMask empty;
    target.Assign(&empty);
    EXPECT_EQ(target.RegionDataSize(), 0);
    EXPECT_TRUE(target.RegionData().empty());
    EXPECT_EQ(target.BorderBmp()->Width(), 7);

    TSCLObject other;
    EXPECT_ANY_THROW(target.Assign(&other));
}

TEST(SclRegionMask, SetBorderBmpCopiesIntoTheIndexedBitmap)
{
    TBitmap picture;
    Paint(picture, 2, 2, 0x000010);
    TSCLRegionMask mask;
    for (int index = 0; index < 3; ++index)
        mask.SetBorderBmp(index, &picture);
    EXPECT_EQ(mask.BorderBmp()->Width(), 2);
    EXPECT_EQ(mask.BorderUpBmp()->Width(), 2);
    EXPECT_EQ(mask.BorderDnBmp()->Width(), 2);
    EXPECT_NE(mask.BorderBmp(), &picture);
}

TEST(SclRegionMask, PublishedPropertiesHaveTheirDefaults)
{
    const TClassInfo* info = FindClass("TSCLRegionMask");
    ASSERT_NE(info, nullptr);
    std::vector<std::string> names;
    for (const TPropInfo& prop : info->Properties())
        names.push_back(prop.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"RegionDataSize", "Compressed", "PixelFormat"}));
}

} // namespace
