#include "module/ModuleDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <optional>

#include "term/Term.h"

namespace kurvio {

TModuleDialog::TModuleDialog(QWidget* parent) : QDialog(parent) {}

void TModuleDialog::InstallFieldKeys(bool arrowsMoveFocus) {
  arrowsMoveFocus_ = arrowsMoveFocus;
  // No button is the dialog's default: Enter belongs to the fields.
  for (QPushButton* button : findChildren<QPushButton*>()) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

void TModuleDialog::OnExit(QLineEdit* field, std::function<void()> handler) {
  exitHandlers_[field] = std::move(handler);
  field->installEventFilter(this);
}

void TModuleDialog::EnterMovesOn(QWidget* control) {
  enterMovesOn_.insert(control);
  control->installEventFilter(this);
}

void TModuleDialog::SetCloseButton(QAbstractButton* button) {
  closeButton_ = button;
  connect(button, &QAbstractButton::clicked, this, &QWidget::close);
}

bool TModuleDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    const auto it = exitHandlers_.find(watched);
    if (it != exitHandlers_.end() && reason != Qt::ActiveWindowFocusReason &&
        reason != Qt::PopupFocusReason) {
      // Copied: the handler may replace itself or close the window.
      const std::function<void()> handler = it->second;
      // The focus has already moved on when the field hears of it.
      std::optional<QuietSyntaxErrors> quiet;
      if (closeButton_ && QApplication::focusWidget() == closeButton_) quiet.emplace();
      handler();
    }
    return QDialog::eventFilter(watched, event);
  }
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const bool isField =
      qobject_cast<QLineEdit*>(watched) != nullptr || enterMovesOn_.count(watched) != 0;
  if (isField && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
    focusNextChild();
    return true;  // swallowed: no character, no default button
  }
  if (arrowsMoveFocus_ && key->modifiers() == Qt::NoModifier) {
    if (key->key() == Qt::Key_Down) {
      focusNextChild();
      return true;
    }
    if (key->key() == Qt::Key_Up) {
      focusPreviousChild();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CentreOnScreen(QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

}  // namespace kurvio
