#pragma once
// The error raised when a second dock label or button is attached to a
// component.

#include "platform/classlib/Classes.h"

// Raises Exception: "Component <name>:", CR, "A TSCLDockLabel- or Button
// component was already attached to the component: <dock name>", CR,
// "Only one SCLDockXXXX per control is allowed.".
[[noreturn]] void SCLRaiseDockError(const TComponent* Component, const TComponent* Dock);
