// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ProgramPrinter.h"

#include <QCoreApplication>
#include <QPrinter>

namespace kurvio {
namespace {

QPrinter* printer = nullptr;

// A QPrinter outliving the application would be torn down after the print
// system it talks to.
void FreePrinter() {
  delete printer;
  printer = nullptr;
}

}  // namespace

QPrinter& ProgramPrinter() {
  if (!printer) {
    printer = new QPrinter(QPrinter::HighResolution);
    qAddPostRoutine(FreePrinter);
  }
  return *printer;
}

}  // namespace kurvio
