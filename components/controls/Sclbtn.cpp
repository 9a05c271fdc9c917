#include "components/controls/Sclbtn.h"

TSCLButtonFaceIndex SCLFaceIndex(std::int32_t A, std::int32_t B) { return TSCLButtonFaceIndex{A, B}; }
