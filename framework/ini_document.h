#pragma once
// The text of an INI file: sections of name=value lines, kept in their order with the comments
// and blank lines between them, so that writing a value changes only its own line.
//
// Values that would not survive the format as they are (leading or trailing blanks, line breaks,
// tabs, a leading double quote) are written in double quotes with backslash escapes (\\ \" \n \r
// \t) and read back unchanged; every other value, paths with backslashes included, is written
// as it is.
#include <string>
#include <vector>

class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(const std::string& text);

  // Section and value names compare without regard to ASCII case, as Windows does.
  bool Find(const std::string& section, const std::string& name, std::string& value) const;
  void Set(const std::string& section, const std::string& name, const std::string& value);

  std::string Text() const;

  static std::string Quote(const std::string& value);
  static std::string Unquote(const std::string& stored);

 private:
  struct Line {
    std::string text;     // the whole line as it stands in the file
    std::string section;  // the section the line belongs to
    std::string name;     // the value name when the line is name=value, else empty
  };
  std::vector<Line> lines_;
};
