// SPDX-License-Identifier: GPL-3.0-or-later
// A three-dimensional rocker switch labelled "EIN"/"AUS" that starts and stops
// the animations of the windows.
#pragma once

#include <QPolygon>
#include <QString>
#include <QWidget>

namespace kurvio {

class TSwitch : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString CaptionOn READ CaptionOn WRITE SetCaptionOn)
  Q_PROPERTY(QString CaptionOff READ CaptionOff WRITE SetCaptionOff)
  Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
  Q_PROPERTY(bool CheckedLeft READ CheckedLeft WRITE SetCheckedLeft)
  Q_PROPERTY(int Slope READ Slope WRITE SetSlope)
  Q_PROPERTY(int SideLength READ SideLength WRITE SetSideLength)
  Q_PROPERTY(int OnColor READ OnColor WRITE SetOnColor)
  Q_PROPERTY(int OffColor READ OffColor WRITE SetOffColor)
  Q_PROPERTY(int TopColor READ TopColor WRITE SetTopColor)
  Q_PROPERTY(int SideColor READ SideColor WRITE SetSideColor)
  Q_PROPERTY(int FontColor READ FontColor WRITE SetFontColor)

 public:
  // The rocker as it is drawn for the current size and state. hw and s are
  // negative when the rocker tips the other way; the raised half spans cx to
  // cx + hw.
  struct Geometry {
    int fh = 0;
    int hw = 0;
    int cx = 0;
    int s = 0;
    QPolygon top, side, stateHalf, otherHalf;
    QRect captionRect;
  };

  explicit TSwitch(QWidget* parent = nullptr);

  QString CaptionOn() const { return captionOn_; }
  void SetCaptionOn(const QString& caption);
  QString CaptionOff() const { return captionOff_; }
  void SetCaptionOff(const QString& caption);
  bool Checked() const { return checked_; }
  // Setting the state from code repaints and fires nothing.
  void SetChecked(bool checked);
  bool CheckedLeft() const { return checkedLeft_; }
  void SetCheckedLeft(bool left);
  int Slope() const { return slope_; }
  void SetSlope(int slope);
  int SideLength() const { return sideLength_; }
  void SetSideLength(int length);
  int OnColor() const { return onColor_; }
  void SetOnColor(int color);
  int OffColor() const { return offColor_; }
  void SetOffColor(int color);
  int TopColor() const { return topColor_; }
  void SetTopColor(int color);
  int SideColor() const { return sideColor_; }
  void SetSideColor(int color);
  int FontColor() const { return fontColor_; }
  void SetFontColor(int color);

  Geometry ComputeGeometry() const;

  QSize sizeHint() const override { return QSize(83, sideLength_ + 18); }

 signals:
  void OnChanged();
  void OnChecked();
  void OnUnChecked();
  // After every toggle by the user, by mouse or key, whatever the new state.
  void OnClick();
  void OnMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Toggle();

  QString captionOn_ = QStringLiteral("EIN");
  QString captionOff_ = QStringLiteral("AUS");
  bool checked_ = false;
  bool checkedLeft_ = true;
  int slope_ = 6;
  int sideLength_ = 6;
  int onColor_ = 255;
  int offColor_ = 128;
  int topColor_ = 12632256;
  int sideColor_ = 12632256;
  int fontColor_ = 16777215;
};

}  // namespace kurvio
