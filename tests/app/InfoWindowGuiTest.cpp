// The info window closes with its button, accepted.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "app/InfoWindow.h"

namespace kurvio {
namespace {

TEST(InfoWindowTest, ClosesWithOk) {
  TForm9 form;
  form.show();
  QTest::mouseClick(form.okButton, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace kurvio
