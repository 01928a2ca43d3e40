// Files with a like name: selecting them all, and Auto Sort, which moves each series of a folder
// into a subfolder of its own, the files' keys going with them.
#include <set>
#include <string>
#include <vector>

#include "app.h"
#include "clipboard_text.h"
#include "failure_list_text.h"
#include "name_prefix.h"
#include "progress_window.h"
#include "thumb_loader.h"
#include "vireldan_view.h"

namespace {

// Moves the group's files into its subfolder; the items moved go into moved, the names that
// could not be moved into failed.
void MoveGroup(const std::string& folder, const AutoSortGroup& group, const std::vector<CThumbItem*>& items,
               std::set<const CThumbItem*>& moved, std::vector<std::string>& failed) {
  const std::string target = folder + group.folder;
  if (!::CreateDirectoryA(target.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
    failed.push_back(group.folder + "\\");
    return;
  }
  for (const size_t member : group.members) {
    CThumbItem* item = items[member];
    const std::string source = item->folder + item->name;
    const std::string destination = target + "\\" + item->name;
    // Never over a file of the same name already in the subfolder.
    if (!::MoveFileA(source.c_str(), destination.c_str())) {
      failed.push_back(item->name);
      continue;
    }
    g_keyIndex.MoveFileKeys(source, destination);
    moved.insert(item);
  }
}

}  // namespace

int CVireldanView::SelectLikeNamed(const std::string& name) {
  const NamePrefix prefix = GetNamePrefix(name);
  int count = 0;
  for (CThumbItem* item = items_.GetFirst(); item; item = items_.GetNext()) {
    if (!prefix.Matches(name, item->name)) continue;
    item->selected = 1;
    ++count;
  }
  return count;
}

void CVireldanView::OnSelectLikeFilenames(UINT) {
  const CThumbItem* first = items_.GetFirstSelected();
  if (!first) return;
  const std::string name = first->name;
  SelectLikeNamed(name);
  PutTextOnClipboard(Handle(), GetNamePrefix(name).Text(name));
  UpdateScrollAndStatus();
  Redraw();
}

void CVireldanView::AutoSort() {
  if (!plainFolder_ || items_.GetCount() == 0) return;
  const HWND main = ::GetAncestor(Handle(), GA_ROOT);
  ::EnableWindow(main, FALSE);
  if (loader_) loader_->SetSuspended(true);
  WaitForLoaderIdle();
  CancelTip();

  CProgressWnd progress(main, false);
  progress.SetLines("Searching...", "");
  std::vector<CThumbItem*> items;
  std::vector<std::string> names;
  for (CThumbItem* item = items_.GetFirst(); item; item = items_.GetNext()) {
    items.push_back(item);
    names.push_back(item->name);
  }
  const std::vector<AutoSortGroup> groups = AutoSortGroups(names);

  std::set<const CThumbItem*> moved;
  std::vector<std::string> failed;
  g_keyIndex.ClearWriteError();
  for (size_t at = 0; at < groups.size() && !g_bCancel; ++at) {
    progress.SetLines("Moving...", groups[at].prefix.c_str());
    progress.SetPos(int(at * 100 / groups.size()), 100);
    MoveGroup(folder_, groups[at], items, moved, failed);
    // Written after each group, so that a cancel or a failure later keeps the keys of the moved.
    g_keyIndex.SaveSecondFolder();
    g_keyIndex.SaveFolder();
  }
  progress.Close();

  NoteCacheChange(int(moved.size()));
  items_.RemoveWhere([&](CThumbItem* item) {
    if (!moved.count(item)) return false;
    ForgetItem(item);
    return true;
  });
  if (loader_) loader_->SetSuspended(false);
  ::EnableWindow(main, TRUE);
  UpdateScrollAndStatus();
  Redraw();

  std::string problems = FailureListText("These could not be moved:", failed);
  if (g_keyIndex.WriteErrorOccurred()) problems += (problems.empty() ? "" : "\n\n") + std::string(kKeyIndexWriteErrorMessage);
  if (!problems.empty()) ::MessageBoxA(main, problems.c_str(), MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
}
