#include "file_transfer.h"

#include <functional>
#include <map>
#include <set>

#include "file_system.h"
#include "folder_entries.h"
#include "transfer_paths.h"

namespace {

constexpr int kSuffixNumbers = 9;

using Step = std::function<bool(const std::string& source, const std::string& target)>;
using Question = std::function<std::string(const std::string& fileName, const std::string& source)>;

enum class ProgressStyle {
  kEvery16th,           // moves are quick: the display would cost more than the work
  kEveryFile,           // position counted from 0, the source on the second line
  kEveryFileWithLines,  // a folder copy's files: counted from 1, source and target lines
};

}  // namespace

struct FileTransfer::Kind {
  const char* line1;
  ProgressStyle style;
  // The name the source gets in the destination; empty when it gets none.
  std::function<std::string(const std::string& fileName)> targetName;
  Step place;    // where no file of that name is
  Step replace;  // over the file of that name
  Step arrived;  // may be empty
  Question unsuffixable;
  Question replaceFailed;  // may be empty: the failure is not reported
  Question failed;         // may be empty
  bool skipFolderTargets;
};

namespace {

std::string Same(const std::string& fileName) { return fileName; }

bool PlaceMove(const std::string& source, const std::string& target) { return platform::MoveFileTo(source, target); }
bool ReplaceMove(const std::string& source, const std::string& target) {
  return platform::MoveFileOnto(source, target);
}
bool PlaceCopy(const std::string& source, const std::string& target) { return platform::CopyFileTo(source, target); }
bool ReplaceCopy(const std::string& source, const std::string& target) {
  return platform::CopyFileOnto(source, target);
}

}  // namespace

bool FileTransfer::RefusedIntoItself(const std::string& source, const std::string& destination) {
  if (platform::KindOfPath(source) != platform::PathKind::kDirectory || !IsSameOrInside(source, destination))
    return false;
  host_.Tell("A folder cannot be moved or copied into itself or a folder inside it:\n" + source);
  return true;
}

void FileTransfer::RunBatch(const Kind& kind, const std::vector<std::string>& sources, const std::string& destination,
                            TransferProgress* progress) {
  const int count = int(sources.size());
  if (progress && kind.line1) progress->SetLine1(kind.line1);
  CollisionAnswers answers;
  // Folders are looked up once each (long names cost the system a walk down the path): the
  // destination, and the folders the sources come from, which a batch mostly shares.
  const std::string destinationForm = ComparableFolder(destination);
  std::map<std::string, std::string> sourceFolderForms;
  std::set<std::string> delivered;  // the names this batch filled, in comparable form
  const auto ask = [&](const Question& question, const std::string& fileName, const std::string& source) {
    if (question && !host_.AskYesNo(question(fileName, source))) answers.stop = true;
  };
  for (int index = 0; index < count && !answers.stop && !host_.CancelRequested(); ++index) {
    const std::string& source = sources[size_t(index)];
    const std::string fileName = platform::FileNameOf(source);
    const std::string targetName = kind.targetName(fileName);
    if (targetName.empty()) continue;
    std::string target = PathInFolder(destination, targetName);
    if (kind.skipFolderTargets && platform::KindOfPath(target) == platform::PathKind::kDirectory) continue;
    if (progress) {
      switch (kind.style) {
        case ProgressStyle::kEvery16th:
          if (index % 16 == 15) {
            progress->SetPos(index + 1, count);
            progress->SetLine2(source);
          }
          break;
        case ProgressStyle::kEveryFile:
          progress->SetPos(index, count);
          progress->SetLine2(source);
          break;
        case ProgressStyle::kEveryFileWithLines:
          progress->SetPos(index + 1, count);
          progress->SetLines(source, target);
          break;
      }
    }
    const std::string sourceFolder = source.substr(0, source.size() - fileName.size());
    auto folderForm = sourceFolderForms.find(sourceFolder);
    if (folderForm == sourceFolderForms.end())
      folderForm = sourceFolderForms.emplace(sourceFolder, ComparableFolder(sourceFolder)).first;
    // Already where it would go.
    if (targetName == fileName && folderForm->second == destinationForm) continue;
    // Only a source whose folder holds the destination can be a folder that holds it.
    if (IsSameOrInsideComparable(folderForm->second, destinationForm) && RefusedIntoItself(source, destination))
      continue;
    std::string placedName = targetName;
    bool arrived = kind.place(source, target);
    if (!arrived && platform::KindOfPath(target) != platform::PathKind::kMissing) {
      // The name as written, or the long name it is short for.
      const bool ours = delivered.count(ComparableName(destinationForm, targetName)) != 0 ||
                        delivered.count(ComparableFolder(target)) != 0;
      switch (answers.Resolve(ours, [&] { return host_.AskCollision(source, target); })) {
        case CollisionAction::kSkip:
          break;
        case CollisionAction::kSuffix:
          for (int number = 1; number <= kSuffixNumbers && !arrived; ++number) {
            const std::string suffixed = SuffixedName(targetName, number);
            if (suffixed.empty()) break;
            placedName = suffixed;
            target = PathInFolder(destination, suffixed);
            arrived = kind.place(source, target);
            if (!arrived && platform::KindOfPath(target) == platform::PathKind::kMissing) break;
          }
          if (!arrived) ask(kind.unsuffixable, fileName, source);
          break;
        case CollisionAction::kReplace:
          arrived = kind.replace(source, target);
          if (!arrived) ask(kind.replaceFailed, fileName, source);
          break;
      }
    } else if (!arrived) {
      ask(kind.failed, fileName, source);
    }
    if (!arrived) continue;
    delivered.insert(ComparableName(destinationForm, placedName));
    if (kind.arrived) kind.arrived(source, target);
  }
}

void FileTransfer::MoveFiles(const std::vector<std::string>& sources, const std::string& destination,
                             TransferProgress* progress) {
  TransferDroppedFiles(true, sources, destination, progress);
}

void FileTransfer::CopyFiles(const std::vector<std::string>& sources, const std::string& destination,
                             TransferProgress* progress) {
  TransferDroppedFiles(false, sources, destination, progress);
}

void FileTransfer::TransferDroppedFiles(bool move, const std::vector<std::string>& sources,
                                        const std::string& destination, TransferProgress* progress) {
  host_.ClearCancelRequest();
  // What a transfer cut short here left (a file copied part way, under a temporary name that no
  // picture has) goes before new files come.
  platform::RemoveTemporariesBeside(PathInFolder(destination, std::string()));
  const std::string verb = move ? "move" : "copy";
  const std::string error = move ? "Error moving file\n" : "Error copying file\n";
  const auto failed = [error, verb](const std::string& fileName, const std::string&) {
    return error + fileName + "\nContinue attempting " + verb + "?";
  };
  const Kind kind = {move ? "Moving..." : "Copying...",
                     move ? ProgressStyle::kEvery16th : ProgressStyle::kEveryFile,
                     Same,
                     move ? PlaceMove : PlaceCopy,
                     move ? ReplaceMove : ReplaceCopy,
                     [this, move](const std::string& source, const std::string& target) {
                       if (move)
                         host_.FileMoved(source, target);
                       else
                         host_.FileCopied(source, target);
                       return true;
                     },
                     [verb](const std::string& fileName, const std::string&) {
                       return "Unable to suitably suffix file\n" + fileName + "\nContinue " + verb + "?";
                     },
                     failed,
                     failed,
                     false};
  RunBatch(kind, sources, destination, progress);
}

void FileTransfer::CopyFileList(const std::vector<std::string>& sources, const std::string& destination,
                                TransferProgress* progress) {
  const Kind kind = {nullptr,
                     ProgressStyle::kEveryFileWithLines,
                     Same,
                     PlaceCopy,
                     ReplaceCopy,
                     nullptr,
                     [](const std::string&, const std::string& source) {
                       return "Unable to suitably suffix file\n" + source + "\n\nContinue copy?";
                     },
                     [](const std::string&, const std::string& source) {
                       return "An error occured copying the file:\n " + source + "\n\nContinue attempting copy?";
                     },
                     [](const std::string&, const std::string& source) {
                       return "An error occured copying the file:\n" + source + "\n\nContinue attempting copy?";
                     },
                     true};
  RunBatch(kind, sources, destination, progress);
}

void FileTransfer::CreateShortcuts(const std::vector<std::string>& sources, const std::string& destination,
                                   TransferProgress* progress) {
  host_.ClearCancelRequest();
  // The link is written beside its place and then moved there, so that a name already taken goes
  // through the collision answers like any other file.
  const auto linkThen = [this](const Step& place) {
    return [this, place](const std::string& source, const std::string& shortcut) {
      const std::string temporary = platform::TemporaryNameBeside(shortcut);
      if (temporary.empty() || !host_.CreateShortcut(source, temporary)) return false;
      if (place(temporary, shortcut)) return true;
      platform::RemoveFile(temporary);
      return false;
    };
  };
  const Kind kind = {"Creating shortcuts...",
                     ProgressStyle::kEveryFile,
                     FileShortcutName,
                     linkThen(platform::MoveFileTo),
                     linkThen(platform::ReplaceFileWith),
                     nullptr,
                     [](const std::string& fileName, const std::string&) {
                       return "Unable to suitably suffix file\n" + fileName + "\nContinue?";
                     },
                     nullptr,
                     nullptr,
                     false};
  RunBatch(kind, sources, destination, progress);
}

bool FileTransfer::CopyFolderTree(const std::string& destinationParent, const std::string& sourceFolder, int depth) {
  if (depth == 0) {
    host_.ClearCancelRequest();
    folderProgress_ = nullptr;
  } else if (host_.CancelRequested()) {
    return false;
  }
  const std::string newFolder = PathInFolder(destinationParent, platform::FileNameOf(sourceFolder));
  bool made = false;
  if (depth == 0 && IsSameOrInside(sourceFolder, destinationParent)) {
    host_.Tell("A folder cannot be copied into itself or a folder inside it:\n" + sourceFolder);
  } else if (platform::KindOfPath(newFolder) != platform::PathKind::kMissing) {
    host_.Tell("Nothing was copied: a folder or file of that name is already there:\n" + newFolder);
  } else if (!platform::MakeFolder(newFolder)) {
    host_.Tell("Nothing was copied: the folder could not be created:\n" + newFolder);
  } else {
    made = true;
    if (depth == 1 && !folderProgress_) {
      folderProgress_ = host_.OpenFolderCopyProgress();
      if (folderProgress_) {
        folderProgress_->SetPos(0, 100);
        folderProgress_->SetTitle("Copying...");
      }
    }
    if (folderProgress_) folderProgress_->SetLines(sourceFolder, newFolder);
    std::vector<std::string> files;
    platform::ListFolder(sourceFolder, [&](const platform::FolderEntry& entry) {
      const std::string path = PathInFolder(sourceFolder, entry.name);
      // A link to another place would copy what lies outside the tree, or loop for ever.
      if (entry.isLink) return true;
      if (entry.stamp.directory)
        CopyFolderTree(newFolder, path, depth + 1);
      else
        files.push_back(path);
      return true;
    });
    if (!files.empty()) CopyFileList(files, newFolder, folderProgress_);
  }
  if (depth == 0) {
    if (folderProgress_) host_.CloseFolderCopyProgress();
    folderProgress_ = nullptr;
  }
  return made;
}
