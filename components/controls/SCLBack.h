#pragma once
// The form fill that draws an image-list item tiled over the form's client
// area.

#include "components/controls/SCLCustomFormFill.h"

class TSCLBack : public TSCLCustomFormFill {
public:
    explicit TSCLBack(TComponent* AOwner);
    ~TSCLBack() override;

    // The list item in pcControl mode; else the owner drawing.
    bool PaintClientArea(HDC DC) override;
};
