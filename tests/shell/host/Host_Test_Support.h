#pragma once
// The main window in a private settings folder, with the real polling
// threads of its cameras (no port configured unless a test stores one).
// Waits pump the user-interface thread's events and synchronised calls
// until a condition holds.

#include "components/foundations/Sclcont.h"
#include "link/St_system.h"
#include "platform/classlib/Thread.h"
#include "platform/runtime/Ordexia_Library.h"
#include "shell/host/Camera_ordexia.h"
#include "shell/host/Fich_main.h"
#include "tests/support/Temp_Settings.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace host_test {

// Far beyond what any of these waits takes on a loaded machine.
constexpr auto Generous = std::chrono::seconds(30);

inline void Pump_Once()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    const bool ran = CheckSynchronize();
    if (!ran) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

inline bool Pump_Until(const std::function<bool()>& condition)
{
    const auto limit = std::chrono::steady_clock::now() + Generous;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit) {
            return false;
        }
        Pump_Once();
    }
    return true;
}

// Handles what is queued now, posted commands included.
inline void Pump_Pending()
{
    for (int round = 0; round < 5; ++round) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        CheckSynchronize();
    }
}

class Host_Window : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::string reason;
        ASSERT_TRUE(Load_Ordexia_Library(reason)) << reason;
        TForm_Main::Start_Pause_Ms = 0;
    }

    // The window filled the global picture lists: other tests start without.
    void TearDown() override
    {
        EXPECT_TRUE(Close_Window());
        SCLContainer->BitmapList()->Clear();
        SCLContainer->ImageList()->Clear();
    }

    void Create(int camera_count)
    {
        Reg_Write_Integer(Ordexia_Registry_Key, "Camera_Count", camera_count);
        window = std::make_unique<TForm_Main>(nullptr);
    }
    void Create_And_Show(int camera_count)
    {
        Create(camera_count);
        window->Show();
        Pump_Pending();
    }
    // Closed as the user closes it, once every thread has ended.
    bool Close_Window()
    {
        if (!window) {
            return true;
        }
        window->Close();
        const bool ended = Pump_Until([&] { return window->Get_Camera_Count() == 0; });
        window.reset();
        return ended;
    }
    bool Threads_Running()
    {
        return Pump_Until([&] {
            for (int index = 0; index < window->Get_Camera_Count(); ++index) {
                if (window->Get_Camera(index)->Get_Thread_Id() == 0) {
                    return false;
                }
            }
            return true;
        });
    }

    Temp_Settings settings;
    std::unique_ptr<TForm_Main> window;
};

} // namespace host_test
