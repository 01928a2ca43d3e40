#include "help_source.h"

#include <cctype>
#include <cstdlib>
#include <set>
#include <sstream>

HelpSourceError::HelpSourceError(int line, const std::string& problem)
    : std::runtime_error("line " + std::to_string(line) + ": " + problem) {}

namespace {

bool IsContextNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_';
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The help file is read as Windows-1252 text; anything but printable ASCII is refused rather
// than shown as something else.
void CheckPrintable(int line, const std::string& text) {
  for (const char c : text) {
    if (c < 0x20 || c > 0x7E) throw HelpSourceError(line, "holds a character that is not printable ASCII");
  }
}

uint32_t ContextNumber(int line, const std::string& word) {
  char* end = nullptr;
  const unsigned long long value = std::strtoull(word.c_str(), &end, 0);
  if (word.empty() || word[0] == '-' || *end != '\0' || value == 0 || value > 0x7FFFFFFF)
    throw HelpSourceError(line, "\"" + word + "\" is not a context number");
  return uint32_t(value);
}

class SourceReader {
 public:
  HelpDocument Read(const std::string& text) {
    std::istringstream lines(text);
    std::string raw;
    while (std::getline(lines, raw)) {
      ++line_;
      const std::string content = Trimmed(raw);
      if (!content.empty() && content[0] == '#') continue;
      CheckPrintable(line_, content);
      if (content.empty()) continue;
      if (content[0] == '@') {
        Directive(content);
      } else {
        Text(content);
      }
    }
    EndTopic();
    if (document_.title.empty()) throw HelpSourceError(line_, "the file has no @file-title");
    if (document_.topics.empty()) throw HelpSourceError(line_, "the file has no @topic");
    return document_;
  }

 private:
  void Directive(const std::string& content) {
    const size_t blank = content.find(' ');
    const std::string word = content.substr(0, blank);
    const std::string rest = blank == std::string::npos ? "" : Trimmed(content.substr(blank));
    if (word == "@file-title" && !rest.empty()) {
      document_.title = rest;
    } else if (word == "@book" && !rest.empty()) {
      EndTopic();
      book_ = rest;
    } else if (word == "@topic") {
      EndTopic();
      StartTopic(rest);
    } else if (word == "@title" && !rest.empty() && inTopic_) {
      topic_.title = rest;
    } else {
      throw HelpSourceError(line_, "\"" + content + "\" is not a directive here");
    }
  }

  void StartTopic(const std::string& words) {
    std::istringstream in(words);
    std::string word;
    in >> topic_.name;
    if (topic_.name.empty()) throw HelpSourceError(line_, "@topic needs a context name");
    for (const char c : topic_.name) {
      if (!IsContextNameCharacter(c)) throw HelpSourceError(line_, "\"" + topic_.name + "\" is not a context name");
    }
    std::string folded = topic_.name;  // WinHelp finds names without regard to case
    for (char& c : folded) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (!names_.insert(folded).second) throw HelpSourceError(line_, "topic \"" + topic_.name + "\" twice");
    while (in >> word) {
      const uint32_t number = ContextNumber(line_, word);
      if (!numbers_.insert(number).second) throw HelpSourceError(line_, "context number " + word + " twice");
      topic_.contextNumbers.push_back(number);
    }
    topic_.book = book_;
    topicLine_ = line_;
    inTopic_ = true;
  }

  void Text(const std::string& content) {
    if (!inTopic_) throw HelpSourceError(line_, "text before the first @topic");
    topic_.paragraphs.push_back(content);
  }

  void EndTopic() {
    if (!inTopic_) return;
    if (topic_.title.empty()) throw HelpSourceError(topicLine_, "topic \"" + topic_.name + "\" has no @title");
    document_.topics.push_back(topic_);
    topic_ = HelpTopic();
    inTopic_ = false;
  }

  HelpDocument document_;
  HelpTopic topic_;
  std::string book_;
  std::set<std::string> names_;
  std::set<uint32_t> numbers_;
  bool inTopic_ = false;
  int line_ = 0;
  int topicLine_ = 0;
};

}  // namespace

HelpDocument ParseHelpSource(const std::string& text) { return SourceReader().Read(text); }
