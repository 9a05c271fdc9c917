#include "components/controls/SCLPanelFill.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

// A child that keeps the library messages its parent sends it.
class Listening_Child : public Back_Child {
public:
    using Back_Child::Back_Child;
    std::vector<UINT> Heard;

    void Dispatch(TMessage& Message) override
    {
        if (Message.Msg >= 0xB000 && Message.Msg <= 0xB0FF)
            Heard.push_back(Message.Msg);
        Back_Child::Dispatch(Message);
    }
    int Count(UINT Msg) const { return static_cast<int>(std::count(Heard.begin(), Heard.end(), Msg)); }
};

} // namespace

TEST(FillPanelCaption, ChildrenAreToldWhenTheCaptionEffectOrFontChanges)
{
    Test_Form form;
    auto* panel = new TSCLPanelFill(&form);
    panel->SetBounds(10, 10, 100, 60);
    panel->SetParent(&form);
    auto* child = new Listening_Child(panel, RECT{5, 5, 20, 20}, clLime);
    form.Show();
    Pump();
    child->Heard.clear();

    panel->FontFX()->SetLightColor(clRed);
    EXPECT_EQ(child->Count(CM_SCLCAPTIONCHANGED), 1);
    panel->Font()->SetColor(clBlue);
    EXPECT_EQ(child->Count(CM_SCLCAPTIONCHANGED), 2);
    panel->SetCaption("Camera");
    EXPECT_EQ(child->Count(CM_SCLCAPTIONCHANGED), 2) << "the text alone is no caption-look change";
    EXPECT_EQ(CM_SCLCAPTIONCHANGED, 0xB0D2u);
}
