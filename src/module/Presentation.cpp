// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/Presentation.h"

#include <QApplication>
#include <QCheckBox>
#include <QShortcut>

#include "module/ModuleDialog.h"
#include "settings/Preferences.h"

namespace kurvio {
namespace {

constexpr const char* kBoxName = "presentationBox";

}  // namespace

void SetPresentation(bool on) {
  PresentationMode = on;
  SavePreferences();
  for (QWidget* window : QApplication::topLevelWidgets()) {
    for (QAbstractButton* box : window->findChildren<QAbstractButton*>(kBoxName)) {
      const bool blocked = box->blockSignals(true);
      box->setChecked(on);
      box->blockSignals(blocked);
    }
  }
  RedrawOpenWindows();
}

void RedrawOpenWindows() {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* dialog = qobject_cast<TModuleDialog*>(window); dialog && dialog->isVisible())
      dialog->RedrawPicture();
}

void AddPresentationKey(QWidget* window) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_F11), window);
  QObject::connect(key, &QShortcut::activated, window, [] { SetPresentation(!PresentationMode); });
}

QAbstractButton* MakePresentationBox(QWidget* parent) {
  auto* box = new QCheckBox(QStringLiteral("Pr\u00e4sentation"), parent);
  box->setObjectName(kBoxName);
  box->setAccessibleName(box->text());
  box->setToolTip(
      QStringLiteral("Dicke Linien, gro\u00dfe Schrift und kr\u00e4ftige Farben "
                     "f\u00fcr den Beamer (F11)"));
  box->setChecked(PresentationMode);
  QObject::connect(box, &QCheckBox::toggled, box, [](bool on) { SetPresentation(on); });
  return box;
}

}  // namespace kurvio
