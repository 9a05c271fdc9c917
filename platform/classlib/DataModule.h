#pragma once
// A component that holds only non-visual components, in place of a form.

#include "platform/classlib/Classes.h"

class TDataModule : public TComponent {
public:
    explicit TDataModule(TComponent* AOwner);
};
