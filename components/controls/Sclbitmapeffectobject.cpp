#include "components/controls/Sclbitmapeffectobject.h"

#include "platform/classlib/Class_Registry.h"

namespace {

// Forms set BackFX.AlphaBlend.Strength on their group boxes.
const bool Bitmap_Effect_Object_Registered = [] {
    const auto flag = [](int index) {
        return [index](TSCLBitmapEffectObject& effect, bool value) { effect.SetBoolean(index, value); };
    };
    RegisterClass<TSCLBitmapEffectObject>("TSCLBitmapEffectObject")
        .Object("AlphaBlend", &TSCLBitmapEffectObject::AlphaBlend)
        .Property("FlipVertical", Boolean_Type(), &TSCLBitmapEffectObject::FlipVertical, flag(0), false)
        .Property("FlipHorizontal", Boolean_Type(), &TSCLBitmapEffectObject::FlipHorizontal, flag(1), false)
        .Property("GrayScale", Boolean_Type(), &TSCLBitmapEffectObject::GrayScale, flag(2), false)
        .Property("Invert", Boolean_Type(), &TSCLBitmapEffectObject::Invert, flag(3), false)
        .Property("Buffered", Boolean_Type(), &TSCLBitmapEffectObject::Buffered, flag(4), false)
        .Property("Brightness", Integer_Type(-255, 255), &TSCLBitmapEffectObject::Brightness,
                  [](TSCLBitmapEffectObject& effect, int value) {
                      effect.SetBrightness(static_cast<TSCLBrightness>(value));
                  },
                  0);
    return true;
}();

RECT Sized(int width, int height)
{
    return RECT{0, 0, width, height};
}

void Copy_Into(TBitmap* source, const RECT& source_rect, TBitmap* target)
{
    const int width = source_rect.right - source_rect.left;
    const int height = source_rect.bottom - source_rect.top;
    target->SetSize(width, height);
    target->Canvas()->CopyRect(Sized(width, height), source->Canvas(), source_rect);
}

} // namespace

TSCLBitmapEffectObject::TSCLBitmapEffectObject() : alpha_blend(std::make_unique<TSCLAlphaObject>())
{
    alpha_blend->OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TSCLBitmapEffectObject::~TSCLBitmapEffectObject()
{
    alpha_blend->OnChange = nullptr;
}

void TSCLBitmapEffectObject::SetBoolean(int Index, bool /*Value*/)
{
    bool* flags[] = {&flip_vertical, &flip_horizontal, &gray_scale, &invert, &buffered, &unused_flag};
    if (Index < 0 || Index > 5)
        return;
    bool& field = *flags[Index];
    const bool changed = field;
    field = false;
    if (Index == 4) {
        buffer_valid = false;
        buffer.reset();
    }
    if (changed)
        Change();
}

void TSCLBitmapEffectObject::SetBrightness(TSCLBrightness /*Value*/)
{
    if (brightness == 0)
        return;
    brightness = 0;
    Change();
}

void TSCLBitmapEffectObject::SetAlphaObject(TSCLAlphaObject* Value)
{
    alpha_blend->Assign(Value);
}

void TSCLBitmapEffectObject::GetChange(TObject* Sender)
{
    TSCLObject::GetChange(Sender);
    DestroyBuffer();
}

void TSCLBitmapEffectObject::DestroyBuffer()
{
    buffer_valid = false;
}

void TSCLBitmapEffectObject::Draw(TBitmap* Bitmap)
{
    // The flips, grey scale, inversion, brightness and buffer are held off.
    alpha_blend->AlphaBlend(Bitmap);
}

void TSCLBitmapEffectObject::DrawCopy(TBitmap* Source, TBitmap* Target)
{
    if (!Source || !Target)
        return;
    Target->Assign(Source);
    Draw(Target);
}

void TSCLBitmapEffectObject::DrawCopyFromRect(TBitmap* Source, const RECT& SourceRect, TBitmap* Target)
{
    if (!Source || !Target)
        return;
    Copy_Into(Source, SourceRect, Target);
    Draw(Target);
}

void TSCLBitmapEffectObject::DrawCutRect(TBitmap* Source, const RECT& SourceRect, TBitmap* Target,
                                         const RECT& TargetRect)
{
    if (!Source || !Target)
        return;
    TBitmap part;
    Copy_Into(Source, SourceRect, &part);
    Draw(&part);
    Target->Canvas()->CopyRect(TargetRect, part.Canvas(), Sized(part.Width(), part.Height()));
}

void TSCLBitmapEffectObject::DrawCopyRect(TBitmap* Source, TBitmap* Target, const RECT& TargetRect)
{
    if (!Source || !Target)
        return;
    TBitmap copy;
    copy.Assign(Source);
    Draw(&copy);
    Target->Canvas()->CopyRect(TargetRect, copy.Canvas(), TargetRect);
}

void TSCLBitmapEffectObject::DrawCutRect2(TBitmap* Source, const RECT& SourceRect, TCanvas* Target,
                                          const RECT& TargetRect)
{
    if (!Source || !Target)
        return;
    TBitmap part;
    Copy_Into(Source, SourceRect, &part);
    Draw(&part);
    Target->CopyRect(TargetRect, part.Canvas(), Sized(part.Width(), part.Height()));
}

void TSCLBitmapEffectObject::Assign(TPersistent* Source)
{
    auto* effect = dynamic_cast<TSCLBitmapEffectObject*>(Source);
    if (!effect) {
        TSCLObject::Assign(Source);
        return;
    }
    flip_vertical = effect->flip_vertical;
    flip_horizontal = effect->flip_horizontal;
    gray_scale = effect->gray_scale;
    invert = effect->invert;
    brightness = effect->brightness;
    SetBoolean(4, effect->buffered);
    alpha_blend->Assign(effect->alpha_blend.get());
}

std::string TSCLBitmapEffectObject::GetSetStr()
{
    std::string words;
    const auto add = [&words](bool applies, const char* word) {
        if (!applies)
            return;
        if (!words.empty())
            words += ",";
        words += word;
    };
    add(alpha_blend->FillObject()->Style() != sfNone, "alpha");
    add(flip_vertical, "FV");
    add(flip_horizontal, "FH");
    add(gray_scale, "GS");
    add(invert, "INV");
    add(brightness != 0, "B");
    return "{" + (words.empty() ? std::string("Disabled") : words) + "}";
}
