#pragma once
// The windowless control with a bevel frame: descendants paint the frame
// through this class and draw their content inside BeveledRect.

#include "components/controls/Sclbasegraphiccontrol.h"
#include "components/controls/Sclbevel.h"

class TSCLGraphicControl : public TSCLBaseGraphicControl {
public:
    explicit TSCLGraphicControl(TComponent* AOwner);
    ~TSCLGraphicControl() override;

    TSCLBevel* Bevel() const { return bevel; }
    // Takes Value's settings, then tells itself the bevel changed.
    void SetBevel(TSCLBevel* Value);
    int BevelExt() const { return bevel->BevelExtent(); }
    int DblBevelExt() const { return 2 * BevelExt(); }
    // The client rectangle inside the bevel.
    RECT BeveledRect();

protected:
    // The bevel; nothing while loading, and only the design-time frame for
    // an empty control without a bevel.
    void Paint() override;

private:
    TSCLBevel* bevel;
};
