// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/InfoWindow.h"

#include "module/ModuleDialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace kurvio {

TForm9::TForm9(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Info"));
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->setContentsMargins(32, 20, 32, 16);
  layout->setSpacing(8);

  nameLabel = new QLabel(QStringLiteral("Kurvio"), this);
  QFont nameFont = nameLabel->font();
  nameFont.setPointSize(24);
  nameFont.setBold(true);
  nameLabel->setFont(nameFont);
  versionLabel = new QLabel(QStringLiteral("Version " KURVIO_VERSION), this);
  purposeLabel = new QLabel(
      QStringLiteral("Funktionen experimentell,\ndynamisch und animiert untersuchen"), this);
  for (QLabel* label : {nameLabel, versionLabel, purposeLabel}) {
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
  }
  layout->addSpacing(8);
  licenceLabel =
      new QLabel(QStringLiteral("Kurvio ist freie Software: Sie können es unter den Bedingungen\n"
                                "der GNU General Public License, Version 3 oder (nach Ihrer Wahl)\n"
                                "jeder späteren Version, weitergeben und verändern.\n"
                                "Kurvio wird ohne jede Gewährleistung bereitgestellt."),
                 this);
  licenceLabel->setAlignment(Qt::AlignCenter);
  layout->addWidget(licenceLabel);
  layout->addSpacing(8);
  okButton = new QPushButton(QStringLiteral("OK"), this);
  okButton->setDefault(true);
  okButton->setMinimumWidth(90);
  layout->addWidget(okButton, 0, Qt::AlignHCenter);
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm9::Execute(QWidget* owner) {
  TForm9 form(owner);
  form.exec();
}

void TForm9::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  CentreOnScreen(this);
}

}  // namespace kurvio
