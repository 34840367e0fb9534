// SPDX-License-Identifier: GPL-3.0-or-later
// The info window of the start window: program name, version and licence.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kurvio {

class TForm9 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm9(QWidget* parent = nullptr);

  // Shows a fresh info window modally with `owner` as its owner and frees it
  // when it closes.
  static void Execute(QWidget* owner);

  QLabel* nameLabel;
  QLabel* versionLabel;
  QLabel* purposeLabel;
  QLabel* licenceLabel;
  QPushButton* okButton;

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace kurvio
