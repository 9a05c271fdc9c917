#pragma once
// The root of the library's windowless controls: mouse enter and exit
// events, a bounds-change event telling whether the control moved or
// resized, and the change handler its settings objects report to.

#include <functional>
#include <string>

#include "platform/classlib/Controls.h"

enum TSCLBoundsChangeState { bcSize, bcPos };
using TSCLBoundsChangeStates = TSet<TSCLBoundsChangeState>;
using TSCLOnBoundsChangeEvent = std::function<void(TObject* Sender, TSCLBoundsChangeStates State)>;

class TSCLControl : public TGraphicControl {
public:
    explicit TSCLControl(TComponent* AOwner);

    // Informational only; descendants publish it.
    std::string About;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
    TSCLOnBoundsChangeEvent OnBoundsChange;

    // BoundsChange follows with what changed, unless nothing did or the
    // control is being loaded.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Dispatch(TMessage& Message) override;

    // The handler of the settings objects: repaints unless loading.
    virtual void GetChange(TObject* Sender);
    // Whether the control has nothing of its own to draw.
    virtual bool GetEmpty();

    // The design-time outline: a black dashed rectangle round the control.
    void DrawDashedFrame();
    // The client rectangle filled with Color.
    void FillControl();

protected:
    virtual void BoundsChange(TSCLBoundsChangeStates State);
    virtual void MouseEnter();
    virtual void MouseExit();
    bool Loading() const { return ComponentState().Contains(csLoading); }
    bool Designing() const { return ComponentState().Contains(csDesigning); }
};
