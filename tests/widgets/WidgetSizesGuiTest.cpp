#include <gtest/gtest.h>

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

namespace {

// Forms may size a control to nothing, or give it odd properties; painting and
// clicking must still work. Only a crash or a sanitizer report fails this test.
TEST(WidgetSizesGui, DegenerateSizesAndPropertiesDoNotCrash) {
  std::vector<std::unique_ptr<QWidget>> widgets;
  auto sw = std::make_unique<kurvio::TSwitch>();
  sw->SetSideLength(500);
  sw->SetSlope(-300);
  widgets.push_back(std::move(sw));
  auto box = std::make_unique<kurvio::TBitCheckBox>();
  kurvio::UseStandardCheckGlyphs(*box);
  box->SetCheckedGlyph(QPixmap(1, 1));
  box->SetCheckedNumGlyphs(7);
  box->SetChecked(true);
  widgets.push_back(std::move(box));
  auto color = std::make_unique<kurvio::TColorButton>();
  color->SetSelectionColor(-1);
  color->SetIndicatorBorder(kurvio::ibRaised);
  widgets.push_back(std::move(color));
  widgets.push_back(std::make_unique<kurvio::TFillStyleComboBox>());
  widgets.push_back(std::make_unique<kurvio::TLineWidthComboBox>());
  widgets.push_back(std::make_unique<kurvio::TSMButton>(QStringLiteral("Ein sehr langer Text")));
  auto rich = std::make_unique<kurvio::TRichButton>();
  rich->SetLines({QStringLiteral("<b>kaputt"), QString()});
  rich->SetBevelWidth(-4);
  rich->SetFocus(true);
  rich->SetFocusWidth(1000);
  widgets.push_back(std::move(rich));

  for (auto& widget : widgets) {
    for (const QSize size : {QSize(0, 0), QSize(1, 1), QSize(3, 2), QSize(300, 5)}) {
      widget->resize(size);
      widget->grab();
      if (size.isEmpty()) continue;
      QTest::mouseClick(widget.get(), Qt::LeftButton, {}, QPoint(0, 0));
      QTest::keyClick(widget.get(), Qt::Key_Space);
    }
  }
  SUCCEED();
}

}  // namespace
