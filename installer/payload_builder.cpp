#include "payload_builder.h"

#include <zlib.h>

#include "payload_format.h"

namespace {

void AppendU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(uint8_t(value >> shift));
}

void AppendRecord(std::vector<uint8_t>& out, uint32_t offset, uint32_t packed, uint32_t size,
                  const std::string& name) {
  AppendU32(out, offset);
  AppendU32(out, packed);
  AppendU32(out, size);
  AppendU32(out, 0);
  std::string field = name;
  field.resize(kPayloadNameSize, '\0');
  out.insert(out.end(), field.begin(), field.end());
}

}  // namespace

bool BuildInstallerFile(const std::vector<uint8_t>& program, const std::vector<PayloadFile>& extractionOrder,
                        std::vector<uint8_t>& installer) {
  if (program.empty()) return false;
  installer = program;
  std::vector<uint8_t> records;  // built last-extracted first, which is storage order
  AppendRecord(records, 0, uint32_t(program.size()), uint32_t(program.size()), "Setup.exe");
  for (auto file = extractionOrder.rbegin(); file != extractionOrder.rend(); ++file) {
    if (file->name.size() >= kPayloadNameSize || file->bytes.size() > kPayloadMaxFileSize) return false;
    uLongf packedSize = compressBound(uLong(file->bytes.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, file->bytes.data(), uLong(file->bytes.size()), Z_BEST_COMPRESSION) !=
        Z_OK)
      return false;
    const uint64_t offset = installer.size();
    if (offset + packedSize > UINT32_MAX - (1u << 20)) return false;
    installer.insert(installer.end(), packed.begin(), packed.begin() + packedSize);
    AppendRecord(records, uint32_t(offset), uint32_t(packedSize), uint32_t(file->bytes.size()), file->name);
  }
  installer.insert(installer.end(), records.begin(), records.end());
  AppendU32(installer, 0);
  AppendU32(installer, 0);
  StoreInstallerChecksum(installer);
  return true;
}

void StoreInstallerChecksum(std::vector<uint8_t>& installer) {
  const uint32_t crc = PayloadChecksum(installer);
  for (int i = 0; i < 4; ++i) installer[installer.size() - 4 + i] = uint8_t(crc >> (8 * i));
}
