#include "module/ButtonColumn.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "module/ModuleDialog.h"

namespace kurvio {
namespace {

QPushButton* Button(QWidget* parent, const QString& caption, const QString& hint = {}) {
  auto* button = new QPushButton(caption, parent);
  button->setToolTip(hint);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

ButtonColumn MakeButtonColumn(TModuleDialog* window, QWidget* parent, ButtonColumnActions actions) {
  ButtonColumn c{};
  c.Panel = new QWidget(parent);
  auto* layout = new QVBoxLayout(c.Panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  c.SpeedButton14 = Button(c.Panel, QStringLiteral("Einstellungen"));
  c.SpeedButton15 = Button(c.Panel, QStringLiteral("Drucken"), QStringLiteral("Grafik drucken"));
  c.SpeedButton17 =
      Button(c.Panel, QStringLiteral("WMF - Datei"), QStringLiteral("Grafik als WMF speichern"));
  c.SpeedButton23 = Button(c.Panel, QStringLiteral("WMF - Clipb."),
                           QStringLiteral("Grafik im WMF- Format in die Zwischenablage"));
  c.Close = Button(c.Panel, QStringLiteral("&Beenden"), QStringLiteral("Programm beenden"));
  for (QPushButton* b :
       {c.SpeedButton14, c.SpeedButton15, c.SpeedButton17, c.SpeedButton23, c.Close})
    layout->addWidget(b);
  layout->addStretch();

  const auto shared = std::make_shared<ButtonColumnActions>(std::move(actions));
  QObject::connect(c.SpeedButton14, &QPushButton::clicked, window, [shared] {
    if (shared->openSettings) shared->openSettings();
  });
  QObject::connect(c.SpeedButton15, &QPushButton::clicked, window, [shared] {
    if (shared->target) PrintGraphic(shared->variant, shared->target());
  });
  QObject::connect(c.SpeedButton17, &QPushButton::clicked, window, [shared, window] {
    if (shared->saveFile)
      shared->saveFile();
    else if (shared->target)
      SaveWmfFile(shared->variant, shared->target(), window);
  });
  QObject::connect(c.SpeedButton23, &QPushButton::clicked, window, [shared] {
    if (shared->target) CopyWmfToClipboard(shared->variant, shared->target());
  });
  window->SetCloseButton(c.Close);
  return c;
}

}  // namespace kurvio
