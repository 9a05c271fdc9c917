#include "components/controls/Sclregionmask.h"

#include "components/foundations/Sclstreamutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/SysUtils.h"

namespace {

const bool Region_Mask_Registered = [] {
    RegisterClass<TSCLRegionMask>("TSCLRegionMask")
        .Property("RegionDataSize", Integer_Type(0), &TSCLRegionMask::RegionDataSize, &TSCLRegionMask::SetDataSize)
        .Property("Compressed", Boolean_Type(), &TSCLRegionMask::Compressed, &TSCLRegionMask::SetCompressed, false)
        .Property("PixelFormat", Enum_Type<TSCLSavePixelFormat>(TSCLEnumInfo<TSCLSavePixelFormat>::Names),
                  &TSCLRegionMask::PixelFormat, &TSCLRegionMask::SetPixelFormat, spfDefault)
        .DefineProperties(&TSCLRegionMask::DefineProperties);
    return true;
}();

bool Has_Picture(const std::unique_ptr<TBitmap>& Bitmap)
{
    return Bitmap && !Bitmap->Empty();
}

} // namespace

TSCLRegionMask::TSCLRegionMask()
    : border_up_bmp(std::make_unique<TBitmap>()), border_dn_bmp(std::make_unique<TBitmap>()),
      border_bmp(std::make_unique<TBitmap>())
{
}

TSCLRegionMask::~TSCLRegionMask() = default;

void TSCLRegionMask::SetRegionData(std::vector<BYTE> Data)
{
    region_data = std::move(Data);
    region_data_size = static_cast<int>(region_data.size());
}

void TSCLRegionMask::GetMem()
{
    region_data.assign(static_cast<std::size_t>(std::max(region_data_size, 0)), 0);
}

void TSCLRegionMask::FreeMem()
{
    region_data.clear();
    region_data.shrink_to_fit();
    region_data_size = 0;
}

bool TSCLRegionMask::GetRegionData(HRGN Region)
{
    if (region_data.empty())
        return false;
    return ::GetRegionData(Region, static_cast<DWORD>(region_data.size()),
                           reinterpret_cast<RGNDATA*>(region_data.data())) != 0;
}

void TSCLRegionMask::SetBorderBmp(int Index, TBitmap* Bitmap)
{
    switch (Index) {
    case 0:
        border_bmp->Assign(Bitmap);
        break;
    case 1:
        CreateBorderUpBmp();
        border_up_bmp->Assign(Bitmap);
        break;
    case 2:
        CreateBorderDnBmp();
        border_dn_bmp->Assign(Bitmap);
        break;
    default:
        break;
    }
}

void TSCLRegionMask::CreateBorderUpBmp()
{
    if (!border_up_bmp)
        border_up_bmp = std::make_unique<TBitmap>();
}

void TSCLRegionMask::CreateBorderDnBmp()
{
    if (!border_dn_bmp)
        border_dn_bmp = std::make_unique<TBitmap>();
}

void TSCLRegionMask::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TSCLRegionMask*>(Source);
    if (!source) {
        TSCLObject::Assign(Source);
        return;
    }
    if (source == this)
        return;
    FreeMem();
    if (source->region_data_size == 0 || source->region_data.empty())
        return;
    region_data = source->region_data;
    region_data_size = source->region_data_size;
    border_bmp->Assign(source->border_bmp.get());
    CreateBorderUpBmp();
    border_up_bmp->Assign(source->border_up_bmp.get());
    CreateBorderDnBmp();
    border_dn_bmp->Assign(source->border_dn_bmp.get());
}

void TSCLRegionMask::DefineProperties(TFiler& Filer)
{
    Filer.DefineBinaryProperty(
        "RegionData", [this](TStream& Stream) { Read_Region_Data(Stream); },
        [this](TStream& Stream) { Write_Region_Data(Stream); },
        region_data_size > 0 && region_data.size() == static_cast<std::size_t>(region_data_size));
    Define_Bitmap(Filer, "BorderBmp", border_bmp);
    Define_Bitmap(Filer, "BorderUpBmp", border_up_bmp);
    Define_Bitmap(Filer, "BorderDnBmp", border_dn_bmp);
}

void TSCLRegionMask::Define_Bitmap(TFiler& Filer, const char* Name, std::unique_ptr<TBitmap>& Bitmap)
{
    Filer.DefineBinaryProperty(
        Name, [this, &Bitmap](TStream& Stream) { Read_Bitmap(Stream, Bitmap); },
        [this, &Bitmap](TStream& Stream) { Write_Bitmap(Stream, *Bitmap); }, Has_Picture(Bitmap));
}

void TSCLRegionMask::Read_Region_Data(TStream& Stream)
{
    // The size read before it says how much there is; the data must hold
    // exactly that.
    const std::int64_t left = Stream.Size() - Stream.Position();
    if (region_data_size <= 0 || left != region_data_size)
        throw EReadError("Region data of " + std::to_string(left) + " bytes where " +
                         std::to_string(region_data_size) + " were announced");
    GetMem();
    Stream.ReadBuffer(region_data.data(), region_data_size);
}

void TSCLRegionMask::Write_Region_Data(TStream& Stream)
{
    Stream.WriteBuffer(region_data.data(), region_data_size);
}

void TSCLRegionMask::Read_Bitmap(TStream& Stream, std::unique_ptr<TBitmap>& Bitmap)
{
    const BYTE flag = stReadByte(Stream);
    if (flag > 1)
        throw EReadError("Bitmap compression flag " + std::to_string(flag) + " is neither 0 nor 1");
    compressed = flag == 1;
    if (!Bitmap)
        Bitmap = std::make_unique<TBitmap>();
    stReadBitmap(Stream, *Bitmap, compressed);
}

void TSCLRegionMask::Write_Bitmap(TStream& Stream, TBitmap& Bitmap)
{
    stWriteByte(Stream, compressed ? 1 : 0);
    stWriteBitmap(Stream, Bitmap, compressed, -1);
}
