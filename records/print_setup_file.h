#pragma once
// Print-setup files (".psu"): the batch-print layout saved for later. Version 2, written and
// read, is 296 bytes little-endian: the magic 0x1219434F, 23 signed 32-bit values (the layout
// and the text area's size and points), and the font's face name in 200 bytes, zero-terminated.
// Version 1, read only, is 72 bytes: the magic 0x12184279 and the first 17 values.
//
// A file is untrusted: one that is short, of another magic, or whose values make no sense is
// refused whole and the layout stays as it was. Counts and lengths are kept within what the sheet
// itself could set.
#include <cstdint>
#include <string>
#include <vector>

#include "app_settings.h"

constexpr uint32_t kPrintSetupMagic = 0x1219434F;
constexpr uint32_t kPrintSetupMagicV1 = 0x12184279;
constexpr size_t kPrintSetupSize = 296;
constexpr size_t kPrintSetupSizeV1 = 72;

std::vector<uint8_t> EncodePrintSetup(const CAppSettings::BatchPrint& print);

// Takes the file's values into print; false, with print unchanged and the reason in message
// (for the user), when the bytes are not a print setup.
bool DecodePrintSetup(const std::vector<uint8_t>& bytes, CAppSettings::BatchPrint& print, std::string& message);

// The same through a file; false when it cannot be written, or read (message then says why).
bool SavePrintSetupFile(const std::string& path, const CAppSettings::BatchPrint& print);
bool LoadPrintSetupFile(const std::string& path, CAppSettings::BatchPrint& print, std::string& message);
