// SPDX-License-Identifier: GPL-3.0-or-later
// The example list ("Beispiele") of an analysis window: its list box, the
// buttons "Aus Liste holen", "In Liste übernehmen" and "Eintrag löschen", and
// its file. The window supplies its own rules: how an entry is built from its
// fields, how many entries it allows and how it takes an entry back.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "module/ExampleStore.h"

class QAbstractButton;
class QLineEdit;
class QListWidget;
class QWidget;

namespace kurvio {

// Tells the user why the list did not do what was asked (an entry not added, a file not
// written); empty means a message box.
extern std::function<void(QWidget* parent, const QString& message)> ReportExampleListMessage;

// JoinExample and ExampleRest on entries as the list shows them, so that a comment keeps the
// characters the 8-bit form has no byte for.
QString JoinShownExample(const QString& term, const QString& rest);
QString ShownExampleRest(const QString& entry);

class TExampleList : public QObject {
  Q_OBJECT

 public:
  struct Controls {
    QListWidget* list;        // ListBox1
    QAbstractButton* get;     // "Aus Liste holen"
    QAbstractButton* add;     // "In Liste übernehmen"
    QAbstractButton* remove;  // "Eintrag löschen"
    QLineEdit* termField;     // Edit1: focus goes here after get and delete
  };
  // Wires double click = get, the three buttons, and the delete button's enabling (enabled
  // exactly when an entry is selected: on click, on leaving the list, after every change;
  // disabled at start). The hints: "Aus Liste holen", "In Liste übernehmen", "Eintrag löschen".
  // In a module window, Enter in the list moves on, and a field left for the list or the get
  // button keeps its syntax error until the focus moves on elsewhere, so that the example picked
  // can replace the faulty text (TModuleDialog::DeferFieldErrorsTo).
  TExampleList(QWidget* window, const Controls& controls, std::string fileName);

  // The window's rules (all optional):
  // A new entry as the list shows it; default: the term field's text.
  std::function<QString()> BuildEntry;
  // The most entries the list takes; 0: no bound (the tangent window's is ten).
  int MaxEntries = 0;
  std::function<void(int row)> Added;    // after an entry was appended at `row`
  std::function<void(int row)> Removed;  // after the entry at `row` was removed
  // "get": the window takes the entry.
  std::function<void(int row, const std::string& entry)> Apply;

  // Add: refused, with a message saying why, when an entry equals the new one exactly, when
  // the list holds MaxEntries, or when the entry or the whole list would be more than its file
  // may hold (kMaxExampleLineLength, kMaxExampleFileSize); else appended.
  void AddClick();
  // Get (button or double click): only with a selected entry; Apply, then the focus to the term
  // field.
  void GetClick();
  // Delete: the selected entry goes (Removed is told), then the focus to the term field.
  void RemoveClick();

  // The entries as 8-bit texts, in list order; SetEntries replaces them (shown with TermToDisplay).
  std::vector<std::string> Entries() const;
  void SetEntries(const std::vector<std::string>& entries);
  // The entries as the list shows them, in UTF-8: what the file holds, also characters that
  // have no byte in the 8-bit form. SetTexts replaces them.
  std::vector<std::string> Texts() const;
  void SetTexts(const std::vector<std::string>& texts);
  // The entry at `row` as the list shows it.
  QString Shown(int row) const;

  // Reads the file when the window opens (ExampleStore::Open): its text, or nullopt when it is
  // missing or cannot be read. A file that is there but cannot be read is reported at once,
  // with its path, why, and where new entries will be saved instead.
  std::optional<std::string> OpenFile();
  // The text OpenFile read, or the last save wrote.
  const std::string& FileText() const { return store_.Text(); }
  // Saves through ExampleStore::Save. A failure is reported with the file's path and returns
  // false; so is a save into the user's directory in place of a file that cannot be read,
  // which returns true. `merged` tells whether another copy's entries were merged in.
  bool WriteFile(const std::function<std::optional<std::string>(const std::string* now)>& compose,
                 bool* merged = nullptr);
  // Tells the user which entries of a full list did not go into its file.
  void ReportLeftOut(const std::vector<std::string>& texts) const;

  // Line form: Datei_laden (what it can, silently but for a file that cannot be read) and
  // Datei_speichern: nothing when the list is as read; else the non-empty entries, merged with
  // what another copy saved meanwhile (the list then shows the merged entries).
  void LoadLines();
  bool SaveLines();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The row of the selected entry, or -1.
  int SelectedRow() const;
  void UpdateRemoveButton();

  QWidget* window_;
  Controls controls_;
  std::string fileName_;
  ExampleStore store_;
  std::vector<std::string> linesRead_;  // the line form's entries as the file held them
  std::string savedPath_;               // where the last save went
};

}  // namespace kurvio
