// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/Controls.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>

#include "settings/Color.h"
#include "widgets/CheckGlyphs.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TSwitch.h"

namespace kurvio {

void SetDesignName(QWidget* control, const char* designName) {
  control->setObjectName(QString::fromLatin1(designName));
  QString name;
  if (auto* button = qobject_cast<QAbstractButton*>(control))
    name = button->text();
  else if (auto* label = qobject_cast<QLabel*>(control))
    name = label->text();
  else if (auto* box = qobject_cast<QGroupBox*>(control))
    name = box->title();
  name.remove(QLatin1Char('&'));
  if (name.trimmed().isEmpty()) name = control->toolTip();
  if (!name.isEmpty()) control->setAccessibleName(name);
}

QLineEdit* NumberField(QWidget* parent, int width) {
  auto* edit = new QLineEdit(parent);
  edit->setFixedWidth(width);
  return edit;
}

QToolButton* ToolButton(QWidget* parent, const QString& text, const QString& hint) {
  auto* button = new QToolButton(parent);
  button->setText(text);
  button->setToolTip(hint);
  button->setMinimumSize(23, 22);
  return button;
}

QToolButton* DirectionButton(QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setText(QStringLiteral("↔"));
  button->setFixedSize(22, 22);
  return button;
}

TBitCheckBox* CheckBox(QWidget* parent, const QString& caption, const QString& hint) {
  auto* box = new TBitCheckBox(parent);
  UseStandardCheckGlyphs(*box);
  box->SetCaption(caption);
  box->setToolTip(hint);
  box->setMinimumHeight(17);
  return box;
}

TSwitch* AnimationSwitch(QWidget* parent) {
  auto* s = new TSwitch(parent);
  s->setToolTip(QStringLiteral("Animation"));
  s->SetOnColor(RGB(0, 160, 0));
  s->SetOffColor(RGB(255, 0, 0));
  s->setFixedSize(56, 22);
  return s;
}

QScrollArea* ScrollingPanel(QWidget* parent, QWidget*& panel) {
  auto* area = new QScrollArea(parent);
  area->setFrameShape(QFrame::NoFrame);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->setWidgetResizable(true);
  panel = new QWidget(area);
  return area;
}

void FitPanel(QScrollArea* area, int minWidth) {
  QWidget* panel = area->widget();
  const int width = std::max(minWidth, panel ? panel->minimumSizeHint().width() : 0);
  area->setFixedWidth(width + area->verticalScrollBar()->sizeHint().width());
}

}  // namespace kurvio
