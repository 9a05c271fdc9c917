// The form display, form shape and form shadow read from and written to the
// form format by their published names and defaults.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "components/controls/SCLFormDisplay.h"
#include "components/controls/Sclformshadow.h"
#include "components/controls/Sclregion.h"
#include "platform/classlib/Form_Parser.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

template <class C>
C* Read(const std::string& Text, TComponent* Owner)
{
    return dynamic_cast<C*>(CreateComponentFromText(Text, "test", Owner));
}

std::string Stored(TComponent* Component)
{
    Component->SetName(Component->ClassName().substr(1));
    std::string names;
    for (const TFormProperty& property : Parse_Form_Text(WriteComponentText(Component), "written").Properties)
        names += property.Name + ";";
    return names;
}

} // namespace

TEST(FormComponentsStored, PublishedPropertiesAreReadByName)
{
    Test_Form form;
    auto* display = Read<TSCLFormDisplay>("object D: TSCLFormDisplay\n  Position = fdpCenter\n"
                                          "  SaveResources = True\n  Bevel.Mode = bmStandard\nend\n",
                                          &form);
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->Position(), fdpCenter);
    EXPECT_TRUE(display->SaveResources());
    EXPECT_EQ(display->Bevel()->Mode(), bmStandard) << "a stored bevel mode overrides the display's own";

    auto* shape = Read<TSCLFormShape>("object S: TSCLFormShape\n  ShowFormCaption = False\n"
                                      "  Region.Shape = rsElliptic\n  ListIndex = 2\nend\n",
                                      &form);
    ASSERT_NE(shape, nullptr);
    EXPECT_FALSE(shape->ShowFormCaption());
    EXPECT_EQ(shape->Region()->Shape(), rsElliptic);
    EXPECT_EQ(shape->ListIndex(), 2);

    auto* shadow = Read<TSCLFormShadow>("object W: TSCLFormShadow\n  ShowInActive = False\n"
                                        "  Shadow.Depth = 3\nend\n",
                                        &form);
    ASSERT_NE(shadow, nullptr);
    EXPECT_FALSE(shadow->ShowInActive);
    EXPECT_EQ(shadow->Shadow()->Depth(), 3);
}

TEST(FormComponentsStored, DefaultsAreNotWritten)
{
    Test_Form form;
    TSCLFormShape shape(&form);
    EXPECT_EQ(Stored(&shape).find("ShowFormCaption"), std::string::npos);
    shape.SetBoolean(1, false);
    EXPECT_NE(Stored(&shape).find("FormDragable;"), std::string::npos);

    TSCLFormDisplay display(&form);
    EXPECT_EQ(Stored(&display).find("Position"), std::string::npos);
    display.SetPosition(fdpTopLeft);
    EXPECT_NE(Stored(&display).find("Position;"), std::string::npos);
}
