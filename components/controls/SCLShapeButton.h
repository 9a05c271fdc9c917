#pragma once
// The shape button the forms place.

#include "components/controls/SCLCustomShapeButton.h"

class TSCLShapeButton : public TSCLCustomShapeButton {
public:
    explicit TSCLShapeButton(TComponent* AOwner);
    // Out of line, so that the class's registration links with any use.
    ~TSCLShapeButton() override;
};
