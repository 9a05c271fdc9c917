#include "shell/host/Camera_ordexia.h"

#include "link/Thread_polling_wcu.h"
#include "screens/Fich_main_hd.h"
#include "screens/Fich_main_sd.h"
#include "screens/Status_ihm_sd_hd.h"
#include "shell/host/Fich_cam_select.h"
#include "tests/shell/host/Host_Test_Support.h"

namespace {

using namespace host_test;

class Camera_Object : public Host_Window {
protected:
    void SetUp() override
    {
        Create(1);
        camera = window->Get_Camera(0);
    }
    // The snapshot now says the other type, as after a poll that found
    // the WCU of the other variant.
    void Change_Snapshot_Type(int system_type)
    {
        auto state = camera->Get_Thread()->Lock_State();
        state->Type.System_Type = system_type;
        camera->Copy_State(*state);
    }

    Camera_Ordexia* camera = nullptr;
};

TEST_F(Camera_Object, StartsWithACopyOfItsThreadsStateAndNoPage)
{
    EXPECT_EQ(camera->Get_State()->Camera_Index, 0);
    EXPECT_EQ(camera->Get_State()->Settings.Name, camera->Get_Thread()->Lock_State()->Settings.Name);
    EXPECT_EQ(camera->Get_Form(), nullptr);
    EXPECT_EQ(camera->Get_Summary(), nullptr);
    EXPECT_TRUE(camera->Is_Sd());
}

TEST_F(Camera_Object, CreatingThePageStartsPollingAndHandsOverTheSummary)
{
    camera->Create_Form();
    ASSERT_NE(camera->Get_Form_SD(), nullptr);
    ASSERT_NE(camera->Get_Summary(), nullptr);
    EXPECT_EQ(camera->Get_Summary()->Camera_Index, 0u);
    EXPECT_TRUE(Pump_Until([&] { return camera->Get_Thread_Id() != 0; }));
}

TEST_F(Camera_Object, SwapMakesThePageOfTheNewTypeOnceAndDropsTheOther)
{
    camera->Create_Form();
    Change_Snapshot_Type(St_System_Type::Hd_System);
    camera->Swap_Form();
    TForm_Main_HD* hd_page = camera->Get_Form_HD();
    ASSERT_NE(hd_page, nullptr);
    EXPECT_EQ(camera->Get_Form_SD(), nullptr);
    EXPECT_EQ(camera->Get_Form(), hd_page);
    camera->Swap_Form();
    EXPECT_EQ(camera->Get_Form_HD(), hd_page) << "the page of the snapshot's type exists: nothing made";
    EXPECT_EQ(camera->Get_Form_SD(), nullptr);
}

TEST_F(Camera_Object, BeforeTheSwapThePageOperationsActOnThePageThatExists)
{
    camera->Create_Form();
    Change_Snapshot_Type(St_System_Type::Hd_System);
    camera->Refresh_Form(true);
    camera->Release_Shortcut_Buttons();
    camera->Clear_Messages();
    camera->Delete_Form();
    EXPECT_EQ(camera->Get_Form(), nullptr) << "the SD page is gone although the snapshot says HD";
    EXPECT_EQ(camera->Get_Summary(), nullptr);

    camera->Recreate_Form(&Form_Cam_Select->CameraCount);
    EXPECT_NE(camera->Get_Form_HD(), nullptr);
    camera->Swap_Form();
    EXPECT_NE(camera->Get_Form_HD(), nullptr);
    EXPECT_EQ(camera->Get_Form_SD(), nullptr);
}

TEST_F(Camera_Object, ReleaseStopsTheThreadWhileAPageIsLeftAndFreesTheSnapshotWithout)
{
    camera->Create_Form();
    EXPECT_FALSE(camera->Try_Release());
    EXPECT_TRUE(camera->Get_Thread()->Is_Terminating());
    EXPECT_FALSE(camera->Try_Release()) << "asked once; still a page";
    ASSERT_TRUE(Pump_Until([&] { return window->Get_Camera_Count() == 0; })) << "the window deletes it once ended";
}

TEST_F(Camera_Object, WithoutAPageReleaseLetsTheSnapshotGo)
{
    EXPECT_TRUE(camera->Try_Release());
    EXPECT_EQ(camera->Get_State(), nullptr);
    EXPECT_FALSE(camera->Is_Hd()) << "no snapshot reads as SD";
}

} // namespace
