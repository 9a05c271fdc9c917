// Picture lists over the class library's image lists (the connector) and
// over pictures (the graphic list).

#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclcont_Internal.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/ExtCtrls_Controls.h"
#include "platform/classlib/SysUtils.h"

namespace {

constexpr RECT Empty_Rect{0, 0, 0, 0};

// The shared item of a wrapping list, named after collection item Index.
TSCLListItem* Shared_Item(TSCLListItem* Item, int Count, int Index, const std::string& Name)
{
    if (Index < 0 || Index >= Count)
        throw EListError(Format("List index out of bounds (%d)", Index));
    Item->Description = Name;
    return Item;
}

// A graphic list on a form keeps its pictures in its "Graphics" collection.
const bool Graphic_List_Registered = [] {
    RegisterClass<TSCLGraphicListItem>("TSCLGraphicListItem")
        .Property("Name", String_Type(), &TSCLGraphicListItem::Name, &TSCLGraphicListItem::SetName, std::string())
        .Object("Picture", &TSCLGraphicListItem::Picture);
    RegisterComponentClass<TSCLGraphicList, TSCLCustomImageList>("TSCLGraphicList")
        .Collection(
            "Graphics", [](TSCLGraphicList& l) { l.Graphics()->Clear(); },
            [](TSCLGraphicList& l) { return l.Graphics()->Add(); },
            [](TSCLGraphicList& l) { return l.Graphics()->Count(); },
            [](TSCLGraphicList& l, int i) { return l.Graphics()->Items(i); });
    return true;
}();

} // namespace

// ---- TSCLBorImageListItem --------------------------------------------------------

TSCLBorImageListItem::TSCLBorImageListItem(TCollection* ACollection) : TCollectionItem(ACollection)
{
    link.OnChange = [this](TObject*) { Changed(false); };
}

TSCLBorImageListItem::~TSCLBorImageListItem()
{
    if (link.Sender)
        link.Sender->UnRegisterChanges(&link);
}

TSCLImageListConnector* TSCLBorImageListItem::Connector() const
{
    auto* items = dynamic_cast<TSCLBorImageListItems*>(Collection());
    return items ? items->Owner() : nullptr;
}

void TSCLBorImageListItem::SetName(const std::string& Value)
{
    if (Value == name)
        return;
    name = Value;
    Changed(false);
}

void TSCLBorImageListItem::SetImageList(TCustomImageList* Value)
{
    if (link.Sender)
        link.Sender->UnRegisterChanges(&link);
    image_list = Value;
    if (image_list) {
        image_list->RegisterChanges(&link);
        if (TSCLImageListConnector* connector = Connector())
            image_list->FreeNotification(connector);
    }
    Changed(false);
}

std::string TSCLBorImageListItem::DisplayName() const
{
    if (!name.empty())
        return name;
    if (image_list && !image_list->Name().empty())
        return image_list->Name();
    return TCollectionItem::DisplayName();
}

TSCLBorImageListItems::TSCLBorImageListItems(TSCLImageListConnector* AOwner)
    : TCollection([](TCollection* items) { return new TSCLBorImageListItem(items); }), owner(AOwner)
{
}

void TSCLBorImageListItems::Update(TCollectionItem*) { owner->Change(); }

// ---- TSCLImageListConnector ------------------------------------------------------

TSCLImageListConnector::TSCLImageListConnector(TComponent* AOwner)
    : TSCLCustomImageList(AOwner, icInvalid), image_lists(this), shared_item(new TSCLListItem(this))
{
}

TSCLImageListConnector::~TSCLImageListConnector()
{
    // The items go first, while the connector is still whole.
    image_lists.Clear();
}

TSCLListItem* TSCLImageListConnector::GetItem(int Index)
{
    return Shared_Item(shared_item, GetCount(), Index,
                       Index >= 0 && Index < GetCount() ? image_lists.Items(Index)->Name() : std::string());
}

void TSCLImageListConnector::Notification(TComponent* AComponent, TOperation Operation)
{
    TSCLCustomImageList::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    for (int i = 0; i < image_lists.Count(); ++i)
        if (image_lists.Items(i)->ImageList() == AComponent)
            image_lists.Items(i)->SetImageList(nullptr);
}

TCustomImageList* TSCLImageListConnector::ListOf(int List)
{
    return IsValidList(List) ? image_lists.Items(List)->ImageList() : nullptr;
}

bool TSCLImageListConnector::Fetch(int List, int Index, TBitmap& Bitmap)
{
    if (!IsValidItem(List, Index))
        return false;
    ListOf(List)->GetBitmap(Index, &Bitmap);
    return true;
}

RECT TSCLImageListConnector::ItemRect(int List, int)
{
    TCustomImageList* list = ListOf(List);
    return list ? RECT{0, 0, list->Width(), list->Height()} : Empty_Rect;
}

int TSCLImageListConnector::Dimensions(int List, int Which)
{
    TCustomImageList* list = ListOf(List);
    return !list ? 0 : Which == 0 ? list->Width() : list->Height();
}

int TSCLImageListConnector::ItemCount(int List)
{
    TCustomImageList* list = ListOf(List);
    return list ? list->Count() : -1;
}

bool TSCLImageListConnector::IsValidItem(int List, int Index)
{
    TCustomImageList* list = ListOf(List);
    return list && Index >= 0 && Index < list->Count();
}

void TSCLImageListConnector::GetBitmapItem(int List, int Index, TBitmap* Bitmap)
{
    if (Bitmap && IsValidItem(List, Index))
        ListOf(List)->GetBitmap(Index, Bitmap);
}

bool TSCLImageListConnector::Masked(int List)
{
    TCustomImageList* list = ListOf(List);
    return list && list->Masked();
}

TColor TSCLImageListConnector::TransparentColor(int List, int Index)
{
    TBitmap bitmap;
    return Fetch(List, Index, bitmap) ? bitmap.TransparentColor() : clNone;
}

void TSCLImageListConnector::Draw(TCanvas* Canvas, int X, int Y, int List, int Index)
{
    if (IsValidItem(List, Index))
        ListOf(List)->Draw(Canvas, X, Y, Index, true);
}

void TSCLImageListConnector::DrawExt(TCanvas* Canvas, const RECT& Rect, WORD Flags, int List, int Index)
{
    TBitmap bitmap;
    if (Canvas && Fetch(List, Index, bitmap))
        Scl_Draw_Fetched(Canvas, Rect, Flags, &bitmap);
}

void TSCLImageListConnector::ClipDraw(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color,
                                      int List, int Index)
{
    TBitmap bitmap;
    if (Canvas && Fetch(List, Index, bitmap))
        Scl_Clip_Draw_Fetched(Canvas, Rect, Flags, Offset, Color, &bitmap);
}

// ---- TSCLGraphicListItem ---------------------------------------------------------

TSCLGraphicListItem::TSCLGraphicListItem(TCollection* ACollection)
    : TCollectionItem(ACollection), picture(std::make_unique<TPicture>())
{
    picture->OnChange = [this](TObject*) { Changed(false); };
}

TSCLGraphicListItem::~TSCLGraphicListItem() { picture->OnChange = nullptr; }

void TSCLGraphicListItem::SetName(const std::string& Value)
{
    if (Value == name)
        return;
    name = Value;
    Changed(false);
}

void TSCLGraphicListItem::SetPicture(TPicture* Value) { picture->Assign(Value); }

TSCLGraphicListItems::TSCLGraphicListItems(TSCLGraphicList* AOwner)
    : TCollection([](TCollection* items) { return new TSCLGraphicListItem(items); }), owner(AOwner)
{
}

void TSCLGraphicListItems::Update(TCollectionItem*) { owner->Change(); }

// ---- TSCLGraphicList -------------------------------------------------------------

TSCLGraphicList::TSCLGraphicList(TComponent* AOwner)
    : TSCLCustomImageList(AOwner, icInvalid), graphics(this), shared_item(new TSCLListItem(this))
{
}

TSCLGraphicList::~TSCLGraphicList() { graphics.Clear(); }

TSCLListItem* TSCLGraphicList::GetItem(int Index)
{
    return Shared_Item(shared_item, GetCount(), Index,
                       Index >= 0 && Index < GetCount() ? graphics.Items(Index)->Name() : std::string());
}

TGraphic* TSCLGraphicList::GraphicOf(int List)
{
    return IsValidList(List) ? graphics.Items(List)->Picture()->Graphic() : nullptr;
}

bool TSCLGraphicList::IsValidItem(int List, int) { return GraphicOf(List) != nullptr; }

RECT TSCLGraphicList::ItemRect(int List, int)
{
    TGraphic* graphic = GraphicOf(List);
    return graphic ? RECT{0, 0, graphic->Width(), graphic->Height()} : Empty_Rect;
}

int TSCLGraphicList::Dimensions(int List, int Which)
{
    TGraphic* graphic = GraphicOf(List);
    return !graphic ? 0 : Which == 0 ? graphic->Width() : graphic->Height();
}

void TSCLGraphicList::GetBitmapItem(int List, int, TBitmap* Bitmap)
{
    TGraphic* graphic = GraphicOf(List);
    if (!Bitmap || !graphic)
        return;
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic)) {
        Bitmap->Assign(bitmap);
        return;
    }
    Bitmap->SetSize(graphic->Width(), graphic->Height());
    Bitmap->Canvas()->Brush()->SetColor(clWhite);
    Bitmap->Canvas()->FillRect(RECT{0, 0, graphic->Width(), graphic->Height()});
    Bitmap->Canvas()->Draw(0, 0, graphic);
}

HPALETTE TSCLGraphicList::Palette(int List)
{
    auto* bitmap = dynamic_cast<TBitmap*>(GraphicOf(List));
    return bitmap ? bitmap->Palette() : nullptr;
}

TColor TSCLGraphicList::TransparentColor(int List, int Index)
{
    TGraphic* graphic = GraphicOf(List);
    if (!graphic)
        return clNone;
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic))
        return bitmap->TransparentColor();
    TBitmap fetched;
    GetBitmapItem(List, Index, &fetched);
    return fetched.TransparentColor();
}

void TSCLGraphicList::Draw(TCanvas* Canvas, int X, int Y, int List, int)
{
    if (TGraphic* graphic = GraphicOf(List); graphic && Canvas)
        Canvas->Draw(X, Y, graphic);
}

void TSCLGraphicList::DrawExt(TCanvas* Canvas, const RECT& Rect, WORD Flags, int List, int Index)
{
    TBitmap bitmap;
    GetBitmapItem(List, Index, &bitmap);
    if (Canvas && !bitmap.Empty())
        Scl_Draw_Fetched(Canvas, Rect, Flags, &bitmap);
}

void TSCLGraphicList::ClipDraw(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color, int List,
                               int Index)
{
    TBitmap bitmap;
    GetBitmapItem(List, Index, &bitmap);
    if (Canvas && !bitmap.Empty())
        Scl_Clip_Draw_Fetched(Canvas, Rect, Flags, Offset, Color, &bitmap);
}
