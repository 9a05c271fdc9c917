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

#include "screens/Camera_page.h"

#include <array>
#include <atomic>
#include <string>

class TSCLLEDLabel;
class TForm_AMU_HD_Spectrum;
class WCA_IHM_Main_HD;

class TForm_Main_HD : public Camera_Page<Hd_Page_Parts> {
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
    // Also the camera adapter's fields of the summary and its title.
    void UpdateBlockAlarms() override;
    // The end of the user's logon, handed on by the main window.
    void WMQueryEndSession(TMessage& Message);
    // The AMU1 spectrum window's initial size, for the main window's placement.
    void GetSpectrumWindowSize(POINT& size) const;
    // The spectrum tuner (0 the average, 1..3) of AMU '1' or '2', for the polling thread.
    void SendTunerChoice(int choice, char amu);

    PC_WCU_File_HD* Recorder() const { return Saver; }
    TForm_AMU_HD_Spectrum* Spectrum_Window(char amu) const { return amu == '1' ? AMU1_Spectrum : AMU2_Spectrum; }

    TMenuItem* MenuStatusRecord = nullptr;
    TPopupMenu* PopupMenuAlarmBattery = nullptr;
    TMenuItem* MenuAlarmBatThreshold = nullptr;
    TMenuItem* SelectallMemoMessages = nullptr;
    TMenuItem* CopyMemoMessages = nullptr;
    TMenuItem* SaveMemoAllMessages = nullptr;

    TSCLLImage* ImageCamera = nullptr;
    TSCLShapeButton* ShapeButtonWCATitle = nullptr;
    TSCLLImage* ImageStatusRecord = nullptr;

    TSCLSimpleLabel* LabelFreeze = nullptr;
    TSCLSimpleLabel* LabelVideoFreq = nullptr;
    TSCLSimpleLabel* LabelVideoFreqVal = nullptr;
    TSCLSimpleLabel* LabelDataFreq = nullptr;
    TSCLSimpleLabel* LabelDataFreqVal = nullptr;
    TSCLLImage* ImageStudioGenlock = nullptr;
    TSCLSimpleLabel* LabelStudioGenlock = nullptr;

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

private:
    TForm_Main_HD(TComponent* owner, THookHelpSystem** help_object, std::atomic<int>* camera_count,
                  Status_IHM_SD_HD** summary_out, St_System* snapshot, Thread_Polling_WCU* thread,
                  St_System* current);
    static const TForm_Table& Table();

    void Find_Blocks();
    void Apply_Colour_Depth() override;
    void Create_Windows(TComponent* owner);
    void Set_Hd_Help_Contexts();
    void Create_Presenters();
    void Create_Block_Presenters();
    void Create_Status_Presenter();
    // A running recording ends with its trailer before the rest is freed.
    void Free_All() override;
    std::string About_Text() const override;
    // The battery menu, beside the gauge.
    void Popup_Key_Menu() override;
    // Ctrl+R starts or stops a recording.
    void Page_Key(WORD key) override;

    void MenuAlarmBatThresholdClick(TObject* Sender);
    void ImageStatusRecordClick(TObject* Sender);
    void PopupMenuMemoStatusPopup(TObject* Sender);
    void ProgressVQOSGetColor(TObject* Sender, BYTE bar, TColor& colour);

    WCA_IHM_Main_HD* WCA_Presenter = nullptr;
    TForm_AMU_HD_Spectrum* AMU1_Spectrum = nullptr;
    TForm_AMU_HD_Spectrum* AMU2_Spectrum = nullptr;
    Detail_Window* WCA_Window = nullptr;
};
