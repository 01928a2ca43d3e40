#include "smtp_wire.h"

#include <cctype>

namespace {
constexpr size_t kMaxLine = 1000;
constexpr size_t kMaxReply = 4096;

bool StartsWithCode(const std::string& line) {
  return line.size() >= 3 && std::isdigit(static_cast<unsigned char>(line[0])) &&
         std::isdigit(static_cast<unsigned char>(line[1])) && std::isdigit(static_cast<unsigned char>(line[2]));
}
}  // namespace

bool SmtpReplyReader::Feed(char c) {
  if (c != '\n') {
    if (c != '\r' && line_.size() < kMaxLine) line_ += c;
    return false;
  }
  if (text_.size() + line_.size() < kMaxReply) text_ += line_ + "\n";
  const bool final = !StartsWithCode(line_) || line_.size() == 3 || line_[3] != '-';
  code_ = StartsWithCode(line_) ? std::stoi(line_.substr(0, 3)) : -1;
  line_.clear();
  return final;
}

DotStuffer::DotStuffer(const std::string& message) : message_(message) {
  const size_t end = message.find("\r\n\r\n");
  headerEnd_ = end == std::string::npos ? message.size() : end;
}

size_t DotStuffer::Stuff(size_t from, size_t to, std::string& out) {
  size_t i = from;
  for (; i < to; ++i) {
    const char c = message_[i];
    if (i < headerEnd_ && message_.compare(i, 3, "\r\r\n") == 0) {
      i += 2;
      continue;
    }
    if (c == '\r' && previous_ == '\r') continue;
    if (c == '.' && previous_ == '\n') out += '.';
    out += c;
    previous_ = c;
  }
  return i;
}

const char* DotStuffer::EndMarker() const {
  return !message_.empty() && message_.back() == '\n' ? ".\r\n" : "\r\n.\r\n";
}

void SplitServer(const std::string& server, std::string& host, std::string& port) {
  const size_t colon = server.find(':');
  host = server.substr(0, colon);
  port = colon == std::string::npos ? std::string() : server.substr(colon + 1);
}
