// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/WindowHelp.h"

#include <QFile>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "module/HelpWindow.h"

// The help texts are compiled into the library; a static library needs them registered.
static void RegisterHelpTexts() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(help);
    return true;
  }();
  (void)registered;
}

namespace kurvio {

TWindowHelp::TWindowHelp(QWidget* owner, const QString& helpText) : TModuleDialog(owner) {
  setWindowTitle(QStringLiteral("Hilfe – ") + (owner ? owner->window()->windowTitle() : QString()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  text = new QTextBrowser(this);
  text->setOpenLinks(false);
  text->setHtml(helpText + QStringLiteral("<hr><p><a href=\"%1\">Hilfe zur Termeingabe</a>: "
                                          "Funktionen, Rechenzeichen und Schreibregeln "
                                          "der Terme (auch mit F1 in diesem Fenster). "
                                          "Esc schließt die Hilfe.</p>")
                               .arg(QString::fromLatin1(kTermHelpLink)));
  connect(text, &QTextBrowser::anchorClicked, this, &TWindowHelp::onLinkClicked);
  layout->addWidget(text);
  resize(620, 600);
  InstallFieldKeys(false);
}

QString TWindowHelp::TextFor(const QString& className) {
  RegisterHelpTexts();
  QFile file(QStringLiteral(":/help/%1.html").arg(className));
  if (!file.open(QIODevice::ReadOnly)) return {};
  QString text = QString::fromUtf8(file.readAll());
  // The controls every analysis window has, described once; the sequences window also
  // saves JPEG.
  QFile common(QStringLiteral(":/help/common.html"));
  if (common.open(QIODevice::ReadOnly))
    text.replace(QStringLiteral("<!-- gemeinsam -->"),
                 QString::fromUtf8(common.readAll())
                     .arg(className == QLatin1String("TForm15") ? QStringLiteral(", JPEG")
                                                                 : QString()));
  // Lessons and worksheets, which every graph window offers alike.
  QFile files(QStringLiteral(":/help/files.html"));
  if (files.open(QIODevice::ReadOnly))
    text.replace(QStringLiteral("<!-- dateien -->"), QString::fromUtf8(files.readAll()));
  return text;
}

bool TWindowHelp::Execute(QWidget* owner) {
  if (!owner) return false;
  QString className = QString::fromLatin1(owner->window()->metaObject()->className());
  className = className.mid(className.lastIndexOf(QLatin1Char(':')) + 1);
  const QString helpText = TextFor(className);
  if (helpText.isEmpty()) return false;
  TWindowHelp help(owner, helpText);
  help.exec();
  return true;
}

void TWindowHelp::ShowHelp() { TForm18::Execute(this); }

void TWindowHelp::onLinkClicked(const QUrl& link) {
  if (link.toString() == QLatin1String(kTermHelpLink)) ShowHelp();
}

}  // namespace kurvio
