#include "mime_text.h"

namespace {
const char kHexDigits[] = "0123456789ABCDEF";
const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kBase64LineBytes = 54;
constexpr int kSoftBreakColumn = 72;
}  // namespace

void EncodeQuotedPrintableChar(char c, int& column, std::string& out) {
  const unsigned char byte = static_cast<unsigned char>(c);
  if (byte == '\r') return;
  if (byte == '\n') {
    out += "\r\n";
    column = 0;
    return;
  }
  if (byte == '=' || byte < 33 || byte > 126) {
    out += '=';
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 15];
    column += 3;
  } else {
    out += c;
    column += 1;
  }
  if (column >= kSoftBreakColumn) {
    out += "=\r\n";
    column = 0;
  }
}

void EncodeBase64Lines(const unsigned char* begin, const unsigned char* end, std::string& out) {
  const size_t size = static_cast<size_t>(end - begin);
  for (size_t offset = 0; offset < size; offset += 3) {
    if (offset % kBase64LineBytes == 0) out += "\r\n";
    const size_t left = size - offset;
    const unsigned a = begin[offset];
    const unsigned b = left > 1 ? begin[offset + 1] : 0;
    const unsigned c = left > 2 ? begin[offset + 2] : 0;
    const unsigned group = (a << 16) | (b << 8) | c;
    out += kBase64[(group >> 18) & 63];
    out += kBase64[(group >> 12) & 63];
    out += left > 1 ? kBase64[(group >> 6) & 63] : '=';
    out += left > 2 ? kBase64[group & 63] : '=';
  }
}

size_t Base64LinesSize(size_t size) {
  const size_t lines = (size + kBase64LineBytes - 1) / kBase64LineBytes;
  return (size + 2) / 3 * 4 + lines * 2;
}
