#include "components/controls/Sclalphaobject.h"

#include <charconv>

#include "components/foundations/Sclbmp.h"
#include "platform/classlib/Class_Registry.h"

namespace {

// Forms store AlphaBlend.Strength; reading it leaves the neutral 0.0.
const bool Alpha_Object_Registered = [] {
    RegisterClass<TSCLAlphaObject>("TSCLAlphaObject")
        .Component<TSCLCustomImageList>("ImageList", &TSCLAlphaObject::ImageList, &TSCLAlphaObject::SetImageList)
        .Property("ImageIndex", Integer_Type(), &TSCLAlphaObject::ImageIndex,
                  [](TSCLAlphaObject& alpha, int value) { alpha.SetInteger(0, value); }, 0)
        .Property("ListIndex", Integer_Type(), &TSCLAlphaObject::ListIndex,
                  [](TSCLAlphaObject& alpha, int value) { alpha.SetInteger(1, value); }, 0)
        .Property("Strength", Float_Type(), &TSCLAlphaObject::Strength,
                  [](TSCLAlphaObject& alpha, double value) { alpha.SetSingle(static_cast<float>(value)); })
        .Object("FillObject", &TSCLAlphaObject::FillObject)
        .DefineProperties(&TSCLAlphaObject::DefineProperties);
    return true;
}();

const char* Fill_Kind(TSCLFillStyle style)
{
    switch (style) {
    case sfBrush: return "brush";
    case sfBitmap:
    case sfBitmapList: return "bmp";
    case sfGradient: return "grad";
    default: return "";
    }
}

} // namespace

TSCLAlphaObject::TSCLAlphaObject() : fill_object(std::make_unique<TSCLFillObject>())
{
    fill_object->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    link.OnChange = [this](TObject* Sender) { GetIMLChange(Sender); };
}

TSCLAlphaObject::~TSCLAlphaObject()
{
    if (image_list && link.Sender == image_list)
        image_list->UnRegisterChanges(&link);
    fill_object->OnChange = nullptr;
}

void TSCLAlphaObject::SetInteger(int Index, int /*Value*/)
{
    if (Index == 0)
        image_index = 0;
    else if (Index == 1)
        list_index = 0;
    GetIMLChange(this);
}

void TSCLAlphaObject::SetSingle(float /*Value*/)
{
    if (strength == 0.0F)
        return;
    strength = 0.0F;
    Change();
}

void TSCLAlphaObject::SetBoolean(int Index, bool /*Value*/)
{
    if (Index != 0 || !unused_flag)
        return;
    unused_flag = false;
    Change();
}

void TSCLAlphaObject::SetImageList(TSCLCustomImageList* /*Value*/)
{
    if (image_list && link.Sender == image_list)
        image_list->UnRegisterChanges(&link);
    image_list = nullptr;
    GetIMLChange(this);
}

void TSCLAlphaObject::SetFillObject(TSCLFillObject* Value)
{
    fill_object->Assign(Value);
}

bool TSCLAlphaObject::IMLEmpty() const
{
    return !image_list || !image_list->IsValidItem(list_index, image_index);
}

void TSCLAlphaObject::GetIMLChange(TObject* /*Sender*/)
{
    if (IMLEmpty()) {
        fill_object->SetListBitmap(nullptr);
    } else {
        TBitmap item;
        image_list->GetBitmapItem(list_index, image_index, &item);
        fill_object->SetListBitmap(&item);
    }
    Notify_From_Fill();
}

void TSCLAlphaObject::Notify_From_Fill()
{
    if (UpdateCount() == 0 && OnChange)
        OnChange(fill_object.get());
}

HPALETTE TSCLAlphaObject::GetPalette() const
{
    return fill_object->Style() == sfNone ? nullptr : fill_object->GetPalette();
}

void TSCLAlphaObject::AlphaBlend(TBitmap* Bitmap)
{
    if (!Bitmap || Bitmap->Empty() || fill_object->Style() == sfNone)
        return;
    // The fill covers the whole bitmap, but the blend's rectangle ends one
    // short of each side: the last column and the last row keep their pixels.
    const RECT whole{0, 0, Bitmap->Width(), Bitmap->Height()};
    const RECT blended{0, 0, whole.right - 1, whole.bottom - 1};
    TBitmap fill;
    fill.SetSize(whole.right, whole.bottom);
    fill.Canvas()->FillRect(whole);
    fill_object->FillCanvas(fill.Canvas(), whole, clWhite);
    if (TBitmap* picture = fill_object->GetBitmap(); picture && !picture->Empty())
        fill.SetTransparentColor(picture->TransparentColor());
    Bitmap->SetPixelFormat(pf24bit);
    fill.SetPixelFormat(pf24bit);
    SCLBMPAlphaBlend(*Bitmap, fill, blended, POINT{0, 0}, *Bitmap, strength, POINT{0, 0});
}

void TSCLAlphaObject::ControlBlend(TBitmap* Bitmap, const RECT& SourceRect, const RECT& PartRect, TCanvas* Canvas,
                                   const RECT& DestRect)
{
    if (!Bitmap || !Canvas)
        return;
    const int width = SourceRect.right - SourceRect.left;
    const int height = SourceRect.bottom - SourceRect.top;
    if (width <= 0 || height <= 0)
        return;
    TBitmap part;
    part.SetSize(width, height);
    part.Canvas()->SetBrush(Canvas->Brush());
    part.Canvas()->FillRect(RECT{0, 0, width, height});
    part.Canvas()->CopyRect(RECT{0, 0, width, height}, Bitmap->Canvas(), SourceRect);
    AlphaBlend(&part);
    Canvas->CopyRect(DestRect, part.Canvas(), PartRect);
}

void TSCLAlphaObject::Assign(TPersistent* Source)
{
    auto* alpha = dynamic_cast<TSCLAlphaObject*>(Source);
    if (!alpha) {
        TSCLObject::Assign(Source);
        return;
    }
    fill_object->Assign(alpha->fill_object.get());
    strength = alpha->strength;
    image_index = alpha->image_index;
    list_index = alpha->list_index;
    image_list = alpha->image_list;
}

std::string TSCLAlphaObject::GetSetStr()
{
    const TSCLFillStyle style = fill_object->Style();
    if (style == sfNone)
        return "{Disabled}";
    char number[32];
    const auto written = std::to_chars(number, number + sizeof number, strength, std::chars_format::fixed, 3);
    return std::string("{Enabled (") + Fill_Kind(style) + "), strength: " + std::string(number, written.ptr) + "}";
}

void TSCLAlphaObject::DefineProperties(TFiler& Filer)
{
    Filer.DefineProperty(
        "Internal", [this](TReader& reader) { SetImageList(SCLReadGlobalIdent(reader)); },
        [this](TWriter& writer) { SCLWriteGlobalIdent(writer, image_list); }, SCLIsGlobalIdent(image_list));
}
