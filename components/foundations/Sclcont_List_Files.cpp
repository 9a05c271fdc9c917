// List files: the identifiers and file suffixes of the list kinds, and
// reading a list file's kind, one of its items or the whole list.

#include "components/foundations/Sclcont.h"

#include <array>

#include "components/foundations/Sclcont_Internal.h"
#include "components/foundations/Sclstreamutils.h"
#include "platform/classlib/SysUtils.h"

namespace {

constexpr std::array<const char*, 6> Suffixes = {"iml", "bml", "wvl", "sll", "gll", "rtl"};
constexpr std::array<const char*, 6> Item_Suffixes = {"iml", "bmp", "wav", "txt", "*", "rtf"};

std::string With_Dot(const char* Suffix, bool WithDot)
{
    return WithDot ? std::string(".") + Suffix : std::string(Suffix);
}

} // namespace

// ---- Identifiers and suffixes ----------------------------------------------------

std::string SCLICIdent(TSCLListItemClassType Kind)
{
    if (Kind >= icInvalid)
        return {};
    return std::string(1, '\x08') + Scl_List_Idents[Kind];
}

std::string SCLICGetSuffix(TSCLListItemClassType Kind, bool WithDot)
{
    return Kind >= icInvalid ? std::string() : With_Dot(Suffixes[Kind], WithDot);
}

std::string SCLICGetItemSuffix(TSCLListItemClassType Kind, bool WithDot)
{
    return Kind >= icInvalid ? std::string() : With_Dot(Item_Suffixes[Kind], WithDot);
}

// ---- List files ------------------------------------------------------------------

TSCLListItemClassType SCLListGetStreamType(TStream& Stream, std::int32_t& Count, std::vector<std::int64_t>* Positions)
{
    Count = 0;
    if (Positions)
        Positions->clear();
    const std::string ident = Scl_Read_Ident(Stream);
    TSCLListItemClassType kind = icInvalid;
    for (int k = icImageList; k < icInvalid; ++k)
        if (ident == SCLICIdent(static_cast<TSCLListItemClassType>(k)))
            kind = static_cast<TSCLListItemClassType>(k);
    if (kind == icInvalid)
        return kind;
    Count = Scl_Read_Count(Stream, true);
    if (!Positions)
        return kind;
    const std::int64_t first = Stream.Position() + 4 * static_cast<std::int64_t>(Count);
    for (std::int32_t i = 0; i < Count; ++i) {
        const std::int32_t position = stReadInteger(Stream);
        if (position < first || position >= Stream.Size())
            throw EReadError(Format("List file: item %d is placed at %d, outside the data", i, position));
        Positions->push_back(position);
    }
    return kind;
}

TSCLListItemClassType SCLListGetFileType(const std::string& FileName, std::int32_t& Count,
                                         std::vector<std::int64_t>* Positions)
{
    TFileStream file(FileName, fmOpenRead);
    return SCLListGetStreamType(file, Count, Positions);
}

bool SCLListGetItemFromStream(TStream& Stream, const std::vector<std::int64_t>* Positions, int Index,
                              TSCLListItem* Item)
{
    if (!Positions || Index < 0 || static_cast<std::size_t>(Index) >= Positions->size())
        return false;
    Stream.SetPosition((*Positions)[static_cast<std::size_t>(Index)]);
    Item->LoadFromStream(Stream);
    return true;
}

bool SCLListGetItemFromFile(const std::string& FileName, TSCLListItemClassType Kind,
                            const std::vector<std::int64_t>* Positions, TSCLListItem* Item, int Index)
{
    TMemoryStream stream;
    stream.LoadFromFile(FileName);
    std::vector<std::int64_t> own;
    std::int32_t count = 0;
    if (SCLListGetStreamType(stream, count, Positions ? nullptr : &own) != Kind)
        throw Exception(Scl_Open_Error(FileName));
    return SCLListGetItemFromStream(stream, Positions ? Positions : &own, Index, Item);
}

bool SCLBMLGetItem(const std::string& FileName, int Index, TBitmap* Bitmap)
{
    TSCLBitmapListItem item(nullptr);
    const bool read = SCLListGetItemFromFile(FileName, icBitmap, nullptr, &item, Index);
    if (read && Bitmap)
        Bitmap->Assign(item.GetBitmap());
    return read;
}

bool SCLIMLGetItem(const std::string& FileName, int Index, TSCLImageListItem* Item)
{
    return SCLListGetItemFromFile(FileName, icImageList, nullptr, Item, Index);
}

bool SCLWVLGetItem(const std::string& FileName, int Index, TSCLWave* Wave)
{
    TSCLWaveListItem item(nullptr);
    const bool read = SCLListGetItemFromFile(FileName, icWave, nullptr, &item, Index);
    if (read && Wave)
        Wave->Assign(&item.Wave);
    return read;
}

std::unique_ptr<TSCLCustomContainer> SCLReadListStream(TStream& Stream)
{
    Stream.SetPosition(0);
    const std::string ident = Scl_Read_Ident(Stream);
    std::unique_ptr<TSCLCustomContainer> list;
    if (ident == SCLICIdent(icBitmap))
        list = std::make_unique<TSCLBitmapList>(nullptr);
    else if (ident == SCLICIdent(icImageList))
        list = std::make_unique<TSCLImageList>(nullptr);
    else if (ident == SCLICIdent(icStringList))
        list = std::make_unique<TSCLStringList>(nullptr);
    else if (ident == SCLICIdent(icGeneric))
        list = std::make_unique<TSCLGenericList>(nullptr);
    else if (ident == SCLICIdent(icWave))
        list = std::make_unique<TSCLWaveList>(nullptr);
    else
        throw Exception("List data: not a list this program reads");
    list->ReadData(Stream, true);
    return list;
}
