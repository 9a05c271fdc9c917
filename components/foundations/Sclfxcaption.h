#pragma once
// The 3D text settings with a rotation: the angle in degrees and the
// position of the rotated text, which the text layout routine of Sclutils
// writes back (silently) while it lays the text out.

#include <string>

#include "components/foundations/Scl3dcaption.h"
#include "platform/winapi/WinTypes.h"

// Degrees, 0..360; 360 is kept as 0.
using TSCLAngle = WORD;

class TSCLFxCaption : public TSCL3DCaption {
public:
    TSCLFxCaption() = default;

    TSCLAngle Angle() const { return angle; }
    WORD PosX() const { return pos_x; }
    WORD PosY() const { return pos_y; }

    // A value other than the stored one notifies; 360 (or more) is then
    // taken modulo 360.
    void SetAngle(TSCLAngle Value);
    void SetPosX(WORD Value);
    void SetPosY(WORD Value);
    // Both positions at once, without a notification.
    void SetPosXY(WORD X, WORD Y);

    // From an effect caption: the eight 3D settings, the angle and the
    // positions, one notification. From a plain 3D caption: its eight
    // settings only (angle and positions kept).
    void Assign(TPersistent* Source) override;
    // The 3D summary with " rot: <angle>°" when rotated: "{raised, rot: 45°}",
    // "{ rot: 90°}" for tdNone.
    std::string GetSetStr() override;

private:
    TSCLAngle angle = 0;
    WORD pos_x = 0;
    WORD pos_y = 0;
};
