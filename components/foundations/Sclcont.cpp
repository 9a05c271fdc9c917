// Change links, the containers and their stored layout, the bitmap and
// image lists, the global container and its form component, list files.

#include "components/foundations/Sclcont.h"

#include <dlfcn.h>

#include <algorithm>
#include <array>

#include "components/foundations/Sclclass.h"
#include "components/foundations/Sclcont_Internal.h"
#include "components/foundations/Sclstreamutils.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/classlib/SysUtils.h"

TSCLContainer* SCLContainer = new TSCLContainer(nullptr);

namespace {

constexpr std::array<const char*, 6> Idents = {"SCLIML30", "SCLBML30", "SCLWVL30", "SCLSLL30", "SCLGLL50", "SCLRTL50"};
constexpr std::array<const char*, 6> Suffixes = {"iml", "bml", "wvl", "sll", "gll", "rtl"};
constexpr std::array<const char*, 6> Item_Suffixes = {"iml", "bmp", "wav", "txt", "*", "rtf"};
constexpr std::size_t Ident_Size = 9;
// The smallest item record: its flags byte.
constexpr std::int64_t Min_Record_Size = 1;
constexpr const char* List_Index_Text = "Indice de liste hors limites (%d)";

std::string With_Dot(const char* Suffix, bool WithDot)
{
    return WithDot ? std::string(".") + Suffix : std::string(Suffix);
}

// Count as stored: not negative, and room in the stream for its table and records.
std::int32_t Read_Count(TStream& Stream, bool Indexed)
{
    const std::int32_t count = stReadInteger(Stream);
    const std::int64_t per_item = Min_Record_Size + (Indexed ? 4 : 0);
    if (count < 0 || count > (Stream.Size() - Stream.Position()) / per_item)
        throw EReadError(Format("List data: item count %d does not fit the data", count));
    return count;
}

} // namespace

// ---- Shared helpers --------------------------------------------------------------

void Scl_Check_Length(TStream& Stream, std::int64_t Length, const char* What)
{
    if (Length < 0 || Length > Stream.Size() - Stream.Position())
        throw EReadError(Format("List data: %s length %d does not fit the data", What, static_cast<int>(Length)));
}

std::string Scl_Read_Ident(TStream& Stream)
{
    std::string ident(Ident_Size, '\0');
    ident.resize(static_cast<std::size_t>(std::max(Stream.Read(ident.data(), static_cast<int>(Ident_Size)), 0)));
    return ident;
}

std::string Scl_Open_Error(const std::string& Name) { return Format("Impossible d'ouvrir le fichier %s", Name); }

void Scl_Draw_Fetched(TCanvas* Canvas, const RECT& Rect, WORD Flags, TBitmap* Bitmap)
{
    RECT painted{0, 0, 0, 0};
    SCLBmpDraw(Canvas, Rect, Bitmap, Flags, Bitmap->TransparentColor(), painted);
}

void Scl_Clip_Draw_Fetched(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color, TBitmap* Bitmap)
{
    SCLBmpClipDraw(Canvas, Rect, Bitmap, Flags, Offset, Color);
}

// ---- Change links ----------------------------------------------------------------

TSCLChangeLink::~TSCLChangeLink()
{
    if (Sender)
        Sender->UnRegisterChanges(this);
}

void TSCLChangeLink::Change()
{
    if (OnChange)
        OnChange(Sender);
}

TSCLBaseContainer::~TSCLBaseContainer()
{
    while (!links.empty())
        UnRegisterChanges(links.back());
}

void TSCLBaseContainer::RegisterChanges(TSCLChangeLink* Link)
{
    Link->Sender = this;
    links.push_back(Link);
}

void TSCLBaseContainer::UnRegisterChanges(TSCLChangeLink* Link)
{
    auto found = std::find(links.begin(), links.end(), Link);
    if (found == links.end())
        return;
    Link->Sender = nullptr;
    links.erase(found);
}

void TSCLBaseContainer::Change()
{
    // A copy: a link's handler may unregister links.
    const std::vector<TSCLChangeLink*> current = links;
    for (TSCLChangeLink* link : current)
        if (std::find(links.begin(), links.end(), link) != links.end())
            link->Change();
    TSCLCustomComponent::Change();
}

// ---- TSCLCustomContainer ---------------------------------------------------------

TSCLCustomContainer::TSCLCustomContainer(TComponent* AOwner, TSCLListItemClassType AKind)
    : TSCLBaseContainer(AOwner), kind(AKind)
{
}

TSCLCustomContainer::~TSCLCustomContainer()
{
    for (TSCLListItem* item : items)
        delete item;
}

TSCLListItem* TSCLCustomContainer::GetItem(int Index)
{
    if (Index < 0 || Index >= GetCount())
        throw EListError(Format("List index out of bounds (%d)", Index));
    return items[static_cast<std::size_t>(Index)];
}

void TSCLCustomContainer::Take(TSCLListItem* Item)
{
    if (Item->Owner() != this) {
        if (Item->Owner())
            Item->Owner()->RemoveComponent(Item);
        InsertComponent(Item);
    }
}

int TSCLCustomContainer::Add(TSCLListItem* Item)
{
    Insert(Count(), Item);
    return Count() - 1;
}

void TSCLCustomContainer::Insert(int Index, TSCLListItem* Item)
{
    if (Index < 0 || Index > Count())
        throw EListError(Format("List index out of bounds (%d)", Index));
    TSCLListItem* item = Item ? Item : NewItem();
    Take(item);
    items.insert(items.begin() + Index, item);
    Change();
}

void TSCLCustomContainer::Delete(int Index)
{
    TSCLListItem* item = GetItem(Index);
    items.erase(items.begin() + Index);
    delete item;
    Change();
}

void TSCLCustomContainer::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    TSCLListItem* item = GetItem(CurIndex);
    GetItem(NewIndex);
    items.erase(items.begin() + CurIndex);
    items.insert(items.begin() + NewIndex, item);
    Change();
}

void TSCLCustomContainer::Clear()
{
    std::vector<TSCLListItem*> old;
    old.swap(items);
    for (TSCLListItem* item : old)
        delete item;
    Change();
}

int TSCLCustomContainer::IndexOf(TSCLListItem* Item) const
{
    auto found = std::find(items.begin(), items.end(), Item);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

TSCLListItem* TSCLCustomContainer::GetItemByName(const std::string& Name) const
{
    auto found = std::find_if(items.begin(), items.end(), [&](TSCLListItem* item) { return item->Description == Name; });
    return found == items.end() ? nullptr : *found;
}

void TSCLCustomContainer::AssignSettings(TSCLCustomContainer* Source) { DefaultCompressed = Source->DefaultCompressed; }

void TSCLCustomContainer::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TSCLCustomContainer*>(Source);
    if (!source || source->kind != kind) {
        TSCLBaseContainer::Assign(Source);
        return;
    }
    if (source == this)
        return;
    BeginUpdate();
    try {
        Clear();
        AssignSettings(source);
        AddList(source);
    } catch (...) {
        EndUpdate(false);
        throw;
    }
    EndUpdate(true);
}

void TSCLCustomContainer::AddList(TSCLCustomContainer* Source)
{
    for (TSCLListItem* source_item : Source->items) {
        TSCLListItem* item = NewItem();
        items.push_back(item);
        item->Assign(source_item);
    }
    Change();
}

void TSCLCustomContainer::Update(TSCLListItem* Item)
{
    if (OnChange)
        OnChange(Item);
}

void TSCLCustomContainer::SetSource(TSCLContainerSource Value)
{
    if (Value == source)
        return;
    if (!ComponentState().Contains(csLoading))
        for (TSCLListItem* item : items)
            item->FreeData();
    source = Value;
    Change();
}

void TSCLCustomContainer::SetPrefix(TSCLPathPrefix Value)
{
    if (Value == prefix)
        return;
    prefix = Value;
    Change();
}

void TSCLCustomContainer::ReadData(TStream& Stream, bool Indexed)
{
    BeginUpdate();
    try {
        Clear();
        const std::int32_t count = Read_Count(Stream, Indexed);
        if (Indexed && count > 0)
            Stream.Seek(4 * static_cast<std::int64_t>(count), soFromCurrent);
        for (std::int32_t i = 0; i < count; ++i)
            GetItem(Add())->ReadData(Stream);
    } catch (...) {
        EndUpdate(true);
        throw;
    }
    EndUpdate(true);
}

void TSCLCustomContainer::WriteData(TStream& Stream, bool Indexed)
{
    stWriteInteger(Stream, Count());
    const std::int64_t table = Stream.Position();
    if (Indexed && Count() > 0)
        Stream.Seek(4 * static_cast<std::int64_t>(Count()), soFromCurrent);
    std::vector<std::int32_t> positions;
    for (TSCLListItem* item : items) {
        positions.push_back(static_cast<std::int32_t>(Stream.Position()));
        item->SaveToStream(Stream);
    }
    if (!Indexed || positions.empty())
        return;
    const std::int64_t end = Stream.Position();
    Stream.SetPosition(table);
    for (std::int32_t position : positions)
        stWriteInteger(Stream, position);
    Stream.SetPosition(end);
}

void TSCLCustomContainer::LoadFromFile(const std::string& FileName)
{
    TMemoryStream stream;
    stream.LoadFromFile(FileName);
    if (Scl_Read_Ident(stream) != SCLICIdent(kind))
        throw Exception(Scl_Open_Error(FileName + ": " + ClassName()));
    ReadData(stream, true);
}

void TSCLCustomContainer::SaveToFile(const std::string& FileName)
{
    TMemoryStream stream;
    const std::string ident = SCLICIdent(kind);
    stream.WriteBuffer(ident.data(), static_cast<int>(ident.size()));
    WriteData(stream, true);
    stream.SaveToFile(FileName);
}

// ---- TSCLCustomImageList ---------------------------------------------------------

void TSCLCustomImageList::SetIndex(std::int32_t Value)
{
    if (Value == list_index)
        return;
    if (Value < 0 || Value >= Count())
        throw EInvalidGraphicOperation(Format(List_Index_Text, Value));
    list_index = Value;
}

void TSCLCustomImageList::AssignSettings(TSCLCustomContainer* Source)
{
    TSCLCustomContainer::AssignSettings(Source);
    DefaultPixelFormat = static_cast<TSCLCustomImageList*>(Source)->DefaultPixelFormat;
}

// ---- TSCLBitmapList --------------------------------------------------------------

TBitmap* TSCLBitmapList::ValidBitmap(int List) { return IsValidList(List) ? Items(List)->GetBitmap() : nullptr; }

TBitmap* TSCLBitmapList::GetBitmap() { return ValidBitmap(list_index); }

TCanvas* TSCLBitmapList::BmpCanvas(int List)
{
    TBitmap* bitmap = ValidBitmap(List);
    return bitmap ? bitmap->Canvas() : nullptr;
}

RECT TSCLBitmapList::ItemRect(int List, int)
{
    TBitmap* bitmap = ValidBitmap(List);
    return bitmap ? RECT{0, 0, bitmap->Width(), bitmap->Height()} : RECT{0, 0, 0, 0};
}

int TSCLBitmapList::Dimensions(int List, int Which)
{
    TBitmap* bitmap = ValidBitmap(List);
    return !bitmap ? 0 : Which == 0 ? bitmap->Width() : bitmap->Height();
}

int TSCLBitmapList::ItemCount(int List)
{
    TBitmap* bitmap = ValidBitmap(List);
    return bitmap && !bitmap->Empty() ? 1 : 0;
}

bool TSCLBitmapList::IsValidItem(int List, int) { return ItemCount(List) == 1; }

void TSCLBitmapList::GetBitmapItem(int List, int, TBitmap* Bitmap)
{
    if (TBitmap* bitmap = ValidBitmap(List); bitmap && Bitmap)
        Bitmap->Assign(bitmap);
}

HPALETTE TSCLBitmapList::Palette(int List)
{
    TBitmap* bitmap = ValidBitmap(List);
    return bitmap ? bitmap->Palette() : nullptr;
}

TColor TSCLBitmapList::TransparentColor(int List, int)
{
    TBitmap* bitmap = ValidBitmap(List);
    return bitmap && !bitmap->Empty() ? bitmap->TransparentColor() : clWhite;
}

TColor TSCLBitmapList::GetColorAtPoint(const POINT& Point, int List, int)
{
    TBitmap* bitmap = ValidBitmap(List);
    if (!bitmap)
        return clWhite;
    if (Point.x < 0 || Point.y < 0 || Point.x >= bitmap->Width() || Point.y >= bitmap->Height())
        return clNone;
    return bitmap->Canvas()->Pixels(Point.x, Point.y);
}

void TSCLBitmapList::Draw(TCanvas* Canvas, int X, int Y, int List, int)
{
    TBitmap* bitmap = ValidBitmap(List);
    if (!Canvas || !bitmap || bitmap->Empty())
        return;
    RECT painted{0, 0, 0, 0};
    SCLBmpDraw(Canvas, RECT{X, Y, X + bitmap->Width(), Y + bitmap->Height()}, bitmap, 0, 0, painted);
}

void TSCLBitmapList::DrawExt(TCanvas* Canvas, const RECT& Rect, WORD Flags, int List, int)
{
    TBitmap* bitmap = ValidBitmap(List);
    if (!Canvas || !bitmap || bitmap->Empty())
        return;
    RECT painted{0, 0, 0, 0};
    SCLBmpDraw(Canvas, Rect, bitmap, Flags, bitmap->TransparentColor(), painted);
}

void TSCLBitmapList::ClipDraw(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color, int List,
                              int)
{
    TBitmap* bitmap = ValidBitmap(List);
    if (!Canvas || !bitmap || bitmap->Empty())
        return;
    SCLBmpClipDraw(Canvas, Rect, bitmap, Flags, Offset, Color);
}

// ---- TSCLImageList ---------------------------------------------------------------

TSCLImageListItem* TSCLImageList::ValidItem(int List) { return IsValidList(List) ? Items(List) : nullptr; }

TSCLImageListItem* TSCLImageList::GetList() { return ValidItem(list_index); }

void TSCLImageList::AssignSettings(TSCLCustomContainer* Source)
{
    TSCLCustomImageList::AssignSettings(Source);
    list_index = 0;
}

TCanvas* TSCLImageList::BmpCanvas(int List)
{
    TSCLImageListItem* item = ValidItem(List);
    return item ? item->GetImageBitmap()->Canvas() : nullptr;
}

RECT TSCLImageList::ItemRect(int List, int Index)
{
    TSCLImageListItem* item = ValidItem(List);
    return item ? item->GetImageRect(Index) : RECT{0, 0, 0, 0};
}

int TSCLImageList::Dimensions(int List, int Which)
{
    TSCLImageListItem* item = ValidItem(List);
    return !item ? 0 : Which == 0 ? item->Width() : item->Height();
}

int TSCLImageList::ItemCount(int List)
{
    TSCLImageListItem* item = ValidItem(List);
    return item ? item->Count() : -1;
}

bool TSCLImageList::IsValidItem(int List, int Index)
{
    TSCLImageListItem* item = ValidItem(List);
    return item && item->IsValidIndex(Index);
}

void TSCLImageList::GetBitmapItem(int List, int Index, TBitmap* Bitmap)
{
    if (TSCLImageListItem* item = ValidItem(List))
        item->GetBitmap(Index, Bitmap);
}

bool TSCLImageList::Masked(int List)
{
    TSCLImageListItem* item = ValidItem(List);
    return item && item->Masked();
}

HPALETTE TSCLImageList::Palette(int List)
{
    TSCLImageListItem* item = ValidItem(List);
    return item ? item->GetImageBitmap()->Palette() : nullptr;
}

TColor TSCLImageList::TransparentColor(int List, int Index)
{
    TSCLImageListItem* item = ValidItem(List);
    return item ? item->TransparentColor(Index) : clWhite;
}

TColor TSCLImageList::GetColorAtPoint(const POINT& Point, int List, int Index)
{
    TSCLImageListItem* item = ValidItem(List);
    return item ? item->GetColorAtPoint(Point, Index) : clWhite;
}

void TSCLImageList::Draw(TCanvas* Canvas, int X, int Y, int List, int Index)
{
    if (TSCLImageListItem* item = ValidItem(List))
        item->Draw(Canvas, X, Y, Index);
}

void TSCLImageList::DrawExt(TCanvas* Canvas, const RECT& Rect, WORD Flags, int List, int Index)
{
    if (TSCLImageListItem* item = ValidItem(List))
        item->DrawExt(Canvas, Rect, Flags, Index);
}

void TSCLImageList::ClipDraw(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color, int List,
                             int Index)
{
    if (TSCLImageListItem* item = ValidItem(List))
        item->ClipDraw(Canvas, Rect, Flags, Offset, Color, Index);
}

// ---- The global container --------------------------------------------------------

TSCLContainer::TSCLContainer(TComponent* AOwner)
    : TSCLBaseContainer(AOwner), bitmap_list(new TSCLBitmapList(this)), image_list(new TSCLImageList(this)),
      wave_list(nullptr), string_list(new TSCLStringList(this))
{
    // Made in this order, though the fields keep the wave list before the strings.
    wave_list = new TSCLWaveList(this);
    for (TSCLCustomContainer* list : Lists())
        list->OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TSCLContainer::~TSCLContainer()
{
    for (TSCLCustomContainer* list : Lists())
        list->OnChange = nullptr;
}

void TSCLContainer::GetChange(TObject* Sender)
{
    if (ComponentState().Contains(csDesigning) && this != SCLContainer && SCLContainer) {
        if (Sender == bitmap_list)
            SCLContainer->BitmapList()->Assign(bitmap_list);
        else if (Sender == image_list)
            SCLContainer->ImageList()->Assign(image_list);
        else if (Sender == wave_list)
            SCLContainer->WaveList()->Assign(wave_list);
        else if (Sender == string_list)
            SCLContainer->StringList()->Assign(string_list);
    }
    TSCLBaseContainer::GetChange(Sender);
}

// ---- TSCLContainerCtrl -----------------------------------------------------------

namespace {

constexpr std::array<const char*, 4> List_Names = {"BitmapList", "ImageList", "WaveList", "StringList"};
constexpr BYTE Refused_Selector = 255;
constexpr const char* Prefix_Names[] = {"ppWindows", "ppSystem", "ppProgram", "ppFixed"};
constexpr const char* Source_Names[] = {"sdComponent", "sdFile", "sdAppResource", "sdLibResource", "sdPath"};
constexpr const char* Pixel_Format_Names[] = {"spfDefault", "spfMono", "spf4bit", "spf8bit"};

// Lists that forms place: their items are written inside them as child
// components; the connector's and graphic list's items are collections.
const bool Lists_Registered = [] {
    RegisterClass<TSCLCustomContainer, TComponent>("TSCLCustomContainer")
        .Property("DefaultCompressed", Boolean_Type(), [](TSCLCustomContainer& c) { return c.DefaultCompressed; },
                  [](TSCLCustomContainer& c, bool v) { c.DefaultCompressed = v; }, false)
        .Property("Prefix", Enum_Type<TSCLPathPrefix>(Prefix_Names), &TSCLCustomContainer::Prefix,
                  &TSCLCustomContainer::SetPrefix, ppProgram)
        .Property("Source", Enum_Type<TSCLContainerSource>(Source_Names), &TSCLCustomContainer::Source,
                  &TSCLCustomContainer::SetSource, sdComponent)
        .Property("Path", String_Type(), [](TSCLCustomContainer& c) { return c.Path; },
                  [](TSCLCustomContainer& c, const std::string& v) { c.Path = v; }, std::string())
        .Children_Rule([](TSCLCustomContainer& container) {
            std::vector<TComponent*> children;
            for (int i = 0; container.ListKind() != icInvalid && i < container.Count(); ++i)
                children.push_back(container.GetItem(i));
            return children;
        });
    RegisterClass<TSCLCustomImageList, TSCLCustomContainer>("TSCLCustomImageList")
        .Property("DefaultPixelFormat", Enum_Type<TSCLSavePixelFormat>(Pixel_Format_Names),
                  [](TSCLCustomImageList& l) { return l.DefaultPixelFormat; },
                  [](TSCLCustomImageList& l, TSCLSavePixelFormat v) { l.DefaultPixelFormat = v; }, spfDefault);
    RegisterComponentClass<TSCLBitmapList, TSCLCustomImageList>("TSCLBitmapList");
    RegisterComponentClass<TSCLImageList, TSCLCustomImageList>("TSCLImageList");
    RegisterComponentClass<TSCLStringList, TSCLCustomContainer>("TSCLStringList");
    RegisterComponentClass<TSCLGenericList, TSCLCustomContainer>("TSCLGenericList");
    RegisterComponentClass<TSCLWaveList, TSCLCustomContainer>("TSCLWaveList");
    RegisterClass<TSCLBorImageListItem>("TSCLBorImageListItem")
        .Property("Name", String_Type(), &TSCLBorImageListItem::Name, &TSCLBorImageListItem::SetName, std::string())
        .Component<TCustomImageList>("ImageList", &TSCLBorImageListItem::ImageList,
                                     &TSCLBorImageListItem::SetImageList);
    RegisterComponentClass<TSCLImageListConnector, TSCLCustomImageList>("TSCLImageListConnector")
        .Collection(
            "ImageLists", [](TSCLImageListConnector& c) { c.ImageLists()->Clear(); },
            [](TSCLImageListConnector& c) { return c.ImageLists()->Add(); },
            [](TSCLImageListConnector& c) { return c.ImageLists()->Count(); },
            [](TSCLImageListConnector& c, int i) { return c.ImageLists()->Items(i); });
    return true;
}();

// Forms store the lists as binary properties named after them.
const bool Container_Ctrl_Registered = [] {
    RegisterComponentClass<TSCLContainerCtrl, TComponent>("TSCLContainerCtrl")
        .DefineProperties([](TSCLContainerCtrl& control, TFiler& filer) {
            for (const char* name : List_Names)
                filer.DefineBinaryProperty(
                    name, [&control, name](TStream& stream) { control.ReadList(name, stream); },
                    [&control, name](TStream& stream) { control.WriteList(name, stream); }, control.HasList(name));
        });
    return true;
}();

} // namespace

TSCLContainerCtrl::TSCLContainerCtrl(TComponent* AOwner) : TSCLCustomComponent(AOwner)
{
    if (!ComponentState().Contains(csDesigning)) {
        container = SCLContainer;
        return;
    }
    if (SCLCheckForSameClass<TSCLContainerCtrl>(AOwner)) {
        selector = Refused_Selector;
        throw SCLEOneInstError(ClassName(), 0);
    }
    container = new TSCLContainer(this);
}

TSCLContainerCtrl::~TSCLContainerCtrl()
{
    if (container != SCLContainer)
        delete container;
}

TSCLCustomContainer* TSCLContainerCtrl::SelectList(const std::string& Name)
{
    auto found = std::find_if(List_Names.begin(), List_Names.end(), [&](const char* n) { return Name == n; });
    const auto index = static_cast<std::size_t>(found - List_Names.begin());
    if (found == List_Names.end())
        throw EReadError(Format("%s: no list named %s", ClassName(), Name));
    selector = static_cast<BYTE>(index + 1);
    const std::array<TSCLCustomContainer*, 4> lists = {container->BitmapList(), container->ImageList(),
                                                       container->WaveList(), container->StringList()};
    return lists[index];
}

void TSCLContainerCtrl::ReadList(const std::string& Name, TStream& Stream) { SelectList(Name)->LoadFromStream(Stream); }

void TSCLContainerCtrl::WriteList(const std::string& Name, TStream& Stream) { SelectList(Name)->SaveToStream(Stream); }

bool TSCLContainerCtrl::HasList(const std::string& Name) { return !SelectList(Name)->Empty(); }

void TSCLContainerCtrl::Notification(TComponent* AComponent, TOperation Operation)
{
    TSCLCustomComponent::Notification(AComponent, Operation);
    if (ComponentState().Contains(csDesigning) && Operation == opRemove && AComponent == this &&
        selector < Refused_Selector) {
        for (TSCLCustomContainer* list : SCLContainer->Lists())
            list->Clear();
    }
}

// ---- Global identifiers ----------------------------------------------------------

std::string SCLICIdent(TSCLListItemClassType Kind)
{
    if (Kind >= icInvalid)
        return {};
    return std::string(1, '\x08') + Idents[Kind];
}

TSCLCustomImageList* SCLGlobalList(const std::string& Ident)
{
    if (!SCLContainer)
        return nullptr;
    if (Ident == Idents[icBitmap])
        return SCLContainer->BitmapList();
    if (Ident == Idents[icImageList])
        return SCLContainer->ImageList();
    return nullptr;
}

std::string SCLGlobalIdent(const TSCLCustomImageList* List)
{
    if (!List || !SCLContainer)
        return {};
    if (List == SCLContainer->BitmapList())
        return Idents[icBitmap];
    if (List == SCLContainer->ImageList())
        return Idents[icImageList];
    return {};
}

TSCLCustomImageList* SCLReadGlobalIdent(TReader& Reader) { return SCLGlobalList(Reader.ReadString()); }

void SCLWriteGlobalIdent(TWriter& Writer, const TSCLCustomImageList* List)
{
    const std::string ident = SCLGlobalIdent(List);
    if (!ident.empty())
        Writer.WriteString(ident);
}

bool SCLIsGlobalIdent(const TSCLCustomImageList* List) { return !SCLGlobalIdent(List).empty(); }

void SCLMoveImageListLink(TSCLCustomImageList*& Field, TSCLCustomImageList* Value, TSCLChangeLink& Link,
                          TComponent* Holder)
{
    if (Field) {
        Field->UnRegisterChanges(&Link);
        Field->RemoveFreeNotification(Holder);
    }
    Field = Value;
    if (Field) {
        Field->RegisterChanges(&Link);
        Field->FreeNotification(Holder);
    }
}

void SCLForgetImageList(TSCLCustomImageList*& Field, TSCLChangeLink& Link)
{
    if (Field && Link.Sender == Field)
        Field->UnRegisterChanges(&Link);
    Field = nullptr;
}

bool SCLStoreImageListIndex(std::int32_t& Field, std::int32_t Value)
{
    if (Value == Field || Value < 0)
        return false;
    Field = Value;
    return true;
}

bool SCLIsSingleItemImageList(const TSCLCustomImageList* List)
{
    return dynamic_cast<const TSCLBitmapList*>(List) != nullptr || dynamic_cast<const TSCLGraphicList*>(List) != nullptr;
}

bool SCLIsCollectionImageList(const TSCLCustomImageList* List)
{
    return dynamic_cast<const TSCLImageListConnector*>(List) != nullptr;
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
    Count = Read_Count(Stream, true);
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

namespace {

constexpr const char* Resource_Lookup = "SCLBitmapResource";
using Resource_Lookup_Function = const unsigned char* (*)(const char*, unsigned int*);

bool Is_Bitmap_File(const std::string& FileName)
{
    TFileStream file(FileName, fmOpenRead);
    char magic[2] = {};
    return file.Read(magic, 2) == 2 && magic[0] == 'B' && magic[1] == 'M';
}

// Bitmap takes the bitmap file in Bytes; damaged bytes leave it unchanged.
bool Load_Bitmap_Bytes(const unsigned char* Bytes, unsigned int Size, TBitmap* Bitmap)
{
    TMemoryStream stream;
    stream.WriteBuffer(Bytes, static_cast<int>(Size));
    stream.SetPosition(0);
    TBitmap read;
    read.LoadFromStream(stream);
    Bitmap->Assign(&read);
    return true;
}

} // namespace

bool SCLBmpLoadFromLibrary(const std::string& FileName, const std::string& Name, TBitmap* Bitmap)
{
    void* library = dlopen(FileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return false;
    bool loaded = false;
    try {
        const auto lookup = reinterpret_cast<Resource_Lookup_Function>(dlsym(library, Resource_Lookup));
        unsigned int size = 0;
        const unsigned char* bytes = lookup ? lookup(Name.c_str(), &size) : nullptr;
        loaded = bytes && size > 0 && Load_Bitmap_Bytes(bytes, size, Bitmap);
    } catch (const Exception&) {
        loaded = false;
    }
    dlclose(library);
    return loaded;
}

bool SCLBmpLoadFromFile(const std::string& FileName, WORD Ident, TBitmap* Bitmap)
{
    try {
        if (!Is_Bitmap_File(FileName))
            return SCLBmpLoadFromLibrary(FileName, std::to_string(Ident), Bitmap);
        TBitmap read;
        read.LoadFromFile(FileName);
        Bitmap->Assign(&read);
        return true;
    } catch (const Exception&) {
        return false;
    }
}
