#pragma once
// The two transfer encodings of a mail body: quoted-printable for the text, base64 for attachments.
#include <cstddef>
#include <string>

// Writes one character of the text in quoted-printable form. CR is dropped and LF becomes CR LF,
// so a text typed with either line end goes out with the wire's; a line is broken softly once the
// column reaches 72.
void EncodeQuotedPrintableChar(char c, int& column, std::string& out);

// Base64 with a CR LF before every 54 input bytes (72 characters a line). Offsets count from
// begin, so a file encoded in pieces of a multiple of 54 bytes gives the same text as whole.
void EncodeBase64Lines(const unsigned char* begin, const unsigned char* end, std::string& out);

// The length of EncodeBase64Lines' output for size bytes, for reserving the message.
size_t Base64LinesSize(size_t size);
