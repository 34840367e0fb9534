// SPDX-License-Identifier: GPL-3.0-or-later
// The drop-down palette of TColorButton: 80 colour cells in 8 columns and 10
// rows, with an optional text button above them.
#pragma once

#include <QWidget>
#include <array>

namespace kurvio {

class TColorButton;

class TColorPopup : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kColumns = 8;
  static constexpr int kRows = 10;
  static constexpr int kCellCount = kColumns * kRows;
  static constexpr int kCellSize = 18;
  static constexpr int NoCell = -1;
  static constexpr int DefaultTextCell = -3;

  // The palette as 0x00BBGGRR values, row by row.
  static const std::array<int, kCellCount>& Colors();
  // First cell holding the colour (compared as RGB), or NoCell.
  static int IndexOfColor(int color);

  explicit TColorPopup(TColorButton* owner);
  ~TColorPopup() override;

  // Sizes the window for the owner's DefaultText and PopupSpacing.
  void UpdateLayout();
  bool HasTextButton() const { return textButtonHeight_ > 0; }
  // Cell 0..79 or DefaultTextCell; empty for anything else.
  QRect CellRect(int cell) const;
  // The cell under a point of the window, or NoCell.
  int CellAt(const QPoint& pos) const;

  int SelectedIndex() const { return selected_; }
  int HoveredIndex() const { return hovered_; }
  void SetSelectedIndex(int cell);
  void SetHoveredIndex(int cell);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  friend class TColorButton;
  void Choose(int cell);
  void PaintCell(QPainter& painter, int cell);
  bool IsAccelerator(const QKeyEvent* event) const;

  TColorButton* owner_;
  int selected_ = NoCell;
  int hovered_ = NoCell;
  bool pressed_ = false;
  int textButtonHeight_ = 0;
  int textButtonWidth_ = 0;
};

}  // namespace kurvio
