#include "components/controls/Sclformshadow.h"
#include "components/controls/Sclformstyler.h"

#include <gtest/gtest.h>

#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

TEST(FormComponentsFormWindow, ShadowAndStylerHookTheFormsOwnWindow)
{
    Test_Form form;
    EXPECT_TRUE((new TSCLFormShadow(&form))->UseFormWindow());
    EXPECT_TRUE((new TSCLFormStyler(&form))->UseFormWindow());
}
