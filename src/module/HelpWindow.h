// SPDX-License-Identifier: GPL-3.0-or-later
// The help window "Hilfe" on the term language: functions, operators,
// constants, variables, syntax rules and what each function means.
#pragma once

#include <QString>

#include "module/ModuleDialog.h"

class QPlainTextEdit;

namespace kurvio {

class TForm18 : public TModuleDialog {
  Q_OBJECT

 public:
  explicit TForm18(QWidget* parent = nullptr);

  // Shows a fresh help window modally with `owner` as its owner and frees it
  // when it closes.
  static void Execute(QWidget* owner);

  // The text the window shows.
  static QString HelpText();

  QPlainTextEdit* Memo1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // F1 in the help itself opens no second one.
  void ShowHelp() override {}
};

}  // namespace kurvio
