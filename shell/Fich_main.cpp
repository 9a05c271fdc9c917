#include "shell/Fich_main.h"

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLFormDisplay.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/Sclformshadow.h"
#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclsysinfo.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Version.h"
#include "platform/winapi/Message.h"

TForm_Main* Form_Main = nullptr;

TForm_Main::TForm_Main(TComponent* owner) : TForm(owner)
{
    InitInheritedComponent(this, Table());
    Main_Window = this;
}

TForm_Main::~TForm_Main()
{
    if (Main_Window == this) {
        Main_Window = nullptr;
    }
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

void TForm_Main::FormShow(TObject*) {}

void TForm_Main::FormClose(TObject*, TCloseAction&) { Closing = true; }

void TForm_Main::Show_Selection(int, const bool*) {}

void TForm_Main::Update_Camera_State(const St_System&) {}

bool TForm_Main::Is_Type_Change_Pending(int camera_index) const
{
    return camera_index >= 0 && camera_index < Max_Cameras && Type_Change_Pending[camera_index];
}

bool TForm_Main::Is_Busy(int camera_index)
{
    return Display_Change_Pending || Is_Type_Change_Pending(camera_index) || Session_Ending;
}

bool TForm_Main::Is_Busy_Global() { return Display_Change_Pending || Session_Ending; }

bool TForm_Main::Post_Pending_Change(int) { return false; }

bool TForm_Main::Post_Pending_Display_Change() { return false; }

int TForm_Main::Find_Camera_On_Port(int, int) { return 0; }

std::string TForm_Main::Get_Version_Text() { return ProgramVersionText(); }

int TForm_Main::Get_Active_Page_Index() { return SCLFormDisplay->ActiveFormSnapshot().Index; }

HWND TForm_Main::Get_Active_Form_Window() { return nullptr; }

HWND TForm_Main::Get_Main_Window() { return Window_Handle; }

BOOL TForm_Main::Post_Message(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    return PostMessageA(window, message, w_param, l_param);
}

HWND TForm_Main::Get_Active_Page_Window() { return nullptr; }

void TForm_Main::Set_Camera_Count(int) {}

void TForm_Main::Set_Camera_Name(int, int) {}

void TForm_Main::Clear_Camera_Messages(int) {}

bool TForm_Main::Is_Sd_Camera(int) { return true; }

void TForm_Main::Release_Shortcut_Buttons() {}

void TForm_Main::Load_Help_File(int) {}

void TForm_Main::Unload_Help_File(int) {}

Camera_Ordexia* TForm_Main::Get_Camera(int camera_index) const
{
    return camera_index >= 0 && camera_index < Get_Camera_Count() ? Cameras[static_cast<std::size_t>(camera_index)]
                                                                  : nullptr;
}

void TForm_Main::Dispatch(TMessage& Message) { TForm::Dispatch(Message); }
