# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND KURVIO_CORE_SOURCES
  plot/Canvas.cpp
  plot/PlotFrame.cpp
  plot/ColourVision.cpp
  plot/PresentationCanvas.cpp
  plot/ForwardingCanvas.cpp
  plot/BoundsCanvas.cpp
  plot/WideLines.cpp
  plot/CurveTracer.cpp
  plot/CurveLabel.cpp
  plot/Legend.cpp
)
list(APPEND KURVIO_UI_SOURCES
  plot/QtCanvas.cpp
)
list(APPEND KURVIO_UI_SOURCES
  plot/PaintBox.h
  plot/PaintBox.cpp
  plot/PlotLayers.cpp
  plot/ZoomBox.cpp
)
# The layers are ANDed over every pixel for each frame; -O3 lets the compiler
# do it a vector at a time.
set_source_files_properties(plot/PlotLayers.cpp PROPERTIES COMPILE_OPTIONS "-O3")
