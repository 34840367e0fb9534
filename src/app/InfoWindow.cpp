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

  Label1 = new QLabel(QStringLiteral("Kurvio"), this);
  QFont nameFont = Label1->font();
  nameFont.setPointSize(24);
  nameFont.setBold(true);
  Label1->setFont(nameFont);
  Label2 = new QLabel(QStringLiteral("Version 1.5"), this);
  Label3 = new QLabel(
      QStringLiteral("Funktionen experimentell,\ndynamisch und animiert untersuchen"), this);
  for (QLabel* label : {Label1, Label2, Label3}) {
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
  }
  layout->addSpacing(8);
  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setDefault(true);
  Button1->setMinimumWidth(90);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
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
