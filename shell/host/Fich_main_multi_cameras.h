#pragma once
// The page shown when more than one camera is selected: the selected
// cameras' views side by side (large views for two or three cameras, a
// 2 x 2 grid of small views for four), a title red while any shown camera
// is in alarm, and the borderless main window's buttons and dragging.
//
// Everything runs on the user-interface thread.

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Forms.h"
#include "shell/services/Window_drag.h"

#include <atomic>

class St_System;
class TForm_Camera_View;
class THookHelpSystem;
class TSCLBackPanel;
class TSCLFormDisplay;
class TSCLLImage;
class TSCLShapeControl;
class TSCLSpeedButton;
struct Status_IHM_SD_HD;

class TForm_Main_Multi_Cameras : public TForm {
public:
    // The owner is the main window. The counts and flags are the selection
    // strip's, the help fields the main window's; all outlive the page.
    TForm_Main_Multi_Cameras(TComponent* owner, std::atomic<int>* camera_count, int* selected_count, bool* selected,
                             THookHelpSystem** help_sd, THookHelpSystem** help_hd);
    ~TForm_Main_Multi_Cameras() override;

    // Places the camera views for the current selection.
    void Layout();
    // Camera summary.Camera_Index's views show its new state; the title
    // follows the shown views' alarms.
    void Update_Camera(const St_System& state, const Status_IHM_SD_HD& summary);
    void Clear_Camera_Messages(int camera_index);
    void Adapt_To_Colour_Depth();

    bool Get_Title_Alarm() const { return Title_Alarm; }
    // Camera i's large or small view.
    TForm_Camera_View* Large_View(int i) const;
    TForm_Camera_View* Small_View(int i) const;

    TSCLBackPanel* BackPanelMain = nullptr;
    TSCLSpeedButton* SpeedButtonClose = nullptr;
    TSCLSpeedButton* SpeedButtonMinimize = nullptr;
    TSCLSpeedButton* SpeedButtonSystem = nullptr;
    TSCLSpeedButton* SpeedButtonHelp = nullptr;
    TSCLShapeControl* ShapeControlTitleMultiCam = nullptr;
    TSCLLImage* ImageLogoQuorvale = nullptr;
    TSCLFormDisplay* SCLFormCamLargeDisplay1 = nullptr;
    TSCLFormDisplay* SCLFormCamLargeDisplay2 = nullptr;
    TSCLFormDisplay* SCLFormCamLargeDisplay3 = nullptr;
    TSCLFormDisplay* SCLFormCamLargeDisplay4 = nullptr;
    TSCLFormDisplay* SCLFormCamSmallDisplay1 = nullptr;
    TSCLFormDisplay* SCLFormCamSmallDisplay2 = nullptr;
    TSCLFormDisplay* SCLFormCamSmallDisplay3 = nullptr;
    TSCLFormDisplay* SCLFormCamSmallDisplay4 = nullptr;

    void SpeedButtonCloseClick(TObject* Sender);
    void SpeedButtonMinimizeClick(TObject* Sender);
    void SpeedButtonSystemClick(TObject* Sender);
    void SpeedButtonHelpClick(TObject* Sender);
    void PanelMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void PanelMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void PanelMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FormDestroy(TObject* Sender);

private:
    static const TForm_Table& Table();
    bool Find_Title_Alarm() const;
    void Place_Selected(int selected_count);

    Window_Drag Drag;
    int Colour_Depth = 32;
    std::atomic<int>* Camera_Count_Ref;
    int* Selected_Count_Ref;
    bool* Selected_Ref;
    bool Title_Alarm = false;
    THookHelpSystem** Help_SD;
    THookHelpSystem** Help_HD;
    TSCLFormDisplay* Large_Displays[4] = {};
    TSCLFormDisplay* Small_Displays[4] = {};
};

extern TForm_Main_Multi_Cameras* Form_Main_Multi_Cameras;

// The text of the message shown when no help file is loaded: both files the
// program looks for, in the executable's folder.
std::string Help_Files_Missing_Text();
