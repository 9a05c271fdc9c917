// A double click on a camera view, given as the desktop gives it to the
// program's windows: Qt hands a widget no second press, only the double
// click in its place. Whatever part of the view is double-clicked, the
// selection strip then shows that camera alone.

#include "shell/host/Fich_cam_select.h"
#include "shell/host/Fich_camera_view.h"

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLFormDisplay.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/foundations/Sclsysinfo.h"
#include "link/St_system.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "tests/shell/host/Strip_Owner.h"
#include "tests/support/Fake_Main_Window.h"
#include "tests/support/Temp_Settings.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

void Pump()
{
    for (int i = 0; i < 4; ++i) {
        Application->ProcessMessages();
    }
}

// The third camera's small view beside the main window with the strip of
// four cameras.
class View_Double_Click : public ::testing::Test {
protected:
    View_Double_Click()
    {
        Reg_Write_Integer(Ordexia_Registry_Key, "Camera_Count", 4);
        owner.main.Show();
        Form_Cam_Select = new TForm_Cam_Select(&owner, owner.host);
        owner.host->AddFormExt(Form_Cam_Select, true);
        Form_Cam_Select->Layout(-1);
        view.SetBounds(0, 460, 361, 165);
        view.Show();
        Pump();
    }
    ~View_Double_Click() override
    {
        owner.host->RemoveForm(Form_Cam_Select, true);
        Form_Cam_Select = nullptr;
    }

    // The desktop's double click at a point of the screen, to the widget
    // there, at a time far from any earlier click.
    void Double_Click(QPoint global)
    {
        QWidget* widget = QApplication::widgetAt(global);
        ASSERT_NE(widget, nullptr);
        const QPointF local = widget->mapFromGlobal(QPointF(global));
        const std::pair<QEvent::Type, Qt::MouseButtons> events[] = {{QEvent::MouseButtonPress, Qt::LeftButton},
                                                                    {QEvent::MouseButtonRelease, Qt::NoButton},
                                                                    {QEvent::MouseButtonDblClick, Qt::LeftButton},
                                                                    {QEvent::MouseButtonRelease, Qt::NoButton}};
        time += 100000;
        for (const auto& [type, buttons] : events) {
            QMouseEvent event(type, local, QPointF(global), Qt::LeftButton, buttons, Qt::NoModifier);
            event.setTimestamp(++time);
            QApplication::sendEvent(widget, &event);
        }
        Pump();
    }

    Temp_Settings settings;
    Fake_Main_Window main_window;
    Strip_Owner owner;
    int selected = 4;
    TForm_Small_Camera view {&main_window.form, 2, &selected};
    quint64 time = 0;
};

TEST_F(View_Double_Click, AnyPartOfTheViewShowsItsCameraAlone)
{
    const TSCLSimpleLabel* data_label = view.LabelDQOSCam;
    // A part of the view, and the point of it clicked (in its own client area).
    const std::pair<TControl*, POINT> parts[] = {
        {view.BackPanelCam, POINT {8, data_label->Top() + data_label->Height() + 2}},
        {view.ShapeControlTitleCam, POINT {view.ShapeControlTitleCam->Width() / 2, 5}},
        {view.LabelVQOSCam, POINT {4, view.LabelVQOSCam->Height() / 2}},
        {view.ProgressDQOSCam, POINT {view.ProgressDQOSCam->Width() / 2, view.ProgressDQOSCam->Height() / 2}},
        {view.MemoStatusCam, POINT {view.MemoStatusCam->Width() / 2, view.MemoStatusCam->Height() / 2}},
    };
    for (const auto& [part, point] : parts) {
        SCOPED_TRACE(part->Name());
        Form_Cam_Select->Set_Camera_Count(4); // camera 1 alone
        const std::size_t before = owner.shown.size();
        const POINT screen = part->ClientToScreen(point);
        Double_Click(QPoint(screen.x, screen.y));
        ASSERT_EQ(owner.shown.size(), before + 1) << "one click of the strip's button";
        EXPECT_EQ(owner.shown.back(), Strip_Owner::Selection(1, {false, false, true, false}));
    }
}

} // namespace
