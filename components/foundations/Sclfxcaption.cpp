#include "components/foundations/Sclfxcaption.h"

void TSCLFxCaption::SetAngle(TSCLAngle Value)
{
    if (Value == angle)
        return;
    angle = static_cast<TSCLAngle>(Value % 360);
    Change();
}

void TSCLFxCaption::SetPosX(WORD Value)
{
    Store(pos_x, Value);
}

void TSCLFxCaption::SetPosY(WORD Value)
{
    Store(pos_y, Value);
}

void TSCLFxCaption::SetPosXY(WORD X, WORD Y)
{
    BeginUpdate();
    SetPosX(X);
    SetPosY(Y);
    EndUpdate(false);
}

void TSCLFxCaption::Assign(TPersistent* Source)
{
    auto* caption = dynamic_cast<TSCLFxCaption*>(Source);
    if (!caption) {
        TSCL3DCaption::Assign(Source);
        return;
    }
    Copy_Settings(*caption);
    angle = caption->angle;
    pos_x = caption->pos_x;
    pos_y = caption->pos_y;
    Change();
}

std::string TSCLFxCaption::GetSetStr()
{
    std::string text = TSCL3DCaption::GetSetStr();
    if (angle == 0)
        return text;
    if (text == "{Disabled}")
        text = "{";
    else
        text.back() = ',';
    return text + " rot: " + std::to_string(angle) + "\u00B0}";
}
