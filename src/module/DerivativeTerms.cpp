// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/DerivativeTerms.h"

#include <QLabel>
#include <QVBoxLayout>

#include "module/Controls.h"
#include "settings/Preferences.h"
#include "term/Derivative.h"
#include "term/TermText.h"
#include "widgets/TBitCheckBox.h"

namespace kurvio {
namespace {

QString Line(const TermHandle& term, int order) {
  const QString name = order == 1 ? QStringLiteral("f'(x)") : QStringLiteral("f''(x)");
  if (!term) return QString();
  const TermDerivatives& d = DerivativesOf(term.get());
  if (!d.trees[order] && order < d.largeFrom) return name + QStringLiteral(" existiert nicht");
  const std::string& text = DerivativeText(term, order);
  if (text.empty()) return name + QStringLiteral(": zu lang zum Anzeigen");
  return name + QStringLiteral(" = ") + TermToDisplay(text);
}

}  // namespace

DerivativeTerms::DerivativeTerms(QWidget* panel, QVBoxLayout* column, const TermHandle& term)
    : QObject(panel), term_(term) {
  const QString caption = QStringLiteral("Ableitungsterme");
  box = Named(CheckBox(panel, caption), "derivativeTermsBox");
  box->setAccessibleName(caption);
  box->SetChecked(ShowDerivativeTerms);
  first = Named(new QLabel(panel), "derivativeTerm1");
  second = Named(new QLabel(panel), "derivativeTerm2");
  for (QLabel* label : {first, second}) {
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }
  column->addWidget(box);
  column->addWidget(first);
  column->addWidget(second);
  connect(box, &TBitCheckBox::OnClick, this, [this] {
    ShowDerivativeTerms = box->Checked();
    SavePreferences();
    Update();
  });
  Update();
}

void DerivativeTerms::Update() {
  const bool shown = available_ && box->Checked();
  box->setVisible(available_);
  first->setVisible(shown);
  second->setVisible(shown);
  if (!shown) return;
  first->setText(Line(term_, 1));
  second->setText(Line(term_, 2));
}

void DerivativeTerms::SetAvailable(bool available) {
  available_ = available;
  Update();
}

}  // namespace kurvio
