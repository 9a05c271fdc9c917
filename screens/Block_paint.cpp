#include "screens/Block_paint.h"

#include "components/controls/SCLCustomGroupBox.h"
#include "components/controls/SCLCustomShapeButton.h"
#include "components/controls/Sclbaseshape.h"
#include "platform/winapi/Cursor.h"

void Set_Shape_Colours(TSCLBaseShape* shape, TColor colour, TColor end_colour, TColor brush)
{
    shape->ShapeFill()->Gradient()->SetColor(colour);
    shape->ShapeFill()->Gradient()->SetEndColor(end_colour);
    shape->Brush()->SetColor(brush);
}

void Paint_Cable(TSCLBaseShape* shape, bool active)
{
    if (active) {
        Set_Shape_Colours(shape, Active_Colour, Active_Colour, Active_Colour);
    } else {
        Set_Shape_Colours(shape, Silver_Colour, Black_Colour, Grey_Colour);
    }
}

bool Is_Cable_Active(const TSCLBaseShape* shape)
{
    return shape->Brush()->Color() == Active_Colour;
}

void Set_Frame_Shadow(TSCLCustomGroupBox* frame, TColor colour)
{
    frame->Bevel()->SetColor(2, colour);
}

TColor Frame_Shadow(const TSCLCustomGroupBox* frame)
{
    return frame->Bevel()->ShadowColor();
}

void Set_Title_Colour(TSCLCustomShapeButton* title, TColor colour)
{
    title->ShapeFill()->Gradient()->SetEndColor(colour);
    title->Shape()->Brush()->SetColor(colour);
}

TColor Title_Colour(const TSCLCustomShapeButton* title)
{
    return title->ShapeFill()->Gradient()->EndColor();
}

void Grey_Title(TSCLCustomShapeButton* title)
{
    title->SetPressed(false);
    Set_Title_Colour(title, Silver_Colour);
}

void Release_Title_Button(TSCLCustomShapeButton* title, int owner_left, int owner_top)
{
    POINT cursor {};
    GetCursorPos(&cursor);
    const int parent_left = title->Parent() ? title->Parent()->Left() : 0;
    const int parent_top = title->Parent() ? title->Parent()->Top() : 0;
    const int left = owner_left + parent_left + title->Left();
    const int top = owner_top + parent_top + title->Top();
    const bool under_cursor = cursor.x >= left && cursor.x < left + title->Width() && cursor.y >= top &&
                              cursor.y < top + title->Height();
    if (!under_cursor) {
        title->SetPressed(false);
    }
}
