// Feeds arbitrary bytes to the print-setup reader as a ".psu" file. The first byte picks a start:
// most inputs get a version 2 or version 1 magic and that version's length, so that the values
// are reached at once. A refused file leaves the layout as it was, with one of the reader's two
// messages; a taken one holds only values the Batch Print sheet could set, and writing it out
// reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "print_setup_file.h"

namespace {

const char kWrongFormat[] = "Error loading print setup file.\nWrong format.";
const char kDamaged[] = "Error loading print setup file.\nThe file is damaged.";

std::vector<uint8_t> File(const uint8_t* data, size_t size) {
  const uint8_t choice = data[0];
  std::vector<uint8_t> file(data + 1, data + size);
  const auto withMagic = [&](uint32_t magic, size_t length) {
    std::vector<uint8_t> whole = {uint8_t(magic), uint8_t(magic >> 8), uint8_t(magic >> 16), uint8_t(magic >> 24)};
    whole.insert(whole.end(), file.begin(), file.end());
    whole.resize(length, 0);
    return whole;
  };
  if (choice % 3 == 1) return withMagic(kPrintSetupMagic, kPrintSetupSize);
  if (choice % 3 == 2) return withMagic(kPrintSetupMagicV1, kPrintSetupSizeV1);
  return file;
}

// What the file does not store, which a load must keep.
bool KeepsTheRest(const CAppSettings::BatchPrint& a, const CAppSettings::BatchPrint& b) {
  return a.bp_names == b.bp_names && a.bp_paths == b.bp_paths && a.bp_dates == b.bp_dates &&
         a.bp_sizes == b.bp_sizes && a.bp_annots == b.bp_annots && a.bp_static == b.bp_static &&
         a.bp_txtcolor == b.bp_txtcolor && a.bp_string == b.bp_string;
}

bool Within(int value, int low, int high) { return value >= low && value <= high; }

bool InRange(const CAppSettings::BatchPrint& p) {
  for (int flag : {p.english, p.upright, p.overfill, p.framed, p.dotted, p.center, p.bp_dotext})
    if (!Within(flag, 0, 1)) return false;
  for (int length : {p.coloffset, p.rowoffset, p.colwidth, p.colheight, p.paoffsetx, p.paoffsety, p.pawidth,
                     p.paheight, p.taoffsetx, p.taoffsety, p.tasizex, p.tasizey})
    if (!Within(length, 0, 10000000)) return false;
  return !(p.framed && p.dotted) && Within(p.copies, 1, 1000) && Within(p.rows, 1, 20) && Within(p.cols, 1, 20) &&
         Within(p.bp_points, 1, 500) && p.bp_font.size() < 200 && p.bp_font.find('\0') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::vector<uint8_t> file = File(data, size);

  CAppSettings::BatchPrint before{};
  before.rows = 4, before.cols = 3, before.bp_names = 1, before.bp_txtcolor = 0x123456, before.bp_string = "kept";
  before.bp_font = "Arial";
  CAppSettings::BatchPrint print = before;
  std::string message;
  if (!DecodePrintSetup(file, print, message)) {
    if (message != kWrongFormat && message != kDamaged) std::abort();
    if (EncodePrintSetup(print) != EncodePrintSetup(before) || !KeepsTheRest(print, before)) std::abort();
    return 0;
  }
  if (!KeepsTheRest(print, before) || !InRange(print)) std::abort();
  // A version 2 face name is the file's bytes up to the first zero of its field.
  if (file.size() == kPrintSetupSize) {
    const size_t face = 4 + 4 * 23, length = print.bp_font.size();
    if (file[face + length] != 0 || std::string(file.begin() + face, file.begin() + face + length) != print.bp_font)
      std::abort();
  }

  const std::vector<uint8_t> written = EncodePrintSetup(print);
  CAppSettings::BatchPrint again = before;
  if (!DecodePrintSetup(written, again, message) || EncodePrintSetup(again) != written) std::abort();
  return 0;
}
