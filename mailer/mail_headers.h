#pragma once
// Header fields of an outgoing message. Whatever the user typed, a header written here is one
// logical line (CR and LF never get through, so no text can add a header of its own), words
// that are not plain ASCII go out as RFC 2047 encoded words, and long lines are folded.
#include <string>
#include <vector>

// The charset of text written in the Windows code page: ISO-8859-1 unless it holds one of the
// characters that code page keeps in 0x80-0x9F (quotes, dashes, the euro sign...).
const char* TextCharset(const std::string& text);

// The text with every control character (CR and LF among them) turned into a space.
std::string SingleLine(const std::string& text);

// An unstructured field (the subject): the text as it is when it is plain, else encoded words
// of at most 75 characters separated by spaces.
std::string EncodeHeaderWord(const std::string& text);

// The items of an address list: commas inside quotes, comments and angle brackets do not
// separate addresses.
std::vector<std::string> SplitAddressList(const std::string& list);

// An address field (From, To, Cc): only display names are encoded or quoted, never addresses.
std::string EncodeAddressList(const std::string& list);

// "Name: value" folded at spaces into lines of at most 78 characters where the value allows,
// ending in CR LF.
std::string HeaderLine(const std::string& name, const std::string& value);

// A MIME parameter (name=, filename=): a quoted string when the value is ASCII, else the
// RFC 2231 form name*=charset''%XX.
std::string MimeParameter(const std::string& name, const std::string& value);
