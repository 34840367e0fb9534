#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

#include "widgets/CheckGlyphs.h"
#include "widgets/TBitCheckBox.h"

using namespace kurvio;

namespace {

TEST(BitCheckBoxGui, ClicksCycleGrayedOnlyWhenAllowed) {
  TBitCheckBox box;
  box.show();
  QSignalSpy clicks(&box, &TBitCheckBox::OnClick);
  std::vector<TCheckBoxState> seen;
  for (int i = 0; i < 3; ++i) {
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 8));
    seen.push_back(box.State());
  }
  EXPECT_EQ(box.window()->focusWidget(), &box);
  box.SetAllowGrayed(true);
  for (int i = 0; i < 4; ++i) {
    QTest::keyClick(&box, Qt::Key_Space);
    seen.push_back(box.State());
  }
  EXPECT_EQ(seen, (std::vector{cbChecked, cbUnchecked, cbChecked, cbUnchecked, cbGrayed, cbChecked,
                               cbUnchecked}));
  // A release outside the box is no click; setting the state from code fires nothing.
  QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(5, 8));
  QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(200, 8));
  box.SetChecked(true);
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(clicks.count(), 7);
}

}  // namespace
