#pragma once
// The windowless root of the painting controls: the Transparent switch and
// the redraw policy. A transparent control is repainted through its parent
// (which paints what lies under it first); an opaque one at run time paints
// itself at once, without an erase.

#include "components/controls/Sclbasecontrol.h"

class TSCLBaseGraphicControl : public TSCLBaseControl {
public:
    explicit TSCLBaseGraphicControl(TComponent* AOwner);

    bool Transparent() const { return transparent; }
    // Toggles the opaque style, then tells itself through the library's
    // transparency message, which redraws.
    void SetTransparent(bool Value);
    // Opaque at once, without the message.
    void DisableTransMode();
    // Invalidate when transparent or designing, else Paint at once.
    void InvalidateControl();

    void GetChange(TObject* Sender) override;
    // Transparent, and the parent library control or the form's shape
    // offers a ready background.
    bool CheckOptimized() override;
    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;

private:
    void Set_Opaque(bool Opaque);
    bool transparent = true;
};
