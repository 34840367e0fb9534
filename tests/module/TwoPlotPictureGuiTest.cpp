// The two-plot picture: plot sizes from the paint box, static pictures and
// frames combined by AND.
#include <gtest/gtest.h>

#include <QFont>
#include <string>

#include "module/TwoPlotPicture.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/Preferences.h"
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

// A frame clears and shows only what its moving parts and legend cover now and covered
// before; the screen is then what a whole redraw shows, also with the wide pens and large
// texts of presentation mode.
TEST_F(TwoPlotPictureTest, AFrameShowsWhatAWholeRedrawShows) {
  for (bool presentation : {false, true}) {
    PresentationMode = presentation;
    picture.DrawStatic(TwoPlotPicture::Upper, font, [] { Row(10, kBlack); });
    picture.DrawStatic(TwoPlotPicture::Lower, font, [] { Row(5, kBlack); });
    for (int step = 0; step < 6; ++step) {
      const auto frame = [step] {
        Canvas& c = *DrawCanvas;
        c.pen = {RGB(200, 0, 0), Scaled(2)};
        c.MoveTo(20 * step, 0);
        c.LineTo(40 * step + 10, 200);
        c.brush = {RGB(0, 0, 200), BrushStyle::Solid};
        c.Ellipse(250 - 30 * step, 100, 280 - 30 * step, 130);
        c.TextOut(10 + 35 * step, 150, "x = " + std::to_string(step));
      };
      const auto legend = [step] {
        DrawCanvas->brush = {kWhite, BrushStyle::Solid};
        DrawCanvas->TextOut(200 - 20 * step, 5 + 10 * step, std::string(step + 1, 'W'));
      };
      picture.SetFrameOverlay(TwoPlotPicture::Lower, legend);
      picture.DrawFrame(TwoPlotPicture::Upper, font, frame);
      picture.DrawFrame(TwoPlotPicture::Lower, font, frame);
      const QImage shown = picture.Screen().copy();
      picture.ShowWholeNextFrame();
      picture.DrawFrame(TwoPlotPicture::Upper, font, frame);
      picture.DrawFrame(TwoPlotPicture::Lower, font, frame);
      ASSERT_TRUE(picture.Screen() == shown) << presentation << " " << step;
    }
  }
  PresentationMode = false;
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
