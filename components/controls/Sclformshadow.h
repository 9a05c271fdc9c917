#pragma once
// A drop shadow for its owner form: two frameless owned tool windows, one
// along the right edge and one along the bottom edge, that never take the
// focus or the mouse and follow the form as it moves, resizes, activates,
// hides and closes. None are made while the shadow has no depth or no style.

#include "components/controls/SCLShadow.h"
#include "components/foundations/Sclwndproccomponent.h"

class TSCLFormShadow : public TSCLWndProcComponent {
public:
    // Raises SCLEOneInstError unless the owner is a top-level form without
    // another form shadow.
    explicit TSCLFormShadow(TComponent* AOwner);
    ~TSCLFormShadow() override;

    TSCLShadow* Shadow() const { return shadow; }
    void SetShadow(TSCLShadow* Value) { shadow->Assign(Value); }
    // Keep the shadow while the form is inactive.
    bool ShowInActive = true;

    HWND RightWindow() const { return right_window; }
    HWND BottomWindow() const { return bottom_window; }

    // True when the form is minimised, maximised or hidden, or inactive
    // while ShowInActive is off.
    bool IsNoShadow();
    void MoveShadow();
    void ShowShadow(int Command);
    void DestroyShadow();

    void Init() override;
    void RestoreState() override;
    void WndProc(TMessage& Message) override;
    void GetChange(TObject* Sender) override;

private:
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    bool Wanted() const { return shadow->Depth() > 0 && shadow->Style() != hssNone; }
    void Create_Windows();
    void SetShadowParams(HWND Window);
    void Set_Style_Quietly(TSCLShadowStyle Style);
    void Show_Unless_None();

    bool restore = false;
    HWND right_window = nullptr;
    HWND bottom_window = nullptr;
    TSCLShadowStyle saved_style = hssSolid;
    TSCLShadow* shadow;
};
