#include "components/controls/Sclsmallbar.h"

#include "platform/classlib/Class_Registry.h"

namespace {

// Forms set SmallBar.AutoSize, HSpace, VSpace and BarCount.
const bool Small_Bar_Registered = [] {
    const auto byte = [](int index) {
        return [index](TSCLSmallBar& bar, int value) { bar.SetByte(index, static_cast<BYTE>(value)); };
    };
    RegisterClass<TSCLSmallBar>("TSCLSmallBar")
        .Property("AutoSize", Boolean_Type(), &TSCLSmallBar::AutoSize, &TSCLSmallBar::SetAutoSize, true)
        .Property("BarColor", Color_Type(), &TSCLSmallBar::BarColor, &TSCLSmallBar::SetBarColor, 0x800000)
        .Property("BarCount", Integer_Type(0, 255), &TSCLSmallBar::BarCount, byte(0), 10)
        .Property("HSpace", Integer_Type(0, 255), &TSCLSmallBar::HSpace, byte(1), 3)
        .Property("VSpace", Integer_Type(0, 255), &TSCLSmallBar::VSpace, byte(2), 3);
    return true;
}();

} // namespace

void TSCLSmallBar::SetAutoSize(bool Value)
{
    Store(auto_size, Value);
}

void TSCLSmallBar::SetBarColor(TColor Value)
{
    Store(bar_color, Value);
}

void TSCLSmallBar::SetByte(int Index, BYTE Value)
{
    switch (Index) {
    case 0:
        // GetBarExtend divides by the count.
        if (Value > 0)
            Store(bar_count, Value);
        break;
    case 1: Store(h_space, Value); break;
    case 2: Store(v_space, Value); break;
    default: break;
    }
}

int TSCLSmallBar::GetBarExtend(TSCLMeterDirection Direction, int Width, int Height) const
{
    const bool horizontal = Direction == mdHorizontal || Direction == mdHorizontalReverse;
    const int length = horizontal ? Width : Height;
    const int space = horizontal ? h_space : v_space;
    return (length - space * bar_count) / bar_count;
}

void TSCLSmallBar::Assign(TPersistent* Source)
{
    auto* bar = dynamic_cast<TSCLSmallBar*>(Source);
    if (!bar) {
        TSCLObject::Assign(Source);
        return;
    }
    auto_size = bar->auto_size;
    bar_count = bar->bar_count;
    bar_color = bar->bar_color;
    h_space = bar->h_space;
    v_space = bar->v_space;
    Change();
}
