#pragma once
// A speed button preset to the flat style, see-through where it has no face.

#include "components/controls/SCLCustomSpeedButton.h"

class TSCLOfficeButton : public TSCLCustomSpeedButton {
public:
    explicit TSCLOfficeButton(TComponent* AOwner);
};
