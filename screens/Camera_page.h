#pragma once
// What the SD and the HD page of a camera share: the synoptic's common
// components (frame, PC, cables, WCU and triax groups, status log, menus),
// the two records, the block presenters with their detail windows, the
// block summary with the titles' alarm colours, and the user's commands
// (menus, block keys, title buttons, dragging, about, help).
//
// Each page reads its own form resource, creates its windows, its
// presenters and its status file, and adds what only it has. The parts
// type names the page's presenters and its status file.
//
// Everything runs on the user-interface thread.

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "screens/Detail_window.h"
#include "shell/services/Window_drag.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class AMU_IHM_Main_HD;
class AMU_IHM_Main_SD;
class DE_IHM_Main_HD;
class DE_IHM_Main_SD;
class Menu_Camera_Name;
class PC_IHM_Main_HD;
class PC_IHM_Main_SD;
class PC_WCU_File_HD;
class PC_WCU_File_SD;
class St_System;
class Status_IHM_Main_HD;
class Status_IHM_Main_SD;
class THookHelpSystem;
class TMemo;
class TMenuItem;
class TPopupMenu;
class TSaveDialog;
class TSCLAniCtrl;
class TSCLBackPanel;
class TSCLDrawEdge;
class TSCLGroupBox;
class TSCLLImage;
class TSCLPanelFill;
class TSCLProgress;
class TSCLShapeButton;
class TSCLShapeControl;
class TSCLSimpleLabel;
class TSCLSimplePanel;
class TSCLSpeedButton;
class Thread_Polling_WCU;
class WCU_IHM_Main_HD;
class WCU_IHM_Main_SD;
struct Status_IHM_SD_HD;

struct Sd_Page_Parts {
    using PC = PC_IHM_Main_SD;
    using WCU = WCU_IHM_Main_SD;
    using AMU = AMU_IHM_Main_SD;
    using DE = DE_IHM_Main_SD;
    using Status = Status_IHM_Main_SD;
    using Saver = PC_WCU_File_SD;
};

struct Hd_Page_Parts {
    using PC = PC_IHM_Main_HD;
    using WCU = WCU_IHM_Main_HD;
    using AMU = AMU_IHM_Main_HD;
    using DE = DE_IHM_Main_HD;
    using Status = Status_IHM_Main_HD;
    using Saver = PC_WCU_File_HD;
};

template <class Parts>
class Camera_Page : public TForm {
public:
    ~Camera_Page() override;

    // Fills the block summary and colours the block titles by their alarms.
    virtual void UpdateBlockAlarms();
    void SetTitleAlarmColour(TSCLShapeButton* title, bool alarm);
    // Unpresses the title buttons of the blocks with a detail window.
    void ReleaseTitleButtons();
    void ClearStatusMessages();

    void Dispatch(TMessage& Message) override;
    // Straight to the form's own handling, past the key interception.
    void ForwardDispatch(TMessage& Message);

    TSCLBackPanel* BackPanelMain = nullptr;
    TSCLShapeControl* ShapeControlAppliTitle = nullptr;
    TSCLSpeedButton* SpeedButtonSystem = nullptr;
    TSCLSpeedButton* SpeedButtonHelp = nullptr;
    TSCLSpeedButton* SpeedButtonMinimize = nullptr;
    TSCLSpeedButton* SpeedButtonClose = nullptr;
    TSCLLImage* ImageLogoQuorvale = nullptr;

    TSCLGroupBox* GroupBoxPC = nullptr;
    TSCLShapeButton* ShapeButtonPCTitle = nullptr;
    TSCLSimpleLabel* LabelPCWCULink = nullptr;
    TSCLLImage* ImagePCWCULink = nullptr;
    TSCLPanelFill* PanelFillAniCamera = nullptr;
    TSCLAniCtrl* AniCamera = nullptr;

    TSCLShapeControl* ShapeControlRS232 = nullptr;
    TSCLShapeControl* ShapeControlPlugPCRS232 = nullptr;
    TSCLShapeControl* ShapeControlPlug1RS232 = nullptr;
    TSCLShapeControl* ShapeControlPlug2RS232 = nullptr;
    TSCLShapeControl* ShapeControlTriax1 = nullptr;
    TSCLShapeControl* ShapeControlPlug1Triax1 = nullptr;
    TSCLShapeControl* ShapeControlPlug2Triax1 = nullptr;
    TSCLShapeControl* ShapeControlTriax2 = nullptr;
    TSCLShapeControl* ShapeControlPlug1Triax2 = nullptr;
    TSCLShapeControl* ShapeControlPlug2Triax2 = nullptr;
    TSCLShapeControl* ShapeControlWireDE1 = nullptr;
    TSCLShapeControl* ShapeControlPlug1DE1 = nullptr;
    TSCLShapeControl* ShapeControlPlug2DE1 = nullptr;
    TSCLShapeControl* ShapeControlWireDE2 = nullptr;
    TSCLShapeControl* ShapeControlPlug1DE2 = nullptr;
    TSCLShapeControl* ShapeControlPlug2DE2 = nullptr;
    TSCLShapeControl* ShapeControl1Ant1 = nullptr;
    TSCLShapeControl* ShapeControl2Ant1 = nullptr;
    TSCLShapeControl* ShapeControl3Ant1 = nullptr;
    TSCLShapeControl* ShapeControl1Ant2 = nullptr;
    TSCLShapeControl* ShapeControl2Ant2 = nullptr;
    TSCLShapeControl* ShapeControl3Ant2 = nullptr;

    TSCLGroupBox* GroupBoxWCU = nullptr;
    TSCLShapeButton* ShapeButtonWCUTitle = nullptr;
    TSCLSimpleLabel* LabelVQOS = nullptr;
    TSCLProgress* ProgressVQOS = nullptr;
    TSCLSimpleLabel* LabelDQOS = nullptr;
    TSCLProgress* ProgressDQOS = nullptr;
    TSCLLImage* ImageCamWcuLock = nullptr;
    TSCLSimpleLabel* LabelCamWCULock = nullptr;
    TSCLLImage* ImageDataActivity = nullptr;
    TSCLSimpleLabel* LabelControlData = nullptr;
    TSCLShapeControl* ShapeControlPlugWCURS232 = nullptr;
    TSCLShapeControl* ShapeControlPlugWCUTriax1 = nullptr;
    TSCLShapeControl* ShapeControlPlugWCUTriax2 = nullptr;
    TSCLDrawEdge* DrawEdge1AMU1 = nullptr;
    TSCLDrawEdge* DrawEdge1AMU2 = nullptr;
    TSCLGroupBox* GroupTriax1 = nullptr;
    TSCLSimpleLabel* LabelAMU1Power = nullptr;
    TSCLLImage* ImageAMU1Power = nullptr;
    TSCLSimpleLabel* LabelAMU1Control = nullptr;
    TSCLLImage* ImageAMU1Status = nullptr;
    TSCLSimpleLabel* LabelAMU1Video = nullptr;
    TSCLLImage* ImageTriax1In = nullptr;
    TSCLGroupBox* GroupTriax2 = nullptr;
    TSCLSimpleLabel* LabelAMU2Power = nullptr;
    TSCLLImage* ImageAMU2Power = nullptr;
    TSCLSimpleLabel* LabelAMU2Control = nullptr;
    TSCLLImage* ImageAMU2Status = nullptr;
    TSCLSimpleLabel* LabelAMU2Video = nullptr;
    TSCLLImage* ImageTriax2In = nullptr;

    TSCLShapeButton* ShapeButtonAMU1Title = nullptr;
    TSCLShapeButton* ShapeButtonAMU2Title = nullptr;
    TSCLShapeButton* ShapeButtonDE1Title = nullptr;
    TSCLShapeButton* ShapeButtonDE2Title = nullptr;

    TSCLGroupBox* GroupStatus = nullptr;
    TSCLSimplePanel* SimplePanelStatus = nullptr;
    TMemo* MemoStatus = nullptr;
    TSaveDialog* SaveDialogFichierStatus = nullptr;

    TPopupMenu* PopupMenuPC = nullptr;
    TMenuItem* MenuCom = nullptr;
    TMenuItem* MenuCamerasCount = nullptr;
    TMenuItem* MenuSound = nullptr;
    TPopupMenu* PopupMenuMemoStatus = nullptr;
    TMenuItem* ClearMemoAllMessages = nullptr;
    TPopupMenu* PopupCamName = nullptr;
    TMenuItem* MenuCamName = nullptr;

protected:
    // menu_key pops the page's own menu up; help_file is the page's help,
    // named in the message when it is not loaded. The form owns everything
    // but the records, the thread, the camera count and the help hook.
    Camera_Page(TComponent* owner, THookHelpSystem** help_hook, std::atomic<int>* camera_count,
                St_System* snapshot, Thread_Polling_WCU* thread, St_System* current, WORD menu_key,
                std::string help_file);

    // The components every page has and the handlers it binds; each page
    // adds its own.
    static TForm_Table Common_Table();
    // The component of that name, as the field's class.
    template <class T>
    void Find_Component(T*& field, const std::string& name);
    // After the form was read: colour depth, screen adaptation, the camera
    // name menu, and the camera's messages cleared.
    void Prepare_Page(TComponent* owner);
    virtual void Apply_Colour_Depth();
    // The WCU, AMU and DE titles with their windows and keys.
    void List_Block_Titles();
    void Set_Help_Contexts();
    void Create_Summary(Status_IHM_SD_HD** summary_out);
    // Frees what the page owns, in an order that leaves no reader of a
    // freed part: the summary and the status first.
    virtual void Free_All();

    // The presenter, then its detail window; false without a presenter.
    template <class Presenter>
    static bool Refresh_Block(Presenter* presenter, Detail_Window* window, bool full);
    // The status presenter, which reads all others, then the summary.
    void Refresh_Status(bool full);
    static bool Window_Alarm(const Detail_Window* window);
    // A block's fields of the summary, and its title's colour while it is up.
    template <class Presenter>
    void Summarise_Block(const Presenter* presenter, const Detail_Window* window, TSCLShapeButton* title,
                         uint8_t& active, uint8_t& alarm);

    int Camera_Index() const;
    static int Main_Left();
    static int Main_Top();
    // The description the about box shows.
    virtual std::string About_Text() const = 0;
    // The page's own menu, opened by its key.
    virtual void Popup_Key_Menu() = 0;
    // A key no common command takes.
    virtual void Page_Key(WORD key);
    void End_Drag();

    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void PanelMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void PanelMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void PanelMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ShapeButtonTitleClick(TObject* Sender);
    void ShapeButtonTitleMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void ShapeButtonTitleMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void PopupMenuPCPopup(TObject* Sender);
    void MenuComClick(TObject* Sender);
    void MenuCamerasCountClick(TObject* Sender);
    void MenuSoundClick(TObject* Sender);
    void MenuNameClick(TObject* Sender);
    // The memo menu's items: select all and save all need text, copy a
    // selection.
    void Enable_Memo_Items(TMenuItem* select_all, TMenuItem* copy, TMenuItem* save_all);
    void SelectallMemoMessagesClick(TObject* Sender);
    void CopyMemoMessagesClick(TObject* Sender);
    void SaveMemoAllMessagesClick(TObject* Sender);
    void ClearMemoAllMessagesClick(TObject* Sender);
    void SpeedButtonSystemClick(TObject* Sender);
    void SpeedButtonHelpClick(TObject* Sender);
    void SpeedButtonMinimizeClick(TObject* Sender);
    void SpeedButtonCloseClick(TObject* Sender);

    St_System* Snapshot;
    St_System* Current;
    Thread_Polling_WCU* Thread;
    std::atomic<int>* Camera_Count;
    int Colour_Depth = 32;
    typename Parts::Saver* Saver = nullptr;
    typename Parts::PC* PC_Presenter = nullptr;
    typename Parts::WCU* WCU_Presenter = nullptr;
    typename Parts::AMU* AMU1_Presenter = nullptr;
    typename Parts::AMU* AMU2_Presenter = nullptr;
    typename Parts::DE* DE1_Presenter = nullptr;
    typename Parts::DE* DE2_Presenter = nullptr;
    typename Parts::Status* Status_Presenter = nullptr;
    Detail_Window* WCU_Window = nullptr;
    Detail_Window* AMU1_Window = nullptr;
    Detail_Window* AMU2_Window = nullptr;
    Detail_Window* DE1_Window = nullptr;
    Detail_Window* DE2_Window = nullptr;
    Menu_Camera_Name* Camera_Name_Menu = nullptr;
    Status_IHM_SD_HD* Summary = nullptr;

    // A block title with its detail window and its key.
    struct Block_Title {
        TSCLShapeButton* Title;
        // The page's field of the window, null once the page closed.
        Detail_Window* const* Window;
        WORD Key;
        // The window ends at the title's right edge instead of starting at its left.
        bool Right_Aligned;
    };
    std::vector<Block_Title> Block_Titles;

private:
    void KeyMessage(TMessage& Message);
    void Drain_Key_Messages();
    void Click_Title_From_Key(TSCLShapeButton* title);
    void Drop_Pc_Menu();
    const Block_Title* Block_Of(TObject* title) const;
    void Place_Window(const Block_Title& block) const;
    void Show_Help_Not_Loaded();

    WORD Menu_Key;
    std::string Help_File;
    THookHelpSystem** Help_Hook;
    bool Key_Click = false;
    Window_Drag Drag;
};

template <class Parts>
template <class T>
void Camera_Page<Parts>::Find_Component(T*& field, const std::string& name)
{
    TComponent* component = FindComponent(name);
    if (!component) {
        throw EReadError(ClassName() + ": no component " + name);
    }
    field = dynamic_cast<T*>(component);
    if (!field) {
        throw EReadError(ClassName() + ": " + name + " is of another class");
    }
}

template <class Parts>
template <class Presenter>
bool Camera_Page<Parts>::Refresh_Block(Presenter* presenter, Detail_Window* window, bool full)
{
    if (!presenter) {
        return false;
    }
    presenter->Update(full);
    if (window) {
        window->RefreshDisplay(presenter->IsActive());
    }
    return true;
}

template <class Parts>
template <class Presenter>
void Camera_Page<Parts>::Summarise_Block(const Presenter* presenter, const Detail_Window* window,
                                         TSCLShapeButton* title, uint8_t& active, uint8_t& alarm)
{
    active = presenter && presenter->IsActive();
    alarm = !presenter || presenter->HasAlarm() || Window_Alarm(window);
    if (active) {
        SetTitleAlarmColour(title, alarm);
    }
}

extern template class Camera_Page<Sd_Page_Parts>;
extern template class Camera_Page<Hd_Page_Parts>;
