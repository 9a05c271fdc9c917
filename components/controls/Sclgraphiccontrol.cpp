#include "components/controls/Sclgraphiccontrol.h"

#include "components/foundations/Sclgraph.h"
#include "platform/classlib/Class_Registry.h"

namespace {

const bool Graphic_Control_Registered = [] {
    RegisterClass<TSCLGraphicControl, TSCLBaseGraphicControl>("TSCLGraphicControl")
        .Object("Bevel", &TSCLGraphicControl::Bevel);
    return true;
}();

} // namespace

TSCLGraphicControl::TSCLGraphicControl(TComponent* AOwner) : TSCLBaseGraphicControl(AOwner), bevel(new TSCLBevel)
{
    bevel->OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TSCLGraphicControl::~TSCLGraphicControl()
{
    bevel->OnChange = nullptr;
    delete bevel;
}

void TSCLGraphicControl::SetBevel(TSCLBevel* Value)
{
    bevel->Assign(Value);
    Perform(CM_SCLBEVELCHANGED, 0, 0);
}

RECT TSCLGraphicControl::BeveledRect()
{
    return bevel->ClientRect(ClientRect());
}

void TSCLGraphicControl::Paint()
{
    if (Loading())
        return;
    if (GetEmpty() && BevelExt() == 0) {
        TSCLBaseGraphicControl::Paint();
        return;
    }
    bevel->PaintBevel(Canvas(), ClientRect(), Transparent());
}
