// The two-plot picture: plot sizes from the paint box, static pictures and
// frames combined by AND.
#include <gtest/gtest.h>

#include <QFont>

#include "module/TwoPlotPicture.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/Settings.h"

namespace kurvio {
namespace {

void Row(int y, Color colour) {
  DrawCanvas->pen.color = colour;
  DrawCanvas->pen.width = 1;
  DrawCanvas->MoveTo(0, y);
  DrawCanvas->LineTo(PlotWidth, y);
}

class TwoPlotPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDefaultSettings();
    box.resize(300, 501);  // two plots of 251 rows, the lower from row 251
    picture.Resize();
  }
  Color At(int x, int y) const { return FromQColor(picture.Screen().pixelColor(x, y)); }

  TPaintBox box;
  TwoPlotPicture picture{box};
  QFont font;
};

TEST_F(TwoPlotPictureTest, FramesLieOverTheStaticPictureOfTheirPlot) {
  picture.DrawStatic(TwoPlotPicture::Upper, font, [] { Row(10, kBlack); });
  picture.DrawStatic(TwoPlotPicture::Lower, font, [] { Row(5, kBlack); });
  picture.DrawFrame(TwoPlotPicture::Upper, font, [] { Row(20, 255); });
  picture.DrawFrame(TwoPlotPicture::Lower, font, [] { Row(30, 255); });
  EXPECT_EQ(At(100, 10), kBlack);
  EXPECT_EQ(At(100, 20), Color{255});
  EXPECT_EQ(At(100, 251 + 5), kBlack);
  EXPECT_EQ(At(100, 251 + 30), Color{255});
  EXPECT_EQ(At(100, 251 + 10), kWhite);  // the upper static line stays above
  // A frame draws only the moving parts: the last one's are gone.
  picture.DrawFrame(TwoPlotPicture::Upper, font, [] { Row(40, 255); });
  EXPECT_EQ(At(100, 20), kWhite);
  EXPECT_EQ(At(100, 40), Color{255});
  EXPECT_EQ(At(100, 10), kBlack);
  // Dark wins where both draw: the AND of the pixels.
  picture.DrawFrame(TwoPlotPicture::Upper, font, [] { Row(10, 255); });
  EXPECT_EQ(At(100, 10), kBlack);
}

// A box grown in height alone gets pictures of the new size.
TEST_F(TwoPlotPictureTest, ResizedInHeightAlone) {
  box.resize(300, 601);
  picture.Resize();
  EXPECT_EQ(picture.Screen().size(), QSize(300, 2 * PlotHeight));
  EXPECT_GT(PlotHeight, 251);
}

}  // namespace
}  // namespace kurvio
