#include "shell/host/Fich_main.h"

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLFormDisplay.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/Sclaboutdlg.h"
#include "components/controls/Sclformshadow.h"
#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclsysinfo.h"
#include "link/Thread_polling_wcu.h"
#include "platform/classlib/Dialog_Registry.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Resources.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/Thread.h"
#include "platform/classlib/Version.h"
#include "platform/winapi/Cursor.h"
#include "platform/winapi/Kernel.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/Termination_Signals.h"
#include "platform/winapi/Window.h"
#include "screens/Fich_main_hd.h"
#include "screens/Status_ihm_sd_hd.h"
#include "shell/host/Camera_ordexia.h"
#include "shell/host/Fich_cam_select.h"
#include "shell/host/Fich_main_multi_cameras.h"
#include "shell/services/Hh.h"
#include "shell/services/Hh_funcs.h"
#include "shell/host/Main_container.h"
#include "shell/services/Screen_dpi.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>

TForm_Main* Form_Main = nullptr;

namespace {

constexpr int Program_Title_String = 1000;
constexpr int Help_Unreadable_String = 2033;
constexpr TCursor Grab_Cursor = 5;
constexpr int Hint_Hide_Pause = 10000;
constexpr const char* Standard_Dialog_Class = "#32770";
constexpr const char* Plain_Form_Class = "TForm";
constexpr const char* Help_File_Names[2] = {"Wireless_Ordexia_SD_Help.chm", "Wireless_Ordexia_HD_Help.chm"};

bool On_Ui_Thread()
{
    const QCoreApplication* application = QCoreApplication::instance();
    return application == nullptr || QThread::currentThread() == application->thread();
}

// Runs a call on the user-interface thread for a polling thread and waits
// for it; at once on the user-interface thread.
class Ui_Thread_Call : public TThread {
public:
    Ui_Thread_Call() : TThread(true) {}
    using TThread::Synchronize;

protected:
    void Execute() override {}
};

template <class Result>
Result On_Ui_Thread_Answer(const std::function<Result()>& question)
{
    if (On_Ui_Thread()) {
        return question();
    }
    Result answer {};
    Ui_Thread_Call call;
    call.Synchronize([&] { answer = question(); });
    return answer;
}

// What the window enumeration of a display change or a swap carries.
struct Dialog_Search {
    bool Found = false;
    std::vector<Modal_Dialog> Modal_Dialogs;
};

std::string Window_Class(HWND window)
{
    char name[128] = {};
    return GetClassNameA(window, name, sizeof name) > 0 ? std::string(name) : std::string();
}

// A standard dialog of the user-interface thread is ended at once; a modal
// one through its own close, so that the call that shows it returns. A
// plain form is asked to close.
BOOL Close_Gui_Window(HWND window, LPARAM l_param)
{
    auto& search = *reinterpret_cast<Dialog_Search*>(l_param);
    const std::string name = Window_Class(window);
    if (name == Standard_Dialog_Class) {
        const auto modal = std::find_if(search.Modal_Dialogs.begin(), search.Modal_Dialogs.end(),
                                        [window](const Modal_Dialog& dialog) { return dialog.Window == window; });
        if (modal != search.Modal_Dialogs.end() && modal->Close) {
            modal->Close();
        } else {
            DestroyWindow(window);
        }
        search.Found = true;
    } else if (name == Plain_Form_Class) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        search.Found = true;
    }
    return TRUE;
}

// A window of another thread is only ever asked to close.
BOOL Close_Thread_Window(HWND window, LPARAM l_param)
{
    auto& search = *reinterpret_cast<Dialog_Search*>(l_param);
    const std::string name = Window_Class(window);
    if (name == Standard_Dialog_Class || name == Plain_Form_Class) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        search.Found = true;
    }
    return TRUE;
}

// Standard dialogs drawn by the toolkit have no window of ours: the
// registry's close ends them.
void Close_Windowless_Dialogs(DWORD thread, Dialog_Search& search)
{
    for (const Modal_Dialog& dialog : Find_Modal_Dialogs(thread)) {
        if (dialog.Window == nullptr && dialog.Class_Name == Standard_Dialog_Class && dialog.Close) {
            dialog.Close();
            search.Found = true;
        }
    }
}

std::filesystem::path Program_Folder()
{
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
}

} // namespace

TForm_Main::TForm_Main(TComponent* owner) : TForm(owner)
{
    InitInheritedComponent(this, Table());
    // Every other form draws from the container's lists.
    Load_Main_Container(*MainContainer);
    Form_About->Version += Get_Version_Text();
    Create_Selection_Strip();
    Host_Selection_Strip();
    Create_Multi_Camera_Page();
    for (int index = 0; index < Form_Cam_Select->CameraCount; ++index) {
        Cameras.push_back(Make_Camera(index));
    }
    Application->SetTitle(LoadStr(Program_Title_String));
    SetCaption(Application->Title());
    BackPanelFormDisplay->SetListIndex(Is_Large_Screen() ? 1 : 0);
    Application->SetHintPause(0);
    Application->SetHintHidePause(Hint_Hide_Pause);
    // Polling threads post to the window: it exists before any of them runs.
    HandleNeeded();
    Set_System_Event_Window(Handle());
    Main_Window = this;
    Sleep_Unless_Terminating(Start_Pause_Ms);
}

TForm_Main::~TForm_Main()
{
    // Cameras left by a window never shown or never closed: their threads
    // never ran, or are stopped and waited for here.
    Delete_Cameras();
    Delete_Selection_Strip();
    Delete_Multi_Camera_Page();
    Unload_Help_File(0);
    Unload_Help_File(1);
    if (Main_Window == this) {
        Main_Window = nullptr;
    }
    Set_System_Event_Window(nullptr);
}

const TForm_Table& TForm_Main::Table()
{
    static const TForm_Table table =
        TForm_Table()
            .Field("SCLFormDisplay", &TForm_Main::SCLFormDisplay)
            .Field("BackPanelFormDisplay", &TForm_Main::BackPanelFormDisplay)
            .Field("ShapeButtonShortcutPCTitle", &TForm_Main::ShapeButtonShortcutPCTitle)
            .Field("ShapeButtonShortcutWCUTitle", &TForm_Main::ShapeButtonShortcutWCUTitle)
            .Field("ShapeButtonShortcutAMU1Title", &TForm_Main::ShapeButtonShortcutAMU1Title)
            .Field("ShapeButtonShortcutAMU2Title", &TForm_Main::ShapeButtonShortcutAMU2Title)
            .Field("ShapeButtonShortcutDE1Title", &TForm_Main::ShapeButtonShortcutDE1Title)
            .Field("ShapeButtonShortcutDE2Title", &TForm_Main::ShapeButtonShortcutDE2Title)
            .Field("ShapeButtonShortcutWCATitle", &TForm_Main::ShapeButtonShortcutWCATitle)
            .Field("SCLFormCamSelect", &TForm_Main::SCLFormCamSelect)
            .Field("MainContainer", &TForm_Main::MainContainer)
            .Field("MainSysInfo", &TForm_Main::MainSysInfo)
            .Field("Form_About", &TForm_Main::Form_About)
            .Field("MainFormShadow", &TForm_Main::MainFormShadow)
            .Handler("FormShow", &TForm_Main::FormShow)
            .Handler("FormClose", &TForm_Main::FormClose);
    return table;
}

void TForm_Main::CreateWindowHandle(const TCreateParams& Params)
{
    TForm::CreateWindowHandle(Params);
    Window_Handle = Handle();
}

Camera_Ordexia* TForm_Main::Make_Camera(int index)
{
    return new Camera_Ordexia(this, index, &Form_Cam_Select->CameraCount, &Help_SD, &Help_HD);
}

void TForm_Main::Create_Selection_Strip()
{
    Form_Cam_Select = new TForm_Cam_Select(this, SCLFormCamSelect);
    Polling_Camera_Count = Form_Cam_Select->CameraCount.load();
}

void TForm_Main::Host_Selection_Strip()
{
    SCLFormCamSelect->AddFormExt(Form_Cam_Select, true);
    SCLFormCamSelect->SetActiveFormIndex(0);
}

void TForm_Main::Create_Multi_Camera_Page()
{
    Form_Main_Multi_Cameras = new TForm_Main_Multi_Cameras(this, &Form_Cam_Select->CameraCount,
                                                           &Form_Cam_Select->SelectedCount, Form_Cam_Select->Selected,
                                                           &Help_SD, &Help_HD);
}

void TForm_Main::Delete_Selection_Strip()
{
    if (Form_Cam_Select != nullptr) {
        SCLFormCamSelect->RemoveForm(Form_Cam_Select, false);
        delete Form_Cam_Select;
        Form_Cam_Select = nullptr;
    }
}

void TForm_Main::Delete_Multi_Camera_Page()
{
    if (Form_Main_Multi_Cameras != nullptr) {
        SCLFormDisplay->RemoveForm(Form_Main_Multi_Cameras, false);
        delete Form_Main_Multi_Cameras;
        Form_Main_Multi_Cameras = nullptr;
    }
}

void TForm_Main::Delete_Cameras()
{
    for (Camera_Ordexia* camera : Cameras) {
        if (TForm* form = camera->Get_Form()) {
            SCLFormDisplay->RemoveForm(form, false);
        }
        camera->Delete_Thread_And_Form();
        delete camera;
    }
    Cameras.clear();
}

// ---- Showing ------------------------------------------------------------

void TForm_Main::FormShow(TObject*)
{
    Register_Cursor_Resources();
    Screen->SetCursors(Grab_Cursor, LoadCursorA(nullptr, "GRABCURSOR"));
    for (int index = 0; index < Get_Camera_Count(); ++index) {
        Camera_Ordexia* camera = Cameras[static_cast<std::size_t>(index)];
        camera->Create_Form();
        Add_Camera_Page(index, Form_Cam_Select->Selected[index]);
        if (index == 0 && camera->Get_Form_HD() != nullptr) {
            Place_For_Spectrum(*camera);
        }
    }
    SCLFormDisplay->AddFormExt(Form_Main_Multi_Cameras, false);
    Form_Cam_Select->Sample_Background_Colours();
    std::copy(std::begin(Form_Cam_Select->Greys), std::end(Form_Cam_Select->Greys), std::begin(Selector_Greys));
    Form_Cam_Select->Layout(-1);
    Show_Selection(Form_Cam_Select->SelectedCount, Form_Cam_Select->Selected);
    SetForegroundWindow(Handle());
    Focus_Active_Page();
}

// The designed place when the first camera's spectrum windows fit beside
// the window and one above the other; else the desktop centre.
void TForm_Main::Place_For_Spectrum(const Camera_Ordexia& camera)
{
    POINT size {};
    camera.Get_Form_HD()->GetSpectrumWindowSize(size);
    if (size.x + Width() <= Screen->Width() && 2 * size.y <= Screen->Height()) {
        SetPosition(poDesigned);
    }
}

void TForm_Main::Focus_Active_Page()
{
    if (TCustomForm* page = SCLFormDisplay->GetActiveForm(); page != nullptr && page->CanFocus()) {
        page->SetFocus();
    }
}

void TForm_Main::Add_Camera_Page(int camera_index, bool activate)
{
    if (TForm* form = Cameras[static_cast<std::size_t>(camera_index)]->Get_Form()) {
        SCLFormDisplay->AddFormExt(form, activate);
    }
}

// Camera pages by camera index, the multi-camera page after them.
void TForm_Main::Order_Pages()
{
    for (Camera_Ordexia* camera : Cameras) {
        if (TForm* form = camera->Get_Form()) {
            SCLFormDisplay->MoveForm(form, camera->Get_Index());
        }
    }
    SCLFormDisplay->MoveForm(Form_Main_Multi_Cameras, Get_Camera_Count());
}

void TForm_Main::Show_Selection(int count, const bool selected[4])
{
    if (Visible()) {
        Form_Main_Multi_Cameras->Layout();
        for (int index = 0; index < Get_Camera_Count(); ++index) {
            Refresh_Camera(index, true);
        }
    }
    if (count != 1) {
        SCLFormDisplay->SetActiveFormIndex(Get_Camera_Count());
        return;
    }
    for (int index = 0; index < Get_Camera_Count(); ++index) {
        if (selected[index]) {
            SCLFormDisplay->SetActiveFormIndex(index);
            Load_Help_File(Cameras[static_cast<std::size_t>(index)]->Is_Hd() ? 1 : 0);
            return;
        }
    }
}

// The camera's page, its strip button and its views.
void TForm_Main::Refresh_Camera(int camera_index, bool full)
{
    Camera_Ordexia* camera = Cameras[static_cast<std::size_t>(camera_index)];
    camera->Refresh_Form(full);
    Update_Camera_Views(camera_index, *camera->Get_State());
}

void TForm_Main::Update_Camera_Views(int camera_index, const St_System& state)
{
    const Status_IHM_SD_HD* summary = Cameras[static_cast<std::size_t>(camera_index)]->Get_Summary();
    if (summary == nullptr) {
        return;
    }
    Form_Cam_Select->Update_Camera_Button(*summary);
    Form_Main_Multi_Cameras->Update_Camera(state, *summary);
}

// ---- Poll results -------------------------------------------------------

void TForm_Main::Update_Camera_State(const St_System& state)
{
    const int index = state.Camera_Index;
    Camera_Ordexia* camera = Get_Camera(index);
    if (camera == nullptr || camera->Get_State() == nullptr) {
        return;
    }
    const int shown_type = camera->Is_Hd() ? St_System_Type::Hd_System : St_System_Type::Sd_System;
    if (shown_type != state.Type.System_Type) {
        Request_Swap(*camera);
    } else if (Visible()) {
        camera->Refresh_Form(false);
        Update_Camera_Views(index, state);
    }
    camera->Copy_State(state);
}

// The swap waits for the shown page's dialogs: their owners post it once
// they have closed.
void TForm_Main::Request_Swap(Camera_Ordexia& camera)
{
    const int index = camera.Get_Index();
    Type_Change_Pending[static_cast<std::size_t>(index)] = true;
    if (SCLFormDisplay->ActiveFormIndex() == index && Close_Dialogs({camera.Get_Thread_Id()})) {
        return;
    }
    Post_Command(Type_Change_Command, index);
}

bool TForm_Main::Close_Dialogs(const std::vector<DWORD>& polling_threads)
{
    Dialog_Search search;
    const DWORD ui_thread = GetCurrentThreadId();
    search.Modal_Dialogs = Find_Modal_Dialogs(ui_thread);
    EnumThreadWindows(ui_thread, Close_Gui_Window, reinterpret_cast<LPARAM>(&search));
    Close_Windowless_Dialogs(ui_thread, search);
    for (DWORD thread : polling_threads) {
        if (thread != 0) {
            EnumThreadWindows(thread, Close_Thread_Window, reinterpret_cast<LPARAM>(&search));
            Close_Windowless_Dialogs(thread, search);
        }
    }
    return search.Found;
}

void TForm_Main::Post_Command(WPARAM command, LPARAM argument)
{
    PostMessageA(Window_Handle, WM_USER, command, argument);
}

// ---- Busy/pending protocol ----------------------------------------------

bool TForm_Main::Is_Type_Change_Pending(int camera_index) const
{
    return camera_index >= 0 && camera_index < Max_Cameras &&
        Type_Change_Pending[static_cast<std::size_t>(camera_index)];
}

bool TForm_Main::Is_Busy(int camera_index)
{
    return Display_Change_Pending || Is_Type_Change_Pending(camera_index) || Session_Ending;
}

bool TForm_Main::Is_Busy_Global() { return Display_Change_Pending || Session_Ending; }

bool TForm_Main::Post_Pending_Display_Change()
{
    if (!Display_Change_Pending) {
        return false;
    }
    Post_Command(Display_Change_Command, Display_Change_Command);
    return true;
}

bool TForm_Main::Post_Pending_Change(int camera_index)
{
    if (Post_Pending_Display_Change()) {
        return true;
    }
    if (!Is_Type_Change_Pending(camera_index)) {
        return false;
    }
    Post_Command(Type_Change_Command, camera_index);
    return true;
}

// ---- Services for polling threads ----------------------------------------

int TForm_Main::Find_Camera_On_Port(int camera_index, int port_number)
{
    return On_Ui_Thread_Answer<int>([&] {
        if (Get_Camera_Count() == 1) {
            return 0;
        }
        for (const Camera_Ordexia* camera : Cameras) {
            const St_System* state = camera->Get_State();
            if (camera->Get_Index() != camera_index && state != nullptr &&
                state->Settings.Port_Number == port_number) {
                return state->Settings.Name;
            }
        }
        return 0;
    });
}

std::string TForm_Main::Get_Version_Text() { return ProgramVersionText(); }

// Polling threads read the display's published snapshot, never its list.
int TForm_Main::Get_Active_Page_Index() { return SCLFormDisplay->ActiveFormSnapshot().Index; }

HWND TForm_Main::Get_Active_Form_Window()
{
    return On_Ui_Thread_Answer<HWND>([this] { return Get_Active_Page_Window(); });
}

HWND TForm_Main::Get_Active_Page_Window()
{
    TCustomForm* page = SCLFormDisplay->GetActiveForm();
    return page != nullptr ? page->Handle() : nullptr;
}

HWND TForm_Main::Get_Main_Window() { return Window_Handle; }

BOOL TForm_Main::Post_Message(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    return PostMessageA(window, message, w_param, l_param);
}

// ---- User commands ------------------------------------------------------

void TForm_Main::Set_Camera_Count(int count)
{
    Form_Cam_Select->Set_Camera_Count(count);
    Polling_Camera_Count = count;
    if (Get_Camera_Count() > count) {
        // The others follow one by one as each thread ends.
        Cameras.back()->Try_Release();
    } else if (Get_Camera_Count() < count) {
        Add_Cameras(count);
    }
    Show_Selection(Form_Cam_Select->SelectedCount, Form_Cam_Select->Selected);
}

void TForm_Main::Add_Cameras(int count)
{
    for (int index = Get_Camera_Count(); index < count; ++index) {
        Camera_Ordexia* camera = Make_Camera(index);
        Cameras.push_back(camera);
        camera->Create_Form();
        Add_Camera_Page(index, Form_Cam_Select->Selected[index]);
    }
    Order_Pages();
    for (int index = 0; index < Get_Camera_Count(); ++index) {
        Refresh_Camera(index, true);
    }
}

void TForm_Main::Set_Camera_Name(int camera_index, int number)
{
    Camera_Ordexia* camera = Get_Camera(camera_index);
    if (camera == nullptr) {
        return;
    }
    camera->Set_Name(number);
    Refresh_Camera(camera_index, true);
}

void TForm_Main::Clear_Camera_Messages(int camera_index)
{
    if (Camera_Ordexia* camera = Get_Camera(camera_index)) {
        camera->Clear_Messages();
    }
    if (Form_Main_Multi_Cameras != nullptr) {
        Form_Main_Multi_Cameras->Clear_Camera_Messages(camera_index);
    }
}

bool TForm_Main::Is_Sd_Camera(int camera_index)
{
    const Camera_Ordexia* camera = Get_Camera(camera_index);
    return camera != nullptr && camera->Is_Sd();
}

void TForm_Main::Release_Shortcut_Buttons()
{
    if (!Visible()) {
        return;
    }
    if (Camera_Ordexia* camera = Get_Camera(SCLFormDisplay->ActiveFormIndex())) {
        camera->Release_Shortcut_Buttons();
    }
}

Camera_Ordexia* TForm_Main::Get_Camera(int camera_index) const
{
    return camera_index >= 0 && camera_index < Get_Camera_Count() ? Cameras[static_cast<std::size_t>(camera_index)]
                                                                  : nullptr;
}

// ---- Help files ---------------------------------------------------------

void TForm_Main::Load_Help_File(int type)
{
    if (type != 0 && type != 1) {
        return;
    }
    THookHelpSystem*& help = type == 0 ? Help_SD : Help_HD;
    if (help != nullptr) {
        return;
    }
    Unload_Help_File(1 - type);
    const std::string path = (Program_Folder() / Help_File_Names[type]).string();
    if (!FileExists(path)) {
        return;
    }
    help = new THookHelpSystem(path, "", htHHAPI);
    help->Set_Unreadable_File_Report([this](const std::string& file, int error) { Report_Unreadable_Help(file, error); });
    if (HHCtrlHandle != nullptr) {
        HtmlHelp(nullptr, nullptr, HH_INITIALIZE, type == 0 ? &Help_Cookie_SD : &Help_Cookie_HD);
    }
}

void TForm_Main::Unload_Help_File(int type)
{
    if (type != 0 && type != 1) {
        return;
    }
    THookHelpSystem*& help = type == 0 ? Help_SD : Help_HD;
    if (help == nullptr) {
        return;
    }
    delete help;
    if (HHCtrlHandle != nullptr) {
        HtmlHelp(nullptr, nullptr, HH_UNINITIALIZE, type == 0 ? Help_Cookie_SD : Help_Cookie_HD);
    }
    help = nullptr;
}

std::string TForm_Main::Unreadable_Help_Text(const std::string& file, int error)
{
    return LoadStr(Help_Unreadable_String) + file + (error != 0 ? "\n\n" + std::string(std::strerror(error)) : "");
}

// Told as the help buttons tell a missing file: not while the shown page
// waits for a swap or a rebuild, which then goes on.
void TForm_Main::Report_Unreadable_Help(const std::string& file, int error)
{
    const int page = SCLFormDisplay->ActiveFormIndex();
    const bool camera_page = Get_Camera(page) != nullptr;
    if (!(camera_page ? Is_Busy(page) : Is_Busy_Global())) {
        Application->MessageBox(Unreadable_Help_Text(file, error).c_str(), LoadStr(Program_Title_String).c_str(),
                                MB_ICONERROR);
    }
    if (camera_page) {
        Post_Pending_Change(page);
    } else {
        Post_Pending_Display_Change();
    }
}

// ---- Window messages ----------------------------------------------------

void TForm_Main::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_QUERYENDSESSION: Wm_Query_End_Session(Message); break;
    case WM_ENDSESSION: Wm_End_Session(Message); break;
    case WM_DISPLAYCHANGE: Wm_Display_Change(Message); break;
    case WM_POWERBROADCAST: Wm_Power_Broadcast(Message); break;
    case WM_USER: Wm_User(Message); break;
    default: TForm::Dispatch(Message);
    }
}

void TForm_Main::Wm_Display_Change(TMessage&)
{
    Display_Change_Pending = true;
    std::vector<DWORD> threads;
    for (const Camera_Ordexia* camera : Cameras) {
        threads.push_back(camera->Get_Thread_Id());
    }
    if (!Close_Dialogs(threads)) {
        Post_Command(Display_Change_Command, Display_Change_Command);
    }
}

void TForm_Main::Wm_Query_End_Session(TMessage& Message)
{
    Session_Ending = true;
    for (Camera_Ordexia* camera : Cameras) {
        camera->Forward_Message(Message);
    }
}

// A log-off that was called off lets dialogs open again; otherwise no about
// box, help or save dialog could ever open for the rest of the run.
void TForm_Main::Wm_End_Session(TMessage& Message)
{
    if (!Message.WParam)
        Session_Ending = false;
    TForm::Dispatch(Message);
}

void TForm_Main::Wm_Power_Broadcast(TMessage& Message)
{
    if (Message.WParam == PBT_APMSUSPEND) {
        for (Camera_Ordexia* camera : Cameras) {
            camera->Suspend_Polling();
        }
    } else if (Message.WParam == PBT_APMRESUMESUSPEND) {
        for (Camera_Ordexia* camera : Cameras) {
            camera->Resume_Polling();
        }
    }
    TForm::Dispatch(Message);
}

void TForm_Main::Wm_User(TMessage& Message)
{
    const WPARAM command = Message.WParam;
    const LPARAM argument = Message.LParam;
    const bool camera_argument = argument >= 0 && argument < Max_Cameras;
    if (command == Thread_Ended_Command && camera_argument) {
        Thread_Ended(static_cast<int>(argument));
        return;
    }
    if (command == Restore_Command && argument == 1) {
        Application->Restore();
    } else if (command == Display_Change_Command && argument == 3 && Display_Change_Pending) {
        Rebuild_Forms();
    } else if (command == Type_Change_Command && camera_argument && Is_Type_Change_Pending(static_cast<int>(argument))) {
        Swap_Camera(static_cast<int>(argument));
    }
    TForm::Dispatch(Message);
}

void TForm_Main::Thread_Ended(int camera_index)
{
    Camera_Ordexia* camera = Get_Camera(camera_index);
    if (camera == nullptr) {
        return;
    }
    if (TForm* form = camera->Get_Form()) {
        SCLFormDisplay->RemoveForm(form, false);
    }
    camera->Delete_Thread_And_Form();
    if (Closing) {
        Close();
        return;
    }
    delete camera;
    Cameras.erase(Cameras.begin() + camera_index);
    if (Get_Camera_Count() > Form_Cam_Select->CameraCount) {
        Cameras.back()->Try_Release();
        return;
    }
    for (Camera_Ordexia* remaining : Cameras) {
        remaining->Refresh_Form(true);
    }
}

// Every form made again for the new display; the polling threads run on.
void TForm_Main::Rebuild_Forms()
{
    Show_Shortcut_Buttons(false);
    for (Camera_Ordexia* camera : Cameras) {
        if (TForm* form = camera->Get_Form()) {
            SCLFormDisplay->RemoveForm(form, false);
        }
        camera->Delete_Form();
    }
    Delete_Selection_Strip();
    Delete_Multi_Camera_Page();
    Create_Selection_Strip();
    std::copy(std::begin(Selector_Greys), std::end(Selector_Greys), std::begin(Form_Cam_Select->Greys));
    Form_Cam_Select->Layout(-1);
    Create_Multi_Camera_Page();
    Host_Selection_Strip();
    for (int index = 0; index < Get_Camera_Count(); ++index) {
        Camera_Ordexia* camera = Cameras[static_cast<std::size_t>(index)];
        // A camera whose thread has ended during a close gets no page again.
        if (camera->Get_Thread() == nullptr) {
            continue;
        }
        camera->Recreate_Form(&Form_Cam_Select->CameraCount);
        Add_Camera_Page(index, Form_Cam_Select->Selected[index]);
        Refresh_Camera(index, true);
    }
    SCLFormDisplay->AddFormExt(Form_Main_Multi_Cameras, false);
    Show_Shortcut_Buttons(true);
    Display_Change_Pending = false;
}

void TForm_Main::Swap_Camera(int camera_index)
{
    Camera_Ordexia* camera = Get_Camera(camera_index);
    // Nothing to swap once the camera's thread has ended.
    if (camera == nullptr || camera->Get_Thread() == nullptr) {
        Type_Change_Pending[static_cast<std::size_t>(camera_index)] = false;
        return;
    }
    const int active = SCLFormDisplay->ActiveFormIndex();
    Release_Shortcut_Buttons();
    if (TForm* form = camera->Get_Form()) {
        SCLFormDisplay->RemoveForm(form, false);
    }
    camera->Swap_Form();
    Add_Camera_Page(camera_index, camera_index == active);
    Order_Pages();
    SCLFormDisplay->SetActiveFormIndex(active);
    if (Visible()) {
        Refresh_Camera(camera_index, true);
        Focus_Active_Page();
    }
    if (camera_index == active) {
        Load_Help_File(camera->Is_Hd() ? 1 : 0);
    }
    Type_Change_Pending[static_cast<std::size_t>(camera_index)] = false;
}

void TForm_Main::Show_Shortcut_Buttons(bool show)
{
    for (TSCLShapeButton* button : {ShapeButtonShortcutPCTitle, ShapeButtonShortcutWCUTitle,
                                    ShapeButtonShortcutAMU1Title, ShapeButtonShortcutAMU2Title,
                                    ShapeButtonShortcutDE1Title, ShapeButtonShortcutDE2Title,
                                    ShapeButtonShortcutWCATitle}) {
        button->SetVisible(show);
    }
}

// ---- Shut-down ----------------------------------------------------------

// The first close asks every thread to stop and refuses; each ended thread
// closes again, and the close goes through once no camera has a page left.
void TForm_Main::FormClose(TObject*, TCloseAction& Action)
{
    Closing = true;
    Hide();
    bool released = true;
    for (Camera_Ordexia* camera : Cameras) {
        released = camera->Try_Release() && released;
    }
    if (!released) {
        Action = caNone;
        return;
    }
    Unload_Help_File(0);
    Unload_Help_File(1);
    Delete_Selection_Strip();
    Delete_Multi_Camera_Page();
    Delete_Cameras();
}
