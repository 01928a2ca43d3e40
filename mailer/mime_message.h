#pragma once
// The message as it goes to the server: a multipart/mixed body whose first part is the text
// (quoted-printable) and whose further parts are the attachments (base64).
#include <cstdint>
#include <string>

struct MessageFields {
  std::string to;
  std::string cc;
  std::string subject;
  std::string text;
};

// 21 characters of [A-Za-z0-9] for the boundary, drawn from the seed.
std::string BoundarySuffix(uint32_t seed);

// The header block up to the text part's own headers and the empty line after them.
std::string MessageHead(const MessageFields& fields, const std::string& sender, const std::string& date,
                        const std::string& boundarySuffix);

// The text in quoted-printable form.
void AppendTextPart(const std::string& text, std::string& message);

// The delimiter and headers before an attachment's base64 lines.
std::string AttachmentHead(const std::string& boundarySuffix, const std::string& contentType,
                           const std::string& name);

// The type of a file by its extension when the system names none.
std::string DefaultContentType(const std::string& name);

// The closing delimiter.
std::string MessageTail(const std::string& boundarySuffix);
