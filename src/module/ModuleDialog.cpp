// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/ModuleDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <optional>
#include <utility>

#include "module/HelpWindow.h"
#include "module/Presentation.h"
#include "module/WindowHelp.h"
#include "term/Term.h"

namespace kurvio {

namespace {

// Runs `slot` of the nearest owner of `window` that has it.
void AskOwner(QWidget* window, const char* slot) {
  for (QWidget* owner = window->parentWidget(); owner; owner = owner->parentWidget())
    if (owner->metaObject()->indexOfSlot(slot) >= 0) {
      QByteArray name(slot);
      QMetaObject::invokeMethod(owner, name.left(name.indexOf('(')).constData());
      return;
    }
}

}  // namespace

TModuleDialog::TModuleDialog(QWidget* parent) : QDialog(parent) {
  AddPresentationKey(this);
  auto* save = new QShortcut(QKeySequence::Save, this);
  connect(save, &QShortcut::activated, this, [this] { AskOwner(this, "saveLesson()"); });
  auto* open = new QShortcut(QKeySequence::Open, this);
  connect(open, &QShortcut::activated, this, [this] { AskOwner(this, "openLesson()"); });
}

void TModuleDialog::KeepLessonNow() {
  if (QWidget* field = focusWidget()) RunExitHandler(field, true);
  KeepLesson();
}

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

void TModuleDialog::DeferFieldErrorsTo(QWidget* control) {
  deferErrorsTo_.insert(control);
  control->installEventFilter(this);
}

void TModuleDialog::SetCloseButton(QAbstractButton* button) {
  closeButton_ = button;
  connect(button, &QAbstractButton::clicked, this, &QWidget::close);
}

bool TModuleDialog::RunExitHandler(QObject* field, bool quiet) {
  const auto it = exitHandlers_.find(field);
  if (it == exitHandlers_.end()) return false;
  // Copied: the handler may replace itself or close the window.
  const std::function<void()> handler = it->second;
  std::optional<QuietSyntaxErrors> silence;
  if (quiet) silence.emplace();
  handler();
  return silence && silence->HeldBack();
}

bool TModuleDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
      return QDialog::eventFilter(watched, event);
    // The focus has already moved on when the control hears of it.
    QWidget* to = QApplication::focusWidget();
    const bool toClose = closeButton_ && to == closeButton_;
    const bool toDeferring = deferErrorsTo_.count(to) != 0;
    if (exitHandlers_.count(watched) != 0) {
      if (RunExitHandler(watched, toClose || toDeferring) && toDeferring) {
        pendingField_ = static_cast<QLineEdit*>(watched);
        pendingText_ = pendingField_->text();
      }
    } else if (pendingField_ && deferErrorsTo_.count(watched) != 0 && !toDeferring) {
      // Left the list without an example replacing the faulty text: the error as usual.
      QLineEdit* field = std::exchange(pendingField_, nullptr);
      if (to && !toClose && to != field && field->text() == pendingText_)
        RunExitHandler(field, false);
    }
    return QDialog::eventFilter(watched, event);
  }
  if (event->type() == QEvent::FocusIn && watched == pendingField_) pendingField_ = nullptr;
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

void TModuleDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    ShowHelp();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TModuleDialog::ShowHelp() {
  if (!TWindowHelp::Execute(this)) TForm18::Execute(this);
}

void CentreOnScreen(QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

}  // namespace kurvio
