#pragma once
// The supervision page of one HD camera: a borderless synoptic of the PC,
// the RS-232 cable, the WCU with its two triax groups, the two AMUs with
// their received levels, the data emitters with antennas, the camera
// adapter (camera, tally lamp, battery gauge) and the status log. A
// presenter per block turns each poll into the synoptic, detail windows
// open under the block titles, two spectrum windows show the AMUs'
// spectra, the recorder writes each poll into a running recording, and the
// block summary tells the rest of the program which blocks are up and in
// alarm.
//
// The page reads two records: the snapshot the camera keeps (what is shown)
// and the polling thread's record (what was just polled). Everything runs on
// the user-interface thread.

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Forms.h"
#include "shell/Window_drag.h"

#include <array>
#include <atomic>
#include <string>

class AMU_IHM_Main_HD;
class DE_IHM_Main_HD;
class Detail_Window;
class Menu_Camera_Name;
class PC_IHM_Main_HD;
class PC_WCU_File_HD;
class St_System;
class Status_IHM_Main_HD;
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
class TForm_AMU_HD;
class TForm_AMU_HD_Spectrum;
class TForm_DE_HD;
class TForm_WCA_HD;
class TForm_WCU_HD;
class Thread_Polling_WCU;
class WCA_IHM_Main_HD;
class WCU_IHM_Main_HD;
struct Status_IHM_SD_HD;

class TForm_Main_HD : public TForm {
public:
    // The summary is created here and its address written to summary_out;
    // it lives until the form closes. The form owns everything but the
    // snapshot, the thread, the camera count and the help object.
    TForm_Main_HD(TComponent* owner, THookHelpSystem** help_object, std::atomic<int>* camera_count,
                  Status_IHM_SD_HD** summary_out, St_System* snapshot, Thread_Polling_WCU* thread);
    // A page without a polling thread or recorder, showing `current` against
    // the snapshot: for review renders and tests. The menus' setters do
    // nothing.
    TForm_Main_HD(TComponent* owner, THookHelpSystem** help_object, std::atomic<int>* camera_count,
                  Status_IHM_SD_HD** summary_out, St_System* snapshot, St_System* current);
    ~TForm_Main_HD() override;

    // After each poll (full false) or when everything must be redrawn.
    void RefreshDisplay(bool full);
    // Fills the block summary and colours the block titles by their alarms.
    void UpdateBlockAlarms();
    void SetTitleAlarmColour(TSCLShapeButton* title, bool alarm);
    // Unpresses the WCU, AMU, DE and WCA title buttons.
    void ReleaseTitleButtons();
    void ClearStatusMessages();
    // The end of the user's logon, handed on by the main window.
    void WMQueryEndSession(TMessage& Message);
    // The AMU1 spectrum window's initial size, for the main window's placement.
    void GetSpectrumWindowSize(POINT& size) const;
    // The spectrum tuner (0 the average, 1..3) of AMU '1' or '2', for the polling thread.
    void SendTunerChoice(int choice, char amu);

    void Dispatch(TMessage& Message) override;

    PC_WCU_File_HD* Recorder() const { return Frame_Recorder; }
    TForm_AMU_HD_Spectrum* Spectrum_Window(char amu) const { return amu == '1' ? AMU1_Spectrum : AMU2_Spectrum; }

    TPopupMenu* PopupMenuPC = nullptr;
    TMenuItem* MenuCom = nullptr;
    TMenuItem* MenuCamerasCount = nullptr;
    TMenuItem* MenuSound = nullptr;
    TMenuItem* MenuStatusRecord = nullptr;
    TPopupMenu* PopupMenuAlarmBattery = nullptr;
    TMenuItem* MenuAlarmBatThreshold = nullptr;
    TPopupMenu* PopupMenuMemoStatus = nullptr;
    TMenuItem* SelectallMemoMessages = nullptr;
    TMenuItem* CopyMemoMessages = nullptr;
    TMenuItem* SaveMemoAllMessages = nullptr;
    TMenuItem* ClearMemoAllMessages = nullptr;
    TPopupMenu* PopupCamName = nullptr;
    TMenuItem* MenuCamName = nullptr;
    TSaveDialog* SaveDialogFichierStatus = nullptr;

    TSCLSpeedButton* SpeedButtonSystem = nullptr;
    TSCLSpeedButton* SpeedButtonHelp = nullptr;
    TSCLSpeedButton* SpeedButtonMinimize = nullptr;
    TSCLSpeedButton* SpeedButtonClose = nullptr;
    TSCLShapeControl* ShapeControlAppliTitle = nullptr;
    TSCLBackPanel* BackPanelMain = nullptr;
    TSCLLImage* ImageCamera = nullptr;
    TSCLLImage* ImageLogoQuorvale = nullptr;

    TSCLShapeControl* ShapeControlPlug1Triax1 = nullptr;
    TSCLShapeControl* ShapeControlTriax1 = nullptr;
    TSCLShapeControl* ShapeControlPlug2Triax1 = nullptr;
    TSCLShapeControl* ShapeControlPlug1Triax2 = nullptr;
    TSCLShapeControl* ShapeControlTriax2 = nullptr;
    TSCLShapeControl* ShapeControlPlug2Triax2 = nullptr;
    TSCLShapeControl* ShapeControlPlug1DE1 = nullptr;
    TSCLShapeControl* ShapeControlWireDE1 = nullptr;
    TSCLShapeControl* ShapeControlPlug2DE1 = nullptr;
    TSCLShapeControl* ShapeControlPlug1DE2 = nullptr;
    TSCLShapeControl* ShapeControlWireDE2 = nullptr;
    TSCLShapeControl* ShapeControlPlug2DE2 = nullptr;
    TSCLShapeControl* ShapeControl1Ant1 = nullptr;
    TSCLShapeControl* ShapeControl2Ant1 = nullptr;
    TSCLShapeControl* ShapeControl3Ant1 = nullptr;
    TSCLShapeControl* ShapeControl1Ant2 = nullptr;
    TSCLShapeControl* ShapeControl2Ant2 = nullptr;
    TSCLShapeControl* ShapeControl3Ant2 = nullptr;
    TSCLShapeControl* ShapeControlPlugPCRS232 = nullptr;
    TSCLShapeControl* ShapeControlPlug1RS232 = nullptr;
    TSCLShapeControl* ShapeControlRS232 = nullptr;
    TSCLShapeControl* ShapeControlPlug2RS232 = nullptr;

    TSCLShapeButton* ShapeButtonWCUTitle = nullptr;
    TSCLShapeButton* ShapeButtonAMU1Title = nullptr;
    TSCLShapeButton* ShapeButtonAMU2Title = nullptr;
    TSCLShapeButton* ShapeButtonDE1Title = nullptr;
    TSCLShapeButton* ShapeButtonDE2Title = nullptr;
    TSCLShapeButton* ShapeButtonWCATitle = nullptr;
    TSCLShapeButton* ShapeButtonPCTitle = nullptr;

    TSCLGroupBox* GroupBoxPC = nullptr;
    TSCLSimpleLabel* LabelPCWCULink = nullptr;
    TSCLLImage* ImageStatusRecord = nullptr;
    TSCLLImage* ImagePCWCULink = nullptr;
    TSCLPanelFill* PanelFillAniCamera = nullptr;
    TSCLAniCtrl* AniCamera = nullptr;

    TSCLGroupBox* GroupBoxWCU = nullptr;
    TSCLSimpleLabel* LabelControlData = nullptr;
    TSCLDrawEdge* DrawEdge1AMU1 = nullptr;
    TSCLDrawEdge* DrawEdge1AMU2 = nullptr;
    TSCLSimpleLabel* LabelVQOS = nullptr;
    TSCLProgress* ProgressVQOS = nullptr;
    TSCLSimpleLabel* LabelFreeze = nullptr;
    TSCLProgress* ProgressDQOS = nullptr;
    TSCLSimpleLabel* LabelDQOS = nullptr;
    TSCLShapeControl* ShapeControlPlugWCUTriax1 = nullptr;
    TSCLShapeControl* ShapeControlPlugWCUTriax2 = nullptr;
    TSCLShapeControl* ShapeControlPlugWCURS232 = nullptr;
    TSCLLImage* ImageCamWcuLock = nullptr;
    TSCLSimpleLabel* LabelCamWCULock = nullptr;
    TSCLLImage* ImageDataActivity = nullptr;
    TSCLSimpleLabel* LabelVideoFreq = nullptr;
    TSCLSimpleLabel* LabelVideoFreqVal = nullptr;
    TSCLSimpleLabel* LabelDataFreq = nullptr;
    TSCLSimpleLabel* LabelDataFreqVal = nullptr;
    TSCLLImage* ImageStudioGenlock = nullptr;
    TSCLSimpleLabel* LabelStudioGenlock = nullptr;
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
        TSCLSimpleLabel* LabelCell = nullptr;
        TSCLLEDLabel* LEDCell = nullptr;
        TSCLShapeControl* PlugTriax = nullptr;
        TSCLShapeControl* PlugDE = nullptr;
        TSCLShapeButton* Title = nullptr;
        TSCLProgress* ProgressRSSI = nullptr;
        TSCLSimpleLabel* LabelRSSI = nullptr;
        TSCLGroupBox* GroupTuners = nullptr;
        TSCLSimpleLabel* LabelLock = nullptr;
        TSCLSimpleLabel* LabelError = nullptr;
        TSCLSimpleLabel* LabelAntenna1 = nullptr;
        TSCLSimpleLabel* LabelAntenna2 = nullptr;
        TSCLSimpleLabel* LabelAntenna3 = nullptr;
        TSCLLImage* ImageLock1 = nullptr;
        TSCLLImage* ImageLock2 = nullptr;
        TSCLLImage* ImageLock3 = nullptr;
        TSCLLImage* ImageAllUnlockedTuner = nullptr;
        TSCLSimpleLabel* LabelAllUnlockedTuner = nullptr;
        TSCLLImage* ImageErrorRsFlag = nullptr;
        TSCLSimpleLabel* LabelErrorRsFlag = nullptr;
        TSCLLImage* ImageProfileMismatch = nullptr;
        TSCLSimpleLabel* LabelProfileMismatch = nullptr;
    };
    Amu_Block AMU1;
    Amu_Block AMU2;

    // One data emitter's components (DE1 or DE2).
    struct De_Block {
        TSCLGroupBox* GroupBox = nullptr;
        TSCLLImage* ImageTxEna = nullptr;
        TSCLSimpleLabel* LabelTxEna = nullptr;
        TSCLShapeControl* PlugAMU = nullptr;
        TSCLShapeControl* PlugAnt = nullptr;
        TSCLShapeButton* Title = nullptr;
    };
    De_Block DE1;
    De_Block DE2;

    TSCLShapeControl* ShapeWCATally = nullptr;
    TSCLPanelFill* PanelBackFillBattery = nullptr;
    std::array<TSCLPanelFill*, 5> PanelFillBattery {};

    TSCLGroupBox* GroupStatus = nullptr;
    TSCLSimplePanel* SimplePanelStatus = nullptr;
    TMemo* MemoStatus = nullptr;

private:
    TForm_Main_HD(TComponent* owner, THookHelpSystem** help_object, std::atomic<int>* camera_count,
                  Status_IHM_SD_HD** summary_out, St_System* snapshot, Thread_Polling_WCU* thread,
                  St_System* current);
    static const TForm_Table& Table();

    void Find_Blocks();
    void Apply_Colour_Depth();
    void Create_Windows(TComponent* owner);
    void Set_Help_Contexts();
    void Create_Presenters();
    void Create_Block_Presenters();
    void Create_Status_Presenter();
    void Free_All();
    int Camera_Index() const;
    static bool Window_Alarm(const Detail_Window* window);
    Detail_Window* Window_Of(TObject* title) const;
    void Place_Window(Detail_Window* window, TSCLShapeButton* title) const;
    std::string About_Text() const;

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
    void MenuAlarmBatThresholdClick(TObject* Sender);
    void MenuNameClick(TObject* Sender);
    void ImageStatusRecordClick(TObject* Sender);
    void PopupMenuMemoStatusPopup(TObject* Sender);
    void SelectallMemoMessagesClick(TObject* Sender);
    void CopyMemoMessagesClick(TObject* Sender);
    void SaveMemoAllMessagesClick(TObject* Sender);
    void ClearMemoAllMessagesClick(TObject* Sender);
    void ProgressVQOSGetColor(TObject* Sender, BYTE bar, TColor& colour);
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
    THookHelpSystem** Help_Object;
    PC_WCU_File_HD* Frame_Recorder = nullptr;
    PC_IHM_Main_HD* PC_Presenter = nullptr;
    WCU_IHM_Main_HD* WCU_Presenter = nullptr;
    AMU_IHM_Main_HD* AMU1_Presenter = nullptr;
    AMU_IHM_Main_HD* AMU2_Presenter = nullptr;
    DE_IHM_Main_HD* DE1_Presenter = nullptr;
    DE_IHM_Main_HD* DE2_Presenter = nullptr;
    WCA_IHM_Main_HD* WCA_Presenter = nullptr;
    Status_IHM_Main_HD* Status_Presenter = nullptr;
    Status_IHM_SD_HD* Summary = nullptr;
    TForm_WCU_HD* WCU_Window = nullptr;
    TForm_AMU_HD* AMU1_Window = nullptr;
    TForm_AMU_HD_Spectrum* AMU1_Spectrum = nullptr;
    TForm_AMU_HD* AMU2_Window = nullptr;
    TForm_AMU_HD_Spectrum* AMU2_Spectrum = nullptr;
    TForm_DE_HD* DE1_Window = nullptr;
    TForm_DE_HD* DE2_Window = nullptr;
    TForm_WCA_HD* WCA_Window = nullptr;
};
