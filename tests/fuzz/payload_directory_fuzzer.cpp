// Feeds arbitrary bytes to the installer's payload reader as a whole Setup.exe. A directory it
// takes must be one the installer can act on without harm: every record and stream inside the
// file, every name read from its own record and, resolved as Windows resolves a path, a file below
// the target folder. The builder, given what was read, must make a file that reads back the same.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "payload_builder.h"
#include "payload_format.h"

namespace {

const char kTarget[] = "C:\\Program Files\\Vireldan";

std::vector<std::string> Parts(const std::string& path) {
  std::vector<std::string> parts(1);
  for (char c : path) {
    if (c == '\\' || c == '/')
      parts.emplace_back();
    else
      parts.back() += c;
  }
  return parts;
}

// Windows takes a device for the part before the first dot, blanks before that dot ignored.
bool IsDevice(std::string part) {
  part = part.substr(0, part.find('.'));
  while (!part.empty() && part.back() == ' ') part.pop_back();
  for (char& c : part) c = char(std::toupper(static_cast<unsigned char>(c)));
  if (part == "CON" || part == "PRN" || part == "AUX" || part == "NUL" || part == "CONIN$" || part == "CONOUT$")
    return true;
  return part.size() == 4 && (part.compare(0, 3, "COM") == 0 || part.compare(0, 3, "LPT") == 0) &&
         std::isdigit(static_cast<unsigned char>(part[3]));
}

// The target joined with the name as Windows would open it: "." and ".." taken, each part's
// trailing dots and blanks dropped. It must name a file strictly below the target, through parts
// that are neither streams nor devices.
bool StaysBelowTarget(const std::string& name) {
  const std::vector<std::string> target = Parts(kTarget);
  std::vector<std::string> resolved;
  for (std::string part : Parts(std::string(kTarget) + "\\" + name)) {
    while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
    if (part.empty()) {
      if (resolved.size() >= target.size()) return false;  // "\\", "." or a part of only dots and blanks
      continue;
    }
    resolved.push_back(part);
  }
  if (resolved.size() <= target.size()) return false;
  for (size_t i = 0; i < resolved.size(); ++i) {
    if (i < target.size()) {
      if (resolved[i] != target[i]) return false;
      continue;
    }
    if (resolved[i].find(':') != std::string::npos || IsDevice(resolved[i])) return false;
  }
  return true;
}

uint32_t U32At(const std::vector<uint8_t>& file, size_t at) {
  return uint32_t(file[at]) | uint32_t(file[at + 1]) << 8 | uint32_t(file[at + 2]) << 16 | uint32_t(file[at + 3]) << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> file(data, data + size);
  PayloadDirectory directory;
  std::string problem;
  if (!ReadPayloadDirectory(file, directory, problem)) {
    if (problem.empty()) std::abort();
    return 0;
  }

  // The records, read backwards from the trailer, then the program's own record.
  const size_t records = directory.entries.size() + 1;
  if (records * kPayloadRecordSize + kPayloadTrailerSize > size) std::abort();
  const size_t directoryStart = size - kPayloadTrailerSize - records * kPayloadRecordSize;
  if (U32At(file, directoryStart) != 0 || directory.programSize > directoryStart) std::abort();

  std::vector<PayloadFile> rebuilt;
  for (size_t i = 0; i < directory.entries.size(); ++i) {
    const PayloadEntry& entry = directory.entries[i];
    const size_t record = size - kPayloadTrailerSize - (i + 1) * kPayloadRecordSize;
    if (U32At(file, record) != entry.dataOffset || U32At(file, record + 8) != entry.size) std::abort();
    const std::string field(file.begin() + long(record + 16), file.begin() + long(record + 16 + kPayloadNameSize));
    if (entry.name.empty() || field.compare(0, entry.name.size(), entry.name) != 0 ||
        field.find_first_not_of(' ', entry.name.size()) == std::string::npos ||
        field[field.find_first_not_of(' ', entry.name.size())] != '\0')
      std::abort();
    if (!StaysBelowTarget(entry.name)) std::abort();
    if (entry.size > kPayloadMaxFileSize || entry.dataOffset < directory.programSize ||
        uint64_t(entry.dataOffset) + entry.packedSize > directoryStart)
      std::abort();
    rebuilt.push_back({entry.name, std::vector<uint8_t>(file.begin() + entry.dataOffset,
                                                        file.begin() + entry.dataOffset + entry.packedSize)});
  }

  std::vector<uint8_t> installer;
  const std::vector<uint8_t> program(file.begin(), file.begin() + directory.programSize);
  const bool built = BuildInstallerFile(program, rebuilt, installer);
  if (built != !program.empty()) std::abort();  // no layout holds streams without a program before them
  if (!built) return 0;
  if (!PayloadChecksumMatches(installer)) std::abort();
  PayloadDirectory again;
  if (!ReadPayloadDirectory(installer, again, problem) || again.programSize != directory.programSize ||
      again.entries.size() != rebuilt.size())
    std::abort();
  for (size_t i = 0; i < rebuilt.size(); ++i)
    if (again.entries[i].name != rebuilt[i].name || again.entries[i].size != rebuilt[i].bytes.size()) std::abort();
  return 0;
}
