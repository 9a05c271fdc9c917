#include "components/foundations/Sclfxcaption.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Fx_Caption_Registered = [] {
    RegisterClass<TSCLFxCaption, TSCL3DCaption>("TSCLFxCaption")
        .Property("Angle", Integer_Type(0, 360), &TSCLFxCaption::Angle,
                  [](TSCLFxCaption& caption, int value) { caption.SetAngle(static_cast<TSCLAngle>(value)); }, 0)
        .Property("PosX", Integer_Type(0, 65535), &TSCLFxCaption::PosX,
                  [](TSCLFxCaption& caption, int value) { caption.SetPosX(static_cast<WORD>(value)); }, 0)
        .Property("PosY", Integer_Type(0, 65535), &TSCLFxCaption::PosY,
                  [](TSCLFxCaption& caption, int value) { caption.SetPosY(static_cast<WORD>(value)); }, 0);
    return true;
}();

} // namespace

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
