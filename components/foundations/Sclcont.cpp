// Change links and the containers: their items, their stored layout and
// list files of their own kind, and the registration of the lists forms
// place. Also the stored-data helpers the list units share.

#include "components/foundations/Sclcont.h"

#include <algorithm>

#include "components/foundations/Sclcont_Internal.h"
#include "components/foundations/Sclstreamutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/SysUtils.h"

namespace {

constexpr std::size_t Ident_Size = 9;
// The smallest item record: its flags byte.
constexpr std::int64_t Min_Record_Size = 1;
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

} // namespace

// ---- Shared helpers --------------------------------------------------------------

void Scl_Check_Length(TStream& Stream, std::int64_t Length, const char* What)
{
    if (Length < 0 || Length > Stream.Size() - Stream.Position())
        throw EReadError(Format("List data: %s length %d does not fit the data", What, static_cast<int>(Length)));
}

std::int32_t Scl_Read_Count(TStream& Stream, bool Indexed)
{
    const std::int32_t count = stReadInteger(Stream);
    const std::int64_t per_item = Min_Record_Size + (Indexed ? 4 : 0);
    if (count < 0 || count > (Stream.Size() - Stream.Position()) / per_item)
        throw EReadError(Format("List data: item count %d does not fit the data", count));
    return count;
}

std::string Scl_Read_Ident(TStream& Stream)
{
    std::string ident(Ident_Size, '\0');
    ident.resize(static_cast<std::size_t>(std::max(Stream.Read(ident.data(), static_cast<int>(Ident_Size)), 0)));
    return ident;
}

std::string Scl_Open_Error(const std::string& Name) { return Format("Impossible d'ouvrir le fichier %s", Name); }

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
        const std::int32_t count = Scl_Read_Count(Stream, Indexed);
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
