#include "components/controls/Sclaboutdlg_Picture.h"

#include "platform/classlib/ExtCtrls_Controls.h"

TGraphicControl* About_Make_Image(TWinControl* Parent, const char* Name)
{
    auto* image = new TImage(Parent);
    image->SetName(Name);
    image->SetParent(Parent);
    image->SetStretch(true);
    return image;
}

void About_Show_Picture(TGraphicControl* Image, TGraphic* Graphic, bool Stretch)
{
    auto* image = dynamic_cast<TImage*>(Image);
    if (!image)
        return;
    image->SetStretch(Stretch);
    image->Picture()->SetGraphic(Graphic);
}

TGraphic* About_Picture(TGraphicControl* Image)
{
    auto* image = dynamic_cast<TImage*>(Image);
    return image ? image->Picture()->Graphic() : nullptr;
}

bool About_Picture_Stretched(TGraphicControl* Image)
{
    auto* image = dynamic_cast<TImage*>(Image);
    return image && image->Stretch();
}

TGraphicControl* About_Make_Separator(TWinControl* Parent, const char* Name)
{
    auto* separator = new TBevel(Parent);
    separator->SetName(Name);
    separator->SetParent(Parent);
    separator->SetShape(bsTopLine);
    return separator;
}
