// The built Setup.exe run as a user runs it, with QUIET, in the tree's Wine prefix: it installs
// every file of the build, its shortcuts and registry entries, and the installed program starts;
// a changed byte or a hostile payload ends it before anything is written.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "installed_files.h"
#include "payload_builder.h"
#include "payload_format.h"
#include "test_program_folder_win.h"

namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::string& path) {
  if (!Exists(path)) return;
  std::string from = path + '\0';
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  ::SHFileOperationA(&operation);
}

std::string SpecialFolder(int csidl) {
  char path[MAX_PATH] = {};
  return ::SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) ? path : "";
}

// Where the installer puts the program when "C:\Vireldan" does not exist: under Program Files,
// a path with a blank.
std::string InstallFolder() {
  char value[MAX_PATH] = {};
  DWORD size = sizeof value;
  ::RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", RRF_RT_REG_SZ,
                 nullptr, value, &size);
  return std::string(value) + "\\Vireldan";
}

struct WindowSearch {
  DWORD process;
  const std::string& caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
  WindowSearch& search = *reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  char text[256] = {};
  ::GetWindowThreadProcessId(window, &owner);
  ::GetWindowTextA(window, text, sizeof text);
  if (owner != search.process || !::IsWindowVisible(window) || search.caption != text) return TRUE;
  search.found = window;
  return FALSE;
}

// A visible top-level window of the process with the caption, waited for.
HWND WaitForWindowOf(DWORD process, const std::string& caption, HANDLE ended) {
  WindowSearch search = {process, caption, nullptr};
  for (int attempt = 0; attempt < 200 && !search.found; ++attempt) {
    ::EnumWindows(MatchWindow, LPARAM(&search));
    if (!search.found && ::WaitForSingleObject(ended, 100) == WAIT_OBJECT_0) break;
  }
  return search.found;
}

struct Answer {
  Answer(std::string c, int b, int typedInto = 0, std::string typed = "", std::string says = "")
      : caption(std::move(c)), button(b), control(typedInto), text(std::move(typed)), message(std::move(says)) {}
  std::string caption;  // the dialog that must come
  int button;
  int control;  // typed into first, when not 0
  std::string text;
  std::string message;  // the message box's text, when not empty
};

std::string MessageBoxText(HWND box) {
  char text[2048] = {};
  ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  return text;
}

// Waits until every process of the job has ended; false when they did not within a minute.
bool WaitForEmptyJob(HANDLE port) {
  DWORD message = 0;
  ULONG_PTR key = 0;
  LPOVERLAPPED detail = nullptr;
  while (::GetQueuedCompletionStatus(port, &message, &key, &detail, 60000))
    if (message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) return true;
  return false;
}

// Runs a command line, answers the dialogs in order, and returns its exit code once it and every
// process it started have ended (-1 when a dialog did not come, -2 when they did not end).
int RunCommand(std::string command, const std::vector<Answer>& answers = {}) {
  HANDLE job = ::CreateJobObjectA(nullptr, nullptr);
  HANDLE port = ::CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
  JOBOBJECT_ASSOCIATE_COMPLETION_PORT association = {job, port};
  ::SetInformationJobObject(job, JobObjectAssociateCompletionPortInformation, &association, sizeof association);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                        &process))
    return -3;
  ::AssignProcessToJobObject(job, process.hProcess);
  ::ResumeThread(process.hThread);
  int result = 0;
  for (const Answer& answer : answers) {
    const HWND dialog = WaitForWindowOf(process.dwProcessId, answer.caption, process.hProcess);
    if (!dialog) {
      ADD_FAILURE() << "no dialog \"" << answer.caption << "\" from " << command;
      result = -1;
      ::TerminateProcess(process.hProcess, 99);
      break;
    }
    if (!answer.message.empty()) {
      EXPECT_EQ(MessageBoxText(dialog), answer.message) << answer.caption;
    }
    if (answer.control) ::SetDlgItemTextA(dialog, answer.control, answer.text.c_str());
    ::PostMessageA(dialog, WM_COMMAND, answer.button, 0);
  }
  DWORD code = 0;
  if (::WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0 || !WaitForEmptyJob(port)) {
    ::TerminateJobObject(job, 98);
    result = -2;
  }
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  ::CloseHandle(port);
  ::CloseHandle(job);
  return result ? result : int(code);
}

int RunInstaller(const std::string& path, const std::string& arguments, const std::vector<Answer>& answers = {}) {
  return RunCommand("\"" + path + "\" " + arguments, answers);
}

// The build's payload: "<entry name>|<file>" lines the host tool wrote beside Setup.exe.
std::vector<std::pair<std::string, std::string>> PayloadSources() {
  std::vector<std::pair<std::string, std::string>> sources;
  std::ifstream list(TestProgramFolder() + "\\Setup.exe.files");
  for (std::string line; std::getline(list, line);) {
    const size_t bar = line.find('|');
    std::string source = line.substr(bar + 1);
    for (char& c : source)
      if (c == '/') c = '\\';
    sources.emplace_back(line.substr(0, bar), "Z:" + source);
  }
  return sources;
}

bool Listed(const std::string& name) {
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA(name.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  ::FindClose(search);
  return true;
}

// Runs a program of the prefix's Unix host with a Windows path name as its last argument (only
// the host can make, or remove, a link to a device) and waits, for at most ten seconds, until
// the name is listed or not as wanted: the host program's end does not reach this side.
bool RunOnHost(const std::string& command, const std::string& name, bool listedAfter) {
  using UnixName = char*(CDECL*)(LPCWSTR);
  const auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  WCHAR wide[MAX_PATH] = {};
  ::MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide, MAX_PATH);
  char* path = unixName ? unixName(wide) : nullptr;
  if (!path) return false;
  RunCommand(command + " \"" + path + "\"");
  ::HeapFree(::GetProcessHeap(), 0, path);
  for (int attempt = 0; attempt < 100 && Listed(name) != listedAfter; ++attempt) ::Sleep(100);
  return Listed(name) == listedAfter;
}

// Makes name a link to a disk that is always full (the Windows side lists it, but cannot open
// or delete it).
bool MakeFullDiskLink(const std::string& name) { return RunOnHost("/bin/ln -s /dev/full", name, true); }

std::string LinkTarget(const std::string& link) {
  IShellLinkA* shellLink = nullptr;
  IPersistFile* file = nullptr;
  char target[MAX_PATH] = {};
  WCHAR wide[MAX_PATH] = {};
  ::MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
  if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shellLink)))) {
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      if (SUCCEEDED(file->Load(wide, STGM_READ))) shellLink->GetPath(target, MAX_PATH, nullptr, 0);
      file->Release();
    }
    shellLink->Release();
  }
  return target;
}

std::string RegistryText(HKEY root, const char* key, const char* name) {
  char value[1024] = {};
  DWORD size = sizeof value;
  return ::RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS ? value : "<missing>";
}

// What "reg query" prints for the key.
std::string RegQuery(const std::string& key) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  ::CreatePipe(&read, &write, &inherit, 0);
  ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = write;
  PROCESS_INFORMATION process = {};
  std::string command = "reg.exe query \"" + key + "\"", output;
  if (::CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    ::CloseHandle(write);
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got) output.append(buffer, got);
    ::WaitForSingleObject(process.hProcess, 30000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  } else {
    ::CloseHandle(write);
  }
  ::CloseHandle(read);
  return output;
}

// The installed Vireldan.exe started as the shell's folder verb starts it, with a folder whose
// name has a blank, until it is closed; the program's settings file is put back afterwards.
class InstalledVireldan {
 public:
  explicit InstalledVireldan(const std::string& folder) : settings_(ReadBytes(ini_)) {
    ::WritePrivateProfileStringA("Main Options", "tipson", "0", ini_.c_str());
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini_.c_str());
    std::string command = "\"" + folder + "\\Vireldan.exe\" \"" + folder + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_)) return;
    for (int attempt = 0; attempt < 300 && !frame_; ++attempt) {
      for (HWND window = ::FindWindowExA(nullptr, nullptr, "VireldanFrame", nullptr); window && !frame_;
           window = ::FindWindowExA(nullptr, window, "VireldanFrame", nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == process_.dwProcessId && ::IsWindowVisible(window)) frame_ = window;
      }
      if (!frame_ && ::WaitForSingleObject(process_.hProcess, 100) == WAIT_OBJECT_0) break;
    }
  }
  ~InstalledVireldan() {
    Close();
    if (settings_.empty()) ::DeleteFileA(ini_.c_str());
    else WriteBytes(ini_, settings_);
  }
  bool ShowsItsFrame() const { return frame_ != nullptr; }
  // Closes the frame and waits for the program to end, as the user's close does.
  void Close() {
    if (!process_.hProcess) return;
    if (frame_) ::PostMessageA(frame_, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0) {
      ADD_FAILURE() << "Vireldan did not end when its frame was closed";
      ::TerminateProcess(process_.hProcess, 1);
      ::WaitForSingleObject(process_.hProcess, 10000);
    }
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
    process_ = {};
  }

 private:
  const std::string ini_ = SpecialFolder(CSIDL_WINDOWS) + "\\Vireldan.ini";
  const std::vector<uint8_t> settings_;
  PROCESS_INFORMATION process_ = {};
  HWND frame_ = nullptr;
};

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vireldan";
const char kAppPathKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Vireldan.exe";
const char kFolderVerbKey[] = "Folder\\Shell\\Vireldan\\command";

class SetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CoInitialize(nullptr);
    ASSERT_FALSE(Exists("C:\\Vireldan")) << "the installer would choose C:\\Vireldan";
    RemoveTree(target_);
  }
  void TearDown() override {
    // The prefix's desktop is the user's home folder: the link must not stay there.
    ::DeleteFileA((SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\Vireldan.LNK").c_str());
    RemoveTree(target_);
    ::CoUninitialize();
  }
  // A copy of the build's Setup.exe, or of an installer built from the bare program, in a
  // folder of its own.
  std::string WriteInstaller(const std::vector<uint8_t>& bytes) {
    const std::string folder = TestProgramFolder() + "\\setup-test";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\Setup.exe";
    WriteBytes(path, bytes);
    return path;
  }
  // Nothing of the installation exists, nor a file the payload tried to place beside it.
  void ExpectNothingWritten(const std::string& what) {
    EXPECT_FALSE(Exists(target_)) << what;
    for (const std::string& folder : {target_ + "\\..", std::string("C:"), SpecialFolder(CSIDL_WINDOWS)})
      EXPECT_FALSE(Exists(folder + "\\evil.txt")) << what << " in " << folder;
  }

  struct Link {
    std::string path, target;  // the target below the installation folder
  };
  std::vector<Link> Links() const {
    std::string startMenu = SpecialFolder(CSIDL_COMMON_STARTMENU), programs = SpecialFolder(CSIDL_COMMON_PROGRAMS);
    if (startMenu.empty()) startMenu = SpecialFolder(CSIDL_STARTMENU);
    if (programs.empty()) programs = SpecialFolder(CSIDL_PROGRAMS);
    return {{startMenu + "\\Vireldan.LNK", "Vireldan.exe"},
            {SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\Vireldan.LNK", "Vireldan.exe"},
            {programs + "\\Vireldan\\- Vireldan.lnk", "Vireldan.exe"},
            {programs + "\\Vireldan\\Vireldan Thumbwell.lnk", "thumbwell.exe"},
            {programs + "\\Vireldan\\Vireldan uninstall.lnk", "uninstall.exe"}};
  }

  const std::string setup_ = TestProgramFolder() + "\\Setup.exe";
  const std::string target_ = InstallFolder();
};

TEST_F(SetupTest, QuietInstallPutsEveryFileShortcutAndRegistryEntryInPlaceAndTheProgramStarts) {
  ASSERT_EQ(RunInstaller(setup_, "-quiet"), 0);

  // Every file of the table that lists what ships is in Setup.exe, in the table's order.
  const auto sources = PayloadSources();
  ASSERT_EQ(sources.size(), std::size(kInstalledFiles));
  for (size_t i = 0; i < sources.size(); ++i) EXPECT_EQ(sources[i].first, kInstalledFiles[i]);
  for (const auto& [name, source] : sources) {
    const std::vector<uint8_t> built = ReadBytes(source);
    ASSERT_FALSE(built.empty()) << source;
    EXPECT_TRUE(ReadBytes(target_ + "\\" + name) == built) << name;
  }
  for (const char* folder : {"printsetups", "vnsaver", "SendTo"}) EXPECT_TRUE(Exists(target_ + "\\" + folder)) << folder;

  const std::string program = target_ + "\\Vireldan.exe";
  for (const Link& link : Links())
    EXPECT_EQ(lstrcmpiA(LinkTarget(link.path).c_str(), (target_ + "\\" + link.target).c_str()), 0) << link.path;

  const std::string quotedProgram = "\"" + program + "\"";
  const struct {
    HKEY root;
    const char* rootName;
    const char* key;
    const char* name;
    std::string value;
  } values[] = {
      {HKEY_LOCAL_MACHINE, "HKLM", kUninstallKey, "DisplayName", "Vireldan image browser"},
      {HKEY_LOCAL_MACHINE, "HKLM", kUninstallKey, "UninstallString", "\"" + target_ + "\\uninstall.exe\""},
      {HKEY_LOCAL_MACHINE, "HKLM", kAppPathKey, nullptr, program},
      {HKEY_LOCAL_MACHINE, "HKLM", kAppPathKey, "Path", target_},
      {HKEY_CLASSES_ROOT, "HKCR", kFolderVerbKey, nullptr, quotedProgram + " \"%1\""},
  };
  for (const auto& v : values) {
    EXPECT_EQ(RegistryText(v.root, v.key, v.name), v.value) << v.key << " " << (v.name ? v.name : "(default)");
    EXPECT_NE(RegQuery(std::string(v.rootName) + "\\" + v.key).find(v.value), std::string::npos) << v.key;
  }

  // The shell's folder verb, as the shell runs it on a folder with a blank in its name: the
  // installed program, beside its installed library, shows its frame.
  EXPECT_TRUE(InstalledVireldan(target_).ShowsItsFrame()) << "the installed Vireldan.exe showed no frame";
}

TEST_F(SetupTest, InstallingOverAnExistingFolderAsksEvenWhenQuietAndReplacesOnlyWhenTold) {
  ASSERT_EQ(RunInstaller(setup_, "-QUIET"), 0);
  const std::string program = target_ + "\\Vireldan.exe";
  const std::vector<uint8_t> built = ReadBytes(program);
  const std::vector<uint8_t> changed = {'o', 'l', 'd'};
  WriteBytes(program, changed);

  EXPECT_EQ(RunInstaller(setup_, "-QUIET", {{"Destination already exists!", IDCANCEL}}), 1);
  EXPECT_TRUE(ReadBytes(program) == changed) << "cancelled, yet the file was replaced";
  EXPECT_EQ(RunInstaller(setup_, "-QUIET", {{"Destination already exists!", IDOK}}), 0);
  EXPECT_TRUE(ReadBytes(program) == built);
}

TEST_F(SetupTest, QuietOnlyAsTheLastWordOrBeforeAnEqualsSign) {
  // Not recognised: the agreement comes, and Cancel ends the installation before anything.
  EXPECT_EQ(RunInstaller(setup_, "-quiet -other", {{"End User License Agreement", IDCANCEL}}), 1);
  ExpectNothingWritten("cancelled at the agreement");
  EXPECT_EQ(RunInstaller(setup_, "-Quiet=yes"), 0);
  EXPECT_TRUE(Exists(target_ + "\\Vireldan.exe"));
}

TEST_F(SetupTest, HelpExplainsTheOptionsOverTheirDialogAndReturnsToThem) {
  const int kHelpButton = 1004;
  EXPECT_EQ(RunInstaller(setup_, "",
                         {{"End User License Agreement", IDOK},
                          {"Vireldan installation options", kHelpButton},
                          {"Vireldan Installation Help", IDOK},
                          {"Vireldan installation options", IDCANCEL}}),
            1);
  ExpectNothingWritten("cancelled after the help");
}

TEST_F(SetupTest, TheDesktopIsRefusedAsTargetHoweverItIsSpelled) {
  const int kTargetEdit = 1003;
  const std::string desktop = SpecialFolder(CSIDL_DESKTOP);
  for (const std::string& spelling : {desktop + "\\", desktop + "\\.", desktop + "\\..\\Desktop"}) {
    EXPECT_EQ(RunInstaller(setup_, "",
                           {{"End User License Agreement", IDOK},
                            {"Vireldan installation options", IDOK, kTargetEdit, spelling},
                            {"Cannot install to desktop", IDOK},
                            {"Vireldan installation options", IDCANCEL}}),
              1)
        << spelling;
    EXPECT_FALSE(Exists(desktop + "\\Vireldan.exe")) << spelling;
  }
}

TEST_F(SetupTest, StoredNamesLoseTrailingBlanksAndAMissingSubFolderIsMadeWhenNeeded) {
  const std::vector<uint8_t> program = ReadBytes(TestProgramFolder() + "\\unfurl.exe");
  const std::vector<uint8_t> text = {'t', 'e', 'x', 't'};
  std::vector<uint8_t> installer;
  ASSERT_TRUE(BuildInstallerFile(program, {{"readme.txt ", text}, {"printsetups\\2-5x7.psu  ", text},
                                           {"extras\\note.txt", text}}, installer));
  ASSERT_EQ(RunInstaller(WriteInstaller(installer), "-quiet"), 0);
  for (const char* name : {"readme.txt", "printsetups\\2-5x7.psu", "extras\\note.txt"})
    EXPECT_TRUE(ReadBytes(target_ + "\\" + name) == text) << name;
  // Windows reads "readme.txt " as "readme.txt"; the folder's listing shows the name stored.
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA((target_ + "\\readme.txt*").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  ::FindClose(search);
  EXPECT_STREQ(found.cFileName, "readme.txt");
}

TEST_F(SetupTest, AnyChangedByteShowsTheChecksumDialogAndFailsWithNothingWritten) {
  const std::vector<uint8_t> built = ReadBytes(setup_);
  PayloadDirectory directory;
  std::string problem;
  ASSERT_TRUE(ReadPayloadDirectory(built, directory, problem)) << problem;
  const struct {
    const char* where;
    size_t at;
  } bytes[] = {
      {"program's DOS message", 0x50},
      {"program's last byte", directory.programSize - 1},
      {"payload data", directory.entries.back().dataOffset + directory.entries.back().packedSize / 2},
      {"directory", built.size() - 8 - 48 + 20},
      {"checksum", built.size() - 1},
  };
  for (const auto& b : bytes) {
    std::vector<uint8_t> changed = built;
    changed[b.at] ^= 0x20;
    EXPECT_EQ(RunInstaller(WriteInstaller(changed), "-quiet", {{"Checksum Error ", IDOK}}), 2) << b.where;
    ExpectNothingWritten(b.where);
  }
}

TEST_F(SetupTest, HostilePayloadNamesAreRefusedBeforeAnythingIsWritten) {
  const std::vector<uint8_t> program = ReadBytes(TestProgramFolder() + "\\unfurl.exe");
  ASSERT_FALSE(program.empty());
  const std::vector<uint8_t> evil = {'e', 'v', 'i', 'l'};
  for (const char* name : {"..\\evil.txt", "C:\\evil.txt", "C:evil.txt", "\\evil.txt", "printsetups\\..\\..\\evil.txt",
                           "SendTo\\..\\..\\..\\evil.txt", "unterminated"}) {
    std::vector<uint8_t> installer;
    ASSERT_TRUE(BuildInstallerFile(program, {{"readme.txt", evil}, {name, evil}}, installer));
    if (std::string(name) == "unterminated") {
      // The name field of the record read second runs to the end of its 32 bytes.
      std::fill_n(installer.end() - 8 - 96 + 16, kPayloadNameSize, uint8_t('a'));
      StoreInstallerChecksum(installer);
    }
    EXPECT_EQ(RunInstaller(WriteInstaller(installer), "-quiet", {{"Install error", IDOK}}), 2) << name;
    ExpectNothingWritten(name);
  }
}

TEST_F(SetupTest, TheUninstallStringRemovesEverythingInstalledAndKeepsTheUsersFiles) {
  ASSERT_EQ(RunInstaller(setup_, "-quiet"), 0);
  const std::vector<uint8_t> mine = {'m', 'i', 'n', 'e'};
  WriteBytes(target_ + "\\vnsaver\\holiday.jpg", mine);
  WriteBytes(target_ + "\\favorites.txt", mine);

  // As the system's list of programs starts it: the quoted path, with a blank in it.
  const std::string command = RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString");
  ASSERT_EQ(command, "\"" + target_ + "\\uninstall.exe\"");
  ASSERT_EQ(RunCommand(command + " -quiet"), 0);

  for (const auto& [name, source] : PayloadSources()) EXPECT_FALSE(Exists(target_ + "\\" + name)) << name;
  EXPECT_FALSE(Exists(target_ + "\\uninstall.exe"));
  for (const Link& link : Links()) EXPECT_FALSE(Exists(link.path)) << link.path;
  EXPECT_FALSE(Exists(Links().back().path.substr(0, Links().back().path.rfind('\\')))) << "the program group";
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"), "<missing>");
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kAppPathKey, "Path"), "<missing>");
  EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, kFolderVerbKey, nullptr), "<missing>");
  HKEY verb = nullptr;
  EXPECT_NE(::RegOpenKeyExA(HKEY_CLASSES_ROOT, "Folder\\Shell\\Vireldan", 0, KEY_READ, &verb), ERROR_SUCCESS);

  // The user's files stay, and the folders holding them.
  EXPECT_TRUE(ReadBytes(target_ + "\\vnsaver\\holiday.jpg") == mine);
  EXPECT_TRUE(ReadBytes(target_ + "\\favorites.txt") == mine);
  EXPECT_FALSE(Exists(target_ + "\\printsetups"));
}

TEST_F(SetupTest, TheUninstallerAsksFirstAndRemovesTheWholeFolderWhenNothingElseIsInIt) {
  ASSERT_EQ(RunInstaller(setup_, "-quiet"), 0);
  const std::string uninstaller = "\"" + target_ + "\\uninstall.exe\"";
  EXPECT_EQ(RunCommand(uninstaller, {{"Vireldan uninstall", IDNO}}), 1);
  EXPECT_TRUE(Exists(target_ + "\\Vireldan.exe"));
  EXPECT_NE(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"), "<missing>");

  EXPECT_EQ(RunCommand(uninstaller + " -QUIET"), 0);
  EXPECT_FALSE(Exists(target_));
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"), "<missing>");
}

TEST_F(SetupTest, AFileThatCannotBeCreatedOrWrittenWholeIsNamedAndTheOldOneStays) {
  const std::vector<uint8_t> program = ReadBytes(TestProgramFolder() + "\\unfurl.exe");
  const std::vector<uint8_t> text = {'t', 'e', 'x', 't'}, old = {'o', 'l', 'd'};
  std::vector<uint8_t> installer;
  ASSERT_TRUE(BuildInstallerFile(program, {{"readme.txt", text}}, installer));
  const std::string setup = WriteInstaller(installer);
  const std::string readme = target_ + "\\readme.txt", temporary = readme + ".partial";
  const struct {
    const char* what;
    bool (*block)(const std::string& temporary);
    const char* says;
  } cases[] = {
      {"the disk is full", MakeFullDiskLink, "ERROR decompressing "},
      {"a folder has the name", [](const std::string& t) { return ::CreateDirectoryA(t.c_str(), nullptr) != FALSE; },
       "Error creating  "},
  };
  for (const auto& c : cases) {
    RemoveTree(target_);
    ASSERT_TRUE(::CreateDirectoryA(target_.c_str(), nullptr));
    WriteBytes(readme, old);
    ASSERT_TRUE(c.block(temporary)) << c.what;
    EXPECT_EQ(RunInstaller(setup, "-quiet",
                           {{"Destination already exists!", IDOK}, {"Install error", IDOK, 0, "", c.says + readme}}),
              1)
        << c.what;
    if (Listed(temporary) && !Exists(temporary)) RunOnHost("/bin/rm -f", temporary, false);
    EXPECT_TRUE(ReadBytes(readme) == old) << c.what;
  }
}

TEST_F(SetupTest, WhileVireldanRunsSetupAndUninstallChangeNothingAndSayItMustBeClosed) {
  ASSERT_EQ(RunInstaller(setup_, "-quiet"), 0);
  // Setup places the read-me before the program's files: a replaced one would show here.
  const std::string readme = target_ + "\\readme.txt";
  const std::vector<uint8_t> old = {'o', 'l', 'd'};
  WriteBytes(readme, old);
  InstalledVireldan running(target_);
  ASSERT_TRUE(running.ShowsItsFrame());

  EXPECT_EQ(RunInstaller(setup_, "-quiet",
                         {{"Destination already exists!", IDOK},
                          {"Install error", IDOK, 0, "",
                           "Cannot replace " + target_ + "\\ravelight.dll\nIt is in use: Vireldan must be closed before "
                           "it is installed again.\n\nPlease close Vireldan and run the installation again"}}),
            1);
  const std::string uninstaller = "\"" + target_ + "\\uninstall.exe\"";
  EXPECT_EQ(RunCommand(uninstaller, {{"Vireldan uninstall", IDOK, 0, "",
                                      "Vireldan must be closed before it is removed: these of its files are in use:\n"
                                      "    ravelight.dll\n    Vireldan.exe\n\nClose Vireldan and run the uninstaller again."}}),
            2);
  EXPECT_EQ(RunCommand(uninstaller + " -quiet"), 2);

  EXPECT_TRUE(ReadBytes(readme) == old);
  for (const auto& [name, source] : PayloadSources()) EXPECT_TRUE(Exists(target_ + "\\" + name)) << name;
  for (const Link& link : Links()) EXPECT_TRUE(Exists(link.path)) << link.path;
  EXPECT_NE(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"), "<missing>");

  // Closed, it has written its key tree beside itself; that goes too, and so the folder.
  running.Close();
  EXPECT_TRUE(Exists(target_ + "\\startup.iif"));
  EXPECT_EQ(RunCommand(uninstaller + " -quiet"), 0);
  EXPECT_FALSE(Exists(target_));
}

}  // namespace
