#pragma once
// The five state colours of a shape button.

#include "components/foundations/Sclobject.h"
#include "platform/classlib/Graphics.h"

class TSCLShapeButtonColor : public TSCLObject {
public:
    TSCLShapeButtonColor() = default;

    TColor Disabled() const { return colors[0]; }
    TColor Down() const { return colors[1]; }
    TColor MouseOver() const { return colors[2]; }
    TColor OptionSet() const { return colors[3]; }
    TColor Up() const { return colors[4]; }
    // 0 Disabled, 1 Down, 2 MouseOver, 3 OptionSet, 4 Up.
    TColor GetColor(int Index) const;
    void SetColor(int Index, TColor Value);

    // The five colours, one notification.
    void Assign(TPersistent* Source) override;

private:
    TColor colors[5] = {clBtnFace, clBtnFace, clBtnFace, clBtnFace, clBtnFace};
};
