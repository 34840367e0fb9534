#include "module/ExampleList.h"

#include <QAbstractButton>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <algorithm>

#include "module/ExampleFiles.h"
#include "module/ModuleDialog.h"
#include "settings/ProgramFiles.h"
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

TExampleList::TExampleList(QWidget* window, const Controls& controls, std::string fileName)
    : QObject(window), window_(window), controls_(controls), fileName_(std::move(fileName)) {
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
  const std::string entry = BuildEntry ? BuildEntry() : DisplayToTerm(controls_.termField->text());
  const std::vector<std::string> entries = Entries();
  QString refused;
  if (std::find(entries.begin(), entries.end(), entry) != entries.end())
    refused = QStringLiteral("Dieser Eintrag steht schon in der Liste.");
  else if (MaxEntries > 0 && controls_.list->count() >= MaxEntries)
    refused = QStringLiteral("Die Liste ist voll (höchstens %1 Einträge).").arg(MaxEntries);
  if (!refused.isEmpty()) {
    Tell(window_, QMessageBox::Information, QStringLiteral("Beispiele"), refused);
    return;
  }
  controls_.list->addItem(TermToDisplay(entry));
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

std::optional<std::string> TExampleList::ReadFile() const {
  std::string content;
  if (ReadWholeFile(PathForReading(fileName_), content) != ReadResult::kOk) return std::nullopt;
  return content;
}

bool TExampleList::WriteFile(const std::string& content) const {
  // A file that is there but cannot be read holds examples this window never
  // saw; it is kept rather than replaced by the (empty) list.
  std::string old;
  const std::string readPath = PathForReading(fileName_);
  const bool unreadable = ReadWholeFile(readPath, old) == ReadResult::kFailed;
  // A list saved as it was read stays where it is: an installed copy makes
  // no user copy of a list the user has not changed.
  if (!unreadable && old == content) return true;
  const std::string path = unreadable ? readPath : PathForWriting(fileName_);
  if (!unreadable && WriteFileAtomically(path, content)) return true;
  const QString shown = QDir::toNativeSeparators(
      QFile::decodeName(QByteArray::fromStdString(path.empty() ? fileName_ : path)));
  const QString message =
      unreadable
          ? QStringLiteral(
                "Die Beispieldatei „%1“ konnte nicht gelesen werden; sie wird nicht "
                "überschrieben.")
                .arg(shown)
          : QStringLiteral("Die Beispieldatei „%1“ konnte nicht gespeichert werden.").arg(shown);
  Tell(window_, QMessageBox::Critical, QStringLiteral("Fehler"), message);
  return false;
}

void TExampleList::LoadLines() {
  const auto content = ReadFile();
  SetEntries(content ? ParseExampleLines(*content) : std::vector<std::string>());
}

bool TExampleList::SaveLines() const { return WriteFile(WriteExampleLines(Entries())); }

}  // namespace kurvio
