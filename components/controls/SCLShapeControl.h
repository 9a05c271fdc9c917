#pragma once
// The published shape control: the base shape as the forms place it.

#include "components/controls/Sclbaseshape.h"

class TSCLShapeControl : public TSCLBaseShape {
public:
    explicit TSCLShapeControl(TComponent* AOwner);
    // Out of line, so that the class's registration links with any use.
    ~TSCLShapeControl() override;
};
