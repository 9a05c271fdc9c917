#pragma once
// The shadow of a region description: a shadow that starts switched off.

#include "components/controls/SCLShadow.h"

class TSCLRgnShadow : public TSCLShadow {
public:
    // Style hssNone.
    TSCLRgnShadow();
};
