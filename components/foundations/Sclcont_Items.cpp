// List items: the record every item opens with (flags, description,
// ident), the items' registration for forms, and the items that hold a
// string list, raw data or a wave.

#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclcont_Internal.h"
#include "components/foundations/Sclstreamutils.h"
#include "components/foundations/Sclsysin.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/SysUtils.h"

namespace {

// Items of a list placed on a form are its child components: each keeps its
// whole record in "Internal" and joins the list it is read inside.
template <class Item>
void Register_Item(const std::string& Name)
{
    RegisterComponentClass<Item, TSCLListItem>(Name).DefineProperties([](Item& item, TFiler& filer) {
        filer.DefineBinaryProperty(
            "Internal", [&item](TStream& stream) { item.ReadData(stream); },
            [&item](TStream& stream) { item.WriteData(stream); }, true);
    });
}

const bool Items_Registered = [] {
    RegisterClass<TSCLListItem, TComponent>("TSCLListItem")
        .Property("Description", String_Type(), [](TSCLListItem& item) { return item.Description; },
                  [](TSCLListItem& item, const std::string& value) { item.Description = value; }, std::string())
        .Property("Ident", Integer_Type(0, 0xFFFF), [](TSCLListItem& item) { return int{item.Ident}; },
                  [](TSCLListItem& item, int value) { item.Ident = static_cast<WORD>(value); }, 0)
        .Parent_Rule([](TSCLListItem& item, TComponent* parent) {
            auto* container = dynamic_cast<TSCLCustomContainer*>(parent);
            if (!container || container->ListKind() == icInvalid)
                throw EPropertyError("a list item belongs inside a list");
            container->Add(&item);
        });
    Register_Item<TSCLBitmapListItem>("TSCLBitmapListItem");
    Register_Item<TSCLImageListItem>("TSCLImageListItem");
    Register_Item<TSCLStringListItem>("TSCLStringListItem");
    Register_Item<TSCLGenericListItem>("TSCLGenericListItem");
    Register_Item<TSCLWaveListItem>("TSCLWaveListItem");
    return true;
}();

} // namespace

// ---- TSCLListItem ---------------------------------------------------------------

BYTE TSCLListItem::WriteFlag()
{
    BYTE flags = 0;
    if (Compressed)
        flags |= Scl_Flag_Compressed;
    if (!Description.empty())
        flags |= Scl_Flag_Description;
    if (Ident != 0)
        flags |= Scl_Flag_Ident;
    return flags;
}

void TSCLListItem::WriteData(TStream& Stream)
{
    const BYTE flags = WriteFlag();
    stWriteByte(Stream, flags);
    if (flags & Scl_Flag_Description)
        stWriteString(Stream, Description);
    if (flags & Scl_Flag_Ident)
        stWriteInteger(Stream, Ident);
}

void TSCLListItem::ReadData(TStream& Stream) { ReadHeader(Stream); }

BYTE TSCLListItem::ReadHeader(TStream& Stream)
{
    const BYTE flags = stReadByte(Stream);
    Compressed = (flags & Scl_Flag_Compressed) != 0;
    Description = (flags & Scl_Flag_Description) ? stReadString(Stream) : std::string();
    // The 16-bit Ident stored zero-extended; higher bits are not ours.
    Ident = (flags & Scl_Flag_Ident) ? static_cast<WORD>(stReadInteger(Stream)) : WORD{0};
    return flags;
}

TSCLSavePixelFormat TSCLListItem::FlagPixelFormat(BYTE Flags)
{
    if (Flags & Scl_Flag_Mono)
        return spfMono;
    if (Flags & Scl_Flag_4bit)
        return spf4bit;
    if (Flags & Scl_Flag_8bit)
        return spf8bit;
    return spfDefault;
}

BYTE TSCLListItem::PixelFormatFlag(TSCLSavePixelFormat Format)
{
    static constexpr BYTE flags[] = {0, Scl_Flag_Mono, Scl_Flag_4bit, Scl_Flag_8bit};
    return flags[Format];
}

TSCLCustomContainer* TSCLListItem::Container() const { return dynamic_cast<TSCLCustomContainer*>(Owner()); }

int TSCLListItem::GetIndex()
{
    TSCLCustomContainer* container = Container();
    return container ? container->IndexOf(this) : -1;
}

void TSCLListItem::Change()
{
    TSCLCustomComponent::Change();
    if (TSCLCustomContainer* container = Container())
        container->Update(this);
}

void TSCLListItem::AssignStd(TSCLListItem* Source)
{
    Compressed = Source->Compressed;
    Description = Source->Description;
    Ident = Source->Ident;
}

// ---- String and generic items ---------------------------------------------------

void TSCLStringListItem::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TSCLStringListItem*>(Source);
    if (!source) {
        TSCLListItem::Assign(Source);
        return;
    }
    AssignStd(source);
    Items.Assign(source->Items);
    Change();
}

BYTE TSCLStringListItem::WriteFlag() { return TSCLListItem::WriteFlag() | (GetEmpty() ? 0 : Scl_Flag_Payload); }

void TSCLStringListItem::WriteData(TStream& Stream)
{
    TSCLListItem::WriteData(Stream);
    if (!GetEmpty())
        stWriteStringList(Stream, Items, Compressed);
}

void TSCLStringListItem::ReadData(TStream& Stream)
{
    const BYTE flags = ReadHeader(Stream);
    Items.Clear();
    if (flags & Scl_Flag_Payload)
        stReadStringList(Stream, Items, Compressed);
}

void TSCLGenericListItem::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TSCLGenericListItem*>(Source);
    if (!source) {
        TSCLListItem::Assign(Source);
        return;
    }
    AssignStd(source);
    Data.Clear();
    source->Data.SaveToStream(Data);
    FileName = source->FileName;
    Change();
}

void TSCLGenericListItem::FreeData()
{
    Data.Clear();
    FileName.clear();
}

BYTE TSCLGenericListItem::WriteFlag() { return TSCLListItem::WriteFlag() | (GetEmpty() ? 0 : Scl_Flag_Payload); }

void TSCLGenericListItem::WriteData(TStream& Stream)
{
    TSCLListItem::WriteData(Stream);
    if (!GetEmpty()) {
        Data.SetPosition(0);
        if (Compressed) {
            SaveCompressedStream(Data, Stream, Data.Size());
        } else {
            stWriteInteger(Stream, static_cast<std::int32_t>(Data.Size()));
            Data.SaveToStream(Stream);
        }
    }
    stWriteString(Stream, FileName);
}

void TSCLGenericListItem::ReadData(TStream& Stream)
{
    const BYTE flags = ReadHeader(Stream);
    TMemoryStream next;
    if ((flags & Scl_Flag_Payload) && Compressed) {
        LoadCompressedStream(Stream, next);
    } else if (flags & Scl_Flag_Payload) {
        const std::int32_t size = stReadInteger(Stream);
        Scl_Check_Length(Stream, size, "generic item data");
        next.SetSize(size);
        if (size > 0)
            Stream.ReadBuffer(next.Memory(), size);
    }
    FileName = stReadString(Stream);
    Data.Clear();
    next.SaveToStream(Data);
    Data.SetPosition(0);
}

void TSCLGenericListItem::LoadFromFile(const std::string& AFileName)
{
    if (AFileName.empty() || !FileExists(AFileName)) {
        FreeData();
        return;
    }
    Data.LoadFromFile(AFileName);
    FileName = SCLExtractFileName(AFileName);
}

void TSCLGenericListItem::SaveToFile(const std::string& AFileName) const { Data.SaveToFile(AFileName); }

std::string TSCLGenericListItem::SaveToTempFile() const
{
    const std::string name = SCLSITempFile();
    if (!name.empty())
        SaveToFile(name);
    return name;
}

// ---- Wave items -----------------------------------------------------------------

void TSCLWaveListItem::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TSCLWaveListItem*>(Source);
    if (!source) {
        TSCLListItem::Assign(Source);
        return;
    }
    AssignStd(source);
    Wave.Assign(&source->Wave);
    Change();
}

BYTE TSCLWaveListItem::WriteFlag() { return TSCLListItem::WriteFlag() | (GetEmpty() ? 0 : Scl_Flag_Payload); }

void TSCLWaveListItem::WriteData(TStream& Stream)
{
    TSCLListItem::WriteData(Stream);
    if (!GetEmpty())
        stWriteWave(Stream, Wave, Compressed);
}

void TSCLWaveListItem::ReadData(TStream& Stream)
{
    const BYTE flags = ReadHeader(Stream);
    if (flags & Scl_Flag_Payload)
        stReadWave(Stream, Wave, Compressed);
    else
        Wave.FreeWave();
}
