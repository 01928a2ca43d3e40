#include "print_setup_file.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "batch_print_layout.h"
#include "file_system.h"

namespace {

constexpr size_t kFaceSize = 200;
constexpr size_t kValueCount = 23;
constexpr size_t kValueCountV1 = 17;
// Lengths beyond 100 inches lie off any paper the program could print on.
constexpr int kMaxLength = 10000000;

const char kWrongFormat[] = "Error loading print setup file.\nWrong format.";
const char kDamaged[] = "Error loading print setup file.\nThe file is damaged.";

// The stored values, in the file's order.
std::vector<int*> Values(CAppSettings::BatchPrint& p) {
  return {&p.english,   &p.upright,   &p.overfill,  &p.framed,    &p.dotted,    &p.center,   &p.copies, &p.rows,
          &p.cols,      &p.coloffset, &p.rowoffset, &p.colwidth,  &p.colheight, &p.paoffsetx, &p.paoffsety,
          &p.pawidth,   &p.paheight,  &p.bp_dotext, &p.taoffsetx, &p.taoffsety, &p.tasizex,  &p.tasizey,
          &p.bp_points};
}

void Put32(std::vector<uint8_t>& bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(value >> (8 * i)));
}

uint32_t Get32(const std::vector<uint8_t>& bytes, size_t at) {
  return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
         uint32_t(bytes[at + 3]) << 24;
}

int Flag(int value) { return value ? 1 : 0; }

// The values a file may hold: flags become 0 or 1, counts and lengths stay in what the sheet
// could set, a text size in what a font can be.
void KeepInRange(CAppSettings::BatchPrint& p) {
  for (int* flag : {&p.english, &p.upright, &p.overfill, &p.framed, &p.dotted, &p.center, &p.bp_dotext})
    *flag = Flag(*flag);
  if (p.framed) p.dotted = 0;
  p.copies = std::clamp(p.copies, 1, kMaxBatchCopies);
  p.rows = std::clamp(p.rows, 1, 20);
  p.cols = std::clamp(p.cols, 1, 20);
  for (int* length : {&p.coloffset, &p.rowoffset, &p.colwidth, &p.colheight, &p.paoffsetx, &p.paoffsety,
                      &p.pawidth, &p.paheight, &p.taoffsetx, &p.taoffsety, &p.tasizex, &p.tasizey})
    *length = std::clamp(*length, 0, kMaxLength);
  p.bp_points = std::clamp(p.bp_points, 1, 500);
}

}  // namespace

std::vector<uint8_t> EncodePrintSetup(const CAppSettings::BatchPrint& print) {
  std::vector<uint8_t> bytes;
  bytes.reserve(kPrintSetupSize);
  Put32(bytes, kPrintSetupMagic);
  CAppSettings::BatchPrint copy = print;
  for (const int* value : Values(copy)) Put32(bytes, uint32_t(*value));
  const size_t face = std::min(print.bp_font.size(), kFaceSize - 1);
  bytes.insert(bytes.end(), print.bp_font.begin(), print.bp_font.begin() + face);
  bytes.resize(kPrintSetupSize, 0);
  return bytes;
}

bool DecodePrintSetup(const std::vector<uint8_t>& bytes, CAppSettings::BatchPrint& print, std::string& message) {
  if (bytes.size() < 4) {
    message = kDamaged;
    return false;
  }
  const uint32_t magic = Get32(bytes, 0);
  const bool v2 = magic == kPrintSetupMagic, v1 = magic == kPrintSetupMagicV1;
  if (!v1 && !v2) {
    message = kWrongFormat;
    return false;
  }
  if (bytes.size() != (v2 ? kPrintSetupSize : kPrintSetupSizeV1)) {
    message = kDamaged;
    return false;
  }
  CAppSettings::BatchPrint loaded = print;
  const std::vector<int*> values = Values(loaded);
  const size_t count = v2 ? kValueCount : kValueCountV1;
  for (size_t i = 0; i < count; ++i) *values[i] = int32_t(Get32(bytes, 4 + 4 * i));
  if (v2) {
    const auto face = bytes.begin() + 4 + 4 * kValueCount;
    const auto end = std::find(face, face + kFaceSize, uint8_t(0));
    if (end == face + kFaceSize) {  // a face name with no end
      message = kDamaged;
      return false;
    }
    loaded.bp_font.assign(face, end);
  } else {
    loaded.bp_dotext = 0;
    loaded.taoffsetx = loaded.taoffsety = loaded.tasizex = loaded.tasizey = 0;
    loaded.bp_font = "Times New Roman";
    loaded.bp_points = 10;
  }
  KeepInRange(loaded);
  print = loaded;
  return true;
}

// A setup chosen to replace an older one replaces it whole or not at all.
bool SavePrintSetupFile(const std::string& path, const CAppSettings::BatchPrint& print) {
  const std::vector<uint8_t> bytes = EncodePrintSetup(print);
  return platform::ReplaceFileContents(path, bytes.data(), bytes.size());
}

bool LoadPrintSetupFile(const std::string& path, CAppSettings::BatchPrint& print, std::string& message) {
  std::unique_ptr<FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) {
    message.clear();
    return false;
  }
  // One byte past the largest format tells a longer file from a whole one.
  std::vector<uint8_t> bytes(kPrintSetupSize + 1);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
  return DecodePrintSetup(bytes, print, message);
}
