// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/ExampleList.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>

#include "module/ExampleFiles.h"
#include "module/ModuleDialog.h"
#include "settings/FileMessages.h"
#include "settings/ProgramFiles.h"
#include "settings/TextEncoding.h"
#include "term/TermText.h"

namespace kurvio {

std::function<void(QWidget*, const QString&)> ReportExampleListMessage;

namespace {

void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& message) {
  if (ReportExampleListMessage) {
    ReportExampleListMessage(parent, message);
    return;
  }
  QMessageBox box(icon, title, message, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace

QString JoinShownExample(const QString& term, const QString& rest) {
  return TermToDisplay(JoinExample(DisplayToTerm(term), std::string())) + rest;
}

QString ShownExampleRest(const QString& entry) {
  // DisplayToTerm gives one byte for every character, so the rest ends the entry in both forms.
  return entry.right(static_cast<qsizetype>(ExampleRest(DisplayToTerm(entry)).size()));
}

TExampleList::TExampleList(QWidget* window, const Controls& controls, std::string fileName)
    : QObject(window),
      window_(window),
      controls_(controls),
      fileName_(std::move(fileName)),
      store_(fileName_) {
  QListWidget* list = controls_.list;
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  controls_.get->setToolTip(QStringLiteral("Aus Liste holen"));
  controls_.add->setToolTip(QStringLiteral("In Liste übernehmen"));
  controls_.remove->setToolTip(QStringLiteral("Eintrag löschen"));

  connect(controls_.get, &QAbstractButton::clicked, this, [this] { GetClick(); });
  connect(controls_.add, &QAbstractButton::clicked, this, [this] { AddClick(); });
  connect(controls_.remove, &QAbstractButton::clicked, this, [this] { RemoveClick(); });
  connect(list, &QListWidget::itemDoubleClicked, this, [this] { GetClick(); });

  // The delete button follows the selection however it changes, also when the
  // window changes the list itself.
  connect(list, &QListWidget::itemSelectionChanged, this, [this] { UpdateRemoveButton(); });
  list->installEventFilter(this);
  controls_.remove->setEnabled(false);

  if (auto* dialog = qobject_cast<TModuleDialog*>(window)) {
    dialog->EnterMovesOn(list);
    // A faulty term must not stand in the way of the example that replaces it.
    dialog->DeferFieldErrorsTo(list);
    dialog->DeferFieldErrorsTo(controls_.get);
  }
}

bool TExampleList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == controls_.list && event->type() == QEvent::FocusOut) UpdateRemoveButton();
  return QObject::eventFilter(watched, event);
}

int TExampleList::SelectedRow() const {
  const QList<QListWidgetItem*> selected = controls_.list->selectedItems();
  return selected.isEmpty() ? -1 : controls_.list->row(selected.first());
}

void TExampleList::UpdateRemoveButton() { controls_.remove->setEnabled(SelectedRow() >= 0); }

void TExampleList::AddClick() {
  const QString entry = BuildEntry ? BuildEntry() : controls_.termField->text();
  const int count = controls_.list->count();
  bool repeated = false;
  for (int i = 0; i < count && !repeated; ++i) repeated = controls_.list->item(i)->text() == entry;
  const auto tooLarge = [&] {
    // The line form as the file would be written; the tangent window's ten sections stay far
    // below the bound.
    std::vector<std::string> texts = Texts();
    texts.push_back(entry.toUtf8().toStdString());
    return EncodeText(WriteExampleLines(texts), store_.Form()).size() > kMaxExampleFileSize;
  };
  QString refused;
  if (repeated)
    refused = QStringLiteral("Dieser Eintrag steht schon in der Liste.");
  else if (MaxEntries > 0 && count >= MaxEntries)
    refused = QStringLiteral("Die Liste ist voll (höchstens %1 Einträge).").arg(MaxEntries);
  else if (static_cast<std::size_t>(entry.toUtf8().size()) > kMaxExampleLineLength)
    refused = QStringLiteral("Der Eintrag ist zu lang.");
  else if (tooLarge())
    refused = QStringLiteral("Die Liste ist voll (höchstens %1 KB).")
                  .arg(static_cast<int>(kMaxExampleFileSize / 1024));
  if (!refused.isEmpty()) {
    Tell(window_, QMessageBox::Information, QStringLiteral("Beispiele"), refused);
    return;
  }
  controls_.list->addItem(entry);
  const int row = controls_.list->count() - 1;
  if (Added) Added(row);
  UpdateRemoveButton();
}

void TExampleList::GetClick() {
  const int row = SelectedRow();
  if (row < 0) return;
  const std::string entry = DisplayToTerm(controls_.list->item(row)->text());
  if (Apply) Apply(row, entry);
  controls_.termField->setFocus();
}

void TExampleList::RemoveClick() {
  const int row = SelectedRow();
  if (row < 0) return;
  delete controls_.list->takeItem(row);
  // No entry is selected afterwards, so a second click cannot take another one by surprise.
  controls_.list->setCurrentItem(nullptr);
  controls_.list->clearSelection();
  if (Removed) Removed(row);
  UpdateRemoveButton();
  controls_.termField->setFocus();
}

std::vector<std::string> TExampleList::Entries() const {
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(controls_.list->count()));
  // The display text maps back to the very bytes it was made from.
  for (int i = 0; i < controls_.list->count(); ++i)
    entries.push_back(DisplayToTerm(controls_.list->item(i)->text()));
  return entries;
}

void TExampleList::SetEntries(const std::vector<std::string>& entries) {
  controls_.list->clear();
  for (const std::string& entry : entries) controls_.list->addItem(TermToDisplay(entry));
  UpdateRemoveButton();
}

std::vector<std::string> TExampleList::Texts() const {
  std::vector<std::string> texts;
  texts.reserve(static_cast<std::size_t>(controls_.list->count()));
  for (int i = 0; i < controls_.list->count(); ++i)
    texts.push_back(controls_.list->item(i)->text().toUtf8().toStdString());
  return texts;
}

void TExampleList::SetTexts(const std::vector<std::string>& texts) {
  QStringList shown;
  shown.reserve(static_cast<qsizetype>(texts.size()));
  for (const std::string& text : texts)
    shown << QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  controls_.list->clear();
  controls_.list->addItems(shown);  // in one go: a long list is shown at once
  UpdateRemoveButton();
}

QString TExampleList::Shown(int row) const {
  const QListWidgetItem* item = controls_.list->item(row);
  return item ? item->text() : QString();
}

std::optional<std::string> TExampleList::OpenFile() {
  switch (store_.Open()) {
    case ReadResult::kOk:
      return store_.Text();
    case ReadResult::kMissing:
      return std::nullopt;
    case ReadResult::kFailed:
      break;
  }
  const std::string savePath = store_.SavePath();
  const QString where =
      savePath.empty()
          ? QStringLiteral("Neue Einträge können nicht gespeichert werden.")
          : QStringLiteral("Neue Einträge werden in „%1“ gespeichert.").arg(ShownPath(savePath));
  Tell(window_, QMessageBox::Warning, QStringLiteral("Beispiele"),
       QStringLiteral("Die Beispieldatei „%1“ konnte nicht gelesen werden. %2\n%3")
           .arg(ShownPath(store_.ReadPath()),
                QString::fromUtf8(ReadFailureText(store_.ReadError())), where));
  return std::nullopt;
}

bool TExampleList::WriteFile(
    const std::function<std::optional<std::string>(const std::string* now)>& compose,
    bool* merged) {
  const ExampleStore::Saved saved = store_.Save(compose);
  if (merged) *merged = saved.merged;
  savedPath_ = saved.path.empty() ? saved.unreadable : saved.path;
  if (saved.outcome == ExampleStore::Saved::kFailed) {
    const QString message =
        !saved.unreadable.empty()
            ? QStringLiteral(
                  "Die Beispieldatei „%1“ konnte nicht gelesen werden; sie wird nicht "
                  "überschrieben. Die neuen Einträge wurden nicht gespeichert.")
                  .arg(ShownPath(saved.unreadable))
            : QStringLiteral("Die Beispieldatei „%1“ konnte nicht gespeichert werden. %2")
                  .arg(ShownPath(saved.path.empty() ? fileName_ : saved.path),
                       QString::fromUtf8(WriteFailureText(saved.error)));
    Tell(window_, QMessageBox::Critical, QStringLiteral("Fehler"), message);
    return false;
  }
  if (saved.outcome == ExampleStore::Saved::kWritten && !saved.unreadable.empty())
    Tell(window_, QMessageBox::Information, QStringLiteral("Beispiele"),
         QStringLiteral("Die Beispiele wurden in „%1“ gespeichert, weil „%2“ nicht gelesen "
                        "werden kann.")
             .arg(ShownPath(saved.path), ShownPath(saved.unreadable)));
  return true;
}

void TExampleList::ReportLeftOut(const std::vector<std::string>& texts) const {
  QStringList shown;
  for (const std::string& text : texts) shown << QString::fromStdString(text);
  Tell(window_, QMessageBox::Warning, QStringLiteral("Beispiele"),
       QStringLiteral("Die Beispieldatei „%1“ fasst höchstens %2 Einträge. Nicht gespeichert: %3")
           .arg(ShownPath(savedPath_), QString::number(MaxEntries),
                shown.join(QStringLiteral(", "))));
}

void TExampleList::LoadLines() {
  linesRead_ = ParseExampleLines(OpenFile().value_or(std::string()));
  SetTexts(linesRead_);
}

bool TExampleList::SaveLines() {
  const std::vector<std::string> mine = Texts();
  if (mine == linesRead_) return true;
  bool merged = false;
  const bool saved = WriteFile(
      [&](const std::string* now) -> std::optional<std::string> {
        return WriteExampleLines(now ? MergeExampleLines(linesRead_, mine, ParseExampleLines(*now))
                                     : mine);
      },
      &merged);
  if (!saved) return false;
  linesRead_ = ParseExampleLines(store_.Text());
  // The list shows what its file holds now, other copies' entries included.
  if (merged) SetTexts(linesRead_);
  return true;
}

}  // namespace kurvio
