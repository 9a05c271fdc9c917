#include "components/controls/SCLCustomProgress.h"

#include <algorithm>

#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/SysUtils.h"

namespace {

const bool Custom_Progress_Registered = [] {
    RegisterClass<TSCLCustomProgress, TSCLBaseMeter>("TSCLCustomProgress")
        .Property("BarColor", Color_Type(), &TSCLCustomProgress::BarColor, &TSCLCustomProgress::SetBarColor,
                  0x00800000)
        .Property("Bar3D", Enum_Type<TSCLBorderStyle>(TSCLEnumInfo<TSCLBorderStyle>::Names),
                  &TSCLCustomProgress::Bar3D, &TSCLCustomProgress::SetBar3D, lsNone)
        .Object("SmallBar", &TSCLCustomProgress::SmallBar)
        .Property("Style", Enum_Type<TSCLProgressStyle>(TSCLEnumInfo<TSCLProgressStyle>::Names),
                  &TSCLCustomProgress::Style, &TSCLCustomProgress::SetStyle, pgSmallBar)
        .Event("OnGetColor", &TSCLCustomProgress::OnGetColor)
        .Event("OnPaint", &TSCLCustomProgress::OnPaint);
    return true;
}();

bool Horizontal(TSCLMeterDirection direction)
{
    return direction == mdHorizontal || direction == mdHorizontalReverse;
}

} // namespace

TSCLCustomProgress::TSCLCustomProgress(TComponent* AOwner)
    : TSCLBaseMeter(AOwner), small_bar(std::make_unique<TSCLSmallBar>())
{
    small_bar->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    SetDelta(5);
}

TSCLCustomProgress::~TSCLCustomProgress()
{
    small_bar->OnChange = nullptr;
}

void TSCLCustomProgress::SetBarColor(TColor Value)
{
    if (Value == bar_color)
        return;
    bar_color = Value;
    if (style == pgBar)
        InvalidateControl();
}

void TSCLCustomProgress::SetBar3D(TSCLBorderStyle Value)
{
    if (Value == bar_3d)
        return;
    bar_3d = Value;
    if (style == pgBar)
        InvalidateControl();
}

void TSCLCustomProgress::Update_Delta()
{
    SetDelta(1);
    if (Segmented() && OptionsText() != toPercent)
        SetDelta(static_cast<TSCLPercent>((100 / small_bar->BarCount()) / 2));
}

void TSCLCustomProgress::SetStyle(TSCLProgressStyle Value)
{
    if (Value == style)
        return;
    style = Value;
    Update_Delta();
    InvalidateControl();
}

void TSCLCustomProgress::GetChange(TObject* Sender)
{
    if (Sender == small_bar.get())
        Update_Delta();
    if (Loading())
        return;
    CorrectBounds();
    InvalidateControl();
}

int TSCLCustomProgress::LitSegments(int Value) const
{
    return static_cast<int>(Round(Value * 0.01 * small_bar->BarCount()));
}

bool TSCLCustomProgress::BarChanged(int Value, int LastDrawn)
{
    if (!Segmented())
        return TSCLBaseMeter::BarChanged(Value, LastDrawn);
    // The segments, not the percentage, are what shows.
    return LitSegments(Value) != LitSegments(LastDrawn) ||
           (OptionsText() == toPercent && Value != LastDrawn);
}

bool TSCLCustomProgress::CorrectBounds()
{
    if (correcting || !Segmented() || Align() != alNone || !small_bar->AutoSize())
        return false;
    correcting = true;
    const int d = DblBevelExt();
    const int n = small_bar->BarCount();
    const int ext = std::max(0, small_bar->GetBarExtend(Direction(), Width() - d, Height() - d));
    int width = Width();
    int height = Height();
    if (Horizontal(Direction()))
        width = (ext + small_bar->HSpace()) * n + small_bar->HSpace() + d;
    else
        height = (ext + small_bar->VSpace()) * n + small_bar->VSpace() + d;
    const bool changed = width != Width() || height != Height();
    if (changed) {
        SetBounds(Left(), Top(), width, height);
        bounds_changed = true;
    }
    correcting = false;
    return changed;
}

RECT TSCLCustomProgress::Segment_Rect(int Index, int Extent, const RECT& All) const
{
    const int h = small_bar->HSpace();
    const int v = small_bar->VSpace();
    const int n = small_bar->BarCount();
    switch (Direction()) {
    case mdHorizontal: return RECT{h + Index * (h + Extent), v, (Index + 1) * (h + Extent), All.bottom - v};
    case mdHorizontalReverse:
        return RECT{h + (n - Index - 1) * (h + Extent), v, (n - Index) * (h + Extent), All.bottom - v};
    case mdVertical: return RECT{h, v + Index * (v + Extent), All.right - h, (Index + 1) * (v + Extent)};
    case mdVerticalReverse:
        return RECT{h, v + (n - Index - 1) * (v + Extent), All.right - h, (n - Index) * (v + Extent)};
    }
    return RECT{};
}

void TSCLCustomProgress::Draw_Segments(TCanvas* Canvas, const RECT& Filled, const RECT& Rest, const RECT& All)
{
    const int ext = small_bar->GetBarExtend(Direction(), All.right, All.bottom);
    const int value = GetDrawValue();
    const int lit = LitSegments(value);
    TBrush* brush = Canvas->Brush();
    brush->SetStyle(bsSolid);
    brush->SetColor(small_bar->BarColor());
    if (ext <= 0) {
        // No room for segments: one block as long as the value.
        const RECT block{Filled.left + small_bar->HSpace(), Filled.top + small_bar->VSpace(),
                         Filled.right - small_bar->HSpace(), Filled.bottom - small_bar->VSpace()};
        if (value > 0 && block.right > block.left && block.bottom > block.top)
            Canvas->FillRect(block);
    } else {
        const bool colored = style == pgSmallBarColor && OnGetColor;
        for (int i = 0; i < lit; ++i) {
            if (colored) {
                TColor color = small_bar->BarColor();
                OnGetColor(this, static_cast<BYTE>(i), color);
                brush->SetColor(color);
            }
            Canvas->FillRect(Segment_Rect(i, ext, All));
        }
    }
    DrawCaption(Canvas, Filled, Rest, All, true, small_bar->BarColor());
}

void TSCLCustomProgress::DrawBar(TCanvas* Canvas, const RECT& Filled, const RECT& Rest, const RECT& All)
{
    switch (style) {
    case pgBar: {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(bar_color);
        Canvas->FillRect(Filled);
        if (GetDrawValue() > 0) {
            RECT frame = Filled;
            SCLDrawStdFrame(Canvas, frame, bar_3d, 0);
        }
        DrawCaption(Canvas, Filled, Rest, All, true, bar_color);
        break;
    }
    case pgSmallBar:
    case pgSmallBarColor: Draw_Segments(Canvas, Filled, Rest, All); break;
    case pgOwnerDraw:
        if (OnPaint)
            OnPaint(this, Canvas, All, Rest, Filled);
        break;
    }
}
