// The info window: name and version, closed by its button.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/InfoWindow.h"

namespace kurvio {
namespace {

TEST(InfoWindowTest, ShowsNameAndVersionAndClosesWithOk) {
  TForm9 form;
  form.show();
  EXPECT_EQ(form.windowTitle(), "Info");
  EXPECT_EQ(form.Label1->text(), "Kurvio");
  EXPECT_EQ(form.Label2->text(), "Version 1.5");
  EXPECT_EQ(form.Button1->text(), "OK");
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace kurvio
