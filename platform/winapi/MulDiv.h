#pragma once
// MulDiv: number × numerator ÷ denominator with a 64-bit intermediate,
// rounded to the nearest integer with halves away from zero. Answers -1 when
// the denominator is 0 or the result does not fit in 32 bits.

#include "platform/winapi/WinTypes.h"

INT MulDiv(INT number, INT numerator, INT denominator);
