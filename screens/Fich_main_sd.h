#pragma once
// The supervision page of one SD camera: a borderless synoptic of the PC,
// the RS-232 cable, the WCU with its two triax groups, the two AMUs and
// their data emitters, the frequency ranges and the status log. Five
// presenters turn each poll into the blocks, five detail windows open under
// the block titles, and the block summary tells the rest of the program
// which blocks are up and in alarm.
//
// The page reads two records: the snapshot the camera keeps (what is shown)
// and the polling thread's record (what was just polled). Everything runs on
// the user-interface thread.

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Forms.h"
#include "shell/Window_drag.h"

#include <atomic>
#include <string>

class AMU_IHM_Main_SD;
class Detail_Window;
class DE_IHM_Main_SD;
class Menu_Camera_Name;
class PC_IHM_Main_SD;
class PC_WCU_File_SD;
class St_System;
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
class TSCLLEDLabel;
class TSCLLImage;
class TSCLPanelFill;
class TSCLProgress;
class TSCLShapeButton;
class TSCLShapeControl;
class TSCLSimpleLabel;
class TSCLSimplePanel;
class TSCLSpeedButton;
class TForm_AMU_SD;
class TForm_DE_SD;
class TForm_WCU_SD;
class Thread_Polling_WCU;
class WCU_IHM_Main_SD;
struct Status_IHM_SD_HD;

class TForm_Main_SD : public TForm {
public:
    // The summary is created here and its address written to summary_out;
    // it lives until the form closes. The form owns everything but the
    // snapshot, the thread, the camera count and the help hook.
    TForm_Main_SD(TComponent* owner, THookHelpSystem** help_hook, std::atomic<int>* camera_count,
                  Status_IHM_SD_HD** summary_out, St_System* snapshot, Thread_Polling_WCU* thread);
    // A page without a polling thread, showing `current` against the
    // snapshot: for review renders and tests. The menus' setters do nothing.
    TForm_Main_SD(TComponent* owner, THookHelpSystem** help_hook, std::atomic<int>* camera_count,
                  Status_IHM_SD_HD** summary_out, St_System* snapshot, St_System* current);
    ~TForm_Main_SD() override;

    // After each poll (full false) or when everything must be redrawn.
    void RefreshDisplay(bool full);
    // Fills the block summary and colours the block titles by their alarms.
    void UpdateBlockAlarms();
    void SetTitleAlarmColour(TSCLShapeButton* title, bool alarm);
    // Unpresses the WCU, AMU and DE title buttons.
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
    TSCLLEDLabel* LEDVideoChannel = nullptr;
    TSCLSimpleLabel* LabelVideoChannel = nullptr;
    TSCLLEDLabel* LEDDataChannel = nullptr;
    TSCLSimpleLabel* LabelDataChannel = nullptr;
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

    // One AMU block's components (AMU1 or AMU2).
    struct Amu_Block {
        TSCLGroupBox* GroupBox = nullptr;
        TSCLShapeButton* Title = nullptr;
        TSCLSimpleLabel* LabelCell = nullptr;
        TSCLLEDLabel* LEDCell = nullptr;
        TSCLSimpleLabel* LabelRemoteControl = nullptr;
        TSCLLImage* ImageRemoteControl = nullptr;
        TSCLShapeControl* PlugTriax = nullptr;
        TSCLShapeControl* PlugDE = nullptr;
        TSCLGroupBox* GroupTuners = nullptr;
        TSCLShapeControl* Ant1 = nullptr;
        TSCLShapeControl* Ant2 = nullptr;
        TSCLShapeControl* Ant3 = nullptr;
        TSCLShapeControl* Ant123 = nullptr;
        TSCLSimpleLabel* LabelAntenna1 = nullptr;
        TSCLSimpleLabel* LabelAntenna2 = nullptr;
        TSCLSimpleLabel* LabelAntenna3 = nullptr;
        TSCLSimpleLabel* LabelLock = nullptr;
        TSCLSimpleLabel* LabelError = nullptr;
        TSCLLImage* ImageLock1 = nullptr;
        TSCLLImage* ImageLock2 = nullptr;
        TSCLLImage* ImageLock3 = nullptr;
        TSCLLImage* ImageError1 = nullptr;
        TSCLLImage* ImageError2 = nullptr;
        TSCLLImage* ImageError3 = nullptr;
    };
    Amu_Block AMU1;
    Amu_Block AMU2;

    TSCLGroupBox* GroupBoxDE1 = nullptr;
    TSCLShapeButton* ShapeButtonDE1Title = nullptr;
    TSCLSimpleLabel* LabelDE1TxEna = nullptr;
    TSCLLImage* ImageDE1TxEna = nullptr;
    TSCLGroupBox* GroupBoxDE2 = nullptr;
    TSCLShapeButton* ShapeButtonDE2Title = nullptr;
    TSCLSimpleLabel* LabelDE2TxEna = nullptr;
    TSCLLImage* ImageDE2TxEna = nullptr;

    TSCLGroupBox* GroupFrequencyRange = nullptr;
    TSCLGroupBox* GroupVideoFrequencyRange = nullptr;
    TSCLSimpleLabel* LabelVideoFrequencyRange = nullptr;
    TSCLGroupBox* GroupDataFrequencyRange = nullptr;
    TSCLSimpleLabel* LabelDataFrequencyRange = nullptr;

    TSCLGroupBox* GroupStatus = nullptr;
    TSCLSimplePanel* SimplePanelStatus = nullptr;
    TMemo* MemoStatus = nullptr;
    TSaveDialog* SaveDialogFichierStatus = nullptr;

    TPopupMenu* PopupMenuPC = nullptr;
    TMenuItem* MenuCom = nullptr;
    TMenuItem* MenuCamerasCount = nullptr;
    TMenuItem* MenuSound = nullptr;
    TPopupMenu* PopupMenuFrequencyRange = nullptr;
    TMenuItem* MenuVideoFrequencyRange = nullptr;
    TMenuItem* MenuDataFrequencyRange = nullptr;
    TPopupMenu* PopupMenuMemoStatus = nullptr;
    TMenuItem* SelectAllMessages = nullptr;
    TMenuItem* CopyMessages = nullptr;
    TMenuItem* SaveAllMessages = nullptr;
    TMenuItem* ClearMemoAllMessages = nullptr;
    TPopupMenu* PopupCamName = nullptr;
    TMenuItem* MenuCamName = nullptr;

private:
    TForm_Main_SD(TComponent* owner, THookHelpSystem** help_hook, std::atomic<int>* camera_count,
                  Status_IHM_SD_HD** summary_out, St_System* snapshot, Thread_Polling_WCU* thread,
                  St_System* current);
    static const TForm_Table& Table();

    void Apply_Colour_Depth();
    void Create_Presenters();
    void Create_Status_Presenter();
    void Free_All();
    int Camera_Index() const;
    void Find_Amu_Block(Amu_Block& block, const std::string& amu);
    // The detail window a title button opens; null when it has none.
    Detail_Window* Window_Of(TObject* title) const;
    void Place_Window(Detail_Window* window, TSCLShapeButton* title) const;
    void Create_Detail_Windows(TComponent* owner);
    static bool Window_Alarm(const Detail_Window* window);

    void KeyMessage(TMessage& Message);
    void Drain_Key_Messages();
    void Click_Title_From_Key(TSCLShapeButton* title);
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
    void MenuFrequencyRangeClick(TObject* Sender);
    void PopupMenuMemoStatusPopup(TObject* Sender);
    void SelectAllMessagesClick(TObject* Sender);
    void CopyMessagesClick(TObject* Sender);
    void SaveAllMessagesClick(TObject* Sender);
    void ClearMemoAllMessagesClick(TObject* Sender);
    void MenuNameClick(TObject* Sender);
    void SpeedButtonSystemClick(TObject* Sender);
    void SpeedButtonHelpClick(TObject* Sender);
    void SpeedButtonMinimizeClick(TObject* Sender);
    void SpeedButtonCloseClick(TObject* Sender);

    St_System* Snapshot;
    St_System* Current;
    Thread_Polling_WCU* Thread;
    std::atomic<int>* Camera_Count;
    bool Key_Click = false;
    Window_Drag Drag;
    int Colour_Depth = 32;
    Menu_Camera_Name* Camera_Name_Menu = nullptr;
    THookHelpSystem** Help_Hook;
    PC_WCU_File_SD* Saver = nullptr;
    PC_IHM_Main_SD* PC_Presenter = nullptr;
    WCU_IHM_Main_SD* WCU_Presenter = nullptr;
    AMU_IHM_Main_SD* AMU1_Presenter = nullptr;
    AMU_IHM_Main_SD* AMU2_Presenter = nullptr;
    DE_IHM_Main_SD* DE1_Presenter = nullptr;
    DE_IHM_Main_SD* DE2_Presenter = nullptr;
    Status_IHM_Main_SD* Status_Presenter = nullptr;
    TForm_WCU_SD* WCU_Window = nullptr;
    TForm_AMU_SD* AMU1_Window = nullptr;
    TForm_AMU_SD* AMU2_Window = nullptr;
    TForm_DE_SD* DE1_Window = nullptr;
    TForm_DE_SD* DE2_Window = nullptr;
    Status_IHM_SD_HD* Summary = nullptr;
};
