// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TPictureComboBox.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace kurvio {

namespace {

class PictureItemDelegate : public QStyledItemDelegate {
 public:
  explicit PictureItemDelegate(TPictureComboBox* box) : QStyledItemDelegate(box), box_(box) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    painter->save();
    box_->DrawItem(*painter, option.rect, index.row(), option.state & QStyle::State_Selected);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return QSize(option.rect.width(), box_->ItemHeight());
  }

 private:
  TPictureComboBox* box_;
};

}  // namespace

TPictureComboBox::TPictureComboBox(QWidget* parent) : QComboBox(parent) {
  setItemDelegate(new PictureItemDelegate(this));
  resize(sizeHint());
  connect(this, &QComboBox::activated, this, [this] { emit OnChange(); });
}

void TPictureComboBox::SetItemHeight(int height) {
  itemHeight_ = height < 1 ? 1 : height;
  if (view()) view()->doItemsLayout();
}

void TPictureComboBox::ClearItem(QPainter& painter, const QRect& r, bool selected) const {
  painter.fillRect(r, palette().color(selected ? QPalette::Highlight : QPalette::Base));
}

void TPictureComboBox::FillItems(const QString& prefix, int count) {
  const QSignalBlocker blocker(this);
  const int previous = currentIndex();
  clear();
  for (int i = 1; i <= count; ++i) addItem(prefix + QLatin1Char(' ') + QString::number(i));
  setCurrentIndex(previous < 0 ? 0 : (previous < count ? previous : count - 1));
}

void TPictureComboBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  option.currentIcon = QIcon();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  if (currentIndex() >= 0) {
    painter.save();
    painter.setClipRect(field);
    DrawItem(painter, field, currentIndex(), false);
    painter.restore();
  }
}

}  // namespace kurvio
