#include "compose_and_send_win.h"

#include <algorithm>
#include <cstdio>

#include "attachment_files_win.h"
#include "gensock_transport_win.h"
#include "mail_date.h"
#include "mime_message.h"
#include "mime_text.h"
#include "recipients.h"

namespace {
// A multiple of 54 bytes, so that pieces encode as the whole file would.
constexpr DWORD kReadPiece = 54 * 4096;

std::string LocalDate() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  TIME_ZONE_INFORMATION zone;
  const DWORD answer = ::GetTimeZoneInformation(&zone);
  const ZoneState state = answer == TIME_ZONE_ID_DAYLIGHT   ? ZoneState::kDaylight
                          : answer == TIME_ZONE_ID_STANDARD ? ZoneState::kStandard
                                                            : ZoneState::kUnknown;
  const MailTime time{now.wYear, now.wMonth, now.wDay, now.wDayOfWeek, now.wHour, now.wMinute, now.wSecond};
  return FormatMailDate(time, ZoneOffsetMinutes(state, zone.Bias, zone.StandardBias, zone.DaylightBias));
}

std::vector<std::string> Recipients(const MessageWindowState& state) {
  std::vector<std::string> all = EnvelopeAddresses(state.to);
  for (const std::string& address : EnvelopeAddresses(state.cc)) all.push_back(address);
  return all;
}

// Reserves room ahead for a part of size bytes, growing by half again at least, so that the
// message is copied a few times at most while it grows.
void MakeRoom(std::string& message, size_t size) {
  const size_t needed = message.size() + size;
  if (needed > message.capacity()) message.reserve(std::max(needed, message.capacity() + message.capacity() / 2));
}

class OpenFile {
 public:
  explicit OpenFile(const std::string& path)
      : handle_(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {}
  ~OpenFile() {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  HANDLE Handle() const { return handle_; }

 private:
  HANDLE handle_;
};

std::string Formatted(const char* format, const std::string& value) {
  std::vector<char> text(value.size() + 200);
  std::snprintf(text.data(), text.size(), format, value.c_str());
  return text.data();
}

// Appends the file's base64 lines; 0, or 3, 4 or 5 with the error text set.
int AppendFile(MessageWindowState& state, const std::string& shownPath, const std::string& path,
               std::string& message) {
  OpenFile file(path);
  if (file.Handle() == INVALID_HANDLE_VALUE) {
    state.errorText = Formatted("error reading %s, aborting\n", shownPath);
    return 3;
  }
  if (::GetFileType(file.Handle()) != FILE_TYPE_DISK) {
    state.errorText = "You can only mail attachments from disc files...\n";
    return 4;
  }
  LARGE_INTEGER size{};
  ::GetFileSizeEx(file.Handle(), &size);
  MakeRoom(message, Base64LinesSize(static_cast<size_t>(size.QuadPart)));
  std::vector<unsigned char> piece(kReadPiece);
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.Handle(), piece.data(), kReadPiece, &read, nullptr)) {
      state.errorText = Formatted("error reading %s, aborting\n", shownPath);
      return 5;
    }
    if (read == 0) return 0;
    EncodeBase64Lines(piece.data(), piece.data() + read, message);
    if (read < kReadPiece) return 0;
  }
}

// Adds the parts of one attachment entry; 0 or an attachment error.
int AppendEntry(MessageWindowState& state, SendReporter& reporter, const std::string& entry,
                const std::string& boundary, std::string& message) {
  reporter.Status("Encoding file: " + entry);
  const std::vector<AttachmentFile> files = ExpandAttachmentEntry(entry);
  if (files.empty()) reporter.Status("File not found: " + entry);
  for (const AttachmentFile& file : files) {
    if (reporter.StopRequested()) return 0;
    std::string name = file.name, source = file.path;
    ReducedPicture reduced;  // its temporary file goes once the bytes are in the message
    if (state.settings.doResize) {
      reporter.Status("Resizing image file: " + file.path);
      // A file that is no picture, or one that cannot be reduced, goes as it is.
      if (reduced.Make(file.path, state.settings)) {
        name = JpegName(file.name);
        source = reduced.Path();
      }
    }
    message += AttachmentHead(boundary, AttachmentContentType(name), name);
    if (int error = AppendFile(state, file.path, source, message)) return error;
  }
  return 0;
}
}  // namespace

int ComposeAndSend(MessageWindowState& state, SendReporter& reporter, const SendOptions& options) {
  const std::string server = state.settings.smtpHost;
  const std::string sender = state.settings.replyTo;
  if (server.empty() || sender.empty()) {
    state.errorText = "Set the SMTP server's address and the user name in Settings";
    return 12;
  }
  const std::vector<std::string> recipients = Recipients(state);
  if (recipients.empty()) {
    state.errorText = "No Recipients!";
    return 101;
  }
  const std::string boundary = BoundarySuffix(::GetTickCount() ^ static_cast<DWORD>(::GetCurrentThreadId()) << 16);
  std::string message = MessageHead({state.to, state.cc, state.subject, state.body}, sender, LocalDate(), boundary);
  AppendTextPart(state.body, message);

  for (const std::string& entry : state.attachments) {
    if (reporter.StopRequested()) break;
    if (int error = AppendEntry(state, reporter, entry, boundary, message)) return error;
  }
  message += MessageTail(boundary);

  GensockTransport transport(options.timeoutSeconds);
  return DeliverMessage(transport, reporter, state.errorText, server, sender, recipients, message, options.delivery);
}
