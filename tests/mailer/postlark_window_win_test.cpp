// Postlark.dll as Vireldan uses it: loaded by name, its three plain exports, the message window
// typed into and sent to the server of smtp_check.py, which checks what arrived.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "mail_test_env_win.h"
#include "postlark_resource.h"
#include "property_sheet_driver.h"
#include "save_dialog_user_win.h"
#include "ui_driver.h"

namespace {
using Initialize = int (*)();
using NewEmailMessage = HWND (*)(HWND, const char*);
using HelpContext = int (*)();

void StoreSettings() {
  StoreMailSettings();
  // Stored without their closing NULs, as another program might write them.
  StoreMailValue("Contacts", REG_BINARY, std::string("Ann\0Bob", 7));
  StoreMailValue("Addresses", REG_BINARY, std::string("ann@example.com\0bob@example.com", 31));
}

std::string Text(HWND window, int id) {
  char text[200] = {};
  ::GetDlgItemTextA(window, id, text, sizeof text);
  return text;
}

std::string Caption(HWND window) {
  char text[200] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

// Runs the window's messages, as the host's loop would, until done() holds.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > milliseconds) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  return true;
}

std::string FileBytes(const std::string& name) {
  std::string bytes;
  if (FILE* file = std::fopen(TestFilePath(name).c_str(), "rb")) {
    char piece[512];
    for (size_t read; (read = std::fread(piece, 1, sizeof piece, file)) > 0;) bytes.append(piece, read);
    std::fclose(file);
  }
  return bytes;
}

void WriteBytes(const std::string& name, const std::string& bytes) {
  FILE* file = std::fopen(TestFilePath(name).c_str(), "wb");
  ASSERT_TRUE(file) << name;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// File > Save under the name typed; the question whether to replace a file, answered with the
// button ("(no question)" when none came).
std::string SaveAs(HWND window, const std::string& name, int button) {
  std::string question;
  UiDriver user([&] { question = SaveAnsweringReplace(TestFilePath(name), button); });
  ::SendMessageA(window, WM_COMMAND, ID_MAIL_SAVE, 0);
  return question;
}

HGLOBAL DroppedFiles(const std::string& first, const std::string& second) {
  const std::string names = first + '\0' + second + '\0' + '\0';
  HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  std::memcpy(drop + 1, names.data(), names.size());
  ::GlobalUnlock(memory);
  return memory;
}

class PostlarkDll : public ::testing::Test {
 protected:
  void SetUp() override {
    StoreSettings();
    dll_ = ::LoadLibraryA("postlark.dll");
    ASSERT_TRUE(dll_);
    initialize_ = Entry<Initialize>("Postlark_Initialize");
    newMessage_ = Entry<NewEmailMessage>("Postlark_NewEmailMessage");
    helpContext_ = Entry<HelpContext>("Postlark_HelpContext");
    ASSERT_TRUE(initialize_ && newMessage_ && helpContext_);
    EXPECT_EQ(initialize_(), 0);
  }
  template <typename Function>
  Function Entry(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(dll_, name)));
  }
  HMODULE dll_ = nullptr;
  Initialize initialize_ = nullptr;
  NewEmailMessage newMessage_ = nullptr;
  HelpContext helpContext_ = nullptr;
};
}  // namespace

TEST_F(PostlarkDll, ExportsHaveTheirPlainNamesOnly) {
  for (const char* decorated : {"_Postlark_Initialize", "Postlark_Initialize@0", "_Postlark_NewEmailMessage@8",
                                "Postlark_NewEmailMessage@8", "_Postlark_HelpContext@0"})
    EXPECT_EQ(::GetProcAddress(dll_, decorated), nullptr) << decorated;
  EXPECT_EQ(helpContext_(), 0);
}

TEST_F(PostlarkDll, MessageWindowSendsWhatWasTyped) {
  const std::string list = TestFilePath("holiday.png") + '\0' + '\0';
  HWND window = newMessage_(nullptr, list.c_str());
  ASSERT_TRUE(window);
  EXPECT_EQ(Caption(window), "Email message - 1 attachments");
  HWND to = ::GetDlgItem(window, IDC_TO);
  EXPECT_EQ(::SendMessageA(to, CB_GETCOUNT, 0, 0), 2);  // the contacts, read though stored unterminated

  RECT small{100, 100, 150, 120};
  ::SendMessageA(window, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&small));
  EXPECT_EQ(small.right - small.left, 300);
  EXPECT_EQ(small.bottom - small.top, 200);

  ::SetWindowTextA(to, "ann");
  ::SetDlgItemTextA(window, IDC_SUBJECT, "From the window");
  ::SetDlgItemTextA(window, IDC_TEXT, "Typed in the window");
  ::SendMessageA(window, WM_COMMAND, IDC_SEND, 0);
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, IDC_SEND)));
  EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(window, IDC_STOP)));
  // A sent message closes its window.
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(window); }, 60000));
}

TEST_F(PostlarkDll, ClosedWhileSendingGoesWhenTheSendEnds) {
  const std::string list = TestFilePath("large.bin") + '\0' + '\0';
  HWND window = newMessage_(nullptr, list.c_str());
  ASSERT_TRUE(window);
  ::SetDlgItemTextA(window, IDC_TO, "ann@example.com");
  ::SetDlgItemTextA(window, IDC_SUBJECT, "Closed while sending");
  ::SendMessageA(window, WM_COMMAND, IDC_SEND, 0);
  {
    UiDriver user([] { PressButton(WaitForWindow("Close message?"), IDYES); });
    ::SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
  }
  // Hidden at once, destroyed (its record freed) only once the thread has reported.
  EXPECT_FALSE(::IsWindowVisible(window));
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(window); }, 60000));
}

// While a message goes to the slow server, nothing that the send reads may change: dropped files
// and the commands that edit the message are refused, and a dialog up when the send ends keeps
// the window until it closes. smtp_check.py checks that the message arrived as it was sent.
TEST_F(PostlarkDll, NothingTheSendReadsChangesUntilItEnds) {
  StoreMailValue("SMTP_host", REG_SZ, LocalServer("POSTLARK_SLOW"));
  EXPECT_EQ(initialize_(), 0);
  const std::string list = TestFilePath("holiday.png") + '\0' + '\0';
  HWND window = newMessage_(nullptr, list.c_str());
  ASSERT_TRUE(window);
  ::SetDlgItemTextA(window, IDC_TO, "ann@example.com");
  ::SetDlgItemTextA(window, IDC_SUBJECT, "Edited while sending");
  ::SetDlgItemTextA(window, IDC_TEXT, "Sent as it was");
  ::SendMessageA(window, WM_COMMAND, IDC_SEND, 0);

  ::SendMessageA(window, WM_DROPFILES,
                 reinterpret_cast<WPARAM>(DroppedFiles(TestFilePath("three.bin"), TestFilePath("dots.txt"))), 0);
  EXPECT_EQ(Caption(window), "Email message - 1 attachments");
  EXPECT_FALSE(::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  const struct {
    int command;
    const char* dialog;
  } refused[] = {{ID_MAIL_ATTACHMENTS, "Attachments..."}, {ID_MAIL_OPEN, "Open"}};
  for (const auto& r : refused) {
    EXPECT_TRUE(::GetMenuState(::GetMenu(window), r.command, MF_BYCOMMAND) & MF_GRAYED) << r.dialog;
    // Refused, the command returns at once; a dialog it opened would stand until the watch for
    // unanswered windows ends it and fails the test.
    ::SendMessageA(window, WM_COMMAND, r.command, 0);
  }

  {
    UiDriver user([&] {
      HWND settings = WaitForWindow("Email configuration");
      ASSERT_TRUE(settings);
      EXPECT_TRUE(WaitFor([&] { return ControlText(window, IDC_STATUS) == "Closing connection" || !::IsWindow(window); },
                          60000));
      EXPECT_FALSE(WaitFor([&] { return !::IsWindow(window); }, 3000)) << "the window went under its dialog";
      PressButton(settings, IDCANCEL);
    });
    ::SendMessageA(window, WM_COMMAND, ID_MAIL_SETTINGS, 0);
  }
  EXPECT_TRUE(::IsWindow(window));
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(window); }, 60000)) << "a sent message closes its window";
}

// A failed send is told while the window still shows the send; editing resumes after the box.
TEST_F(PostlarkDll, SendErrorComesBeforeEditingResumes) {
  HWND window = newMessage_(nullptr, nullptr);
  ASSERT_TRUE(window);
  ::SetDlgItemTextA(window, IDC_SUBJECT, "No one to send to");
  ::SendMessageA(window, WM_COMMAND, IDC_SEND, 0);
  HWND send = ::GetDlgItem(window, IDC_SEND), stop = ::GetDlgItem(window, IDC_STOP);
  std::string error;
  {
    UiDriver user([&] {
      ASSERT_TRUE(WaitForMessageBox("Error!"));
      EXPECT_FALSE(::IsWindowEnabled(send));
      EXPECT_TRUE(::IsWindowVisible(stop));
      error = AnswerMessageBox(IDOK, "Error!");
    });
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(send) != FALSE; }, 30000));
  }
  EXPECT_EQ(error, "No Recipients!");
  EXPECT_FALSE(::IsWindowVisible(stop));
  UiDriver user([] { PressButton(WaitForWindow("Close message?"), IDYES); });
  ::SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
}

// Save writes the name with ".txt" added, and asks before replacing that file, not the one typed.
TEST_F(PostlarkDll, SaveAsksAboutTheFileItWrites) {
  HWND window = newMessage_(nullptr, nullptr);
  ASSERT_TRUE(window);
  ::SetDlgItemTextA(window, IDC_SUBJECT, "Saved again");
  const std::string saved = std::string("To:\nCc:\nSubject:Saved again\n") + '\0';
  const std::string question = TestFilePath("answer.txt") + " already exists.\nDo you want to replace it?";

  WriteBytes("answer.txt", "old");
  EXPECT_EQ(SaveAs(window, "answer", IDNO), question);
  EXPECT_EQ(FileBytes("answer.txt"), "old");
  EXPECT_EQ(SaveAs(window, "answer", IDYES), question);
  EXPECT_EQ(FileBytes("answer.txt"), saved);

  WriteBytes("plain", "old");
  EXPECT_EQ(SaveAs(window, "plain", IDYES), "(no question)");
  EXPECT_EQ(FileBytes("plain"), "old");
  EXPECT_EQ(FileBytes("plain.txt"), saved);

  UiDriver user([] { PressButton(WaitForWindow("Close message?"), IDYES); });
  ::SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(PostlarkDll, DroppedFilesAndClosing) {
  const std::string list = TestFilePath("holiday.png") + '\0' + '\0';
  HWND window = newMessage_(nullptr, list.c_str());
  ASSERT_TRUE(window);
  ::SendMessageA(window, WM_DROPFILES,
                 reinterpret_cast<WPARAM>(DroppedFiles(TestFilePath("three.bin"), TestFilePath("dots.txt"))), 0);
  EXPECT_EQ(Caption(window), "Email message - 3 attachments");

  // The text field's focus gives the message window's help context.
  ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_TEXT, EN_SETFOCUS), 0);
  EXPECT_EQ(helpContext_(), 0x21001);

  // No, then Yes.
  for (int answer : {IDNO, IDYES}) {
    UiDriver driver([answer] {
      HWND question = WaitForWindow("Close message?");
      ASSERT_TRUE(question);
      PressButton(question, answer);
    });
    ::SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(::IsWindow(window) != FALSE, answer == IDNO);
  }
}

TEST_F(PostlarkDll, SavedAndOpenedAsTextAndSettingsStored) {
  HWND window = newMessage_(nullptr, nullptr);
  ASSERT_TRUE(window);
  EXPECT_EQ(Caption(window), "Email message - 0 attachments");
  ::SetDlgItemTextA(window, IDC_TO, "ann@example.com");
  ::SetDlgItemTextA(window, IDC_CC, "bob@example.com");
  ::SetDlgItemTextA(window, IDC_SUBJECT, "Saved");
  ::SetDlgItemTextA(window, IDC_TEXT, "Line one\r\nLine two");

  const std::string saved = TestFilePath("report");
  {
    UiDriver user([&] { EXPECT_TRUE(AnswerSaveDialog(saved)); });
    ::SendMessageA(window, WM_COMMAND, ID_MAIL_SAVE, 0);
  }
  FILE* file = std::fopen((saved + ".txt").c_str(), "rb");
  ASSERT_TRUE(file) << "report gets .txt";
  char bytes[200] = {};
  const size_t size = std::fread(bytes, 1, sizeof bytes, file);
  std::fclose(file);
  EXPECT_EQ(std::string(bytes, size),
            std::string("To:ann@example.com\nCc:bob@example.com\nSubject:Saved\nLine one\r\nLine two") + '\0');

  for (int id : {IDC_TO, IDC_CC, IDC_SUBJECT, IDC_TEXT}) ::SetDlgItemTextA(window, id, "");
  {
    UiDriver user([&] {
      HWND dialog = WaitForWindow("Open");
      ASSERT_TRUE(dialog);
      EXPECT_TRUE(AnswerSaveDialogWindow(dialog, saved + ".txt"));
    });
    ::SendMessageA(window, WM_COMMAND, ID_MAIL_OPEN, 0);
  }
  EXPECT_EQ(Text(window, IDC_TO), "ann@example.com");
  EXPECT_EQ(Text(window, IDC_CC), "bob@example.com");
  EXPECT_EQ(Text(window, IDC_SUBJECT), "Saved");
  EXPECT_EQ(Text(window, IDC_TEXT), "Line one\r\nLine two");

  // Settings: a box of 0 is stored as 1; the settings dialog's help context while it runs.
  {
    UiDriver user([&] {
      HWND dialog = WaitForWindow("Email configuration");
      ASSERT_TRUE(dialog);
      EXPECT_EQ(helpContext_(), 0x21002);
      ::SetDlgItemTextA(dialog, IDC_SMTP_HOST, "mail.example.org:2525");
      ::SetDlgItemTextA(dialog, IDC_RESIZE_WIDTH, "0");
      PressButton(dialog, IDOK);
    });
    ::SendMessageA(window, WM_COMMAND, ID_MAIL_SETTINGS, 0);
  }
  EXPECT_STREQ(StoredMailValue("SMTP_host").c_str(), "mail.example.org:2525");
  EXPECT_EQ(StoredMailValue("ResizeWidth"), std::string("\1\0\0\0", 4));
  EXPECT_EQ(helpContext_(), 0x21001);
  StoreMailSettings();

  UiDriver user([] { PressButton(WaitForWindow("Close message?"), IDYES); });
  ::SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
}
