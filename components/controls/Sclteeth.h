#pragma once
// The serrated side of a shape: which side, how many teeth or how large,
// and whether the serration starts with a tip or a notch.

#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclobject.h"
#include "platform/winapi/WinTypes.h"

class TSCLTeeth : public TSCLObject {
public:
    TSCLTeeth() = default;

    // 0..50.
    BYTE Count() const { return count; }
    TSCLDirection Direction() const { return direction; }
    bool Offset() const { return offset; }
    bool SetPerCount() const { return set_per_count; }
    int Width() const { return width; }
    int Height() const { return height; }

    void SetCount(BYTE Value);
    void SetDirection(TSCLDirection Value);
    // 0 Offset, 1 SetPerCount.
    void SetBoolean(int Index, bool Value);
    // 0 Width, 1 Height.
    void SetInteger(int Index, int Value);

    // Every field, one notification.
    void Assign(TPersistent* Source) override;

private:
    BYTE count = 10;
    TSCLDirection direction = tdRight;
    bool offset = true;
    bool set_per_count = true;
    int width = 10;
    int height = 0;
};
