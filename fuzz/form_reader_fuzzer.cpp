#include "fuzz/Fuzz_Platform_Targets.h"

#include <QApplication>

// Forms and controls need the application object, drawing offscreen.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    return Fuzz_Form_Reader(Data, Size);
}
