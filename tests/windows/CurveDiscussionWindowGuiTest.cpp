// The curve-discussion window: points far out, and examples with their comment.
#include <QListWidget>

#include "support/WindowFixture.h"
#include "windows/curves/CurveDiscussionWindow.h"

namespace kurvio {
namespace {

class CurveDiscussionTest : public WindowTest<TForm3> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    Open();
  }
};

TEST_F(CurveDiscussionTest, EveryDesignNameNamesOneControl) {
  const QWidget* w = form.get();
  ExpectDesignNames(w, "QLineEdit", {"Edit1", "Edit2", "Edit3"});
  ExpectDesignNames(w, "QLabel", {"Label2", "Label3"});
  ExpectDesignNames(w, "kurvio::TBitCheckBox",
                    {"BitCheckBox1", "BitCheckBox2", "BitCheckBox3", "BitCheckBox4"});
  ExpectDesignNames(w, {{"Switch4", "kurvio::TSwitch"}});
  ExpectDesignNames(
      w, "QAbstractButton",
      {"SpeedButton1", "SpeedButton4", "SpeedButton5", "SpeedButton28", "SpeedButton3",
       "SpeedButton7", "SpeedButton22", "SpeedButton14", "SpeedButton15", "SpeedButton17",
       "SpeedButton23", "SpeedButton6", "SpeedButton13", "SpeedButton2"});
  ExpectDesignNames(w, {{"ListBox1", "QListWidget"}, {"PaintBox1", "kurvio::TPaintBox"}});
}

TEST_F(CurveDiscussionTest, PointsFarOutOrNotANumberDrawWithoutHanging) {
  for (const char* box : {"BitCheckBox1", "BitCheckBox2", "BitCheckBox3", "BitCheckBox4"})
    Click(box);
  for (double x0 : {-1e300, 1e300, std::nan("")}) {
    PointX0 = x0;
    form->animieren();
  }
}

TEST_F(CurveDiscussionTest, ExamplesKeepTheirComment) {
  Find<QLineEdit>("Edit1")->setText(QStringLiteral("x^2"));
  // A character the 8-bit form has no byte for stays, in the field and in the file.
  Find<QLineEdit>("Edit2")->setText(QStringLiteral("Parabel, f(x) ≥ 0"));
  Click("SpeedButton4");
  Find<QLineEdit>("Edit2")->clear();
  Find<QListWidget>("ListBox1")->setCurrentRow(0);
  Click("SpeedButton1");
  EXPECT_EQ(Text("Edit2"), QStringLiteral("Parabel, f(x) ≥ 0"));
  form->close();
  EXPECT_EQ(ReadBytes(dir.File("Bsp1.txt")), "\xEF\xBB\xBFx^2;  Parabel, f(x) \u2265 0\r\n");
}

}  // namespace
}  // namespace kurvio
