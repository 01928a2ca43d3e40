// Copying and moving a batch of dropped files between two folders through the program's own
// transfer (with the index keeping every file's keys in step, and the progress window a batch of
// that size shows) against the same operations done by SHFileOperation, alternating, in one run.
// HERE\source holds the files (made by file_transfer.sh), each with a key; the copies and moves go
// to folders below HERE and THERE (THERE may be on another drive). The best time of each is
// printed.
// file_transfer_bench HERE THERE [RUNS]
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "file_transfer.h"
#include "key_index.h"
#include "key_tree.h"
#include "window_transfer_host.h"

namespace {

double Now() {
  LARGE_INTEGER count, frequency;
  ::QueryPerformanceCounter(&count);
  ::QueryPerformanceFrequency(&frequency);
  return double(count.QuadPart) / double(frequency.QuadPart);
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> files;
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA((folder + "\\*.jpg").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do files.push_back(folder + "\\" + found.cFileName);
  while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return files;
}

// The files as the shell takes them: a double-NUL list.
std::string ShellList(const std::vector<std::string>& files) {
  std::string list;
  for (const std::string& file : files) list += file + '\0';
  return list + '\0';
}

// Wine's shell refuses to move a list of files into a folder (ERROR_CANCELLED), so every file is
// given its own target name, as FOF_MULTIDESTFILES allows.
bool Shell(UINT operation, const std::vector<std::string>& files, const std::string& destination) {
  std::vector<std::string> targets;
  for (const std::string& file : files) targets.push_back(destination + file.substr(file.rfind('\\')));
  const std::string from = ShellList(files), to = ShellList(targets);
  SHFILEOPSTRUCTA op = {};
  op.wFunc = operation;
  op.pFrom = from.c_str();
  op.pTo = to.c_str();
  op.fFlags = FOF_MULTIDESTFILES | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI | FOF_SILENT;
  const int result = ::SHFileOperationA(&op);
  if (result != 0 || op.fAnyOperationsAborted) std::fprintf(stderr, "SHFileOperation: %d\n", result);
  return result == 0 && !op.fAnyOperationsAborted;
}

// The same transfer with the index left out, to tell the file work from the keys' share.
class KeylessHost : public WindowTransferHost {
 public:
  using WindowTransferHost::WindowTransferHost;
  void FileMoved(const std::string&, const std::string&) override {}
  void FileCopied(const std::string&, const std::string&) override {}
};

enum class Way { kOurs, kOursWithoutKeys, kShell };

void Ours(Way way, bool move, const std::vector<std::string>& files, const std::string& destination) {
  std::unique_ptr<WindowTransferHost> keyed;
  std::unique_ptr<KeylessHost> keyless;
  WindowTransferHost& host = way == Way::kOurs ? *(keyed = std::make_unique<WindowTransferHost>(nullptr, int(files.size())))
                                               : *(keyless = std::make_unique<KeylessHost>(nullptr, int(files.size())));
  FileTransfer transfer(host);
  if (move)
    transfer.MoveFiles(files, destination, host.BatchProgress());
  else
    transfer.CopyFiles(files, destination, host.BatchProgress());
  g_keyIndex.SaveSecondFolder();
  g_keyIndex.SaveFolder();
}

void RemoveFolder(const std::string& folder) {
  for (const std::string& file : FilesIn(folder)) ::DeleteFileA(file.c_str());
  ::DeleteFileA((folder + "\\vireldan.iif").c_str());
  ::RemoveDirectoryA(folder.c_str());
}

bool Failed(const char* what, const std::string& folder) {
  std::fprintf(stderr, "%s: %s\n", what, folder.c_str());
  return false;
}

struct Best {
  double copy = 1e9, move = 1e9;
};

// Copies source into HERE-or-THERE\<name>-copy, then moves those copies on to <name>-moved.
bool Round(const std::string& source, const std::string& there, const char* name, Way way, Best& best) {
  const bool ours = way != Way::kShell;
  const std::string copied = there + "\\" + name + "-copy", moved = there + "\\" + name + "-moved";
  RemoveFolder(copied);
  RemoveFolder(moved);
  if (!::CreateDirectoryA(copied.c_str(), nullptr) || !::CreateDirectoryA(moved.c_str(), nullptr))
    return Failed("the folders could not be made", copied);
  const std::vector<std::string> files = FilesIn(source);
  double start = Now();
  if (ours)
    Ours(way, false, files, copied);
  else if (!Shell(FO_COPY, files, copied))
    return Failed("SHFileOperation did not copy", copied);
  best.copy = std::min(best.copy, Now() - start);
  const std::vector<std::string> copies = FilesIn(copied);
  start = Now();
  if (ours)
    Ours(way, true, copies, moved);
  else if (!Shell(FO_MOVE, copies, moved))
    return Failed("SHFileOperation did not move", moved);
  best.move = std::min(best.move, Now() - start);
  const bool complete = FilesIn(moved).size() == files.size() && FilesIn(copied).empty();
  RemoveFolder(copied);
  RemoveFolder(moved);
  return complete || Failed(ours ? "our transfer left files out" : "the shell left files out", moved);
}

bool KeyEveryFile(const std::string& source) {
  CKeyNode* key = FindOrInsertPath(g_keyIndex.MasterTree(), "Bench\\Moved");
  key->treeItem = key;
  for (const std::string& file : FilesIn(source)) g_keyIndex.SetFileKey(key, file, true);
  return g_keyIndex.SaveFolder();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: file_transfer_bench HERE THERE [RUNS]\n");
    return 2;
  }
  const std::string here = argv[1], there = argv[2], source = here + "\\source";
  const int runs = argc > 3 ? std::atoi(argv[3]) : 3;
  const size_t count = FilesIn(source).size();
  if (count == 0 || !KeyEveryFile(source)) {
    std::fprintf(stderr, "no keyed files in %s\n", source.c_str());
    return 1;
  }
  Best ours, keyless, shell;
  for (int run = 0; run < runs; ++run)
    if (!Round(source, there, "ours", Way::kOurs, ours) || !Round(source, there, "keyless", Way::kOursWithoutKeys, keyless) ||
        !Round(source, there, "shell", Way::kShell, shell))
      return 1;
  std::printf("files %u copy ours %.3f shell %.3f ratio %.3f move ours %.3f shell %.3f ratio %.3f\n",
              unsigned(count), ours.copy, shell.copy, ours.copy / shell.copy, ours.move, shell.move,
              ours.move / shell.move);
  std::printf("without keys: copy %.3f ratio %.3f move %.3f ratio %.3f\n", keyless.copy, keyless.copy / shell.copy,
              keyless.move, keyless.move / shell.move);
  return 0;
}
