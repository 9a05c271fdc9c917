#pragma once
// The colours and the few paint steps every block presenter of the camera
// pages shares: active and inactive frames and cables, the greyed title
// button, and the rule that keeps a title pressed only under the cursor.

#include "platform/classlib/Graphics.h"

class TSCLBaseShape;
class TSCLCustomGroupBox;
class TSCLCustomShapeButton;

// A block's frame or cable painted as in use.
constexpr TColor Active_Colour = 0x9B0000;
constexpr TColor Inactive_Frame_Colour = 0xA4A0A0;
constexpr TColor Silver_Colour = 0xC0C0C0;
constexpr TColor Grey_Colour = 0x808080;
constexpr TColor Alarm_Colour = 0x0000FF;
constexpr TColor Good_Colour = 0x00FF00;
constexpr TColor Black_Colour = 0x000000;
constexpr TColor White_Colour = 0xFFFFFF;

// Image indexes of the status pictures.
namespace Block_Image {
constexpr int Off = 0;
constexpr int Good = 1;
constexpr int Second = 2;
constexpr int Fault = 3;
} // namespace Block_Image

void Set_Shape_Colours(TSCLBaseShape* shape, TColor colour, TColor end_colour, TColor brush);
// A cable or wire: 0x9B0000 throughout when active, else silver to black on grey.
void Paint_Cable(TSCLBaseShape* shape, bool active);
bool Is_Cable_Active(const TSCLBaseShape* shape);
void Set_Frame_Shadow(TSCLCustomGroupBox* frame, TColor colour);
TColor Frame_Shadow(const TSCLCustomGroupBox* frame);
// The title's gradient end colour and brush.
void Set_Title_Colour(TSCLCustomShapeButton* title, TColor colour);
TColor Title_Colour(const TSCLCustomShapeButton* title);
// Unpressed, silver.
void Grey_Title(TSCLCustomShapeButton* title);
// Unpresses the title unless the cursor is over it; owner_left and
// owner_top place the title's parent on the screen.
void Release_Title_Button(TSCLCustomShapeButton* title, int owner_left, int owner_top);
