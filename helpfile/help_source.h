#pragma once
// The help's topics as written in the repository: a plain text file that the build turns into
// the WinHelp file and its contents file.
//
//   @file-title Vireldan Help        caption of the help window
//   @book Using Vireldan              a heading of the contents; topics after it are its pages
//   @topic image_window 1200 0x21001  context name, then any context numbers the program uses
//   @title The image window           the topic's title
//   Each further line is a paragraph of the topic; blank lines are left out.
//   # a comment line
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

struct HelpTopic {
  std::string name;                      // letters, digits, "." and "_": what links and the contents use
  std::vector<uint32_t> contextNumbers;  // what WinHelp's HELP_CONTEXT asks for
  std::string title;
  std::string book;                      // the contents heading it is listed under, or empty
  std::vector<std::string> paragraphs;
};

struct HelpDocument {
  std::string title;
  std::vector<HelpTopic> topics;
};

// The line number says where the source is wrong.
class HelpSourceError : public std::runtime_error {
 public:
  HelpSourceError(int line, const std::string& problem);
};

HelpDocument ParseHelpSource(const std::string& text);
