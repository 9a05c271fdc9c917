#pragma once
// A panel with a bevel frame: the client rectangle inside the bevel, the
// children aligned within it, and the window's own border when the bevel
// asks for the system's (bmWindows).

#include "components/controls/SCLCustomPanel.h"
#include "components/controls/Sclbevel.h"

class TSCLCustomBevelPanel : public TSCLCustomPanel {
public:
    explicit TSCLCustomBevelPanel(TComponent* AOwner);
    ~TSCLCustomBevelPanel() override;

    TSCLBevel* Bevel() const { return bevel; }
    void SetBevel(TSCLBevel* Value) { bevel->Assign(Value); }
    int BevelExt() const { return bevel->BevelExtent(); }
    int DblBevelExt() const { return 2 * BevelExt(); }
    // The client rectangle inside the bevel.
    RECT BeveledRect();

    void GetChange(TObject* Sender) override;
    // No bevel to show, and no system border.
    bool GetEmpty() override;
    void MouseEnter() override;
    void RestoreBorderFront() override;
    void RestoreBorderBack() override;
    void Dispatch(TMessage& Message) override;

protected:
    void AlignControls(TControl* AControl, RECT& Rect) override;
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void DoEnter() override;

private:
    TSCLBevel* bevel;
};
