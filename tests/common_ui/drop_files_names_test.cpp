// The names of a dropped file list: every name of an ANSI or wide list, last dropped first, cut
// to 259 characters; a list that lies or runs past its block yields only what lies inside it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "drop_files_names.h"
#include "name_node.h"

namespace {

std::string Header(uint32_t listOffset, bool wide) {
  std::string header(20, '\0');
  for (int i = 0; i < 4; ++i) header[i] = char(listOffset >> (8 * i));
  header[16] = wide ? 1 : 0;
  return header;
}

std::string Wide(const std::string& text) {
  std::string wide;
  for (char c : text) wide += std::string{c, '\0'};
  return wide;
}

std::vector<std::string> Names(const std::string& block) {
  CNameNode* head = NameListFromDropFiles(reinterpret_cast<const unsigned char*>(block.data()), block.size());
  std::vector<std::string> names;
  for (const CNameNode* node = head; node; node = node->next) names.push_back(node->name);
  CNameNode::FreeList(head);
  delete head;
  return names;
}

TEST(DropFilesNames, ListsComeOutLastNameFirst) {
  using Names_ = std::vector<std::string>;
  const std::string two = std::string("C:\\a.jpg") + '\0' + "C:\\b c.jpg" + '\0' + '\0';
  const std::string longName(300, 'x');
  struct Case {
    const char* what;
    std::string block;
    Names_ expected;
  };
  const Case cases[] = {
      {"ANSI list", Header(20, false) + two, {"C:\\b c.jpg", "C:\\a.jpg"}},
      {"wide list", Header(20, true) + Wide(two), {"C:\\b c.jpg", "C:\\a.jpg"}},
      {"list after padding", Header(24, false) + "pad!" + two, {"C:\\b c.jpg", "C:\\a.jpg"}},
      {"empty list", Header(20, false) + std::string(2, '\0'), {}},
      {"long name cut", Header(20, false) + longName + '\0' + '\0', {std::string(259, 'x')}},
      {"offset past the block", Header(4000, false) + two, {}},
      {"offset inside the header", Header(2, false) + two, {}},
      {"last name unterminated", Header(20, false) + std::string("C:\\a.jpg") + '\0' + "C:\\cut", {"C:\\a.jpg"}},
      {"list without its closing NUL", Header(20, false) + std::string("C:\\a.jpg") + '\0', {"C:\\a.jpg"}},
      {"wide list cut mid-character", Header(20, true) + Wide("C:\\a.jpg").substr(0, 7), {}},
      {"short block", std::string(10, '\0'), {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Names(c.block), c.expected) << c.what;
}

// Wide names go through the program's converter, which sees every character whole; without one
// each character gives its low byte.
TEST(DropFilesNames, WideNamesGoThroughTheConverter) {
  const std::string block = Header(20, true) + std::string("C\0:\0\\\0\xe9\0\xa9\x03\0\0\0\0", 14);
  EXPECT_EQ(Names(block), std::vector<std::string>{"C:\\\xe9\xa9"});
  const WideNameConverter spelled = [](const std::u16string& name) {
    std::string text;
    for (const char16_t c : name) text += "<" + std::to_string(int(c)) + ">";
    return text;
  };
  CNameNode* head = NameListFromDropFiles(reinterpret_cast<const unsigned char*>(block.data()), block.size(), spelled);
  ASSERT_NE(head, nullptr);
  EXPECT_STREQ(head->name, "<67><58><92><233><937>");
  EXPECT_EQ(head->next, nullptr);
  CNameNode::FreeList(head);
  delete head;
  // A converter that finds no name for one leaves it out.
  const WideNameConverter none = [](const std::u16string&) { return std::string(); };
  EXPECT_EQ(NameListFromDropFiles(reinterpret_cast<const unsigned char*>(block.data()), block.size(), none), nullptr);
}

}  // namespace
