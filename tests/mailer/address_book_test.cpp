// Recipients, the stored address book and message files.
#include <gtest/gtest.h>

#include "address_book.h"
#include "message_file.h"
#include "recipients.h"

using Addresses = std::vector<std::string>;

TEST(Envelope, AddressesOfRecipientFields) {
  const struct {
    std::string field;
    Addresses addresses;
  } cases[] = {
      {"ann@example.com, bob@example.com", {"ann@example.com", "bob@example.com"}},
      {"Ann Smith <ann@example.com>", {"ann@example.com"}},
      {"\"Smith, Ann\" <ann@example.com>", {"ann@example.com"}},
      {"bob@example.com (Bob), 'Carol' carol@example.com", {"bob@example.com", "carol@example.com"}},
      {"\r\n ann@example.com\t bob@example.com ,", {"ann@example.com", "bob@example.com"}},
      {"eve@example.com (unclosed comment, x@y", {"eve@example.com"}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(EnvelopeAddresses(c.field), c.addresses) << c.field;
}

TEST(Recipients, ContactNamesBecomeAddresses) {
  const std::vector<Contact> contacts{{"Bob", "bob@example.com"}, {"Ann Smith", "ann@example.com"}};
  const struct {
    std::string typed, resolved;
  } cases[] = {
      {"bob", "bob@example.com"},
      {" bob", " bob"},
      {"ann smith,BOB,carol@example.com", "ann@example.com,bob@example.com,carol@example.com"},
      {"", ""},
      {"bob@example.com", "bob@example.com"},
  };
  for (const auto& c : cases) {
    const std::string once = ResolveRecipients(c.typed, contacts);
    EXPECT_EQ(once, c.resolved) << c.typed;
    EXPECT_EQ(ResolveRecipients(once, contacts), once);
  }
}

TEST(AddressBook, StoredLists) {
  EXPECT_EQ(ReadDoubleNulList("a\0bb\0\0junk", 10), (Addresses{"a", "bb"}));
  EXPECT_EQ(ReadDoubleNulList("a\0bb", 4), (Addresses{"a", "bb"}));  // no closing NULs stored
  EXPECT_EQ(ReadDoubleNulList("", 0), Addresses{});
  EXPECT_EQ(MakeDoubleNulList({}), std::string("\0\0", 2));
  EXPECT_EQ(MakeDoubleNulList({"a", "", "b"}), std::string("a\0b\0\0", 5));
  std::string big;
  Addresses many;
  for (int i = 0; i < 500; ++i) many.push_back("name" + std::to_string(1000 + i));
  big = MakeDoubleNulList(many);
  EXPECT_EQ(big.size(), 500u * 9 + 1);
  EXPECT_EQ(ReadDoubleNulList(big.data(), big.size()), many);
}

TEST(AddressBook, EmptyRowsStayOutOfBothLists) {
  const std::vector<Contact> rows{{"Ann", "ann@example.com"}, {"", ""}, {"Nobody", ""}, {"Bob", "bob@example.com"}};
  Addresses names, addresses;
  SplitContacts(rows, names, addresses);
  EXPECT_EQ(names, (Addresses{"Ann", "Bob"}));
  EXPECT_EQ(addresses, (Addresses{"ann@example.com", "bob@example.com"}));
  const std::vector<Contact> paired = PairContacts(names, {"ann@example.com"});
  ASSERT_EQ(paired.size(), 1u);
  EXPECT_EQ(paired[0].address, "ann@example.com");
}

TEST(AddressBook, SortKeysCompareThreeWays) {
  EXPECT_EQ(ContactSortKey("Abcde"), 0x41626364u);
  EXPECT_EQ(ContactSortKey("Ab"), 0x41620000u);
  EXPECT_EQ(CompareContactKeys(1, 2, true), -1);
  EXPECT_EQ(CompareContactKeys(2, 1, true), 1);
  EXPECT_EQ(CompareContactKeys(2, 2, true), 0);
  EXPECT_EQ(CompareContactKeys(1, 2, false), 1);
  EXPECT_EQ(CompareContactKeys(2, 2, false), 0);
}

TEST(MessageFiles, SaveAndOpen) {
  const MessageFields fields{"ann@example.com", "bob@example.com", "Holiday", "Line one\r\nLine two"};
  const std::string file = FormatMessageFile(fields);
  EXPECT_EQ(file, std::string("To:ann@example.com\nCc:bob@example.com\nSubject:Holiday\nLine one\r\nLine two") + '\0');
  const MessageFields back = ParseMessageFile(file);
  EXPECT_EQ(back.to, fields.to);
  EXPECT_EQ(back.cc, fields.cc);
  EXPECT_EQ(back.subject, fields.subject);
  EXPECT_EQ(back.text, fields.text);

  // A file without header lines loses its first three lines.
  const MessageFields plain = ParseMessageFile("first\r\n\r\nsecond\nthird\nfourth\nfifth");
  EXPECT_EQ(plain.to, "");
  EXPECT_EQ(plain.subject, "");
  EXPECT_EQ(plain.text, "fourth\nfifth");
  EXPECT_EQ(ParseMessageFile("").text, "");
  EXPECT_EQ(ParseMessageFile("To:x").to, "x");

  EXPECT_EQ(EnsureTxtExtension("report"), "report.txt");
  EXPECT_EQ(EnsureTxtExtension("REPORT.TXT"), "REPORT.TXT");
  EXPECT_EQ(EnsureTxtExtension("a.Txt"), "a.Txt.txt");
}
