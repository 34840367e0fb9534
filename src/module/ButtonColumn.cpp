// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/ButtonColumn.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "module/Controls.h"
#include "module/ModuleDialog.h"

namespace kurvio {
namespace {

QPushButton* Button(QWidget* parent, const char* designName, const QString& caption,
                    const QString& hint = {}) {
  auto* button = new QPushButton(caption, parent);
  button->setToolTip(hint);
  button->setAutoDefault(false);
  return Named(button, designName);
}

}  // namespace

ButtonColumn MakeButtonColumn(TModuleDialog* window, QWidget* parent, ButtonColumnActions actions) {
  ButtonColumn c{};
  c.panel = new QWidget(parent);
  auto* layout = new QVBoxLayout(c.panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  c.settingsButton = Button(c.panel, "SpeedButton14", QStringLiteral("Einstellungen"));
  c.printButton =
      Button(c.panel, "SpeedButton15", QStringLiteral("Drucken"), QStringLiteral("Grafik drucken"));
  c.wmfFileButton =
      Button(c.panel, "SpeedButton17", QStringLiteral("WMF - Datei"), SavePictureHint(false));
  c.wmfClipboardButton = Button(c.panel, "SpeedButton23", QStringLiteral("WMF - Clipb."),
                                QStringLiteral("Grafik im WMF- Format in die Zwischenablage"));
  c.closeButton = Button(c.panel, "SpeedButton6", QStringLiteral("&Beenden"),
                         QStringLiteral("Programm beenden"));
  for (QPushButton* b :
       {c.settingsButton, c.printButton, c.wmfFileButton, c.wmfClipboardButton, c.closeButton})
    layout->addWidget(b);
  layout->addStretch();

  const auto shared = std::make_shared<ButtonColumnActions>(std::move(actions));
  QObject::connect(c.settingsButton, &QPushButton::clicked, window, [shared] {
    if (shared->openSettings) shared->openSettings();
  });
  QObject::connect(c.printButton, &QPushButton::clicked, window, [shared] {
    if (shared->target) PrintGraphic(shared->variant, shared->target());
  });
  QObject::connect(c.wmfFileButton, &QPushButton::clicked, window, [shared, window] {
    if (shared->saveFile)
      shared->saveFile();
    else if (shared->target)
      SaveWmfFile(shared->variant, shared->target(), window);
  });
  QObject::connect(c.wmfClipboardButton, &QPushButton::clicked, window, [shared] {
    if (shared->target) CopyWmfToClipboard(shared->variant, shared->target());
  });
  window->SetCloseButton(c.closeButton);
  return c;
}

}  // namespace kurvio
