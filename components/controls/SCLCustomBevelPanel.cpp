#include "components/controls/SCLCustomBevelPanel.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Bevel_Panel_Registered = [] {
    RegisterClass<TSCLCustomBevelPanel, TSCLCustomPanel>("TSCLCustomBevelPanel")
        .Object("Bevel", &TSCLCustomBevelPanel::Bevel);
    return true;
}();

} // namespace

TSCLCustomBevelPanel::TSCLCustomBevelPanel(TComponent* AOwner) : TSCLCustomPanel(AOwner), bevel(new TSCLBevel)
{
    bevel->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    bevel->SetWindowBorder(true);
}

TSCLCustomBevelPanel::~TSCLCustomBevelPanel()
{
    bevel->OnChange = nullptr;
    delete bevel;
}

RECT TSCLCustomBevelPanel::BeveledRect()
{
    return bevel->ClientRect(ClientRect());
}

void TSCLCustomBevelPanel::AlignControls(TControl* AControl, RECT& Rect)
{
    Rect = bevel->ClientRect(Rect);
    TSCLCustomPanel::AlignControls(AControl, Rect);
}

void TSCLCustomBevelPanel::CreateParams(TCreateParams& Params)
{
    TSCLCustomPanel::CreateParams(Params);
    if (bevel->Mode() != bmWindows)
        return;
    // Every control here is new-style: Ctl3D alone picks the sunken edge.
    if (Ctl3D())
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        Params.Style |= WS_BORDER;
}

void TSCLCustomBevelPanel::Dispatch(TMessage& Message)
{
    TSCLCustomPanel::Dispatch(Message);
    if (Message.Msg == CM_CTL3DCHANGED && bevel->Mode() == bmWindows)
        RecreateWnd();
}

void TSCLCustomBevelPanel::GetChange(TObject* Sender)
{
    if (Loading())
        return;
    if (Sender == bevel) {
        bevel->SetWindowBorder(true);
        if (bevel->GetRecreateWnd())
            RecreateWnd();
        Realign();
    }
    TSCLCustomPanel::GetChange(Sender);
}

bool TSCLCustomBevelPanel::GetEmpty()
{
    return BevelExt() == 0 && bevel->Mode() != bmWindows;
}

void TSCLCustomBevelPanel::Paint()
{
    FillControl();
    if (Designing() && GetEmpty()) {
        DrawDashedFrame();
        return;
    }
    if (!Focused() && Flat() && !Designing())
        RestoreBorderBack();
    else
        bevel->PaintBevel(Canvas(), ClientRect(), Transparent());
}

void TSCLCustomBevelPanel::DoEnter()
{
    if (!Focused() && Flat())
        RestoreBorderFront();
    TSCLCustomPanel::DoEnter();
}

void TSCLCustomBevelPanel::MouseEnter()
{
    if (!Focused() && Flat() && !Entered())
        RestoreBorderFront();
    TSCLCustomPanel::MouseEnter();
}

void TSCLCustomBevelPanel::RestoreBorderFront()
{
    if (!HandleAllocated())
        return;
    if (bevel->Mode() == bmWindows) {
        TSCLCustomPanel::RestoreBorderFront();
        return;
    }
    bevel->PaintBevel(Canvas(), ClientRect(), true);
}

void TSCLCustomBevelPanel::RestoreBorderBack()
{
    if (!HandleAllocated() || Focused() || !Flat() || MouseAbove())
        return;
    if (bevel->Mode() == bmWindows) {
        TSCLCustomPanel::RestoreBorderBack();
        return;
    }
    const int e = BevelExt();
    const int e2 = bevel->ShadowExtent();
    const int w = Width();
    const int h = Height();
    RepBack(RECT{0, 0, w, e});
    RepBack(RECT{0, e, e, h});
    RepBack(RECT{e, h - e2 - 1, w, h});
    RepBack(RECT{w - e2, e, w, h - e2});
}
