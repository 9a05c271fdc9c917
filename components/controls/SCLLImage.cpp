#include "components/controls/SCLLImage.h"

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Graphics_Bitmap.h"

namespace {

const bool LImage_Registered = [] {
    RegisterComponentClass<TSCLLImage, TSCLCustomLImage>("TSCLLImage");
    return true;
}();

} // namespace

TSCLLImage::TSCLLImage(TComponent* AOwner) : TSCLCustomLImage(AOwner) {}

bool TSCLLImage::CheckOptimized()
{
    return TSCLCustomLImage::CheckOptimized() || (SilentMove() && Parent_Offers_Back());
}

void TSCLLImage::Paint()
{
    if (Loading() || CorrectBounds())
        return;
    const bool empty = GetEmpty();
    if (Transparent() && empty && BevelExt() == 0) {
        TSCLBaseGraphicControl::Paint();
        return;
    }
    const bool off_screen = SilentMove() && CheckOptimized() && !empty;
    if (!Transparent() && !off_screen)
        FillControl();
    const RECT rect = Bevel()->PaintBevel(Canvas(), ClientRect(), Transparent());
    if (empty)
        return;
    const WORD flags = Draw_Flags();
    if (off_screen) {
        Paint_Off_Screen(rect, flags);
        return;
    }
    Realize(ImageList()->Palette(ListIndex()));
    Draw_Item(Canvas(), rect, flags);
}

void TSCLLImage::Paint_Off_Screen(const RECT& Rect, WORD Flags)
{
    TBitmap composed;
    composed.SetSize(Rect.right - Rect.left, Rect.bottom - Rect.top);
    const RECT whole{0, 0, composed.Width(), composed.Height()};
    if (!Parent_Back(composed.Canvas(), Rect)) {
        composed.Canvas()->Brush()->SetColor(Color());
        composed.Canvas()->FillRect(whole);
    }
    Draw_Item(composed.Canvas(), whole, Flags);
    Realize(composed.Palette());
    Canvas()->Draw(Rect.left, Rect.top, &composed);
}
