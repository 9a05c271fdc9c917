#include "fuzz/Fuzz_Platform_Targets.h"

#include <QApplication>

// Forms and controls need the application object, drawing offscreen. It
// lives as long as the process: destroyed at exit, it would drop Qt's font
// caches unfreed just before the leak check.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* application = new QApplication(*argc, *argv);
    return application ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    return Fuzz_Form_Reader(Data, Size);
}
