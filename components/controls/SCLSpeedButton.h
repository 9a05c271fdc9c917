#pragma once
// The speed button the forms place.

#include "components/controls/SCLCustomSpeedButton.h"

class TSCLSpeedButton : public TSCLCustomSpeedButton {
public:
    explicit TSCLSpeedButton(TComponent* AOwner);
};
