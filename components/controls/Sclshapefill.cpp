#include "components/controls/Sclshapefill.h"

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Graphics_Bitmap_Published.h"

namespace {

const bool Shape_Fill_Registered = [] {
    Register_Bitmap_Data();
    RegisterClass<TSCLShapeFill>("TSCLShapeFill")
        .Object("Bitmap", &TSCLShapeFill::Bitmap)
        .Property("Style", Enum_Type<TSCLFillStyle>(TSCLEnumInfo<TSCLFillStyle>::Names), &TSCLShapeFill::Style,
                  &TSCLShapeFill::SetFillStyle, sfBrush)
        .Object("Gradient", &TSCLShapeFill::Gradient)
        .Property("TileMode", Enum_Type<TSCLTileMode>(TSCLEnumInfo<TSCLTileMode>::Names), &TSCLShapeFill::TileMode,
                  &TSCLShapeFill::SetTileMode, tmTile);
    return true;
}();

bool Is_Empty(const TBitmap* bitmap)
{
    return !bitmap || bitmap->Empty();
}

} // namespace

TSCLShapeFill::TSCLShapeFill()
    : bitmap(std::make_unique<TBitmap>()), gradient(std::make_unique<TSCLGradient>()),
      list_bitmap(std::make_unique<TBitmap>())
{
    bitmap->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    gradient->OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TSCLShapeFill::~TSCLShapeFill()
{
    bitmap->OnChange = nullptr;
    gradient->OnChange = nullptr;
}

void TSCLShapeFill::SetBitmap(TBitmap* Value)
{
    bitmap->Assign(Value);
}

void TSCLShapeFill::SetListBitmap(TBitmap* Value)
{
    list_bitmap->Assign(Value);
}

void TSCLShapeFill::SetGradient(TSCLGradient* Value)
{
    gradient->Assign(Value);
}

void TSCLShapeFill::SetFillStyle(TSCLFillStyle Value)
{
    Store(style, Value);
}

void TSCLShapeFill::SetTileMode(TSCLTileMode Value)
{
    Store(tile_mode, Value);
}

TBitmap* TSCLShapeFill::GetBitmap() const
{
    switch (style) {
    case sfBitmap: return bitmap.get();
    case sfBitmapList: return list_bitmap.get();
    default: return nullptr;
    }
}

bool TSCLShapeFill::GetEmpty() const
{
    switch (style) {
    case sfNone: return true;
    case sfBitmap: return Is_Empty(bitmap.get());
    case sfBitmapList: return Is_Empty(list_bitmap.get());
    default: return false;
    }
}

bool TSCLShapeFill::GetMustRedraw() const
{
    switch (style) {
    case sfBrushBitmap:
    case sfBrush: return false;
    case sfBitmap:
    case sfBitmapList: return tile_mode != tmTile;
    default: return true;
    }
}

HPALETTE TSCLShapeFill::GetPalette() const
{
    switch (style) {
    case sfBrushBitmap:
    case sfBitmap: return bitmap->Palette();
    case sfBitmapList: return list_bitmap->Palette();
    case sfGradient: return gradient->GetPalette();
    default: return nullptr;
    }
}

void TSCLShapeFill::Assign(TPersistent* Source)
{
    auto* fill = dynamic_cast<TSCLShapeFill*>(Source);
    if (!fill) {
        TSCLObject::Assign(Source);
        return;
    }
    BeginUpdate();
    bitmap->Assign(fill->bitmap.get());
    list_bitmap->Assign(fill->list_bitmap.get());
    gradient->Assign(fill->gradient.get());
    style = fill->style;
    tile_mode = fill->tile_mode;
    EndUpdate(true);
}

std::string TSCLShapeFill::GetSetStr()
{
    static constexpr const char* words[] = {"Disabled", "", "Brush", "Bitmap", "BitmapList", "Gradient"};
    return std::string("{") + words[style] + "}";
}
