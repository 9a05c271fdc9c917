// List items of the picture lists: the record header every item shares,
// bitmaps, image strips, string lists and raw data.

#include <algorithm>

#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclcont_Internal.h"
#include "components/foundations/Sclstreamutils.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Resources.h"
#include "platform/classlib/SysUtils.h"

namespace {

constexpr BYTE Flag_Compressed = 0x01;
constexpr BYTE Flag_Description = 0x02;
constexpr BYTE Flag_Ident = 0x04;
constexpr BYTE Flag_Payload = 0x08;
constexpr BYTE Flag_Mono = 0x10;
constexpr BYTE Flag_4bit = 0x20;
constexpr BYTE Flag_8bit = 0x40;

constexpr int Max_Strip_Width = 32768;
constexpr const char* Wrong_Size_Text = "Taille d'image incorrecte";
constexpr const char* Too_Many_Text = "Trop d'images";

RECT Image_Rect(int Left, int Width, int Height) { return RECT{Left, 0, Left + Width, Height}; }

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
        flags |= Flag_Compressed;
    if (!Description.empty())
        flags |= Flag_Description;
    if (Ident != 0)
        flags |= Flag_Ident;
    return flags;
}

void TSCLListItem::WriteData(TStream& Stream)
{
    const BYTE flags = WriteFlag();
    stWriteByte(Stream, flags);
    if (flags & Flag_Description)
        stWriteString(Stream, Description);
    if (flags & Flag_Ident)
        stWriteInteger(Stream, Ident);
}

void TSCLListItem::ReadData(TStream& Stream) { ReadHeader(Stream); }

BYTE TSCLListItem::ReadHeader(TStream& Stream)
{
    const BYTE flags = stReadByte(Stream);
    Compressed = (flags & Flag_Compressed) != 0;
    Description = (flags & Flag_Description) ? stReadString(Stream) : std::string();
    // The 16-bit Ident stored zero-extended; higher bits are not ours.
    Ident = (flags & Flag_Ident) ? static_cast<WORD>(stReadInteger(Stream)) : WORD{0};
    return flags;
}

TSCLSavePixelFormat TSCLListItem::FlagPixelFormat(BYTE Flags)
{
    if (Flags & Flag_Mono)
        return spfMono;
    if (Flags & Flag_4bit)
        return spf4bit;
    if (Flags & Flag_8bit)
        return spf8bit;
    return spfDefault;
}

BYTE TSCLListItem::PixelFormatFlag(TSCLSavePixelFormat Format)
{
    static constexpr BYTE flags[] = {0, Flag_Mono, Flag_4bit, Flag_8bit};
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

// ---- TSCLBitmapListItem ---------------------------------------------------------

TSCLBitmapListItem::TSCLBitmapListItem(TComponent* AOwner)
    : TSCLListItem(AOwner), bitmap(std::make_unique<TBitmap>())
{
}

TSCLBitmapListItem::~TSCLBitmapListItem() = default;

TBitmap* TSCLBitmapListItem::GetBitmap()
{
    const TComponentState state = ComponentState();
    if (bitmap->Empty() && !state.Contains(csDesigning) && !state.Contains(csLoading) && Container())
        LoadOnDemand();
    return bitmap.get();
}

namespace {

// Where the folder part of Path ends (after its last "/").
std::size_t Folder_End(const std::string& Path)
{
    const std::size_t slash = Path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

// The folder of a container's Path source: Path's own for ppFixed, else the
// prefix's folder.
std::string Source_Directory(const TSCLCustomContainer& Container)
{
    if (Container.Prefix() == ppFixed)
        return Container.Path.substr(0, Folder_End(Container.Path));
    return SCLCreatePathPrefix(Container.Prefix(), true);
}

// The resource library: Path itself in the system folders, else Path's file
// name (with its suffix) in the source folder.
std::string Library_Name(const TSCLCustomContainer& Container)
{
    if (Container.Prefix() == ppWindows || Container.Prefix() == ppSystem)
        return Container.Path;
    return Source_Directory(Container) + Container.Path.substr(Folder_End(Container.Path));
}

} // namespace

void TSCLBitmapListItem::LoadOnDemand()
{
    TSCLCustomContainer* container = Container();
    container->BeginUpdate();
    try {
        const std::string prefix = SCLCreatePathPrefix(container->Prefix(), true);
        if (container->Source() == sdFile) {
            SCLBMLGetItem(prefix + container->Path, Ident, bitmap.get());
        } else if (container->Source() == sdAppResource) {
            // The program's bitmap resource named by the number; none leaves the bitmap empty.
            const std::string name = std::to_string(Ident);
            if (Bitmap_Resource_Exists(name))
                Load_Bitmap_Resource(bitmap.get(), name);
        } else if (container->Source() == sdPath) {
            const std::string path = container->Path;
            bitmap->LoadFromFile(Source_Directory(*container) + SCLExtractFileName(path).substr(0, 3) +
                                 std::to_string(Ident) + SCLICGetItemSuffix(icBitmap, true));
        } else if (container->Source() == sdLibResource) {
            // A library that lacks the bitmap leaves the item empty.
            SCLBmpLoadFromLibrary(Library_Name(*container), std::to_string(Ident), bitmap.get());
        }
    } catch (...) {
        container->EndUpdate(false);
        throw;
    }
    container->EndUpdate(false);
}

void TSCLBitmapListItem::SetBitmap(TBitmap* Value)
{
    bitmap->Assign(Value);
    Change();
}

void TSCLBitmapListItem::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TSCLBitmapListItem*>(Source);
    if (!source) {
        TSCLListItem::Assign(Source);
        return;
    }
    AssignStd(source);
    bitmap->Assign(source->GetBitmap());
    PixelFormat = source->PixelFormat;
    Change();
}

void TSCLBitmapListItem::FreeData() { bitmap = std::make_unique<TBitmap>(); }

BYTE TSCLBitmapListItem::WriteFlag()
{
    BYTE flags = TSCLListItem::WriteFlag() | PixelFormatFlag(PixelFormat);
    if (!bitmap->Empty())
        flags |= Flag_Payload;
    return flags;
}

void TSCLBitmapListItem::WriteData(TStream& Stream)
{
    TSCLListItem::WriteData(Stream);
    if (!bitmap->Empty())
        stWriteBitmap(Stream, *bitmap, Compressed, SCLPixelFormatColors[PixelFormat]);
}

void TSCLBitmapListItem::ReadData(TStream& Stream)
{
    const BYTE flags = ReadHeader(Stream);
    PixelFormat = FlagPixelFormat(flags);
    auto next = std::make_unique<TBitmap>();
    if (flags & Flag_Payload)
        stReadBitmap(Stream, *next, Compressed);
    bitmap = std::move(next);
}

// ---- TSCLImageListItem: sizes and room ------------------------------------------

TSCLImageListItem::TSCLImageListItem(TComponent* AOwner)
    : TSCLListItem(AOwner), image(std::make_unique<TBitmap>()), mask(std::make_unique<TBitmap>())
{
    image->SetSize(0, height);
    mask->SetSize(0, height);
}

TSCLImageListItem::TSCLImageListItem(int AWidth, int AHeight) : TSCLImageListItem(nullptr)
{
    if (AWidth < 1 || AHeight < 1)
        throw EInvalidGraphicOperation(Wrong_Size_Text);
    width = AWidth;
    height = AHeight;
    Clear();
}

TSCLImageListItem::~TSCLImageListItem() = default;

void TSCLImageListItem::SetInteger(int Index, int Value)
{
    int& field = Index == 0 ? width : height;
    if (Value == field || Value < 1)
        return;
    field = Value;
    Clear();
    Change();
}

RECT TSCLImageListItem::GetImageRect(int Index) const
{
    if (!IsValidIndex(Index))
        return RECT{0, 0, 0, 0};
    return Image_Rect(offsets[static_cast<std::size_t>(Index)], width, height);
}

bool TSCLImageListItem::CheckImage(TBitmap* Bitmap) const
{
    if (!Bitmap)
        return false;
    if (Bitmap->Height() != height || Bitmap->Width() < width || Bitmap->Width() % width != 0)
        throw EInvalidGraphicOperation(Wrong_Size_Text);
    return true;
}

void TSCLImageListItem::CheckIndex(int Index) const
{
    if (!IsValidIndex(Index))
        throw EListError(Format("Indice d'image hors limites (%d)", Index));
}

void TSCLImageListItem::SetStripWidth(int NewWidth)
{
    image->SetWidth(NewWidth);
    if (masked)
        mask->SetWidth(NewWidth);
}

int TSCLImageListItem::PrepareSpace()
{
    const int offset = used_width;
    const int next_used = used_width + width;
    if (image->Width() < next_used) {
        // At least one image more, whatever AllocBy says, so that the new
        // image always lands inside the strip.
        const int next_width = image->Width() + std::max(AllocBy, 1) * width;
        if (next_width > Max_Strip_Width || next_used > Max_Strip_Width)
            throw EInvalidGraphicOperation(Too_Many_Text);
        SetStripWidth(next_width);
    }
    used_width = next_used;
    offsets.push_back(static_cast<std::int16_t>(offset));
    return Count() - 1;
}

void TSCLImageListItem::RelayOffsets(int NewCount)
{
    offsets.resize(static_cast<std::size_t>(NewCount));
    for (int i = 0; i < NewCount; ++i)
        offsets[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i * width);
}

// ---- TSCLImageListItem: editing -------------------------------------------------

int TSCLImageListItem::Add(TBitmap* Image, TBitmap* Mask)
{
    if (!Image && !Mask)
        return PrepareSpace();
    if (!CheckImage(Image))
        return -1;
    if (masked && Mask && !CheckImage(Mask))
        return -1;
    const int index = PrepareSpace();
    Replace(index, Image, Mask);
    return index;
}

int TSCLImageListItem::AddMasked(TBitmap* Image, TColor TransparentColor)
{
    if (!CheckImage(Image))
        return -1;
    const int index = PrepareSpace();
    ReplaceMasked(index, Image, TransparentColor);
    return index;
}

void TSCLImageListItem::Replace(int Index, TBitmap* Image, TBitmap* Mask)
{
    CheckIndex(Index);
    if (!CheckImage(Image))
        return;
    const bool with_mask = masked && Mask && CheckImage(Mask);
    const RECT target = GetImageRect(Index);
    const RECT source = Image_Rect(0, width, height);
    image->Canvas()->SetCopyMode(cmSrcCopy);
    image->Canvas()->CopyRect(target, Image->Canvas(), source);
    if (masked) {
        mask->SetMonochrome(true);
        if (with_mask) {
            mask->Canvas()->SetCopyMode(cmSrcCopy);
            mask->Canvas()->CopyRect(target, Mask->Canvas(), source);
        } else {
            mask->Canvas()->Brush()->SetColor(clBlack);
            mask->Canvas()->FillRect(target);
        }
    }
    Change();
}

void TSCLImageListItem::ReplaceMasked(int Index, TBitmap* Image, TColor TransparentColor)
{
    if (!CheckImage(Image))
        return;
    if (!masked) {
        Replace(Index, Image, nullptr);
        return;
    }
    TBitmap image_copy;
    TBitmap image_mask;
    SCLBmpCreateMasks(Image, &image_mask, &image_copy, TransparentColor);
    Replace(Index, &image_copy, &image_mask);
}

void TSCLImageListItem::Insert(int Index, TBitmap* Image, TBitmap* Mask)
{
    if (Index >= Count()) {
        Add(Image, Mask);
        return;
    }
    CheckIndex(Index);
    if (!CheckImage(Image) || (masked && Mask && !CheckImage(Mask)))
        return;
    PrepareSpace();
    const int from = offsets[static_cast<std::size_t>(Index)];
    const RECT source{from, 0, used_width - width, height};
    const RECT target{from + width, 0, used_width, height};
    auto shift = [&](TBitmap* strip) {
        TBitmap moved;
        moved.Assign(strip);
        strip->Canvas()->SetCopyMode(cmSrcCopy);
        strip->Canvas()->CopyRect(target, moved.Canvas(), source);
    };
    shift(image.get());
    if (masked)
        shift(mask.get());
    RelayOffsets(Count());
    Replace(Index, Image, Mask);
}

void TSCLImageListItem::InsertMasked(int Index, TBitmap* Image, TColor TransparentColor)
{
    if (!masked) {
        Insert(Index, Image, nullptr);
        return;
    }
    if (!CheckImage(Image))
        return;
    TBitmap image_copy;
    TBitmap image_mask;
    SCLBmpCreateMasks(Image, &image_mask, &image_copy, TransparentColor);
    Insert(Index, &image_copy, &image_mask);
}

void TSCLImageListItem::Delete(int Index)
{
    if (!IsValidIndex(Index))
        return;
    if (image->Width() == used_width)
        SetStripWidth(used_width + std::max(AllocBy, 1) * width);
    const int from = offsets[static_cast<std::size_t>(Index)];
    const RECT source{from + width, 0, used_width, height};
    const RECT target{from, 0, used_width - width, height};
    auto shift = [&](TBitmap* strip) {
        TBitmap moved;
        moved.Assign(strip);
        strip->Canvas()->SetCopyMode(cmSrcCopy);
        strip->Canvas()->CopyRect(target, moved.Canvas(), source);
    };
    shift(image.get());
    if (masked)
        shift(mask.get());
    used_width -= width;
    offsets.erase(offsets.begin() + Index);
    for (std::size_t i = static_cast<std::size_t>(Index); i < offsets.size(); ++i)
        offsets[i] = static_cast<std::int16_t>(offsets[i] - width);
    Change();
}

void TSCLImageListItem::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex || !IsValidIndex(CurIndex))
        return;
    TBitmap moved_image;
    TBitmap moved_mask;
    GetBitmap(CurIndex, &moved_image);
    GetMaskBitmap(CurIndex, &moved_mask);
    BeginUpdate();
    try {
        Delete(CurIndex);
        Insert(std::max(NewIndex, 0), &moved_image, masked ? &moved_mask : nullptr);
    } catch (...) {
        EndUpdate(false);
        throw;
    }
    EndUpdate(true);
}

void TSCLImageListItem::Clear()
{
    BeginUpdate();
    image = std::make_unique<TBitmap>();
    image->SetSize(0, height);
    mask = std::make_unique<TBitmap>();
    if (masked) {
        mask->SetMonochrome(true);
        mask->SetSize(0, height);
    }
    used_width = 0;
    offsets.clear();
    EndUpdate(false);
}

void TSCLImageListItem::SetMaskedState(bool Value)
{
    if (Value == masked)
        return;
    if (Value) {
        mask->SetMonochrome(true);
        mask->SetSize(image->Width(), height);
    } else {
        mask->SetWidth(0);
    }
    RelayOffsets(Count());
    masked = Value;
    Change();
}

void TSCLImageListItem::AddImages(TSCLImageListItem* Source)
{
    if (!Source)
        return;
    if (Source->width != width || Source->height != height)
        throw EInvalidGraphicOperation(Wrong_Size_Text);
    if (Source->Empty())
        return;
    const int next_used = used_width + Source->Count() * width;
    if (next_used > Max_Strip_Width)
        throw EInvalidGraphicOperation(Too_Many_Text);
    BeginUpdate();
    if (image->Width() < next_used)
        SetStripWidth(next_used);
    const RECT source = Image_Rect(0, Source->Count() * width, height);
    const RECT target{used_width, 0, next_used, height};
    image->Canvas()->SetCopyMode(cmSrcCopy);
    image->Canvas()->CopyRect(target, Source->image->Canvas(), source);
    if (masked && Source->masked) {
        mask->Canvas()->SetCopyMode(cmSrcCopy);
        mask->Canvas()->CopyRect(target, Source->mask->Canvas(), source);
    }
    for (int i = 0; i < Source->Count(); ++i)
        offsets.push_back(static_cast<std::int16_t>(Count() * width));
    used_width = next_used;
    EndUpdate(true);
}

void TSCLImageListItem::InsertImages(int Index, TSCLImageListItem* Source)
{
    if (!Source)
        return;
    if (Source->width != width || Source->height != height)
        throw EInvalidGraphicOperation(Wrong_Size_Text);
    if (Source->Empty())
        return;
    BeginUpdate();
    try {
        for (int i = Source->Count() - 1; i >= 0; --i) {
            TBitmap one;
            Source->GetBitmap(i, &one);
            if (masked && Source->masked) {
                TBitmap one_mask;
                Source->GetMaskBitmap(i, &one_mask);
                Insert(Index, &one, &one_mask);
            } else if (masked) {
                InsertMasked(Index, &one, one.TransparentColor());
            } else {
                Insert(Index, &one, nullptr);
            }
        }
    } catch (...) {
        EndUpdate(false);
        throw;
    }
    EndUpdate(true);
}

void TSCLImageListItem::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TSCLImageListItem*>(Source);
    if (!source) {
        TSCLListItem::Assign(Source);
        return;
    }
    if (source == this)
        return;
    AssignStd(source);
    PixelFormat = source->PixelFormat;
    AllocBy = source->AllocBy;
    BkColor = source->BkColor;
    BlendColor = source->BlendColor;
    DrawingStyle = source->DrawingStyle;
    height = source->height;
    ImageType = source->ImageType;
    masked = source->masked;
    width = source->width;
    Clear();
    AddImages(source);
}

void TSCLImageListItem::ConvertBmpToIML(TBitmap* Bitmap, int Count, bool AMasked)
{
    if (!Bitmap || Bitmap->Empty() || Count < 1 || Bitmap->Width() % Count != 0 ||
        Bitmap->Width() > Max_Strip_Width)
        throw EInvalidGraphicOperation(Wrong_Size_Text);
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
    if (loaded.Empty() || Count < 1 || loaded.Width() % Count != 0 || loaded.Width() > Max_Strip_Width)
        throw Exception(Scl_Open_Error(FileName));
    ConvertBmpToIML(&loaded, Count, AMasked);
    Description = SCLExtractFileName(FileName);
    return true;
}

// ---- TSCLImageListItem: reading pixels and drawing ------------------------------

void TSCLImageListItem::GetBitmap(int Index, TBitmap* Bitmap)
{
    if (!Bitmap || !IsValidIndex(Index))
        return;
    Bitmap->SetSize(width, height);
    Bitmap->Canvas()->SetCopyMode(cmSrcCopy);
    Bitmap->Canvas()->CopyRect(Image_Rect(0, width, height), image->Canvas(), GetImageRect(Index));
}

void TSCLImageListItem::GetMaskBitmap(int Index, TBitmap* Bitmap)
{
    if (!Bitmap || !masked || !IsValidIndex(Index))
        return;
    Bitmap->SetMonochrome(true);
    Bitmap->SetSize(width, height);
    Bitmap->Canvas()->SetCopyMode(cmSrcCopy);
    Bitmap->Canvas()->CopyRect(Image_Rect(0, width, height), mask->Canvas(), GetImageRect(Index));
}

TColor TSCLImageListItem::TransparentColor(int Index)
{
    if (!IsValidIndex(Index))
        return clNone;
    return image->Canvas()->Pixels(offsets[static_cast<std::size_t>(Index)], height - 1);
}

TColor TSCLImageListItem::GetColorAtPoint(const POINT& Point, int Index)
{
    if (!IsValidIndex(Index) || Point.x < 0 || Point.x >= width || Point.y < 0 || Point.y >= height)
        return clNone;
    return image->Canvas()->Pixels(offsets[static_cast<std::size_t>(Index)] + Point.x, Point.y);
}

void TSCLImageListItem::DrawMasked(TCanvas* Canvas, int X, int Y, int Index)
{
    const RECT source = GetImageRect(Index);
    const RECT target{X, Y, X + width, Y + height};
    const TCopyMode saved = Canvas->CopyMode();
    Canvas->SetCopyMode(cmSrcAnd);
    Canvas->CopyRect(target, mask->Canvas(), source);
    Canvas->SetCopyMode(cmSrcPaint);
    Canvas->CopyRect(target, image->Canvas(), source);
    Canvas->SetCopyMode(saved);
}

void TSCLImageListItem::CreatePattern(TBitmap* Bitmap, bool Full)
{
    if (!Bitmap || Bitmap->Empty() || BlendColor == clNone)
        return;
    for (int y = 0; y < Bitmap->Height(); ++y)
        for (int x = 0; x < Bitmap->Width(); ++x) {
            const bool x_even = x % 2 == 0;
            const bool y_even = y % 2 == 0;
            if (Full ? x_even != y_even : x_even || y_even)
                Bitmap->Canvas()->SetPixels(x, y, BlendColor);
        }
}

void TSCLImageListItem::DrawOnBack(TCanvas* Canvas, int X, int Y, int Index, bool Pattern, bool Full)
{
    TBitmap back;
    back.SetSize(width, height);
    back.Canvas()->Brush()->SetColor(BkColor);
    back.Canvas()->FillRect(Image_Rect(0, width, height));
    DrawMasked(back.Canvas(), 0, 0, Index);
    if (Pattern)
        CreatePattern(&back, Full);
    Canvas->CopyRect(RECT{X, Y, X + width, Y + height}, back.Canvas(), Image_Rect(0, width, height));
}

void TSCLImageListItem::Draw(TCanvas* Canvas, int X, int Y, int Index)
{
    if (!Canvas || !IsValidIndex(Index))
        return;
    const RECT target{X, Y, X + width, Y + height};
    if (!masked || ImageType == itMask) {
        Canvas->CopyRect(target, (masked ? mask : image)->Canvas(), GetImageRect(Index));
        return;
    }
    switch (DrawingStyle) {
    case dsFocus:
    case dsSelected:
        DrawOnBack(Canvas, X, Y, Index, true, DrawingStyle == dsSelected);
        break;
    case dsNormal:
        if (BkColor == clNone)
            DrawMasked(Canvas, X, Y, Index);
        else
            DrawOnBack(Canvas, X, Y, Index, false, false);
        break;
    case dsTransparent:
        DrawMasked(Canvas, X, Y, Index);
        break;
    }
}

void TSCLImageListItem::DrawExt(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Index)
{
    if (!Canvas || !IsValidIndex(Index))
        return;
    RECT painted{0, 0, 0, 0};
    if (masked)
        SCLBmpDrawExt(Canvas, Rect, image->Canvas(), GetImageRect(Index), Flags | SCLBD_MASK, 0, nullptr,
                      mask->Canvas(), painted);
    else
        SCLBmpDrawExt(Canvas, Rect, image->Canvas(), GetImageRect(Index), Flags,
                      TransparentColor(Index) | 0x02000000, nullptr, nullptr, painted);
}

void TSCLImageListItem::ClipDraw(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color,
                                 int Index)
{
    if (!Canvas || !IsValidIndex(Index))
        return;
    // The clip routine takes no mask, so a masked strip goes transparent
    // through its own bottom-left colour as an unmasked one does.
    SCLBmpClipDrawExt(Canvas, Rect, image->Canvas(), GetImageRect(Index), Flags, Offset,
                      masked ? TransparentColor(Index) : Color);
}

// ---- TSCLImageListItem: storage -------------------------------------------------

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
    if (next_height < 1 || next_width < 1 || next_width > Max_Strip_Width)
        throw EReadError(Format("Image list item: bad image size %d x %d", next_width, next_height));
    if (n < 0 || n > Max_Strip_Width / next_width)
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

BYTE TSCLStringListItem::WriteFlag() { return TSCLListItem::WriteFlag() | (GetEmpty() ? 0 : Flag_Payload); }

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
    if (flags & Flag_Payload)
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

BYTE TSCLGenericListItem::WriteFlag() { return TSCLListItem::WriteFlag() | (GetEmpty() ? 0 : Flag_Payload); }

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
    if ((flags & Flag_Payload) && Compressed) {
        LoadCompressedStream(Stream, next);
    } else if (flags & Flag_Payload) {
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

BYTE TSCLWaveListItem::WriteFlag() { return TSCLListItem::WriteFlag() | (GetEmpty() ? 0 : Flag_Payload); }

void TSCLWaveListItem::WriteData(TStream& Stream)
{
    TSCLListItem::WriteData(Stream);
    if (!GetEmpty())
        stWriteWave(Stream, Wave, Compressed);
}

void TSCLWaveListItem::ReadData(TStream& Stream)
{
    const BYTE flags = ReadHeader(Stream);
    if (flags & Flag_Payload)
        stReadWave(Stream, Wave, Compressed);
    else
        Wave.FreeWave();
}
