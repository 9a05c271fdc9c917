#pragma once
// The data of a bitmap-shaped window outline: the region as raw RGNDATA
// bytes (made when the shape is designed, read back whole with the form)
// and the picture shown through it, with two optional pictures for a raised
// and a pressed look. A streamed sub-object of every region description.
//
// Stored form, after the published properties: "RegionData" (exactly
// RegionDataSize bytes), then "BorderBmp", "BorderUpBmp", "BorderDnBmp",
// each written only when it has content. A bitmap is one flag byte (the
// Compressed setting at writing time, 0 or 1) and the bitmap file image as
// one compressed stream, or as an int32 length and the image. Damaged data
// raises EReadError; nothing is read beyond the data.

#include <array>
#include <memory>
#include <span>
#include <vector>

#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclobject.h"
#include "platform/classlib/Graphics.h"

class TFiler;

template <>
struct TSCLEnumInfo<TSCLSavePixelFormat> {
    static constexpr const char* TypeName = "TSCLSavePixelFormat";
    static constexpr std::array<const char*, 4> Names{"spfDefault", "spfMono", "spf4bit", "spf8bit"};
};

class TSCLRegionMask : public TSCLObject {
public:
    TSCLRegionMask();
    ~TSCLRegionMask() override;

    // The region bytes: RegionDataSize of them once GetMem made the buffer.
    std::span<const BYTE> RegionData() const { return region_data; }
    int RegionDataSize() const { return region_data_size; }
    // Stores the number only.
    void SetDataSize(int Value) { region_data_size = Value; }
    // Takes the bytes over as the region data; the size follows them.
    void SetRegionData(std::vector<BYTE> Data);
    // A zeroed buffer of RegionDataSize bytes (none for a size below 1).
    void GetMem();
    // No buffer, size 0.
    void FreeMem();
    // Fills the buffer with the region's data; a buffer too small for it,
    // or no region, leaves the buffer as it is and answers false.
    bool GetRegionData(HRGN Region);

    TBitmap* BorderBmp() const { return border_bmp.get(); }
    TBitmap* BorderUpBmp() const { return border_up_bmp.get(); }
    TBitmap* BorderDnBmp() const { return border_dn_bmp.get(); }
    // 0 the mask bitmap, 1 the up bitmap, 2 the down bitmap; a copy.
    void SetBorderBmp(int Index, TBitmap* Bitmap);
    void CreateBorderUpBmp();
    void CreateBorderDnBmp();

    bool Compressed() const { return compressed; }
    void SetCompressed(bool Value) { compressed = Value; }
    TSCLSavePixelFormat PixelFormat() const { return pixel_format; }
    void SetPixelFormat(TSCLSavePixelFormat Value) { pixel_format = Value; }

    // From another mask: the region data and, when it has data, the three
    // bitmaps; Compressed and PixelFormat stay; no notification. Other
    // sources go to the inherited assignment.
    void Assign(TPersistent* Source) override;
    void DefineProperties(TFiler& Filer);

private:
    void Read_Region_Data(TStream& Stream);
    void Write_Region_Data(TStream& Stream);
    void Read_Bitmap(TStream& Stream, std::unique_ptr<TBitmap>& Bitmap);
    void Write_Bitmap(TStream& Stream, TBitmap& Bitmap);
    void Define_Bitmap(TFiler& Filer, const char* Name, std::unique_ptr<TBitmap>& Bitmap);

    std::vector<BYTE> region_data;
    int region_data_size = 0;
    std::unique_ptr<TBitmap> border_up_bmp;
    std::unique_ptr<TBitmap> border_dn_bmp;
    std::unique_ptr<TBitmap> border_bmp;
    TSCLSavePixelFormat pixel_format = spfDefault;
    bool compressed = false;
};
