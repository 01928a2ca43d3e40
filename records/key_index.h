#pragma once
// The program's keyword index: the master tree of every key seen so far, the index of the open
// folder (the current slot, with the folder's summary when asked for), a second slot that file
// copies and moves write into, and the result list of the last search. It works on files only
// (no windows), so the Key view, the thumbnail view and the file operations share it, and so can
// Thumbwell. A folder's index lives in its "vireldan.iif"; a slot is open from OpenFolder until
// SaveFolder, which writes it back (when changed) and closes it.
#include <functional>
#include <string>

#include "key_index_format.h"
#include "key_tree_display.h"
#include "key_walk_observer.h"

class CNameNode;

class CKeyIndex {
 public:
  // The Key view's tree item (its HTREEITEM) bound to a master key; nullptr for none.
  using TreeItem = void*;
  // Key paths handed to callers are cut to fit the buffer they were kept in.
  static constexpr size_t kKeyPathSize = 5000;
  // Summaries of this many entries or more are not kept: the sub-tree is searched instead.
  static constexpr size_t kMaxSummaryEntries = 20000;

  CKeyIndex() = default;
  ~CKeyIndex();  // saves both slots (Clear)
  CKeyIndex(const CKeyIndex&) = delete;
  CKeyIndex& operator=(const CKeyIndex&) = delete;

  // The master tree as the standalone key file "startup.iif": written at exit, read at start-up.
  // Loading frees the master tree first; a missing or foreign file leaves none.
  bool SaveKeyTreeFile(const std::string& path);
  void LoadKeyTreeFile(const std::string& path);

  void OpenFolder(const std::string& folder, bool withSummary);
  // Writes the slot back when it changed (a temporary file then one replace), drops its keys no
  // file uses, invalidates the summaries of the folders above, and closes the slot. When the write
  // fails the old file stays as it was, the slot stays open with its changes, the write-error flag
  // is set, and the result is false.
  bool SaveFolder();
  // The same for the second slot, which holds no summary and keeps entries without keys.
  void OpenSecondFolder(const std::string& folder);
  bool SaveSecondFolder();

  std::string GetKeyPath(TreeItem item) const;
  // Adds or removes the item's key on the file (removing takes the keys below it as well). A
  // shortcut's key goes to its target. The caller saves after a batch.
  void SetFileKey(TreeItem item, const std::string& file, bool add);
  // The file (a shortcut's target) carries the item's key or one below it.
  bool FileHasKey(TreeItem item, const std::string& file);
  // False when the folder has no entry for the file.
  bool GetAnnotation(const std::string& file, std::string* annotation);
  // Keeps at most 255 characters, without trailing line ends.
  void SetAnnotation(const std::string& file, const std::string& text);

  // Keep the index in step with file operations; the caller saves both slots afterwards.
  void CopyFileKeys(const std::string& source, const std::string& destination);
  void MoveFileKeys(const std::string& source, const std::string& destination);
  void RemoveFile(const std::string& file);
  void RenameFile(const std::string& folder, const std::string& oldName, const std::string& newName);

  // Clears the summary of every folder above folder, up to the drive root: they no longer tell
  // what lies below them.
  void InvalidateSummaries(const std::string& folder);

  // Collects into the result list every file below folder carrying the item's key or one below
  // it; with no item it only opens every index, which merges their keys into the master tree.
  void SearchKey(const std::string& folder, TreeItem item, KeyWalkObserver& observer);
  void FreeResults();
  // Stores in each folder from folder down a summary of the keyed files below it.
  void Compile(const std::string& folder, KeyWalkObserver& observer);
  // Renames the item's key in every index from folder down, then in the master tree.
  void RenameKeyInFolders(const std::string& folder, TreeItem item, const std::string& name,
                          KeyWalkObserver& observer);
  // Removes the item's key (and those below it) from every file from folder down, then from the
  // master tree.
  void DeleteKey(TreeItem item, const std::string& folder, KeyWalkObserver& observer);

  // Saves both slots, frees the master tree, both slots and the results.
  void Clear();

  // The master tree in the Key view: every key not shown yet gets its item (each level sorted);
  // a new key "new key" as the first child of the parent item's key (the view's root item: the
  // first top-level key), its item returned; a key renamed in the master tree only.
  void FillTree(KeyTreeDisplay& view);
  TreeItem NewKey(KeyTreeDisplay& view, TreeItem parent);
  void RenameKey(KeyTreeDisplay& view, TreeItem item, const std::string& name);
  // Marks in the view every key of the file that the view shows.
  void ShowFileKeys(KeyTreeDisplay& view, const std::string& file);

  KeyTree& MasterTree() { return master_; }
  CKeyNode* MasterNodeOf(TreeItem item) const;
  // Newest hit first; file name and folder (without a trailing separator) per node. The index
  // keeps ownership until FreeResults.
  CNameNode* Results() const { return results_; }
  bool WriteErrorOccurred() const { return writeError_; }
  void ClearWriteError() { writeError_ = false; }

 private:
  struct Slot {
    bool open = false;
    bool dirty = false;
    // The file there is not a keyword index of ours: it is left alone unless its keys change.
    bool foreign = false;
    std::string folder;
    KeyIndexContents contents;
  };

  // Loads the slot's file and merges its keys into the master tree.
  void Load(Slot& slot, const std::string& folder, bool withSummary);
  bool Write(Slot& slot, bool dropBareEntries, bool withSummary);
  // The current slot opened on the folder of file (without summary); the file's name.
  std::string OpenFolderOf(const std::string& file);
  // Asks the observer unless the walk is cancelled already; true once it is.
  bool Stopped(KeyWalkObserver& observer);
  void CollectHits(const CKeyChain& chain, const CKeyNode* master, KeyWalkObserver& observer);
  // Opens every index from folder down and hands change the folder's key of that path, where
  // there is one; a folder whose key change says true is written.
  void ChangeKeyInFolders(const std::string& folder, const std::string& path, KeyWalkObserver& observer,
                          const std::function<bool(CKeyNode* key)>& change);

  KeyTree master_;
  Slot current_;
  Slot second_;
  CNameNode* results_ = nullptr;
  bool writeError_ = false;
  // A long walk was cancelled: it stops, and a summary is not written.
  bool cancelled_ = false;
  int entriesSeen_ = 0;
};

// The program's one keyword index. Its destruction at program end saves both slots.
extern CKeyIndex g_keyIndex;

// What an index write error tells the user.
constexpr char kKeyIndexWriteErrorMessage[] =
    "An error occurred writing to an index file - vireldan.iif\nBe sure they are not marked Read Only";
