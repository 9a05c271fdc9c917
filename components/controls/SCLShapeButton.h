#pragma once
// The shape button the forms place.

#include "components/controls/SCLCustomShapeButton.h"

class TSCLShapeButton : public TSCLCustomShapeButton {
public:
    explicit TSCLShapeButton(TComponent* AOwner);
};
