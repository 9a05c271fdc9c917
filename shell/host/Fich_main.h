#pragma once
// The main window: a borderless form hosting one page per camera (its SD or
// HD form) followed by the multi-camera page, and the camera selection
// strip in a second display. It is the hub between the polling threads and
// the screens: each poll result reaches it through Synchronize, it swaps a
// camera between SD and HD when the WCU's type changes, rebuilds every form
// after a display change, stops and resumes polling around a suspend, and
// stops every camera before it lets itself close. Every window asks it,
// through the busy/pending protocol, whether a dialog may be opened now.
//
// Threads: everything runs on the user-interface thread, except the shell
// services a polling thread calls (Is_Busy, Post_Pending_Change,
// Find_Camera_On_Port, Get_Version_Text, Get_Active_Page_Index,
// Get_Active_Form_Window, Get_Main_Window, Post_Message, Message_Box): those
// answer from atomics or through a blocking queued call.
//
// Posted commands, WM_USER (wParam, lParam): (1, 1) restore the application;
// (2, i) camera i's thread has ended; (3, 3) rebuild every form after a
// display change; (4, i) swap camera i between SD and HD.

#include "link/Shell_Services.h"
#include "link/St_system.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Forms.h"
#include "shell/services/Main_Window_Services.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Camera_Ordexia;
class THookHelpSystem;
class TSCLAboutDlg;
class TSCLBackPanel;
class TSCLContainerCtrl;
class TSCLFormDisplay;
class TSCLFormShadow;
class TSCLShapeButton;
class TSCLSysInfo;

class TForm_Main : public TForm, public Shell_Services, public Main_Window_Services {
public:
    static constexpr int Max_Cameras = 4;
    // The WM_USER commands' wParam.
    static constexpr WPARAM Restore_Command = 1;
    static constexpr WPARAM Thread_Ended_Command = 2;
    static constexpr WPARAM Display_Change_Command = 3;
    static constexpr WPARAM Type_Change_Command = 4;

    // Builds the window from its form resource, the selection strip, the
    // multi-camera page and one camera (thread suspended) per configured camera.
    explicit TForm_Main(TComponent* owner);
    ~TForm_Main() override;

    // Components of the form resource.
    TSCLFormDisplay* SCLFormDisplay = nullptr;
    TSCLBackPanel* BackPanelFormDisplay = nullptr;
    TSCLShapeButton* ShapeButtonShortcutPCTitle = nullptr;
    TSCLShapeButton* ShapeButtonShortcutWCUTitle = nullptr;
    TSCLShapeButton* ShapeButtonShortcutAMU1Title = nullptr;
    TSCLShapeButton* ShapeButtonShortcutAMU2Title = nullptr;
    TSCLShapeButton* ShapeButtonShortcutDE1Title = nullptr;
    TSCLShapeButton* ShapeButtonShortcutDE2Title = nullptr;
    TSCLShapeButton* ShapeButtonShortcutWCATitle = nullptr;
    TSCLFormDisplay* SCLFormCamSelect = nullptr;
    TSCLContainerCtrl* MainContainer = nullptr;
    TSCLSysInfo* MainSysInfo = nullptr;
    TSCLAboutDlg* Form_About = nullptr;
    TSCLFormShadow* MainFormShadow = nullptr;

    // The strip's background greys sampled at first show, kept so that a
    // rebuilt strip reuses them.
    uint8_t Selector_Greys[4] = {};

    // Shows the selected camera's page (count 1) or the multi-camera page.
    void Show_Selection(int count, const bool selected[4]);

    // Shell services.
    void Update_Camera_State(const St_System& state) override;
    bool Is_Busy(int camera_index) override;
    bool Post_Pending_Change(int camera_index) override;
    int Find_Camera_On_Port(int camera_index, int port_number) override;
    std::string Get_Version_Text() override;
    int Get_Active_Page_Index() override;
    HWND Get_Active_Form_Window() override;
    HWND Get_Main_Window() override;
    BOOL Post_Message(HWND window, UINT message, WPARAM w_param, LPARAM l_param) override;
    int Message_Box(const std::string& text, const std::string& caption, UINT flags) override;
    std::unique_ptr<Modeless_Message_Box> Show_Message_Box(const std::string& text, const std::string& caption,
                                                           UINT flags, const St_System_Settings& settings,
                                                           const std::atomic<int>* camera_count) override;

    // Main window services.
    TForm* Get_Main_Form() override { return this; }
    TSCLSysInfo* Get_Main_Sys_Info() override { return MainSysInfo; }
    TSCLAboutDlg* Get_Form_About() override { return Form_About; }
    void Set_Camera_Count(int count) override;
    void Set_Camera_Name(int camera_index, int number) override;
    void Clear_Camera_Messages(int camera_index) override;
    bool Is_Sd_Camera(int camera_index) override;
    void Release_Shortcut_Buttons() override;
    HWND Get_Active_Page_Window() override;
    bool Is_Busy_Global() override;
    bool Post_Pending_Display_Change() override;

    // The busy/pending flags.
    bool Is_Display_Change_Pending() const { return Display_Change_Pending; }
    bool Is_Type_Change_Pending(int camera_index) const;
    bool Is_Session_Ending() const { return Session_Ending; }

    // Type 0 the SD help file, 1 the HD one; at most one is loaded.
    void Load_Help_File(int type);
    void Unload_Help_File(int type);
    THookHelpSystem* Get_Help(int type) const { return type == 0 ? Help_SD : Help_HD; }
    // What the user is told when help cannot be shown because its file is
    // damaged (Error 0) or cannot be read (Error, the errno).
    static std::string Unreadable_Help_Text(const std::string& file, int error);

    // The cameras, in index order.
    int Get_Camera_Count() const { return static_cast<int>(Cameras.size()); }
    Camera_Ordexia* Get_Camera(int camera_index) const;

    // The camera count the polling threads read: it lives as long as the
    // window, while the selection strip that owns the count the forms read
    // is made again by a display change.
    const std::atomic<int>* Get_Polling_Camera_Count() const { return &Polling_Camera_Count; }

    // The pause at the end of construction, in milliseconds; a termination
    // signal ends it early.
    static inline int Start_Pause_Ms = 1000;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;

private:
    static const TForm_Table& Table();
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);

    void Create_Selection_Strip();
    void Host_Selection_Strip();
    void Create_Multi_Camera_Page();
    void Delete_Selection_Strip();
    void Delete_Multi_Camera_Page();
    Camera_Ordexia* Make_Camera(int index);
    void Add_Cameras(int count);
    void Delete_Cameras();

    void Place_For_Spectrum(const Camera_Ordexia& camera);
    void Focus_Active_Page();
    void Add_Camera_Page(int camera_index, bool activate);
    void Order_Pages();
    void Refresh_Camera(int camera_index, bool full);
    void Update_Camera_Views(int camera_index, const St_System& state);
    void Show_Shortcut_Buttons(bool show);

    void Report_Unreadable_Help(const std::string& file, int error);

    void Request_Swap(Camera_Ordexia& camera);
    // Closes the dialogs of the user-interface thread and of the given
    // polling threads; true when there was any.
    bool Close_Dialogs(const std::vector<DWORD>& polling_threads);
    void Post_Command(WPARAM command, LPARAM argument);

    void Wm_User(TMessage& Message);
    void Wm_Display_Change(TMessage& Message);
    void Wm_Query_End_Session(TMessage& Message);
    void Wm_End_Session(TMessage& Message);
    void Wm_Power_Broadcast(TMessage& Message);
    void Thread_Ended(int camera_index);
    void Rebuild_Forms();
    void Swap_Camera(int camera_index);

    std::vector<Camera_Ordexia*> Cameras;
    bool Closing = false;
    std::atomic<bool> Display_Change_Pending {false};
    std::array<std::atomic<bool>, Max_Cameras> Type_Change_Pending {};
    // Never cleared: after a cancelled log-off every query stays busy.
    std::atomic<bool> Session_Ending {false};
    DWORD Help_Cookie_SD = 0;
    THookHelpSystem* Help_SD = nullptr;
    DWORD Help_Cookie_HD = 0;
    THookHelpSystem* Help_HD = nullptr;

    std::atomic<int> Polling_Camera_Count {1};
    // The window handle, for polling threads.
    std::atomic<HWND> Window_Handle {nullptr};
};

extern TForm_Main* Form_Main;
