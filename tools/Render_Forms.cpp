#include "tools/Render_Forms.h"

#include "components/foundations/Sclcont.h"
#include "link/St_system.h"
#include "link/Thread_polling_wcu.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Thread.h"
#include "platform/winapi/Message.h"
#include "platform/runtime/Ordexia_Library.h"
#include "platform/winapi/Window.h"
#include "screens/Fich_amu_hd_spectrum.h"
#include "screens/Fich_main_hd.h"
#include "screens/Fich_main_sd.h"
#include "screens/Status_ihm_sd_hd.h"
#include "shell/host/Camera_ordexia.h"
#include "shell/host/Fich_cam_select.h"
#include "shell/host/Fich_camera_view.h"
#include "shell/host/Fich_main.h"
#include "shell/host/Fich_main_multi_cameras.h"
#include "shell/services/Fich_message_box.h"
#include "shell/host/Main_container.h"
#include "tools/Render_State.h"

#include <QCoreApplication>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>

namespace {

void Pump()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        CheckSynchronize();
    }
}

QImage Shown(TCustomForm& form)
{
    Pump();
    return Window_Widget(form.Handle())->grab().toImage();
}

// One camera page without a polling thread over a working record, refreshed
// in full, then once more unchanged, and shown.
template <class Page>
struct Page_Render {
    Page_Render(const Render_Request& request, bool hd) : camera_count(request.Camera_Count)
    {
        Load_Main_Container(container);
        hd ? Set_Working_Hd_System(current) : Set_Working_System(current);
        if (request.Adjust) {
            request.Adjust(current);
        }
        page = std::make_unique<Page>(nullptr, nullptr, &camera_count, &summary, &snapshot, &current);
        page->RefreshDisplay(true);
        snapshot.Copy(current);
        page->RefreshDisplay(false);
        page->Show();
    }
    // The detail window that the block title's key opens, as the user opens it.
    TCustomForm& Open(WORD key)
    {
        TMessage message {WM_KEYDOWN, key, 0, 0};
        page->Dispatch(message);
        for (int i = 0; i < page->ComponentCount(); ++i) {
            auto* form = dynamic_cast<TCustomForm*>(page->Components(i));
            if (form && form->Visible()) {
                return *form;
            }
        }
        throw std::runtime_error("the detail window did not open (is the WCU connected?)");
    }

    TSCLContainerCtrl container {nullptr};
    St_System current {0};
    St_System snapshot {0};
    std::atomic<int> camera_count;
    Status_IHM_SD_HD* summary = nullptr;
    std::unique_ptr<Page> page;
};

QImage Render_Page_Window(const Render_Request& request, bool hd, WORD key)
{
    if (hd) {
        Page_Render<TForm_Main_HD> render(request, true);
        return Shown(key == 0 ? *render.page : render.Open(key));
    }
    Page_Render<TForm_Main_SD> render(request, false);
    return Shown(key == 0 ? *render.page : render.Open(key));
}

QImage Render_Spectrum(const Render_Request& request, char amu)
{
    Page_Render<TForm_Main_HD> render(request, true);
    TForm_AMU_HD_Spectrum* spectrum = render.page->Spectrum_Window(amu);
    St_System_HD_Spectrum& received = amu == '1' ? render.current.HD.Amu1_Spectrum : render.current.HD.Amu2_Spectrum;
    const St_System_HD_Spectrum working = received;
    // Showing the window clears the curves until the next poll brings a
    // spectrum: hand it the working one again, as that poll would.
    spectrum->Show();
    received = working;
    spectrum->RefreshDisplay(true);
    return Shown(*spectrum);
}

// The main window in the tool's own settings folder with `count` cameras
// (the first and third SD, the second and fourth HD) and their polling
// threads, without serial ports: each camera's record is set to a working
// one and handed to the window as its polling thread does after a poll.
class Host_Render {
public:
    Host_Render(const Render_Request& request, int count)
    {
        std::string reason;
        if (!Load_Ordexia_Library(reason)) {
            throw std::runtime_error(reason);
        }
        // No camera has a serial port: no thread ever opens a device.
        Reg_Write_Integer(Ordexia_Registry_Key, "Camera_Count", count);
        for (int i = 0; i < count; ++i) {
            const std::string camera = "_Cam" + std::to_string(i + 1);
            Reg_Write_Integer(Ordexia_Registry_Key, "System_Type" + camera, i % 2);
            Reg_Write_Integer(Ordexia_Registry_Key, "Port_Number" + camera, 0);
        }
        TForm_Main::Start_Pause_Ms = 0;
        window = std::make_unique<TForm_Main>(nullptr);
        window->Show();
        Pump_Until_Threads_Run();
        for (int poll = 0; poll < 2; ++poll) {
            for (int i = 0; i < window->Get_Camera_Count(); ++i) {
                Report_Working_State(request, i);
            }
        }
        Pump();
    }
    ~Host_Render()
    {
        // Closed as the user closes it: every polling thread ends first.
        window->Close();
        Pump_Until([this] { return window->Get_Camera_Count() == 0; });
    }

    // Every camera selected, as "Select all" of the strip's menu does.
    void Select_All()
    {
        const int count = window->Get_Camera_Count();
        for (int i = 0; i < count; ++i) {
            Form_Cam_Select->Selected[i] = true;
        }
        Form_Cam_Select->SelectedCount = count;
        Form_Cam_Select->Layout(-1);
        window->Show_Selection(count, Form_Cam_Select->Selected);
        Pump();
    }

    TForm_Main& Window() { return *window; }

private:
    // Far beyond what it takes on a loaded machine.
    static void Pump_Until(const std::function<bool()>& done)
    {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!done() && std::chrono::steady_clock::now() < limit) {
            Pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    // The working records are set once every thread runs and waits for a port.
    void Pump_Until_Threads_Run()
    {
        Pump_Until([this] {
            for (int i = 0; i < window->Get_Camera_Count(); ++i) {
                if (window->Get_Camera(i)->Get_Thread_Id() == 0) {
                    return false;
                }
            }
            return true;
        });
    }

    void Report_Working_State(const Render_Request& request, int index)
    {
        Camera_Ordexia* camera = window->Get_Camera(index);
        auto state = camera->Get_Thread()->Lock_State();
        if (index % 2 == 1) {
            Set_Working_Hd_System(*state);
        } else {
            Set_Working_System(*state);
        }
        state->Settings.Port_Number = index + 1;
        state->Settings.Name = index + 1;
        if (request.Adjust) {
            request.Adjust(*state);
        }
        window->Update_Camera_State(*state);
    }

    std::unique_ptr<TForm_Main> window;
};

QImage Render_Main_Window(const Render_Request& request)
{
    Host_Render host(request, 1);
    return Shown(host.Window());
}

QImage Render_Selection_Strip(const Render_Request& request)
{
    Host_Render host(request, 4);
    return Shown(*Form_Cam_Select);
}

QImage Render_Multi_Camera_Page(const Render_Request& request, int count)
{
    Host_Render host(request, count);
    host.Select_All();
    return Shown(*Form_Main_Multi_Cameras);
}

QImage Render_Camera_View(const Render_Request& request, bool large)
{
    Host_Render host(request, large ? 3 : 4);
    host.Select_All();
    return Shown(large ? *Form_Main_Multi_Cameras->Large_View(1) : *Form_Main_Multi_Cameras->Small_View(1));
}

QImage Render_Message_Box(const Render_Request& request)
{
    TSCLContainerCtrl container(nullptr);
    Load_Main_Container(container);
    St_System state(0);
    Set_Working_Hd_System(state);
    if (request.Adjust) {
        request.Adjust(state);
    }
    const std::atomic<int> camera_count {request.Camera_Count};
    TForm_Message_Box box(nullptr, "1234 frame(s) have been recorded in :\n/home/user/Camera 1.hdw",
                          "Wireless Ordexia", &state.Settings, &camera_count, MB_ICONINFORMATION);
    box.Show();
    return Shown(box);
}

Renderable_Form Page_Window(const char* name, const char* description, bool hd, WORD key)
{
    return {name, description, [=](const Render_Request& request) { return Render_Page_Window(request, hd, key); }};
}

} // namespace

const std::vector<Renderable_Form>& Renderable_Forms()
{
    static const std::vector<Renderable_Form> forms = {
        {"TForm_Main", "the main window with one SD camera's page", Render_Main_Window},
        {"TForm_Cam_Select", "the camera selection strip, four cameras", Render_Selection_Strip},
        {"TForm_Main_Multi_Cameras", "the multi-camera page, three cameras (large views)",
         [](const Render_Request& r) { return Render_Multi_Camera_Page(r, 3); }},
        {"TForm_Main_Multi_Cameras4", "the multi-camera page, four cameras (small views)",
         [](const Render_Request& r) { return Render_Multi_Camera_Page(r, 4); }},
        {"TForm_Large_Camera", "a large camera view (an HD camera)",
         [](const Render_Request& r) { return Render_Camera_View(r, true); }},
        {"TForm_Small_Camera", "a small camera view (an HD camera)",
         [](const Render_Request& r) { return Render_Camera_View(r, false); }},
        {"TForm_Message_Box", "the program's message box, as the recorder reports", Render_Message_Box},
        Page_Window("TForm_Main_SD", "an SD camera's page", false, 0),
        Page_Window("TForm_WCU_SD", "the SD WCU window", false, 'W'),
        Page_Window("TForm_AMU_SD1", "the SD AMU 1 window", false, 'A'),
        Page_Window("TForm_AMU_SD2", "the SD AMU 2 window", false, 'M'),
        Page_Window("TForm_DE_SD1", "the SD DE 1 window", false, 'D'),
        Page_Window("TForm_DE_SD2", "the SD DE 2 window", false, 'E'),
        Page_Window("TForm_Main_HD", "an HD camera's page", true, 0),
        Page_Window("TForm_WCU_HD", "the HD WCU window", true, 'W'),
        Page_Window("TForm_AMU_HD1", "the HD AMU 1 window", true, 'A'),
        Page_Window("TForm_AMU_HD2", "the HD AMU 2 window", true, 'M'),
        {"TForm_AMU_HD_Spectrum1", "the AMU 1 spectrum window",
         [](const Render_Request& r) { return Render_Spectrum(r, '1'); }},
        {"TForm_AMU_HD_Spectrum2", "the AMU 2 spectrum window",
         [](const Render_Request& r) { return Render_Spectrum(r, '2'); }},
        Page_Window("TForm_DE_HD1", "the HD DE 1 window", true, 'D'),
        Page_Window("TForm_DE_HD2", "the HD DE 2 window", true, 'E'),
        Page_Window("TForm_WCA_HD", "the HD camera adapter window", true, 'C'),
    };
    return forms;
}
