#pragma once
// A camera view: the small synoptic of one camera on the multi-camera page
// (title, PC, WCU, the AMUs, the data emitters, the HD camera adapter, the
// cables, the two quality meters and the status log). Two layouts share the
// behaviour: TForm_Large_Camera (two or three cameras selected) and
// TForm_Small_Camera (four). Every colour comes from the camera's block
// summary; the view only follows it. User-interface thread only.

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"

#include <memory>
#include <string>
#include <vector>

class Menu_Camera_Name;
class St_System;
class TMemo;
class TSaveDialog;
class TSCLBackPanel;
class TSCLBaseShape;
class TSCLGroupBox;
class TSCLProgress;
class TSCLShapeControl;
class TSCLSimpleLabel;
class TSCLSimplePanel;
struct Status_IHM_SD_HD;

class TForm_Camera_View : public TForm {
public:
    ~TForm_Camera_View() override;

    // Redraws the synoptic when this layout is the one shown for the current
    // selected count, and always appends the summary's new log lines.
    void Update_Camera(const St_System* state, const Status_IHM_SD_HD* summary);
    void Clear_Messages();

    int Get_Camera_Index() const { return Camera_Index; }
    // The bar colours of the video quality meter; empty before construction ends.
    const std::vector<TColor>& Get_Vqos_Colours() const { return Vqos_Colours; }

    TSCLBackPanel* BackPanelCam = nullptr;
    TSCLShapeControl* ShapeControlTitleCam = nullptr;
    TSCLShapeControl* ShapeControlPCCam = nullptr;
    TSCLShapeControl* ShapeControlWCACam = nullptr;
    TSCLShapeControl* ShapeControlWCUCam = nullptr;
    TSCLShapeControl* ShapeControlAMU1Cam = nullptr;
    TSCLShapeControl* ShapeControlAMU2Cam = nullptr;
    TSCLShapeControl* ShapeControlDE1Cam = nullptr;
    TSCLShapeControl* ShapeControlDE2Cam = nullptr;
    TSCLShapeControl* ShapeControlAMU1Select = nullptr;
    TSCLShapeControl* ShapeControlAMU2Select = nullptr;
    TSCLShapeControl* ShapeControlDE1Select = nullptr;
    TSCLShapeControl* ShapeControlDE2Select = nullptr;
    TSCLShapeControl* ShapeControlLinkRS232 = nullptr;
    TSCLShapeControl* ShapeControlLinkTriax1 = nullptr;
    TSCLShapeControl* ShapeControlLinkTriax2 = nullptr;
    TSCLShapeControl* ShapeControlLinkDE1 = nullptr;
    TSCLShapeControl* ShapeControlLinkDE2 = nullptr;
    TSCLSimpleLabel* LabelVQOSCam = nullptr;
    TSCLProgress* ProgressVQOSCam = nullptr;
    TSCLSimpleLabel* LabelFreezeCam = nullptr;
    TSCLSimpleLabel* LabelDQOSCam = nullptr;
    TSCLProgress* ProgressDQOSCam = nullptr;
    TSCLGroupBox* GroupStatusCam = nullptr;
    TSCLSimplePanel* SimplePanelStatusCam = nullptr;
    TMemo* MemoStatusCam = nullptr;
    TSaveDialog* SaveDialogFichierStatus = nullptr;
    TPopupMenu* PopupMenuMemoStatusCam = nullptr;
    TMenuItem* SelectallMemoMessages = nullptr;
    TMenuItem* CopyMemoMessages = nullptr;
    TMenuItem* SaveMemoAllMessages = nullptr;
    TMenuItem* ClearMemoAllMessages = nullptr;
    TPopupMenu* PopupCamName = nullptr;
    TMenuItem* MenuCamName = nullptr;

    void CamDblClick(TObject* Sender);
    void PopupMenuMemoStatusCamPopup(TObject* Sender);
    void SelectallMemoMessagesClick(TObject* Sender);
    void CopyMemoMessagesClick(TObject* Sender);
    void SaveMemoAllMessagesClick(TObject* Sender);
    void ClearMemoAllMessagesClick(TObject* Sender);
    void MenuNameClick(TObject* Sender);
    void ProgressVQOSCamGetColor(TObject* Sender, BYTE nr, TColor& aColor);
    void FormDestroy(TObject* Sender);

protected:
    // The layout's resource is read by the derived class; Build then runs
    // the construction that needs its components.
    TForm_Camera_View(TComponent* owner, int camera_index, int* cameras_selected);
    static const TForm_Table& Table();
    void Build();
    // The selected count for which this layout is the one shown.
    virtual bool Is_Shown_For(int selected_count) const = 0;

private:
    void Adapt_To_Colour_Depth();
    void Build_Vqos_Colours();
    void Bind_Double_Clicks();
    void Show_Title(const Status_IHM_SD_HD& summary);
    void Show_Hints(const St_System& state);
    void Show_Shapes(const St_System& state, const Status_IHM_SD_HD& summary);
    void Show_Vqos_Sd(const St_System& state);
    void Show_Vqos_Hd(const St_System& state);
    void Show_Vqos_Absent(bool sd);
    void Show_Dqos(const St_System& state, const Status_IHM_SD_HD& summary);
    void Place_Dqos_Row(bool alone);
    void Append_Log(const Status_IHM_SD_HD& summary);

    int Colour_Depth = 32;
    int Camera_Index;
    int* Cameras_Selected;
    std::string Title_Text;
    int Dqos_Label_Top_Alone = 0;
    int Dqos_Label_Top = 0;
    int Dqos_Bar_Top_Alone = 0;
    int Dqos_Bar_Top = 0;
    std::vector<TColor> Vqos_Colours;
    std::unique_ptr<Menu_Camera_Name> Camera_Name_Menu;
};

class TForm_Large_Camera : public TForm_Camera_View {
public:
    TForm_Large_Camera(TComponent* owner, int camera_index, int* cameras_selected);

protected:
    bool Is_Shown_For(int selected_count) const override { return selected_count != 1 && selected_count != 4; }
};

class TForm_Small_Camera : public TForm_Camera_View {
public:
    TForm_Small_Camera(TComponent* owner, int camera_index, int* cameras_selected);

protected:
    bool Is_Shown_For(int selected_count) const override { return selected_count == 4; }
};

// The bar colours of a video quality meter of n bars: navy, and one white
// bar ending each quarter of the scale.
std::vector<TColor> Vqos_Colour_Table(int bar_count);
