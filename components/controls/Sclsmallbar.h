#pragma once
// The segment layout of segmented progress bars: the number of segments,
// their colour and the gaps after each.

#include <string>

#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclobject.h"
#include "platform/classlib/Graphics.h"

class TSCLSmallBar : public TSCLObject {
public:
    TSCLSmallBar() = default;

    bool AutoSize() const { return auto_size; }
    BYTE BarCount() const { return bar_count; }
    TColor BarColor() const { return bar_color; }
    BYTE HSpace() const { return h_space; }
    BYTE VSpace() const { return v_space; }

    void SetAutoSize(bool Value);
    void SetBarColor(TColor Value);
    // 0 BarCount, 1 HSpace, 2 VSpace. A bar of no segments is refused:
    // BarCount 0 leaves the count as it is.
    void SetByte(int Index, BYTE Value);

    // The length of one segment along Direction in a bar of Width x Height:
    // trunc((length - space * BarCount) / BarCount).
    int GetBarExtend(TSCLMeterDirection Direction, int Width, int Height) const;

    // Every field, one notification.
    void Assign(TPersistent* Source) override;

private:
    bool auto_size = true;
    BYTE bar_count = 10;
    TColor bar_color = 0x800000;
    BYTE h_space = 3;
    BYTE v_space = 3;
};
