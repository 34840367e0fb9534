// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ModuleLauncher.h"

#include <malloc.h>

#include <QDialog>
#include <QPixmapCache>
#include <QScreen>
#include <memory>

#include "plot/PlotFrame.h"
#include "settings/FileMessages.h"
#include "settings/Settings.h"
#include "term/Term.h"

namespace kurvio {
LaunchModes::LaunchModes(const ModuleLaunch& launch) : launch_(launch) {
  if (launch_.numberLineMode) NumberLineMode = true;
  if (launch_.termSequenceMode) TermSequenceMode = true;
}

LaunchModes::~LaunchModes() {
  if (launch_.numberLineMode) NumberLineMode = false;
  if (launch_.termSequenceMode) TermSequenceMode = false;
}

void ReleaseClosedWindowMemory() {
  QPixmapCache::clear();
  ::malloc_trim(0);
}

void LaunchModule(QWidget* owner, const ModuleLaunch& launch,
                  const std::function<QDialog*(QWidget* owner)>& create,
                  const std::function<void(QDialog*)>& shown) {
  if (launch.loadSettings) LoadSettingsOrReport(owner);
  const LaunchModes modes(launch);
  // Declared first, so that it acts after the window has been deleted.
  const struct Release {
    ~Release() { ReleaseClosedWindowMemory(); }
  } release;
  const std::unique_ptr<QDialog> window(create(owner));
  if (!window) return;
  // Without a window manager "maximised" does nothing: the window takes the screen itself.
  if (const QScreen* screen = window->screen()) window->setGeometry(screen->availableGeometry());
  window->setWindowState(window->windowState() | Qt::WindowMaximized);
  if (shown) shown(window.get());
  // exec returns only once the window's own loops have ended.
  window->exec();
}

}  // namespace kurvio
