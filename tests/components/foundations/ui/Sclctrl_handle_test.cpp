#include "components/foundations/Sclctrl.h"

#include <gtest/gtest.h>

#include "platform/classlib/Forms.h"

namespace {

TEST(Sclctrl, CreateHandleMakesTheWindowOnce)
{
    TForm form(nullptr);
    EXPECT_FALSE(form.HandleAllocated());
    SCLCreateHandle(&form);
    ASSERT_TRUE(form.HandleAllocated());
    const HWND window = form.Handle();
    SCLCreateHandle(&form);
    EXPECT_EQ(form.Handle(), window);
    SCLCreateHandle(nullptr);
}

} // namespace
