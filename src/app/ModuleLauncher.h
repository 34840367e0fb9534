// SPDX-License-Identifier: GPL-3.0-or-later
// How the start window opens a module window: settings reloaded first or
// not, the mode flags a window needs raised around it, shown maximised and
// modally with the start window as its owner, and deleted once it returns.
#pragma once

#include <functional>

class QDialog;
class QWidget;

namespace kurvio {

struct ModuleLaunch {
  bool loadSettings = true;       // LoadSettings before the window is made
  bool numberLineMode = false;    // NumberLineMode while it is open
  bool termSequenceMode = false;  // TermSequenceMode while it is open
};

// After a module window has gone: the style's cached pictures of its controls
// and the heap it freed go back, so that a day of opening windows in class does
// not make the program grow.
void ReleaseClosedWindowMemory();

// The mode flags of a launch (NumberLineMode, TermSequenceMode), raised while it lives.
class LaunchModes {
 public:
  explicit LaunchModes(const ModuleLaunch& launch);
  ~LaunchModes();
  LaunchModes(const LaunchModes&) = delete;
  LaunchModes& operator=(const LaunchModes&) = delete;

 private:
  ModuleLaunch launch_;
};

// Makes the window with `create(owner)`, runs it and deletes it. The mode
// flags are cleared afterwards however the window ended, also when it was
// closed during an animation. `shown` sees the window just before it runs.
void LaunchModule(QWidget* owner, const ModuleLaunch& launch,
                  const std::function<QDialog*(QWidget* owner)>& create,
                  const std::function<void(QDialog*)>& shown = {});

}  // namespace kurvio
