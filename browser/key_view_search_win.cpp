// The Key view's searches below the current folder: a key's files shown in the thumbnail view
// (alone or added to what it shows), every index opened to learn its keys, summaries compiled,
// and a key's files exported as an HTML page.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstdio>
#include <vector>

#include "file_question.h"
#include "key_export_page.h"
#include "key_index.h"
#include "key_view.h"
#include "key_view_host.h"
#include "key_view_support.h"
#include "name_node.h"
#include "progress_window.h"
#include "wait_cursor.h"

namespace {

constexpr UINT kSearchLockMilliseconds = 1000;

// Compiling shows the folder it has reached under its first line.
class CompileProgress : public KeyWalkEscape {
 public:
  explicit CompileProgress(CProgressWnd& progress) : progress_(progress) {}
  void CompileReached(int, const std::string& folder) override { progress_.SetLine2(folder.c_str()); }

 private:
  CProgressWnd& progress_;
};

}  // namespace

void CKeyView::OnSearchKey(UINT) { Search(false); }

void CKeyView::OnSearchOrKey(UINT) { Search(true); }

void CKeyView::Search(bool merge) {
  if (searchLock_) return;
  const HTREEITEM key = selectedKey_;
  {
    WaitCursor wait;
    {
      DisabledWindow disabled(MainWindow());
      if (!merge) host_.ShowKeySearchResults(nullptr, false);
      index_.FreeResults();
      if (key) {
        KeyWalkEscape escape;
        index_.SearchKey(CurrentFolder(), key, escape);
      }
    }
    searchLock_ = true;
    ::SetTimer(Handle(), kSearchLockTimer, kSearchLockMilliseconds, nullptr);
    host_.ShowKeySearchResults(index_.Results(), merge);
    const std::string path = index_.GetKeyPath(key);
    if (merge)
      host_.AppendStatusText(" OR " + path);
    else
      host_.SetStatusText(path);
  }
  RefreshTree();
  host_.RedrawThumbnails();
  index_.FreeResults();
}

void CKeyView::OnScanIndexes(UINT) {
  {
    WaitCursor wait;
    KeyWalkEscape escape;
    index_.SearchKey(CurrentDirectory(), nullptr, escape);
  }
  RefreshTree();
}

void CKeyView::OnCompileIndexes(UINT) {
  const std::string folder = CurrentDirectory();
  {
    DisabledWindow disabled(MainWindow());
    CProgressWnd progress(MainWindow(), true);
    progress.SetPos(0, 100);
    progress.SetLine1("Compiling...");
    CompileProgress observer(progress);
    index_.Compile(folder, observer);
    progress.SetPos(100, 100);
    progress.SetLines("Updating Links...", folder.c_str());
    progress.Close();
  }
  RefreshTree();
}

// Export.

std::string CKeyView::ExportPage(const std::string& folder, HTREEITEM from) {
  std::string page = KeyExportPageStart(folder);
  // Each key, then the keys below it in the order shown.
  std::vector<HTREEITEM> pending = {from};
  while (!pending.empty()) {
    const HTREEITEM item = pending.back();
    pending.pop_back();
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = tree_.GetChildItem(item); child; child = tree_.GetNextSiblingItem(child))
      children.push_back(child);
    pending.insert(pending.end(), children.rbegin(), children.rend());
    if (item == root_) continue;
    index_.FreeResults();
    KeyWalkEscape escape;
    index_.SearchKey(folder, item, escape);
    std::vector<KeyExportHit> hits;
    for (const CNameNode* hit = index_.Results(); hit; hit = hit->next) {
      const std::string path = std::string(hit->secondName) + "\\" + hit->name;
      std::string annotation;
      index_.GetAnnotation(path, &annotation);
      hits.push_back({PathBelowFolder(folder, path), annotation});
    }
    page += KeyExportSection(index_.GetKeyPath(item), hits);
  }
  index_.FreeResults();
  return page + KeyExportPageEnd();
}

void CKeyView::OnExportKeys(UINT) {
  const HTREEITEM from = tree_.GetSelectedItem();
  if (searchLock_ || !from) return;
  const std::string folder = CurrentDirectory();
  const std::string path = AskFileToSave(
      MainWindow(), {nullptr, "HTML Files (*.htm)\0*.htm\0", "htm", kExportFileName, folder}, OFN_NOREADONLYRETURN);
  if (path.empty()) return;
  FILE* file = std::fopen(path.c_str(), "w");
  if (!file) {
    Message(kExportOpenError, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  std::string page;
  {
    WaitCursor wait;
    DisabledWindow disabled(MainWindow());
    page = ExportPage(folder, from);
  }
  const bool written = std::fwrite(page.data(), 1, page.size(), file) == page.size();
  if (std::fclose(file) != 0 || !written) {
    Message(kExportWriteError, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  OpenExportedPage(path);
}

void CKeyView::OpenExportedPage(const std::string& path) {
  ::ShellExecuteA(MainWindow(), "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
