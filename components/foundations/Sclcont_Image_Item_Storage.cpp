// Image list items: the strip cut from a bitmap or a bitmap file, the item
// record and single-item list files.

#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclcont_Internal.h"
#include "components/foundations/Sclstreamutils.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/SysUtils.h"

// ---- Strips cut from bitmaps ----------------------------------------------------

void TSCLImageListItem::ConvertBmpToIML(TBitmap* Bitmap, int Count, bool AMasked)
{
    if (!Bitmap || Bitmap->Empty() || Count < 1 || Bitmap->Width() % Count != 0 ||
        Bitmap->Width() > Scl_Max_Strip_Width)
        throw EInvalidGraphicOperation(Scl_Wrong_Size_Text);
    Clear();
    height = Bitmap->Height();
    width = Bitmap->Width() / Count;
    masked = AMasked;
    image = std::make_unique<TBitmap>();
    mask = std::make_unique<TBitmap>();
    if (masked) {
        SCLBmpCreateMasks(Bitmap, mask.get(), image.get(), Bitmap->TransparentColor());
    } else {
        image->Assign(Bitmap);
        mask->SetSize(0, height);
    }
    used_width = image->Width();
    RelayOffsets(Count);
    Change();
}

bool TSCLImageListItem::LoadFromBitmap(const std::string& FileName, int Count, bool AMasked)
{
    TBitmap loaded;
    try {
        loaded.LoadFromFile(FileName);
    } catch (const Exception&) {
        loaded.Assign(nullptr);
    }
    if (loaded.Empty() || Count < 1 || loaded.Width() % Count != 0 || loaded.Width() > Scl_Max_Strip_Width)
        throw Exception(Scl_Open_Error(FileName));
    ConvertBmpToIML(&loaded, Count, AMasked);
    Description = SCLExtractFileName(FileName);
    return true;
}

// ---- Item records and list files ------------------------------------------------

BYTE TSCLImageListItem::WriteFlag() { return TSCLListItem::WriteFlag() | PixelFormatFlag(PixelFormat); }

void TSCLImageListItem::WriteData(TStream& Stream)
{
    TSCLListItem::WriteData(Stream);
    stWriteInteger(Stream, height);
    stWriteInteger(Stream, width);
    stWriteInteger(Stream, AllocBy);
    stWriteByte(Stream, masked ? 1 : 0);
    stWriteInteger(Stream, Count());
    if (Empty())
        return;
    // Stored exactly as wide as the images it holds.
    TBitmap strip;
    strip.Assign(image.get());
    strip.SetWidth(used_width);
    stWriteBitmap(Stream, strip, Compressed, SCLPixelFormatColors[PixelFormat]);
    if (masked) {
        TBitmap strip_mask;
        strip_mask.Assign(mask.get());
        strip_mask.SetWidth(used_width);
        stWriteBitmap(Stream, strip_mask, Compressed, 2);
    }
}

void TSCLImageListItem::ReadData(TStream& Stream)
{
    const BYTE flags = ReadHeader(Stream);
    PixelFormat = FlagPixelFormat(flags);
    const std::int32_t next_height = stReadInteger(Stream);
    const std::int32_t next_width = stReadInteger(Stream);
    const std::int32_t next_alloc_by = stReadInteger(Stream);
    const BYTE next_masked = stReadByte(Stream);
    const std::int32_t n = stReadInteger(Stream);
    if (next_height < 1 || next_width < 1 || next_width > Scl_Max_Strip_Width)
        throw EReadError(Format("Image list item: bad image size %d x %d", next_width, next_height));
    if (n < 0 || n > Scl_Max_Strip_Width / next_width)
        throw EReadError(Format("Image list item: bad image count %d", n));
    if (next_masked > 1)
        throw EReadError(Format("Image list item: bad mask flag %d", next_masked));
    masked = next_masked == 1;
    width = next_width;
    height = next_height;
    AllocBy = next_alloc_by;
    Clear();
    if (n > 0)
        ReadStrips(Stream, n);
}

void TSCLImageListItem::ReadStrips(TStream& Stream, int N)
{
    auto next_image = std::make_unique<TBitmap>();
    stReadBitmap(Stream, *next_image, Compressed);
    if (next_image->Width() != N * width || next_image->Height() != height)
        throw EReadError(Format("Image list item: the strip is %d x %d, not %d x %d", next_image->Width(),
                                next_image->Height(), N * width, height));
    auto next_mask = std::make_unique<TBitmap>();
    if (masked) {
        stReadBitmap(Stream, *next_mask, Compressed);
        if (next_mask->Width() != N * width || next_mask->Height() != height)
            throw EReadError(Format("Image list item: the mask is %d x %d, not %d x %d", next_mask->Width(),
                                    next_mask->Height(), N * width, height));
        next_mask->SetMonochrome(true);
    } else {
        next_mask->SetSize(0, height);
    }
    image = std::move(next_image);
    mask = std::move(next_mask);
    used_width = image->Width();
    RelayOffsets(N);
}

void TSCLImageListItem::SaveToFile(const std::string& FileName)
{
    TMemoryStream stream;
    const std::string ident = SCLICIdent(icImageList);
    stream.WriteBuffer(ident.data(), static_cast<int>(ident.size()));
    stWriteInteger(stream, 1);
    stWriteInteger(stream, static_cast<std::int32_t>(ident.size()) + 8);
    WriteData(stream);
    stream.SaveToFile(FileName);
}

void TSCLImageListItem::LoadFromFile(const std::string& FileName)
{
    TMemoryStream stream;
    stream.LoadFromFile(FileName);
    if (Scl_Read_Ident(stream) != SCLICIdent(icImageList))
        throw Exception(Scl_Open_Error(FileName + ": " + ClassName()));
    stReadInteger(stream);
    stReadInteger(stream);
    ReadData(stream);
}
