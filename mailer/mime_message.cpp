#include "mime_message.h"

#include <algorithm>
#include <cctype>
#include <random>

#include "mail_headers.h"
#include "mime_text.h"

namespace {
const char kBoundary[] = "VN_SMTP_Boundary-";
const char kMailer[] = "Vireldan mailer v4.9 http://www.vireldan.example/";
}  // namespace

std::string BoundarySuffix(uint32_t seed) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::mt19937 random(seed);
  std::string suffix;
  for (int i = 0; i < 21; ++i) suffix += kAlphabet[random() % 62];
  return suffix;
}

std::string MessageHead(const MessageFields& fields, const std::string& sender, const std::string& date,
                        const std::string& boundarySuffix) {
  std::string head = "Date: " + date + "\r\n";
  head += HeaderLine("From", EncodeAddressList(sender));
  head += fields.subject.empty() ? HeaderLine("Subject", "message from " + SingleLine(sender))
                                 : HeaderLine("Subject", EncodeHeaderWord(fields.subject));
  head += HeaderLine("To", EncodeAddressList(fields.to));
  if (!fields.cc.empty()) head += HeaderLine("Cc", EncodeAddressList(fields.cc));
  head += "MIME-Version: 1.0\r\n";
  head += std::string("Content-Type: Multipart/Mixed; boundary=") + kBoundary + boundarySuffix + "\r\n";
  head += std::string("X-Mailer: ") + kMailer + "\r\n";
  head += std::string("\r\n--") + kBoundary + boundarySuffix + "\r\n";
  head += std::string("Content-Type: text/plain; charset=") + TextCharset(fields.text) + "\r\n";
  head += "Content-Transfer-Encoding: quoted-printable\r\n\r\n";
  return head;
}

void AppendTextPart(const std::string& text, std::string& message) {
  int column = 0;
  for (char c : text) EncodeQuotedPrintableChar(c, column, message);
}

std::string AttachmentHead(const std::string& boundarySuffix, const std::string& contentType,
                           const std::string& name) {
  std::string head = std::string("\r\n--") + kBoundary + boundarySuffix + "\r\n";
  head += HeaderLine("Content-Type", SingleLine(contentType) + "; " + MimeParameter("name", name));
  head += HeaderLine("Content-Disposition", "attachment; " + MimeParameter("filename", name));
  head += "Content-Transfer-Encoding: BASE64\r\n\r\n";
  return head;
}

std::string DefaultContentType(const std::string& name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return "application/octet-stream";
  std::string extension = name.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".pdf") return "application/pdf";
  if (extension == ".xls") return "application/vnd.ms-excel";
  return "application/octet-stream";
}

std::string MessageTail(const std::string& boundarySuffix) {
  return std::string("\r\n--") + kBoundary + boundarySuffix + "--\r\n";
}
