// The encodings and header rules of outgoing mail, with the wire text written out in full.
#include <gtest/gtest.h>

#include "mail_date.h"
#include "mail_headers.h"
#include "mime_message.h"
#include "mime_text.h"

namespace {
std::string QuotedPrintable(const std::string& text) {
  std::string out;
  AppendTextPart(text, out);
  return out;
}

std::string Base64(const std::string& bytes) {
  std::string out;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  EncodeBase64Lines(data, data + bytes.size(), out);
  EXPECT_EQ(out.size(), Base64LinesSize(bytes.size()));
  return out;
}

// Each physical line of a header block, without its CR LF.
std::vector<std::string> Lines(const std::string& block) {
  std::vector<std::string> lines;
  size_t start = 0, end;
  while ((end = block.find("\r\n", start)) != std::string::npos) {
    lines.push_back(block.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}
}  // namespace

TEST(QuotedPrintable, Cases) {
  const std::string hundred(100, 'x');
  const struct {
    std::string text, wire;
  } cases[] = {
      {"a=b", "a=3Db"},
      {"one two\r\nthree\n", "one=20two\r\nthree\r\n"},
      {"Gr\xFC\xDF" "e", "Gr=FC=DFe"},
      {hundred, std::string(72, 'x') + "=\r\n" + std::string(28, 'x')},
      {std::string(70, 'x') + "\xE9", std::string(70, 'x') + "=E9=\r\n"},
      {"\tend", "=09end"},
  };
  for (const auto& c : cases) EXPECT_EQ(QuotedPrintable(c.text), c.wire) << c.text;
}

TEST(Base64Lines, LineRules) {
  EXPECT_EQ(Base64(""), "");
  EXPECT_EQ(Base64("abc"), "\r\nYWJj");
  EXPECT_EQ(Base64("ab"), "\r\nYWI=");
  EXPECT_EQ(Base64("a"), "\r\nYQ==");
  const std::string line54 = Base64(std::string(54, 'z'));
  EXPECT_EQ(line54.size(), 74u);
  EXPECT_EQ(line54.substr(0, 2), "\r\n");
  EXPECT_EQ(line54.find("\r\n", 2), std::string::npos);
  const std::string line55 = Base64(std::string(55, 'z'));
  EXPECT_EQ(line55.substr(74), "\r\neg==");
  // Pieces of a multiple of 54 bytes encode as the whole does.
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes += static_cast<char>(i * 7);
  std::string pieces;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  EncodeBase64Lines(data, data + 540, pieces);
  EncodeBase64Lines(data + 540, data + bytes.size(), pieces);
  EXPECT_EQ(pieces, Base64(bytes));
}

TEST(HeaderWords, PlainAndEncoded) {
  const struct {
    std::string text, header;
  } cases[] = {
      {"Holiday pictures", "Holiday pictures"},
      {"a=b", "a=b"},
      {"Gr\xFC\xDF" "e", "=?ISO-8859-1?Q?Gr=FC=DFe?="},
      {"\x93quoted\x94 a_b?=c", "=?windows-1252?Q?=93quoted=94_a=5Fb=3F=3Dc?="},
      {"looks =?encoded?=", "=?ISO-8859-1?Q?looks_=3D=3Fencoded=3F=3D?="},
      {"line\r\nBcc: evil@example.com", "line  Bcc: evil@example.com"},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeHeaderWord(c.text), c.header) << c.text;
}

TEST(HeaderWords, LongSubjectsFoldIntoShortWords) {
  const struct {
    std::string subject;
  } cases[] = {{std::string(300, '\xE9')}, {std::string(300, 'a')}, {"x\r\n" + std::string(150, 'b') + " \xFC"}};
  for (const auto& c : cases) {
    const std::string header = HeaderLine("Subject", EncodeHeaderWord(c.subject));
    const std::vector<std::string> lines = Lines(header);
    ASSERT_EQ(header.size(), [&] { size_t n = 0; for (auto& l : lines) n += l.size() + 2; return n; }());
    for (size_t i = 0; i < lines.size(); ++i) {
      EXPECT_LE(lines[i].size(), 78u) << i;
      EXPECT_EQ(lines[i].find_first_of("\r\n"), std::string::npos);
      if (i > 0) {
        EXPECT_EQ(lines[i][0], ' ');
      }
    }
    size_t word = 0;
    while ((word = header.find("=?", word)) != std::string::npos) {
      EXPECT_LE(header.find("?=", word + 17) + 2 - word, 75u);
      ++word;
    }
  }
}

TEST(AddressHeaders, OnlyDisplayNamesAreEncoded) {
  const struct {
    std::string field, header;
  } cases[] = {
      {"bob@example.com", "bob@example.com"},
      {"J\xFCrgen <j@example.de>, ann@example.com", "=?ISO-8859-1?Q?J=FCrgen?= <j@example.de>, ann@example.com"},
      {"\"Smith, Ann\" <ann@example.com>", "\"Smith, Ann\" <ann@example.com>"},
      {"Ann Smith <ann@example.com>", "Ann Smith <ann@example.com>"},
      {"Eve\r\nBcc: x@y <eve@example.com>", "\"Eve  Bcc: x@y\" <eve@example.com>"},
      {"  , ann@example.com,", "ann@example.com"},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeAddressList(c.field), c.header) << c.field;
}

TEST(MimeParameters, QuotedOrEncoded) {
  EXPECT_EQ(MimeParameter("filename", "holiday.jpg"), "filename=\"holiday.jpg\"");
  EXPECT_EQ(MimeParameter("filename", "my \"best\".jpg"), "filename=\"my \\\"best\\\".jpg\"");
  EXPECT_EQ(MimeParameter("name", "Gr\xFC\xDF" "e 1.jpg"), "name*=ISO-8859-1''Gr%FC%DFe%201.jpg");
}

TEST(MailDate, ZonesAndText) {
  const MailTime time{2025, 1, 5, 0, 9, 8, 7};
  const struct {
    ZoneState state;
    long bias, standard, daylight;
    std::string date;
  } cases[] = {
      {ZoneState::kStandard, 210, 0, -60, "Sun, 05 Jan 2025 09:08:07 -0330"},
      {ZoneState::kStandard, -330, 0, 0, "Sun, 05 Jan 2025 09:08:07 +0530"},
      {ZoneState::kStandard, 30, 0, 0, "Sun, 05 Jan 2025 09:08:07 -0030"},
      {ZoneState::kDaylight, -60, 0, -60, "Sun, 05 Jan 2025 09:08:07 +0200"},
      {ZoneState::kUnknown, -60, 0, -60, "Sun, 05 Jan 2025 09:08:07 +0100"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatMailDate(time, ZoneOffsetMinutes(c.state, c.bias, c.standard, c.daylight)), c.date);
}

TEST(MessageHead, WholeBlock) {
  const MessageFields fields{"Ann <ann@example.com>", "", "", "\x80 5"};
  EXPECT_EQ(MessageHead(fields, "me@example.com", "Sun, 05 Jan 2025 09:08:07 +0100", "ABC"),
            "Date: Sun, 05 Jan 2025 09:08:07 +0100\r\n"
            "From: me@example.com\r\n"
            "Subject: message from me@example.com\r\n"
            "To: Ann <ann@example.com>\r\n"
            "MIME-Version: 1.0\r\n"
            "Content-Type: Multipart/Mixed; boundary=VN_SMTP_Boundary-ABC\r\n"
            "X-Mailer: Vireldan mailer v4.9 http://www.vireldan.example/\r\n"
            "\r\n--VN_SMTP_Boundary-ABC\r\n"
            "Content-Type: text/plain; charset=windows-1252\r\n"
            "Content-Transfer-Encoding: quoted-printable\r\n\r\n");
  EXPECT_EQ(AttachmentHead("ABC", "image/png", "holiday.png"),
            "\r\n--VN_SMTP_Boundary-ABC\r\n"
            "Content-Type: image/png; name=\"holiday.png\"\r\n"
            "Content-Disposition: attachment; filename=\"holiday.png\"\r\n"
            "Content-Transfer-Encoding: BASE64\r\n\r\n");
  EXPECT_EQ(DefaultContentType("a.PDF"), "application/pdf");
  EXPECT_EQ(DefaultContentType("sheet.Xls"), "application/vnd.ms-excel");
  EXPECT_EQ(DefaultContentType("README"), "application/octet-stream");
  const std::string suffix = BoundarySuffix(7);
  EXPECT_EQ(suffix.size(), 21u);
  EXPECT_EQ(suffix.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
            std::string::npos);
}
