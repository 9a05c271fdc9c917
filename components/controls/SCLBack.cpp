#include "components/controls/SCLBack.h"

#include "components/foundations/Sclclass.h"
#include "components/foundations/Sclsysin.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"

namespace {

const bool Back_Registered = [] {
    RegisterComponentClass<TSCLBack, TSCLCustomFormFill>("TSCLBack");
    return true;
}();

} // namespace

TSCLBack::TSCLBack(TComponent* AOwner) : TSCLCustomFormFill(AOwner) {}

TSCLBack::~TSCLBack() = default;

bool TSCLBack::PaintClientArea(HDC DC)
{
    if (PaintMode() != pcControl || IMLEmpty())
        return TSCLCustomFormFill::PaintClientArea(DC);
    TCanvas canvas;
    canvas.SetHandle(DC);
    // The palette is realised here unless the application realises palettes
    // itself on a display of 256 colours or fewer.
    WORD flags = SCLBD_TILE;
    if (!(SCLApplication->Options.Contains(aoAutoRealizePalette) && SCLSIColorDepth() < 9))
        flags |= SCLBD_PALETTE;
    ImageList()->ClipDraw(&canvas, Owner_Client_Rect(), flags, 0, 0, ListIndex(), ImageIndex());
    canvas.SetHandle(nullptr);
    return true;
}
