// wmf2svg (libwmf) as an independent reader of the metafiles the tests write.
#pragma once

#include <cstdlib>
#include <string>

#include "support/TempDir.h"

namespace kurvio::testing {

inline bool HaveWmf2svg() { return std::system("command -v wmf2svg > /dev/null 2>&1") == 0; }

// Converts the metafile at its logical size; the SVG text, or empty when the
// conversion failed. `ok` tells whether wmf2svg ran and succeeded.
inline std::string Wmf2svg(const std::string& wmf, int width, int height, bool& ok) {
  TempDir dir;
  WriteBytes(dir.File("in.wmf"), wmf);
  const std::string command =
      "wmf2svg --maxwidth=" + std::to_string(width) + " --maxheight=" + std::to_string(height) +
      " -o " + dir.File("out.svg") + " " + dir.File("in.wmf") + " 2> " + dir.File("err.txt");
  ok = std::system(command.c_str()) == 0;
  return ok ? ReadBytes(dir.File("out.svg")) : std::string();
}

}  // namespace kurvio::testing
