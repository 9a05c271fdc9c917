#pragma once
// The camera selection strip: a small borderless form in the main window's
// bottom-right corner with one button per configured camera, green or red
// by the camera's alarm, to show one camera's page or, with Shift or Ctrl,
// the multi-camera page for a set of cameras. It owns the persistent camera
// count ("Camera_Count") and a camera-number popup for the camera under the
// mouse. Everything runs on the user-interface thread; polling threads read
// CameraCount only.

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

class Menu_Camera_Name;
class TForm_Main;
class TSCLBackPanel;
class TSCLFormDisplay;
class TSCLShapeButton;
class TSCLSimplePanel;
class TSCLSysInfo;
struct Status_IHM_SD_HD;

// What a click on camera button `clicked` does to the selection.
enum class Camera_Click {
    Alone,      // a plain click: that camera only
    Range,      // Shift: a range from or to the clicked camera
    Toggle,     // Ctrl: adds or removes it, never the last selected one
    Select_All, // "Select all": every configured camera
};

// The selection after a click, from the selection before it.
void Apply_Camera_Click(bool selected[4], int clicked, Camera_Click click, int camera_count);

// What the strip asks of the main window that owns it.
class Cam_Select_Owner {
public:
    virtual ~Cam_Select_Owner() = default;
    // The main window: owner of the strip's components; its place on the
    // screen keeps the cursor over a held button.
    virtual TForm* Owner_Form() = 0;
    // The main window's background: its size places the strip, its picture
    // gives the selection marks their grey.
    virtual TSCLBackPanel* Back_Panel() = 0;
    virtual TSCLSysInfo* Sys_Info() = 0;
    virtual void Show_Selection(int count, const bool selected[4]) = 0;
    virtual void Set_Camera_Name(int camera_index, int number) = 0;
};

class TForm_Cam_Select : public TForm {
public:
    TForm_Cam_Select(TForm_Main* owner, TSCLFormDisplay* host);
    // The owner outlives the strip.
    TForm_Cam_Select(Cam_Select_Owner* owner, TSCLFormDisplay* host);
    ~TForm_Cam_Select() override;

    // Components of the form resource.
    TSCLSimplePanel* PanelCameraSelect = nullptr;
    TSCLShapeButton* ShapeButtonCAM1Select = nullptr;
    TSCLShapeButton* ShapeButtonCAM2Select = nullptr;
    TSCLShapeButton* ShapeButtonCAM3Select = nullptr;
    TSCLShapeButton* ShapeButtonCAM4Select = nullptr;
    TSCLSimplePanel* PanelCAM1Select = nullptr;
    TSCLSimplePanel* PanelCAM2Select = nullptr;
    TSCLSimplePanel* PanelCAM3Select = nullptr;
    TSCLSimplePanel* PanelCAM4Select = nullptr;
    TPopupMenu* PopupCamSelect = nullptr;
    TMenuItem* MenuSelectAll = nullptr;
    TMenuItem* MenuCamName = nullptr;

    // Stores n (1 to 4) and writes it to the settings; camera 1 alone is
    // selected; the strip shows only with several cameras.
    void Set_Camera_Count(int n);
    // Places the strip for CameraCount cameras in the bottom-right corner and
    // shows the selection; clicked is the button just clicked, -1 for none.
    void Layout(int clicked);
    // Clicks camera i's button as the user would (posted; the modifier keys
    // are read when the click is handled).
    void Click_Camera_Button(int i);
    // The caption and alarm colour of the summary's camera.
    void Update_Camera_Button(const Status_IHM_SD_HD& summary);
    // The greys of the main window's background under the selection marks.
    void Sample_Background_Colours();
    void Adapt_To_Colour_Depth();

    std::atomic<int> CameraCount {1};
    bool Selected[4] = {true, false, false, false};
    int SelectedCount = 1;
    uint8_t Greys[4] = {};

    // The camera the popup menu opened over (0 to 3).
    int Get_Popup_Camera() const { return Popup_Camera; }
    const std::string& Get_Caption_Text() const { return Caption_Text; }

private:
    TForm_Cam_Select(std::unique_ptr<Cam_Select_Owner> adaptor, Cam_Select_Owner* owner, TSCLFormDisplay* host);
    static const TForm_Table& Table();

    void ShapeButtonCAMSelectClick(TObject* Sender);
    void ShapeButtonCAMSelectMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void PopupCamSelectPopup(TObject* Sender);
    void MenuSelectAllClick(TObject* Sender);
    void MenuNameClick(TObject* Sender);
    void FormDestroy(TObject* Sender);

    void Read_Camera_Count();
    void Select_Camera_One();
    int Camera_Of(TObject* sender) const;

    // Kept ahead of the fields that use it.
    std::unique_ptr<Cam_Select_Owner> Owner_Adaptor;
    Cam_Select_Owner* Owner;

    int Colour_Depth = 32;
    int Popup_Camera = 0;
    bool Select_All = false;
    int Camera_Numbers[4] = {};
    std::unique_ptr<Menu_Camera_Name> Camera_Name_Menu;
    TSCLFormDisplay* Host;
    TSCLSimplePanel* Frames[4] = {};
    TSCLShapeButton* Buttons[4] = {};
    std::string Caption_Text;
};

extern TForm_Cam_Select* Form_Cam_Select;
