// Host tool of the build: makes the help file and its contents file from the topic source.
//   helpfile-make <topics.txt> <file.hlp> <file.cnt>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "build_output_file.h"
#include "cnt_writer.h"
#include "help_source.h"
#include "hlp_writer.h"

namespace {

std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "helpfile-make: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return Fail("usage: helpfile-make <topics.txt> <file.hlp> <file.cnt>");
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) return Fail(std::string("cannot read ") + argv[1]);
  const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  try {
    const HelpDocument document = ParseHelpSource(source);
    const HlpBytes help = WriteHlpFile(document);
    const std::string contents = WriteCntFile(document, FileName(argv[2]));
    if (!WriteBuildOutput(argv[2], help.data(), help.size())) return Fail(std::string("cannot write ") + argv[2]);
    if (!WriteBuildOutput(argv[3], contents.data(), contents.size())) return Fail(std::string("cannot write ") + argv[3]);
  } catch (const std::exception& error) {
    return Fail(std::string(argv[1]) + ": " + error.what());
  }
  return 0;
}
