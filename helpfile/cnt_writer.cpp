#include "cnt_writer.h"

std::string WriteCntFile(const HelpDocument& document, const std::string& helpFileName) {
  std::string cnt = ":Base " + helpFileName + "\r\n:Title " + document.title + "\r\n";
  std::string book;
  for (const HelpTopic& topic : document.topics) {
    if (topic.book != book && !topic.book.empty()) cnt += "1 " + topic.book + "\r\n";
    book = topic.book;
    cnt += (book.empty() ? "1 " : "2 ") + topic.title + "=" + topic.name + "\r\n";
  }
  return cnt;
}
