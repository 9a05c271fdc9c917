#include "components/controls/SCLSimpleLabel.h"

#include <gtest/gtest.h>

#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

// A label that counts how often it is asked to fit its text.
class Measured_Label : public TSCLSimpleLabel {
public:
    using TSCLSimpleLabel::TSCLSimpleLabel;
    using TSCLSimpleLabel::MouseDown;
    int Fits = 0;
    void CorrectBounds() override
    {
        ++Fits;
        TSCLSimpleLabel::CorrectBounds();
    }
};

} // namespace

TEST(SimpleLabelFontGuard, AJumpLabelsOwnColourChangesRepaintWithoutRefitting)
{
    Test_Form form;
    auto* label = new Measured_Label(&form);
    label->SetCaption("www.example.org");
    label->SetParent(&form);
    label->SetJumpMode(jmCustom);
    EXPECT_EQ(label->Font()->Color(), label->InActiveColor());

    label->Fits = 0;
    label->MouseDown(mbLeft, TShiftState{}, 1, 1);
    EXPECT_EQ(label->Font()->Color(), label->ActiveColor());
    label->ResetCounter();
    EXPECT_EQ(label->Font()->Color(), label->InActiveColor());
    EXPECT_EQ(label->Fits, 0) << "the label's own colour changes are not font changes to react to";

    label->Font()->SetColor(clGreen);
    EXPECT_EQ(label->Fits, 1) << "a font change from outside still refits the label";
    label->Font()->SetHeight(-20);
    EXPECT_EQ(label->Fits, 2);
}
