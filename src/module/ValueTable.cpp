// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/ValueTable.h"

#include <QClipboard>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

#include "export/Export.h"
#include "module/Controls.h"
#include "module/TermEdit.h"
#include "settings/Preferences.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/Term.h"
#include "term/TermBatch.h"

namespace kurvio {
namespace {

const QString kUndefined = QStringLiteral("n. d.");

// The decimal exponent of |v| > 0.
int DecimalExponent(double v) { return static_cast<int>(std::floor(std::log10(std::fabs(v)))); }

// `v` rounded to `decimals` places through its decimal text.
double RoundDecimal(double v, int decimals) {
  if (!std::isfinite(v) || std::fabs(v) >= 1e15) return v;
  char buffer[400];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed,
                                     std::clamp(decimals, 0, 330));
  if (written.ec != std::errc()) return v;
  double rounded = v;
  std::from_chars(buffer, written.ptr, rounded);
  return rounded == 0.0 ? 0.0 : rounded;  // no -0 in a table
}

// A cell as the exports write it: the exponent form without its blank, so that a
// spreadsheet reads it as a number.
QString ExportedCell(QString cell) {
  return cell.replace(QStringLiteral(" E"), QStringLiteral("E"));
}

QString CsvCell(const QString& cell) {
  const QString text = ExportedCell(cell);
  if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"'))) return text;
  QString quoted = text;
  quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

QString CellText(double value, bool defined) {
  if (!defined || !std::isfinite(value)) return kUndefined;
  return QString::fromStdString(FormatReadout(Nachkommastellen, value));
}

std::vector<double> TableXs(double start, double step, int count) {
  count = std::clamp(count, 0, kMaxTableRows);
  std::vector<double> xs(static_cast<std::size_t>(count));
  const double last = start + (count - 1) * step;
  const double scale = std::max({std::fabs(start), std::fabs(last), std::fabs(step)});
  // Twelve digits of the largest number, and three below the step's first digit.
  int decimals = scale > 0 && std::isfinite(scale) ? 12 - DecimalExponent(scale) : 0;
  if (step != 0 && std::isfinite(step)) decimals = std::max(decimals, 3 - DecimalExponent(step));
  for (int row = 0; row < count; ++row)
    xs[static_cast<std::size_t>(row)] = RoundDecimal(start + row * step, decimals);
  return xs;
}

QString TableAsTabs(const QStringList& headers, const std::vector<QStringList>& rows) {
  QString text = headers.join(QLatin1Char('\t')) + QLatin1Char('\n');
  for (const QStringList& row : rows) {
    QStringList cells;
    for (const QString& cell : row) cells << ExportedCell(cell);
    text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
  }
  return text;
}

std::string TableAsCsv(const QStringList& headers, const std::vector<QStringList>& rows) {
  const auto line = [](const QStringList& cells) {
    QStringList out;
    for (const QString& cell : cells) out << CsvCell(cell);
    return out.join(QLatin1Char(';')) + QStringLiteral("\r\n");
  };
  QString text = line(headers);
  for (const QStringList& row : rows) text += line(row);
  return "\xEF\xBB\xBF" + text.toStdString();
}

ValueTableSource DerivativeTable(std::function<QString()> function) {
  return {std::move(function),
          [] {
            return QStringList{QStringLiteral("f(x)"), QStringLiteral("f'(x)"),
                               QStringLiteral("f''(x)")};
          },
          [](const std::vector<double>& xs) {
            const TermInputs fixed{0, 0, ParamA, ParamB, ParamC, 0};
            const std::size_t n = xs.size();
            std::vector<QString> cells(3 * n);
            std::vector<double> values(n);
            const auto defined = std::make_unique<bool[]>(n);
            for (int order = 0; order <= 2; ++order) {
              if (order == 0)
                EvalTermBatch(MainTerm, BatchInput::X, fixed, xs.data(), n, values.data(),
                              defined.get());
              else
                EvalDerivativeBatch(MainTerm, order, fixed, xs.data(), n, values.data(),
                                    defined.get());
              for (std::size_t i = 0; i < n; ++i)
                cells[3 * i + static_cast<std::size_t>(order)] = CellText(values[i], defined[i]);
            }
            return cells;
          }};
}

TValueTable::TValueTable(QWidget* owner, ValueTableSource source)
    : TModuleDialog(owner), source_(std::move(source)) {
  setObjectName(QStringLiteral("valueTable"));
  setModal(false);
  Start = x1;
  Step = (x2 - x1) / 20;
  if (!std::isfinite(Step)) Step = 1;

  auto* layout = new QVBoxLayout(this);
  auto* fields = new QHBoxLayout;
  const auto addField = [&](const QString& label, const char* name, int width) {
    fields->addWidget(new QLabel(label, this));
    QLineEdit* field = Named(NumberField(this, width), name);
    field->setAccessibleName(label);
    fields->addWidget(field);
    return field;
  };
  startField = addField(QStringLiteral("von x ="), "tableStartField", 90);
  stepField = addField(QStringLiteral("Schrittweite"), "tableStepField", 90);
  countField = addField(QStringLiteral("Zeilen"), "tableCountField", 50);
  fields->addStretch();
  layout->addLayout(fields);
  countNote = Named(new QLabel(this), "tableCountNote");
  countNote->hide();
  layout->addWidget(countNote);

  grid = Named(new QTableWidget(this), "valueTableGrid");
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
  layout->addWidget(grid, 1);

  auto* buttons = new QHBoxLayout;
  copyButton = Named(new QPushButton(QStringLiteral("Kopieren"), this), "copyTableButton");
  copyButton->setToolTip(QStringLiteral("Die Tabelle für eine Tabellenkalkulation kopieren"));
  saveButton = Named(new QPushButton(QStringLiteral("Speichern…"), this), "saveTableButton");
  saveButton->setToolTip(QStringLiteral("Die Tabelle als CSV-Datei speichern"));
  buttons->addWidget(copyButton);
  buttons->addWidget(saveButton);
  buttons->addStretch();
  layout->addLayout(buttons);

  connect(copyButton, &QPushButton::clicked, this, &TValueTable::onCopy);
  connect(saveButton, &QPushButton::clicked, this, &TValueTable::onSave);
  OnExit(startField, [this] {
    ReadNumberEdit(startField, Start, Start);
    Refresh();
  });
  OnExit(stepField, [this] {
    ReadNumberEdit(stepField, Step, Step);
    Refresh();
  });
  OnExit(countField, [this] {
    ReadCount();
    Refresh();
  });
  InstallFieldKeys(false);
  ShowFields();
  resize(460, 520);
  Refresh();
}

void TValueTable::ShowFields() {
  startField->setText(QString::fromStdString(FormatNumber(Nachkommastellen, Start)));
  stepField->setText(QString::fromStdString(FormatNumber(Nachkommastellen, Step)));
  countField->setText(QString::number(Count));
}

void TValueTable::ReadCount() {
  double typed = Count;
  ReadNumberEdit(countField, typed, Count);
  if (std::isnan(typed)) typed = Count;
  const double rounded = std::nearbyint(typed);
  Count = static_cast<int>(std::clamp(rounded, 1.0, static_cast<double>(kMaxTableRows)));
  if (rounded > kMaxTableRows)
    countNote->setText(QStringLiteral("Höchstens %1 Zeilen.").arg(kMaxTableRows));
  else if (rounded < 1)
    countNote->setText(QStringLiteral("Mindestens eine Zeile."));
  countNote->setVisible(rounded > kMaxTableRows || rounded < 1);
  countField->setText(QString::number(Count));
}

void TValueTable::ApplyTextSize() {
  if (normalPixelSize_ == 0) normalPixelSize_ = std::max(QFontInfo(grid->font()).pixelSize(), 1);
  const int size = PresentationMode ? 2 * normalPixelSize_ : normalPixelSize_;
  QFont font = grid->font();
  font.setPixelSize(size);
  grid->setFont(font);
  grid->horizontalHeader()->setFont(font);
  grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 6);
}

void TValueTable::WidenToColumns() {
  int needed = grid->frameWidth() * 2 + grid->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < grid->columnCount(); ++c) needed += grid->columnWidth(c);
  const QMargins margins = layout()->contentsMargins();
  int widest = needed + margins.left() + margins.right();
  if (const QScreen* screen = this->screen())
    widest = std::min(widest, screen->availableGeometry().width());
  if (width() < widest) resize(widest, height());
}

// Only the text size: the values are the owner's to refresh, with its own term.
void TValueTable::RedrawPicture() {
  ApplyTextSize();
  FitColumns();
}

void TValueTable::Refresh() {
  ApplyTextSize();
  setWindowTitle(QStringLiteral("Wertetabelle – ") + source_.function());
  const QStringList headers = QStringList{QStringLiteral("x")} + source_.columns();
  const std::vector<double> xs = TableXs(Start, Step, Count);
  const std::vector<QString> cells = source_.cells(xs);
  const int columns = static_cast<int>(headers.size());
  const int rows = static_cast<int>(xs.size());
  const std::size_t perRow = static_cast<std::size_t>(columns - 1);

  grid->setUpdatesEnabled(false);
  grid->setColumnCount(columns);
  grid->setRowCount(rows);
  for (int c = 0; c < columns; ++c) {
    QTableWidgetItem* head = grid->horizontalHeaderItem(c);
    if (!head) grid->setHorizontalHeaderItem(c, head = new QTableWidgetItem);
    if (head->text() != headers[c]) head->setText(headers[c]);
  }
  for (int r = 0; r < rows; ++r) {
    const double x = xs[static_cast<std::size_t>(r)];
    for (int c = 0; c < columns; ++c) {
      const std::size_t k = static_cast<std::size_t>(r) * perRow + static_cast<std::size_t>(c - 1);
      const QString text = c == 0 ? CellText(x, true) : k < cells.size() ? cells[k] : kUndefined;
      QTableWidgetItem* item = grid->item(r, c);
      if (!item) {
        item = new QTableWidgetItem(text);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        grid->setItem(r, c, item);
      } else if (item->text() != text) {
        item->setText(text);
      }
    }
  }
  grid->setUpdatesEnabled(true);
  FitColumns();
}

void TValueTable::FitColumns() {
  const QFontMetrics metrics(grid->font());
  for (int c = 0; c < grid->columnCount(); ++c) {
    const QTableWidgetItem* head = grid->horizontalHeaderItem(c);
    int width = head ? metrics.horizontalAdvance(head->text()) : 0;
    for (int r = 0; r < grid->rowCount(); ++r)
      if (const QTableWidgetItem* item = grid->item(r, c))
        width = std::max(width, metrics.horizontalAdvance(item->text()));
    grid->setColumnWidth(c, width + metrics.averageCharWidth() * 3);
  }
  WidenToColumns();
}

QStringList TValueTable::Headers() const {
  QStringList headers;
  for (int c = 0; c < grid->columnCount(); ++c)
    headers << (grid->horizontalHeaderItem(c) ? grid->horizontalHeaderItem(c)->text() : QString());
  return headers;
}

std::vector<QStringList> TValueTable::Rows() const {
  std::vector<QStringList> rows;
  for (int r = 0; r < grid->rowCount(); ++r) {
    QStringList row;
    for (int c = 0; c < grid->columnCount(); ++c)
      row << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
    rows.push_back(row);
  }
  return rows;
}

void TValueTable::onCopy() {
  if (QClipboard* clipboard = QGuiApplication::clipboard())
    clipboard->setText(TableAsTabs(Headers(), Rows()));
}

void TValueTable::onSave() {
  SaveTextFile(this, QStringLiteral("Wertetabelle speichern"), QStringLiteral("CSV-Datei (*.csv)"),
               QStringLiteral(".csv"), TableAsCsv(Headers(), Rows()));
}

ValueTableButton::ValueTableButton(QWidget* owner, QWidget* parent, ValueTableSource source)
    : QObject(owner), owner_(owner), source_(std::move(source)) {
  button_ = Named(new QPushButton(QStringLiteral("Wertetabelle"), parent), "valueTableButton");
  button_->setToolTip(QStringLiteral("Eine Tabelle der Werte öffnen"));
  connect(button_, &QPushButton::clicked, this, &ValueTableButton::Open);
  owner_->installEventFilter(this);
}

TValueTable* ValueTableButton::Table() const { return table_; }

void ValueTableButton::Open() {
  if (!table_) {
    table_ = new TValueTable(owner_, source_);
    table_->setAttribute(Qt::WA_DeleteOnClose);
    connect(table_, &QObject::destroyed, this, [this] { table_ = nullptr; });
  }
  table_->show();
  table_->raise();
  table_->activateWindow();
}

void ValueTableButton::Refresh() {
  if (table_) table_->Refresh();
}

void ValueTableButton::Close() {
  if (table_) table_->close();
}

bool ValueTableButton::eventFilter(QObject* watched, QEvent* event) {
  // The window closes, not just minimised: its table goes with it.
  if (watched == owner_ && event->type() == QEvent::Hide && !event->spontaneous()) Close();
  return QObject::eventFilter(watched, event);
}

}  // namespace kurvio
