// SPDX-License-Identifier: GPL-3.0-or-later
// A small button showing a colour; pressing it drops down a palette of 80
// colours (TColorPopup) from which the user picks a new one.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

namespace kurvio {

class TColorPopup;

enum TIndicatorBorder { ibNone, ibFlat, ibSunken, ibRaised };

class TColorButton : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int SelectionColor READ SelectionColor WRITE SetSelectionColor)
  Q_PROPERTY(QString DefaultText READ DefaultText WRITE SetDefaultText)
  Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
  Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
  Q_PROPERTY(int PopupSpacing READ PopupSpacing WRITE SetPopupSpacing)
  Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
  Q_PROPERTY(bool Down READ Down WRITE SetDown)
  Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE SetAllowAllUp)

 public:
  // Asked before the palette opens or closes; setting Allowed to false refuses.
  // DroppedDown() tells which of the two is about to happen.
  using DropChangingHandler = std::function<void(TColorButton* Sender, bool& Allowed)>;
  // Supplies the hint of a palette cell (0..79, or TColorPopup::DefaultTextCell).
  using HintHandler = std::function<void(TColorButton* Sender, int Cell, QString& Hint)>;

  explicit TColorButton(QWidget* parent = nullptr);
  ~TColorButton() override;

  int SelectionColor() const { return selectionColor_; }
  // Fires OnChange when the value differs.
  void SetSelectionColor(int color);
  QString DefaultText() const { return defaultText_; }
  void SetDefaultText(const QString& text) { defaultText_ = text; }
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  TIndicatorBorder IndicatorBorder() const { return indicatorBorder_; }
  void SetIndicatorBorder(TIndicatorBorder border);
  int PopupSpacing() const { return popupSpacing_; }
  void SetPopupSpacing(int spacing) { popupSpacing_ = spacing < 0 ? 0 : spacing; }
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int index);
  bool Down() const { return down_; }
  void SetDown(bool down);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool allow) { allowAllUp_ = allow; }

  DropChangingHandler OnDropChanging;
  HintHandler OnHint;

  bool DroppedDown() const { return droppedDown_; }
  // Opens the palette below the button (above it near the bottom of the
  // screen). Returns false when OnDropChanging refuses.
  bool DropDown();
  // Closes the palette without a change. Returns false when OnDropChanging
  // refuses.
  bool CloseUp();
  TColorPopup* Popup() const { return popup_; }
  // The rectangle filled with SelectionColor.
  QRect IndicatorRect() const;
  // The hint of a palette cell as OnHint makes it.
  QString CellHint(int cell);

  QSize sizeHint() const override { return QSize(45, 22); }

 signals:
  void OnChange();
  void OnDefaultSelect();
  void OnDropChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  friend class TColorPopup;
  void PopupHidden();

  int selectionColor_ = 0;
  QString defaultText_;
  bool flat_ = false;
  bool transparent_ = true;
  TIndicatorBorder indicatorBorder_ = ibFlat;
  int popupSpacing_ = 8;
  int groupIndex_ = 0;
  bool down_ = false;
  bool allowAllUp_ = false;

  bool hovered_ = false;
  bool mouseDown_ = false;
  bool droppedDown_ = false;
  TColorPopup* popup_ = nullptr;
};

}  // namespace kurvio
