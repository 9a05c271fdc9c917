#pragma once
// The shell as a polling thread sees it, recording every call. Calls come
// from the polling thread and from the test's (user-interface) thread.

#include "link/Shell_Services.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class Fake_Shell : public Shell_Services {
public:
    struct Update {
        bool Connected;
        int System_Type;
        int Port_Number;
        int Alarm_Sound;
        int Rate_Any;
        int Rate_A;
        int Link_Event_Code;
    };
    struct Box {
        std::string Text;
        std::string Caption;
        UINT Flags;
    };
    struct Posted {
        HWND Window;
        UINT Message;
        WPARAM W_Param;
        LPARAM L_Param;
    };

    static HWND Window(std::uintptr_t id) { return reinterpret_cast<HWND>(id); }
    static inline const HWND Main = Window(0x100);
    static inline const HWND Form = Window(0x200);

    void Update_Camera_State(const St_System& state) override
    {
        const St_System_SD_WCU& wcu = state.SD.WCU;
        std::lock_guard lock(mutex);
        updates.push_back({state.Settings.Connected, state.Type.System_Type, state.Settings.Port_Number,
                           state.Settings.Alarm_Sound, wcu.Rate_Any, wcu.Rate_A,
                           state.HD.Wcu_Link.Link_Event_Code});
    }
    bool Is_Busy(int) override
    {
        std::lock_guard lock(mutex);
        return busy;
    }
    bool Post_Pending_Change(int) override
    {
        std::lock_guard lock(mutex);
        ++pending_posts;
        return false;
    }
    int Find_Camera_On_Port(int, int port_number) override
    {
        std::lock_guard lock(mutex);
        ports_asked.push_back(port_number);
        return camera_on_port;
    }
    std::string Get_Version_Text() override { return "2.3"; }
    int Get_Active_Page_Index() override { return 0; }
    HWND Get_Active_Form_Window() override { return Form; }
    HWND Get_Main_Window() override { return Main; }
    BOOL Post_Message(HWND window, UINT message, WPARAM w_param, LPARAM l_param) override
    {
        std::lock_guard lock(mutex);
        posted.push_back({window, message, w_param, l_param});
        return TRUE;
    }
    int Message_Box(const std::string& text, const std::string& caption, UINT flags) override
    {
        std::lock_guard lock(mutex);
        boxes.push_back({text, caption, flags});
        return 1;
    }
    // Recorded with the camera prefix the real box adds.
    std::unique_ptr<Modeless_Message_Box> Show_Message_Box(const std::string& text, const std::string& caption,
                                                           UINT flags, const St_System_Settings& settings,
                                                           const std::atomic<int>* camera_count) override
    {
        const std::string prefix = *camera_count == 1 ? "" : "Camera " + std::to_string(settings.Name) + "\n";
        std::lock_guard lock(mutex);
        modeless_boxes.push_back({prefix + text, caption, flags});
        return std::make_unique<Modeless_Message_Box>();
    }

    void Set_Busy(bool value)
    {
        std::lock_guard lock(mutex);
        busy = value;
    }
    void Set_Camera_On_Port(int number)
    {
        std::lock_guard lock(mutex);
        camera_on_port = number;
    }
    std::vector<Update> Updates() const
    {
        std::lock_guard lock(mutex);
        return updates;
    }
    std::vector<Box> Boxes() const
    {
        std::lock_guard lock(mutex);
        return boxes;
    }
    std::vector<Box> Modeless_Boxes() const
    {
        std::lock_guard lock(mutex);
        return modeless_boxes;
    }
    std::vector<Posted> Posts() const
    {
        std::lock_guard lock(mutex);
        return posted;
    }
    std::vector<int> Ports_Asked() const
    {
        std::lock_guard lock(mutex);
        return ports_asked;
    }
    int Pending_Posts() const
    {
        std::lock_guard lock(mutex);
        return pending_posts;
    }

private:
    mutable std::mutex mutex;
    bool busy = false;
    int camera_on_port = 0;
    std::vector<Update> updates;
    std::vector<Box> boxes;
    std::vector<Box> modeless_boxes;
    std::vector<Posted> posted;
    std::vector<int> ports_asked;
    int pending_posts = 0;
};
