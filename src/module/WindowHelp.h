// SPDX-License-Identifier: GPL-3.0-or-later
// The help for one window: what it shows, what each control does and an idea
// for a lesson, with the help on the term language a link away.
#pragma once

#include <QString>

#include "module/ModuleDialog.h"

class QTextBrowser;
class QUrl;

namespace kurvio {

class TWindowHelp : public TModuleDialog {
  Q_OBJECT

 public:
  // `text`: the window's help as HTML.
  TWindowHelp(QWidget* owner, const QString& text);

  // Shows the help of `owner`'s window modally and frees it when it closes;
  // false (and nothing shown) when that window has no help of its own.
  static bool Execute(QWidget* owner);
  // The help of the window class `className` ("TForm12"), empty when it has none.
  static QString TextFor(const QString& className);

  QTextBrowser* text;

 protected:
  // F1 here, like the link, opens the help on the term language.
  void ShowHelp() override;

 private:
  void onLinkClicked(const QUrl& link);
};

// The link in a window's help that opens the help on the term language.
inline constexpr const char* kTermHelpLink = "termsprache";

}  // namespace kurvio
