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

class QAbstractButton;
class QLineEdit;
class QListWidget;
class QWidget;

namespace kurvio {

// Tells the user why the list did not do what was asked (an entry not added, a file not
// written); empty means a message box.
extern std::function<void(QWidget* parent, const QString& message)> ReportExampleListMessage;

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
  // A new entry's text (8-bit); default: the term field's text.
  std::function<std::string()> BuildEntry;
  // The most entries the list takes; 0: no bound (the tangent window's is ten).
  int MaxEntries = 0;
  std::function<void(int row)> Added;    // after an entry was appended at `row`
  std::function<void(int row)> Removed;  // after the entry at `row` was removed
  // "get": the window takes the entry.
  std::function<void(int row, const std::string& entry)> Apply;

  // Add: refused, with a message saying why, when an entry equals the new one exactly or when
  // the list holds MaxEntries; else appended.
  void AddClick();
  // Get (button or double click): only with a selected entry; Apply, then the focus to the term
  // field.
  void GetClick();
  // Delete: the selected entry goes (Removed is told), then the focus to the term field.
  void RemoveClick();

  // The entries as 8-bit texts, in list order; SetEntries replaces them (shown with TermToDisplay).
  std::vector<std::string> Entries() const;
  void SetEntries(const std::vector<std::string>& entries);

  // The whole file through the program's file layer (PathForReading); nullopt when missing or
  // unreadable.
  std::optional<std::string> ReadFile() const;
  // Written whole (PathForWriting, WriteFileAtomically): never into the current working
  // directory, never half, and never over a file that is there but cannot be read. A failure
  // is reported (ReportExampleListMessage) with the file's name and returns false.
  bool WriteFile(const std::string& content) const;

  // Line form: Datei_laden (a missing or broken file loads what it can, silently) and
  // Datei_speichern (non-empty entries).
  void LoadLines();
  bool SaveLines() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The row of the selected entry, or -1.
  int SelectedRow() const;
  void UpdateRemoveButton();

  QWidget* window_;
  Controls controls_;
  std::string fileName_;
};

}  // namespace kurvio
