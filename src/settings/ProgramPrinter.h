// SPDX-License-Identifier: GPL-3.0-or-later
// The one printer of the program: the settings dialog sets it up, every
// window prints on it, so the chosen printer and page stay for the whole run.
#pragma once

class QPrinter;

namespace kurvio {

// Created on first use (a QApplication must exist), freed with the application.
QPrinter& ProgramPrinter();

}  // namespace kurvio
