// SPDX-License-Identifier: GPL-3.0-or-later
// A drop-down list whose items are drawn as pictures instead of texts; base of
// the fill-style and line-width pickers.
#pragma once

#include <QComboBox>

namespace kurvio {

class TPictureComboBox : public QComboBox {
  Q_OBJECT
  Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)

 public:
  explicit TPictureComboBox(QWidget* parent = nullptr);

  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);

  // Draws item index into r, with the highlight background when selected.
  virtual void DrawItem(QPainter& painter, const QRect& r, int index, bool selected) const = 0;

  QSize sizeHint() const override { return QSize(145, 23); }
  QSize minimumSizeHint() const override { return QSize(40, 23); }

 signals:
  // The user chose an item; setting the value from code does not fire it.
  void OnChange();

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Clears r for an item as the list does.
  void ClearItem(QPainter& painter, const QRect& r, bool selected) const;
  // Refills the list with prefix + " " + 1..count, keeping the choice when it
  // still exists and taking the last item otherwise.
  void FillItems(const QString& prefix, int count);

 private:
  int itemHeight_ = 16;
};

}  // namespace kurvio
