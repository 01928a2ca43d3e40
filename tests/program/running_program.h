#pragma once
// Vireldan.exe as a user starts it: a process of its own, with a settings file the test wrote,
// found by its main frame window and closed the way the user closes it.
#include <windows.h>

#include <map>
#include <string>

// The program's settings file (the INI file in the Windows folder).
std::string ProgramSettingsPath();

// Settings by "section/name", written as the program's settings file before it starts.
using SettingsValues = std::map<std::string, std::string>;

// A start that shows the folder (ending in its backslash) in 40-pixel thumbnails without captions,
// with no tip of the day; a test adds what else it needs.
SettingsValues FolderInSmallThumbnails(const std::string& folder);

// The value the program stored, read from its settings file after it ended.
std::string StoredSetting(const std::string& section, const std::string& name);

// A file a test's folder holds: a copy of a real picture, or (with no source) a file that only
// starts like a JPEG.
struct FolderFile {
  const char* name;
  const char* source;  // a Unix path, reached through Wine's Z: drive
};

// Fills the folder (made anew) with the files; the first source that is missing, or empty.
template <size_t N>
std::string MakePictureFolder(const std::string& folder, const FolderFile (&files)[N]) {
  return MakePictureFolder(folder, files, N);
}
std::string MakePictureFolder(const std::string& folder, const FolderFile* files, size_t count);

class RunningProgram {
 public:
  // Writes the settings (the file is replaced; the original comes back when this object goes),
  // starts Vireldan.exe from the test program's folder with the arguments and waits for its main
  // frame.
  RunningProgram(const SettingsValues& settings, const std::string& arguments);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  HWND Frame() const { return frame_; }
  // Lets the program reach its first idle moment (its start-up posts are handled).
  void Settle() const;
  // Waits until the status bar's folder pane shows a text as long as this folder's (the status
  // bar's texts cannot be read from another process, their lengths can): on a busy machine the
  // start-up posts can take longer than any fixed settling time.
  bool WaitForFolderShown(const std::string& folder, DWORD milliseconds = 30000) const;
  // The text of a pane of the status bar (read through memory lent in the program's process).
  std::string StatusText(int pane) const;
  // A window of the program's view, by its class.
  HWND FindChild(const char* className) const;
  // A visible top-level window of the program with the caption, waited for; null when none came.
  HWND WaitForWindow(const std::string& caption, DWORD milliseconds = 20000) const;
  // The same for a caption that starts with the text.
  HWND WaitForWindowStartingWith(const std::string& captionStart, DWORD milliseconds = 20000) const;
  // Waits for the program's dialog (a window of the dialog class) with the caption, presses the
  // button and waits until the dialog has gone; the text the dialog shows (its first static text), "(no dialog)" when none
  // came.
  std::string AnswerDialog(const std::string& caption, int button, DWORD milliseconds = 20000) const;
  // Closes the main frame as the close box does; true when the process ended with exit code 0
  // within the time.
  bool Close(DWORD milliseconds = 20000);

 private:
  HWND WaitForWindowCaption(const std::string& caption, bool startOnly, DWORD milliseconds,
                            const char* className) const;

  PROCESS_INFORMATION process_ = {};
  HWND frame_ = nullptr;
  std::string savedSettings_;
  bool hadSettings_ = false;
};
