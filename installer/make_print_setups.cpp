// Host tool of the build: writes the print setups the installer carries into a folder.
//   make-print-setups <folder>
#include <cstdio>
#include <string>

#include "print_setup_file.h"
#include "print_setup_presets.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-print-setups <folder>\n");
    return 1;
  }
  for (const PrintSetupPreset& preset : ShippedPrintSetups()) {
    const std::string path = std::string(argv[1]) + "/" + preset.fileName;
    if (!SavePrintSetupFile(path, preset.layout)) {
      std::fprintf(stderr, "make-print-setups: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
