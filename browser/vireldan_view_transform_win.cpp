// The lossless turn and flip of the selected files, on a worker of their own, and the thumbnails
// made again for each file the worker rewrote.
#include <string>

#include "app.h"
#include "batch_threads.h"
#include "command_ids.h"
#include "thumb_loader.h"
#include "thumb_schedule.h"
#include "vireldan_view.h"

namespace {

int TransformCode(UINT id) {
  switch (id) {
    case ID_LOSSLESS_CLOCKWISE: return 1;
    case ID_LOSSLESS_COUNTERCLOCKWISE: return 2;
    case ID_LOSSLESS_180: return 3;
    case ID_LOSSLESS_FLIP_VERTICAL: return 4;
    default: return 5;
  }
}

}  // namespace

void CVireldanView::OnLosslessTransform(UINT id) { LosslessTransformSelected(TransformCode(id)); }

void CVireldanView::LosslessTransformSelected(int code) {
  if (items_.CountSelected() == 0) return;
  const HWND owner = ::GetAncestor(Handle(), GA_ROOT);
  auto* job = new BatchJob;
  job->mode = BatchJob::kTransform;
  job->op = code;
  job->files = BuildWorkList(items_);
  job->owner = owner;
  job->notify = Handle();
  // A start that fails has freed the job already.
  if (!StartTransformThread(job)) {
    ::MessageBoxA(owner, "The pictures could not be turned: no worker could be started.", MessageCaption(),
                  MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  DeselectAll();
  Redraw();
}

// A rewritten file keeps its times but mostly not its size: every item of that file loses its
// thumbnail and takes the file's present size, so that its old thumbnail cannot come back from
// the cache.
void CVireldanView::OnFileChanged(const std::string& path) {
  const size_t split = path.find_last_of("\\/");
  CThumbItem present;
  present.folder = split == std::string::npos ? std::string() : path.substr(0, split + 1);
  present.name = split == std::string::npos ? path : path.substr(split + 1);
  if (StatThumbItem(present, true) != platform::FileLookup::kFound) return;
  if (loader_) loader_->InvalidateEntry(present);
  for (CThumbItem* item = items_.GetFirst(); item; item = items_.GetNext()) {
    if (item->name != present.name || item->folder != present.folder) continue;
    item->FreeThumbnail();
    item->sizeKB = present.sizeKB;
    item->lastWrite = present.lastWrite;
    item->creation = present.creation;
  }
  scheduleCursor_.Reset();
  Redraw();
}
