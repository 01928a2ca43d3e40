#pragma once
// Moving, copying and linking dropped files into a folder, and copying whole folders: the batch
// loops with their collision answers, numbered names and questions. The questions, progress
// display and index updates go through the host, so the same loops run behind the program's
// windows and behind scripted tests. A file is never lost: it exists afterwards where it was or
// where it went, and a name it replaces is only given up by the user's Replace. A copy is written
// under a temporary name beside its target and renamed when whole; what a crash left of one is
// cleared by the next move or copy into that folder.
#include <string>
#include <vector>

#include "transfer_host.h"

class FileTransfer {
 public:
  explicit FileTransfer(TransferHost& host) : host_(host) {}

  // Each takes full source paths in the order to transfer them and a destination folder; progress
  // may be none.
  void MoveFiles(const std::vector<std::string>& sources, const std::string& destination,
                 TransferProgress* progress);
  void CopyFiles(const std::vector<std::string>& sources, const std::string& destination,
                 TransferProgress* progress);
  void CreateShortcuts(const std::vector<std::string>& sources, const std::string& destination,
                       TransferProgress* progress);
  // The files of one folder of a folder copy; their keys travel in the folder's own index file.
  void CopyFileList(const std::vector<std::string>& sources, const std::string& destination,
                    TransferProgress* progress);

  // Copies sourceFolder and everything below it into destinationParent under its own name; depth
  // 0 for the call that starts the copy. True when the new folder was made; otherwise the user has
  // been told why nothing was copied (a folder of that name is there already, which is never
  // merged into; the destination lies inside the source; the folder could not be made).
  bool CopyFolderTree(const std::string& destinationParent, const std::string& sourceFolder, int depth);

 private:
  struct Kind;
  void RunBatch(const Kind& kind, const std::vector<std::string>& sources, const std::string& destination,
                TransferProgress* progress);
  // MoveFiles (move) or CopyFiles.
  void TransferDroppedFiles(bool move, const std::vector<std::string>& sources, const std::string& destination,
                            TransferProgress* progress);
  bool RefusedIntoItself(const std::string& source, const std::string& destination);

  TransferHost& host_;
  TransferProgress* folderProgress_ = nullptr;
};
