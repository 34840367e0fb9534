#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <vector>

#include "widgets/CheckGlyphs.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TColorButton.h"
#include "widgets/TFillStyleComboBox.h"
#include "widgets/TLineWidthComboBox.h"
#include "widgets/TRichButton.h"
#include "widgets/TSMButton.h"
#include "widgets/TSwitch.h"

using namespace kurvio;

namespace {

TEST(RichButtonGui, PressReleaseAndStickyState) {
  TRichButton button;
  button.resize(120, 60);
  button.show();
  QSignalSpy clicks(&button, &TRichButton::OnClick);
  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(button.State(), rbDown);
  QTest::mouseMove(&button, QPoint(200, 10));
  EXPECT_EQ(button.State(), rbUp);
  QTest::mouseMove(&button, QPoint(20, 20));
  EXPECT_EQ(button.State(), rbDown);
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(200, 10));
  EXPECT_EQ(button.State(), rbUp);
  EXPECT_EQ(clicks.count(), 0);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(button.State(), rbUp);
  QTest::keyClick(&button, Qt::Key_Space);
  EXPECT_EQ(clicks.count(), 2);

  button.SetAllowDown(true);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(button.State(), rbSticky);
  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));  // released outside: stays
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(-5, 10));
  EXPECT_EQ(button.State(), rbSticky);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(button.State(), rbUp);
  EXPECT_EQ(clicks.count(), 4);
}

// Forms may size a control to nothing or give it odd properties; painting and
// clicking must still work. Only a crash or a sanitizer report fails this test.
TEST(WidgetSizesGui, DegenerateSizesAndPropertiesDoNotCrash) {
  std::vector<std::unique_ptr<QWidget>> widgets;
  auto sw = std::make_unique<TSwitch>();
  sw->SetSideLength(500);
  sw->SetSlope(-300);
  auto box = std::make_unique<TBitCheckBox>();
  UseStandardCheckGlyphs(*box);
  box->SetCheckedGlyph(QPixmap(1, 1));
  box->SetCheckedNumGlyphs(7);
  box->SetChecked(true);
  auto color = std::make_unique<TColorButton>();
  color->SetSelectionColor(-1);
  color->SetIndicatorBorder(ibRaised);
  auto rich = std::make_unique<TRichButton>();
  rich->SetLines({QStringLiteral("<b>kaputt"), QString()});
  rich->SetBevelWidth(-4);
  rich->SetFocus(true);
  rich->SetFocusWidth(1000);
  widgets.push_back(std::move(sw));
  widgets.push_back(std::move(box));
  widgets.push_back(std::move(color));
  widgets.push_back(std::move(rich));
  widgets.push_back(std::make_unique<TFillStyleComboBox>());
  widgets.push_back(std::make_unique<TLineWidthComboBox>());
  widgets.push_back(std::make_unique<TSMButton>(QStringLiteral("Ein sehr langer Text")));
  for (auto& widget : widgets)
    for (const QSize size : {QSize(0, 0), QSize(1, 1), QSize(3, 2), QSize(300, 5)}) {
      widget->resize(size);
      widget->grab();
      if (size.isEmpty()) continue;
      QTest::mouseClick(widget.get(), Qt::LeftButton, {}, QPoint(0, 0));
      QTest::keyClick(widget.get(), Qt::Key_Space);
    }
}

}  // namespace
