#include "platform/winapi/MulDiv.h"

#include <cstdint>
#include <limits>

INT MulDiv(INT number, INT numerator, INT denominator)
{
    if (denominator == 0)
        return -1;
    // |number × numerator| < 2^62, so the product, its doubling and the
    // rounding below all stay inside 64 bits.
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const std::uint64_t magnitude = product < 0 ? 0 - static_cast<std::uint64_t>(product) : static_cast<std::uint64_t>(product);
    const std::uint64_t divisor = denominator < 0 ? 0 - static_cast<std::uint64_t>(static_cast<std::int64_t>(denominator))
                                                  : static_cast<std::uint64_t>(denominator);
    const std::uint64_t rounded = (magnitude + divisor / 2) / divisor; // halves away from zero
    const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    if (rounded > limit)
        return -1;
    return negative ? static_cast<INT>(0 - static_cast<std::int64_t>(rounded)) : static_cast<INT>(rounded);
}
