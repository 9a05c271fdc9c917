#include "components/foundations/Sclclass.h"

#include <QCursor>
#include <QPixmap>

#include <gtest/gtest.h>

#include "platform/winapi/Cursor.h"

TEST(Sclclass_Hand_Cursor, TheApplicationObjectInstallsTheLibrarysHand)
{
    ASSERT_NE(SCLApplication, nullptr);
    const HCURSOR hand = Screen->Cursors(crSCLHand);
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(hand, LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(16548)));
    const QCursor shape = Cursor_Shape(hand);
    EXPECT_EQ(shape.shape(), Qt::BitmapCursor);
    EXPECT_EQ(shape.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(shape.hotSpot(), QPoint(5, 0)) << "it points with its fingertip";
    EXPECT_EQ(crSCLHand, -255);
}
