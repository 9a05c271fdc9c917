#include "components/foundations/Sclbase.h"
#include "components/foundations/Sclctrl.h"

#include <gtest/gtest.h>

namespace {

TEST(Sclctrl, UniqueNamesSkipThoseTheOwnerHolds)
{
    EXPECT_EQ(SCLUniqueName("TSCLLabel", nullptr), "SCLLabel1");
    EXPECT_EQ(SCLUniqueName("tButton", nullptr), "Button1");
    EXPECT_EQ(SCLUniqueName("SCLPanel", nullptr), "SCLPanel1");
    EXPECT_EQ(SCLUniqueName("", nullptr), "1");

    TComponent owner(nullptr);
    EXPECT_EQ(SCLUniqueName("TSCLLabel", &owner), "SCLLabel1");
    for (const char* name : {"sclLabel1", "SCLLabel2", "SCLLabel4"})
        (new TComponent(&owner))->SetName(name);
    EXPECT_EQ(SCLUniqueName("TSCLLabel", &owner), "SCLLabel3");
}

TEST(Sclbase, DockErrorNamesBothComponents)
{
    TComponent component(nullptr);
    component.SetName("Panel1");
    TComponent dock(nullptr);
    dock.SetName("DockLabel1");
    try {
        SCLRaiseDockError(&component, &dock);
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message, "Component Panel1:\rA TSCLDockLabel- or Button component was already attached to "
                                 "the component: DockLabel1\rOnly one SCLDockXXXX per control is allowed.");
    }
}

} // namespace
