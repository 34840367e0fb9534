// SPDX-License-Identifier: GPL-3.0-or-later
// Writing an exported file whole, with a reason a user understands when it fails.
#pragma once

#include <QString>
#include <string>

namespace kurvio {

// The text for a failed write with the given errno value.
QString WriteFailureReason(int error);

// Writes the bytes to `path` through a temporary file, so an existing file is
// replaced only by a complete new one. False with the reason on failure.
bool WriteExportFile(const QString& path, const std::string& bytes, QString* reason);

}  // namespace kurvio
