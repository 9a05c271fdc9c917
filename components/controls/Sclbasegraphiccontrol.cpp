#include "components/controls/Sclbasegraphiccontrol.h"

#include "components/controls/SCLCustomControl.h"
#include "components/foundations/Sclgraph.h"

namespace {

const bool Base_Graphic_Control_Registered = [] {
    RegisterClass<TSCLBaseGraphicControl, TSCLBaseControl>("TSCLBaseGraphicControl")
        .Property("Transparent", Boolean_Type(), &TSCLBaseGraphicControl::Transparent,
                  &TSCLBaseGraphicControl::SetTransparent, true);
    return true;
}();

} // namespace

TSCLBaseGraphicControl::TSCLBaseGraphicControl(TComponent* AOwner) : TSCLBaseControl(AOwner)
{
    TControlStyle style = ControlStyle();
    style.Exclude(csOpaque);
    style.Include(csReplicatable);
    SetControlStyle(style);
    SetBounds(Left(), Top(), 30, 30);
}

void TSCLBaseGraphicControl::Set_Opaque(bool Opaque)
{
    TControlStyle style = ControlStyle();
    if (Opaque)
        style.Include(csOpaque);
    else
        style.Exclude(csOpaque);
    SetControlStyle(style);
}

void TSCLBaseGraphicControl::SetTransparent(bool Value)
{
    if (transparent == Value)
        return;
    Set_Opaque(!Value);
    transparent = Value;
    Perform(CM_SCLTRANSPARENTCHANGED, 0, 0);
}

void TSCLBaseGraphicControl::DisableTransMode()
{
    transparent = false;
    Set_Opaque(true);
}

void TSCLBaseGraphicControl::InvalidateControl()
{
    if (transparent || Designing()) {
        Invalidate();
        return;
    }
    TWinControl* parent = Parent();
    if (!Visible() || !parent || !parent->HandleAllocated())
        return;
    Paint();
}

void TSCLBaseGraphicControl::GetChange(TObject* /*Sender*/)
{
    InvalidateControl();
}

bool TSCLBaseGraphicControl::CheckOptimized()
{
    if (!transparent)
        return false;
    TWinControl* parent = Parent();
    if (auto* control = dynamic_cast<TSCLCustomControl*>(parent))
        return control->HandleAllocated() && control->BackBitmapCheck();
    TSCLFormBackProvider* shape = SCLFormBackProvider(parent);
    return shape && shape->BackBitmapCheck();
}

void TSCLBaseGraphicControl::Paint()
{
    if (Designing())
        DrawDashedFrame();
}

void TSCLBaseGraphicControl::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_SCLTRANSPARENTCHANGED) {
        InvalidateControl();
        return;
    }
    TSCLBaseControl::Dispatch(Message);
}
