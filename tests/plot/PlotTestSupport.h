// SPDX-License-Identifier: GPL-3.0-or-later
// A 700 x 700 plot on a recording canvas over the default window -7..7, so
// that one world unit is 50 pixels and (0, 0) is pixel (350, 350).
#pragma once

#include <gtest/gtest.h>

#include "plot/DrawFrame.h"
#include "plot/PlotFrame.h"
#include "settings/Settings.h"
#include "support/RecordingCanvas.h"

namespace kurvio::testing {

class PlotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame.canvas = &canvas;
    frame.world = {-7, 7, -7, 7};
    frame.width = frame.height = 700;
  }
  RecordingCanvas canvas;
  DrawFrame frame;
};

}  // namespace kurvio::testing
