// SPDX-License-Identifier: GPL-3.0-or-later
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

void Row(const DrawFrame& frame, int y, Color colour) {
  frame.canvas->pen.color = colour;
  frame.canvas->pen.width = 1;
  frame.canvas->MoveTo(0, y);
  frame.canvas->LineTo(frame.width, y);
}

class TwoPlotPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDefaultSettings();
    box.resize(300, 501);  // two plots of 251 rows, the lower from row 251
    picture.Resize();
    frame.width = picture.PlotWidth(), frame.height = picture.PlotHeight();
  }
  Color At(int x, int y) const { return FromQColor(picture.Screen().pixelColor(x, y)); }

  TPaintBox box;
  TwoPlotPicture picture{box};
  QFont font;
  DrawFrame frame;
};

TEST_F(TwoPlotPictureTest, FramesLieOverTheStaticPictureOfTheirPlot) {
  picture.DrawStatic(TwoPlotPicture::Upper, font, frame, [this] { Row(frame, 10, kBlack); });
  picture.DrawStatic(TwoPlotPicture::Lower, font, frame, [this] { Row(frame, 5, kBlack); });
  picture.DrawMoving(TwoPlotPicture::Upper, font, frame, [this] { Row(frame, 20, 255); });
  picture.DrawMoving(TwoPlotPicture::Lower, font, frame, [this] { Row(frame, 30, 255); });
  EXPECT_EQ(At(100, 10), kBlack);
  EXPECT_EQ(At(100, 20), Color{255});
  EXPECT_EQ(At(100, 251 + 5), kBlack);
  EXPECT_EQ(At(100, 251 + 30), Color{255});
  EXPECT_EQ(At(100, 251 + 10), kWhite);  // the upper static line stays above
  // A frame draws only the moving parts: the last one's are gone.
  picture.DrawMoving(TwoPlotPicture::Upper, font, frame, [this] { Row(frame, 40, 255); });
  EXPECT_EQ(At(100, 20), kWhite);
  EXPECT_EQ(At(100, 40), Color{255});
  EXPECT_EQ(At(100, 10), kBlack);
  // Dark wins where both draw: the AND of the pixels.
  picture.DrawMoving(TwoPlotPicture::Upper, font, frame, [this] { Row(frame, 10, 255); });
  EXPECT_EQ(At(100, 10), kBlack);
}

// A frame clears and shows only what its moving parts and legend cover now and covered
// before; the screen is then what a whole redraw shows, also with the wide pens and large
// texts of presentation mode.
TEST_F(TwoPlotPictureTest, AFrameShowsWhatAWholeRedrawShows) {
  for (bool presentation : {false, true}) {
    frame.presentation = presentation;
    picture.DrawStatic(TwoPlotPicture::Upper, font, frame, [this] { Row(frame, 10, kBlack); });
    picture.DrawStatic(TwoPlotPicture::Lower, font, frame, [this] { Row(frame, 5, kBlack); });
    for (int step = 0; step < 6; ++step) {
      const auto moving = [this, step] {
        Canvas& c = *frame.canvas;
        c.pen = {RGB(200, 0, 0), frame.Scaled(2)};
        c.MoveTo(20 * step, 0);
        c.LineTo(40 * step + 10, 200);
        c.brush = {RGB(0, 0, 200), BrushStyle::Solid};
        c.Ellipse(250 - 30 * step, 100, 280 - 30 * step, 130);
        c.TextOut(10 + 35 * step, 150, "x = " + std::to_string(step));
      };
      const auto legend = [this, step] {
        frame.canvas->brush = {kWhite, BrushStyle::Solid};
        frame.canvas->TextOut(200 - 20 * step, 5 + 10 * step, std::string(step + 1, 'W'));
      };
      picture.SetFrameOverlay(TwoPlotPicture::Lower, legend);
      picture.DrawMoving(TwoPlotPicture::Upper, font, frame, moving);
      picture.DrawMoving(TwoPlotPicture::Lower, font, frame, moving);
      const QImage shown = picture.Screen().copy();
      picture.ShowWholeNextFrame();
      picture.DrawMoving(TwoPlotPicture::Upper, font, frame, moving);
      picture.DrawMoving(TwoPlotPicture::Lower, font, frame, moving);
      ASSERT_TRUE(picture.Screen() == shown) << presentation << " " << step;
    }
  }
}

// A box grown in height alone gets pictures of the new size.
TEST_F(TwoPlotPictureTest, ResizedInHeightAlone) {
  box.resize(300, 601);
  picture.Resize();
  EXPECT_EQ(picture.Screen().size(), QSize(300, 2 * picture.PlotHeight()));
  EXPECT_GT(picture.PlotHeight(), 251);
}

}  // namespace
}  // namespace kurvio
