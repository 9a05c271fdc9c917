#pragma once
// The speed button the forms place.

#include "components/controls/SCLCustomSpeedButton.h"

class TSCLSpeedButton : public TSCLCustomSpeedButton {
public:
    explicit TSCLSpeedButton(TComponent* AOwner);
    // Out of line, so that the class's registration links with any use.
    ~TSCLSpeedButton() override;
};
