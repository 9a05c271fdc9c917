#include "shell/services/Screen_dpi.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "platform/winapi/Gdi.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int Design_Dpi = 96;

void Grow_Font(TFont* font, int points)
{
    if (points != 0) {
        font->SetSize(font->Size() + points);
    }
}

void Adapt_Simple_Label(TSCLSimpleLabel* label, int dpi)
{
    if (dpi > Design_Dpi) {
        Grow_Font(label->Font(), dpi > 144 ? -2 : -1);
    }
}

void Adapt_Group_Box(TSCLGroupBox* box, int dpi)
{
    if (dpi > Design_Dpi) {
        const long double per_dot = 1.0L / 30;
        Grow_Font(box->CaptionFont(), static_cast<int>((dpi - Design_Dpi) * per_dot));
    }
}

void Adapt_Shape_Control(TSCLShapeControl* shape, int dpi)
{
    if (dpi > Design_Dpi) {
        Grow_Font(shape->Caption()->Font(), static_cast<int>((dpi - Design_Dpi) * 0.05L));
    }
}

void Adapt_Memo(TMemo* memo, int dpi)
{
    if (dpi >= 144) {
        Grow_Font(memo->Font(), -1);
    }
}

void Adapt_Progress(TSCLProgress* progress)
{
    const TSCLMeterDirection direction = progress->Direction();
    const bool horizontal = direction == mdHorizontal || direction == mdHorizontalReverse;
    const int len = horizontal ? progress->Width() : progress->Height();
    const int bevel = static_cast<std::int8_t>(progress->Bevel()->WidthInner());
    TSCLSmallBar* bar = progress->SmallBar();
    const int count = Fitting_Bar_Count(len, bevel, bar->BarCount(), bar->HSpace());
    if (count != bar->BarCount()) {
        bar->SetByte(0, static_cast<BYTE>(count));
    }
}

} // namespace

int Get_Screen_Dpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

bool Is_Large_Screen()
{
    constexpr int large_fonts_dpi = 120;
    return Get_Screen_Dpi() >= large_fonts_dpi;
}

int Fitting_Bar_Count(int len, int bevel, int bar_count, int space)
{
    if (bar_count <= 0) {
        return bar_count;
    }
    const int border = 2 * bevel + 1;
    const int segment = static_cast<int>(std::floor(static_cast<double>(len - border - bar_count * space) / bar_count));
    // A bar too short for segments of a pixel keeps its design (and a
    // segment and gap of no length would fit without end); the count is a
    // byte.
    if (segment < 1) {
        return bar_count;
    }
    int k = bar_count;
    while (k <= 255 && k * segment + k * space + border <= len) {
        ++k;
    }
    return k > bar_count ? k - 1 : bar_count;
}

void Adapt_Form_To_Dpi(TComponent* /*owner*/, TComponent* form)
{
    const int dpi = Get_Screen_Dpi();
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* c = form->Components(i);
        if (auto* label = dynamic_cast<TSCLSimpleLabel*>(c)) {
            Adapt_Simple_Label(label, dpi);
        }
        if (auto* box = dynamic_cast<TSCLGroupBox*>(c)) {
            Adapt_Group_Box(box, dpi);
        }
        if (auto* shape = dynamic_cast<TSCLShapeControl*>(c)) {
            Adapt_Shape_Control(shape, dpi);
        }
        if (auto* memo = dynamic_cast<TMemo*>(c)) {
            Adapt_Memo(memo, dpi);
        }
        if (auto* progress = dynamic_cast<TSCLProgress*>(c)) {
            Adapt_Progress(progress);
        }
    }
}
