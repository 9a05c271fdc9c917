#pragma once
// The (list, image) pair naming one picture of an image list.

#include <cstdint>

struct TSCLButtonFaceIndex {
    std::int32_t ListIndex = 0;
    std::int32_t ImageIndex = 0;
    bool operator==(const TSCLButtonFaceIndex&) const = default;
};

TSCLButtonFaceIndex SCLFaceIndex(std::int32_t A, std::int32_t B);
