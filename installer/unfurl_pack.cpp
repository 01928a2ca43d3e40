// Host tool of the build: makes Setup.exe from the installer program and the built deliverables.
//   unfurl-pack <installer program> <Setup.exe to write> <entry name>=<file> ...
// The entries are given in extraction order. Beside the result it writes "<result>.files", one
// "<entry name>|<file>" line per entry, from which the installer's test knows what to compare.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "build_output_file.h"
#include "payload_builder.h"
#include "payload_format.h"

namespace {

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return in.good() || in.eof();
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "unfurl-pack: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Fail("usage: unfurl-pack <installer program> <output> <entry name>=<file> ...");
  std::vector<uint8_t> program;
  if (!ReadFile(argv[1], program) || program.empty()) return Fail(std::string("cannot read ") + argv[1]);
  std::vector<PayloadFile> files;
  std::string listing;
  for (int arg = 3; arg < argc; ++arg) {
    const std::string pair = argv[arg];
    const size_t equals = pair.find('=');
    PayloadFile file;
    file.name = pair.substr(0, equals);
    const std::string source = equals == std::string::npos ? "" : pair.substr(equals + 1);
    const std::string problem = PayloadNameProblem(file.name);
    if (!problem.empty()) return Fail("entry \"" + file.name + "\" has " + problem);
    if (!ReadFile(source, file.bytes)) return Fail("cannot read " + source);
    files.push_back(std::move(file));
    listing += pair.substr(0, equals) + "|" + source + "\n";
  }
  std::vector<uint8_t> installer;
  if (!BuildInstallerFile(program, files, installer)) return Fail("a name or file does not fit the layout");
  if (!WriteBuildOutput(argv[2], installer.data(), installer.size()) ||
      !WriteBuildOutput(std::string(argv[2]) + ".files", listing.data(), listing.size()))
    return Fail(std::string("cannot write ") + argv[2]);
  return 0;
}
