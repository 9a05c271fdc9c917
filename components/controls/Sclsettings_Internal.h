#pragma once
// Registration shared by the settings units: the class library's brush as a
// sub-object class (Shape.Brush.Color, FillObject.Brush.Style), registered
// once by whichever unit needs it first, unless the class library already
// has it.

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Graphics.h"

inline constexpr const char* Brush_Style_Names[] = {"bsSolid",      "bsClear",     "bsHorizontal", "bsVertical",
                                                    "bsFDiagonal",  "bsBDiagonal", "bsCross",      "bsDiagCross"};

inline void SCLRegisterBrushClass()
{
    if (Find_Class_Info(typeid(TBrush)))
        return;
    RegisterClass<TBrush>("TBrush")
        .Property("Color", Color_Type(), &TBrush::Color, &TBrush::SetColor, clWhite)
        .Property("Style", Enum_Type<TBrushStyle>(Brush_Style_Names), &TBrush::Style, &TBrush::SetStyle, bsSolid);
}
