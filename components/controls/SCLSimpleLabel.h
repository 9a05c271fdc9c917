#pragma once
// The published simple label.

#include "components/controls/SCLCustomSimpleLabel.h"

class TSCLSimpleLabel : public TSCLCustomSimpleLabel {
public:
    explicit TSCLSimpleLabel(TComponent* AOwner);
    // Out of line, so that the class's registration links with any use.
    ~TSCLSimpleLabel() override;
};
