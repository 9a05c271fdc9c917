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

#include "screens/Camera_page.h"

#include <atomic>
#include <string>

class TSCLLEDLabel;

class TForm_Main_SD : public Camera_Page<Sd_Page_Parts> {
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

    // After each poll (full false) or when everything must be redrawn.
    void RefreshDisplay(bool full);

    TSCLLEDLabel* LEDVideoChannel = nullptr;
    TSCLSimpleLabel* LabelVideoChannel = nullptr;
    TSCLLEDLabel* LEDDataChannel = nullptr;
    TSCLSimpleLabel* LabelDataChannel = nullptr;

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
    TSCLSimpleLabel* LabelDE1TxEna = nullptr;
    TSCLLImage* ImageDE1TxEna = nullptr;
    TSCLGroupBox* GroupBoxDE2 = nullptr;
    TSCLSimpleLabel* LabelDE2TxEna = nullptr;
    TSCLLImage* ImageDE2TxEna = nullptr;

    TSCLGroupBox* GroupFrequencyRange = nullptr;
    TSCLGroupBox* GroupVideoFrequencyRange = nullptr;
    TSCLSimpleLabel* LabelVideoFrequencyRange = nullptr;
    TSCLGroupBox* GroupDataFrequencyRange = nullptr;
    TSCLSimpleLabel* LabelDataFrequencyRange = nullptr;

    TPopupMenu* PopupMenuFrequencyRange = nullptr;
    TMenuItem* MenuVideoFrequencyRange = nullptr;
    TMenuItem* MenuDataFrequencyRange = nullptr;
    TMenuItem* SelectAllMessages = nullptr;
    TMenuItem* CopyMessages = nullptr;
    TMenuItem* SaveAllMessages = nullptr;

private:
    TForm_Main_SD(TComponent* owner, THookHelpSystem** help_hook, std::atomic<int>* camera_count,
                  Status_IHM_SD_HD** summary_out, St_System* snapshot, Thread_Polling_WCU* thread,
                  St_System* current);
    static const TForm_Table& Table();

    void Find_Amu_Block(Amu_Block& block, const std::string& amu);
    void Create_Detail_Windows(TComponent* owner);
    void Create_Presenters();
    void Create_Status_Presenter();
    std::string About_Text() const override;
    // The frequency range menu, under the video range.
    void Popup_Key_Menu() override;

    void MenuFrequencyRangeClick(TObject* Sender);
    void PopupMenuMemoStatusPopup(TObject* Sender);
};
