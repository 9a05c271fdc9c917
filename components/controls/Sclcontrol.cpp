#include "components/controls/Sclcontrol.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Control_Registered = [] {
    RegisterClass<TSCLControl, TGraphicControl>("TSCLControl")
        .Property("About", String_Type(), [](TSCLControl& c) { return c.About; },
                  [](TSCLControl& c, const std::string& value) { c.About = value; }, "")
        .Event("OnMouseEnter", &TSCLControl::OnMouseEnter)
        .Event("OnMouseExit", &TSCLControl::OnMouseExit);
    return true;
}();

} // namespace

TSCLControl::TSCLControl(TComponent* AOwner) : TGraphicControl(AOwner) {}

void TSCLControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const RECT old = BoundsRect();
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    TSCLBoundsChangeStates changed;
    if (Left() != old.left || Top() != old.top)
        changed.Include(bcPos);
    if (Width() != old.right - old.left || Height() != old.bottom - old.top)
        changed.Include(bcSize);
    if (!changed.Empty() && !Loading())
        BoundsChange(changed);
}

void TSCLControl::BoundsChange(TSCLBoundsChangeStates State)
{
    if (OnBoundsChange)
        OnBoundsChange(this, State);
}

void TSCLControl::Dispatch(TMessage& Message)
{
    TGraphicControl::Dispatch(Message);
    if (Message.Msg == CM_MOUSEENTER)
        MouseEnter();
    else if (Message.Msg == CM_MOUSELEAVE)
        MouseExit();
}

void TSCLControl::MouseEnter()
{
    if (Enabled() && OnMouseEnter)
        OnMouseEnter(this);
}

void TSCLControl::MouseExit()
{
    if (Enabled() && OnMouseExit)
        OnMouseExit(this);
}

void TSCLControl::GetChange(TObject* /*Sender*/)
{
    if (!Loading())
        Invalidate();
}

bool TSCLControl::GetEmpty()
{
    return true;
}

void TSCLControl::DrawDashedFrame()
{
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetColor(clBlack);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psDash);
    canvas->Pen()->SetMode(pmCopy);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Rectangle(0, 0, Width(), Height());
}

void TSCLControl::FillControl()
{
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->Pen()->SetStyle(psClear);
    canvas->FillRect(ClientRect());
}
