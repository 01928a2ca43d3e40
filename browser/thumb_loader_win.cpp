#include "thumb_loader.h"

#include <objbase.h>
#include <process.h>

#include <memory>
#include <new>

#include "app_settings.h"
#include "private_messages.h"
#include "program_state.h"
#include "thumb_item.h"
#include "path_separators.h"
#include "thumb_job.h"
#include "tnc_location.h"
#include "wait_cursor.h"

namespace {

// No wait of the user-interface thread for the loader is unbounded: the loader may be stuck in a
// decode of a huge or damaged file, or gone.
constexpr DWORD kStartWaitMs = 10000;
constexpr DWORD kStopWaitMs = 5000;
constexpr DWORD kCommandWaitMs = 5000;
constexpr DWORD kIdleWaitMs = 10000;
constexpr DWORD kPollMs = 10;

// Sent to the loader when a result was taken or a suspension ended, so that it posts the
// results it owes; a thread message, so any id of the application's range does.
constexpr UINT kResultTaken = WM_APP + 0x41E;

// The image library has one cache stream for the process, so one loader thread at a time.
std::atomic<int> g_runningLoaders{0};

// A request carries the jobs of its files; these carry one job.
bool CarriesJob(UINT message) { return message == WM_THUMB_INVALIDATE || message == WM_THUMB_DELETE_CACHE; }

using ThumbJobs = std::vector<ThumbJob>;

// Frees what a queued message carries.
void DropCarried(const MSG& message) {
  if (message.message == WM_THUMB_LOAD) delete reinterpret_cast<ThumbJobs*>(message.lParam);
  if (CarriesJob(message.message)) delete reinterpret_cast<ThumbJob*>(message.lParam);
}

// Commands whose caller waits until the cache's state after them is published; their wParam is
// the ticket that tells the caller so.
bool IsWaitedFor(UINT message) { return message == WM_THUMB_CLOSE_CACHE || message == WM_THUMB_LOCK_CACHE; }

TncOptions CurrentTncOptions() { return TncOptionsFrom(g_settings, g_program.desktopFolder); }

// The current folder's drive as the main frame recorded it ("nameless" names a mirror folder the
// same way as no label).
platform::DriveInfo CurrentDrive() { return platform::DriveInfo{int(g_program.driveType), g_program.volumeName}; }

// A loader stopped while stuck in a decode ends by itself; the next one waits for that.
bool WaitForStoppedLoaders() {
  const DWORD start = ::GetTickCount();
  while (g_runningLoaders > 0) {
    if (::GetTickCount() - start >= kStartWaitMs) return false;
    ::Sleep(kPollMs);
  }
  return true;
}

}  // namespace

Cthumbloader::Cthumbloader(HWND notify)
    : notify_(notify), queueReady_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

Cthumbloader::~Cthumbloader() {
  if (thread_) ::CloseHandle(thread_);
  if (queueReady_) ::CloseHandle(queueReady_);
}

Cthumbloader* Cthumbloader::Begin(HWND notify) {
  if (!WaitForStoppedLoaders()) return nullptr;
  Cthumbloader* loader = new (std::nothrow) Cthumbloader(notify);
  if (!loader) return nullptr;
  unsigned id = 0;
  if (loader->queueReady_)
    loader->thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreadEntry, loader, CREATE_SUSPENDED, &id));
  if (!loader->thread_) {
    delete loader;
    return nullptr;
  }
  loader->threadId_ = id;
  ++g_runningLoaders;
  ::SetThreadPriority(loader->thread_, THREAD_PRIORITY_BELOW_NORMAL);
  ::ResumeThread(loader->thread_);
  if (::WaitForSingleObject(loader->queueReady_, kStartWaitMs) != WAIT_OBJECT_0) {
    // The thread ends as soon as it runs.
    loader->stopping_ = true;
    loader->Release();
    return nullptr;
  }
  return loader;
}

void Cthumbloader::Stop() {
  stopping_ = true;
  Post(WM_THUMB_QUIT);
  ::SetThreadPriority(thread_, THREAD_PRIORITY_HIGHEST);
  if (::WaitForSingleObject(thread_, kStopWaitMs) != WAIT_OBJECT_0)
    ::SetThreadPriority(thread_, THREAD_PRIORITY_BELOW_NORMAL);
  Release();
}

void Cthumbloader::Release() {
  if (--references_ == 0) delete this;
}

unsigned __stdcall Cthumbloader::ThreadEntry(void* self) {
  static_cast<Cthumbloader*>(self)->Run();
  return 0;
}

void Cthumbloader::Run() {
  MSG message;
  ::PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // makes the message queue
  ::SetEvent(queueReady_);
  const HRESULT com = ::CoInitialize(nullptr);  // shortcuts are resolved through the shell
  while (!stopping_ && ::GetMessageA(&message, nullptr, 0, 0) > 0 && message.message != WM_THUMB_QUIT) {
    if (message.hwnd) {
      ::DispatchMessageA(&message);  // COM's own window of this apartment
      continue;
    }
    Dispatch(message);
    PublishCacheState();
    if (IsWaitedFor(message.message)) ticketsDone_ = unsigned(message.wParam);
    DeliverOwedResults();
  }
  cache_.Close();
  PublishCacheState();
  DropQueuedJobs();
  if (SUCCEEDED(com)) ::CoUninitialize();
  --g_runningLoaders;
  Release();
}

void Cthumbloader::Dispatch(const MSG& message) {
  if (message.message == WM_THUMB_LOAD) {
    const std::unique_ptr<ThumbJobs> jobs(reinterpret_cast<ThumbJobs*>(message.lParam));
    LoadThumbnails(*jobs);
    return;
  }
  const std::unique_ptr<ThumbJob> job(CarriesJob(message.message) ? reinterpret_cast<ThumbJob*>(message.lParam) : nullptr);
  try {
    switch (message.message) {
      case WM_THUMB_INVALIDATE:
        OnInvalidateEntry(*job);
        break;
      case WM_THUMB_DELETE_CACHE:
        OnDeleteCache(*job);
        break;
      case WM_THUMB_LOCK_CACHE:
        OnToggleLock();
        break;
      case WM_THUMB_CLOSE_CACHE:
        CloseCacheFile();
        break;
      default:
        break;
    }
  } catch (...) {
    // Out of memory: the cache stays as it is.
  }
}

void Cthumbloader::LoadThumbnails(const ThumbJobs& jobs) {
  busy_ = true;
  for (size_t i = 0; i < jobs.size() && !stopping_; ++i) {
    const ThumbJob& job = jobs[i];
    std::unique_ptr<Cimage> image(new (std::nothrow) Cimage);
    ThumbOutcome outcome = ThumbOutcome::kDecoded;
    try {
      if (image) outcome = MakeThumbnail(cache_, job, !suspended_, *image);
    } catch (...) {
      // Out of memory: the cache stays as it is, and the file still gets its result.
      image->DeleteImage();
      image->m_loadError = 1;
    }
    if (stopping_) break;  // nobody takes results any more
    if (outcome == ThumbOutcome::kDiscarded) {
      // The view would ask for the same file again at once; it may not until the suspension ends.
      halted_ = true;
      Deliver(0, nullptr, true);
      break;
    }
    const bool decoded = outcome == ThumbOutcome::kDecoded;
    Deliver(job.id, std::move(image), decoded || i + 1 == jobs.size());
    if (decoded) break;
  }
  busy_ = false;
}

void Cthumbloader::OnInvalidateEntry(const ThumbJob& job) {
  if (job.options.cacheMode != kTncDisabled) {
    UseCacheOf(cache_, job);
    cache_.Invalidate(job.file);
  }
  ++owedResults_;
}

void Cthumbloader::OnDeleteCache(const ThumbJob& job) {
  if (job.options.cacheMode == kTncDisabled) return;
  UseCacheOf(cache_, job);
  cache_.Delete();
}

void Cthumbloader::OnToggleLock() { cache_.ToggleLock(); }

void Cthumbloader::CloseCacheFile() { cache_.Close(); }

// The cache's state goes out with every result, so that the view sees the state the result left.
void Cthumbloader::Deliver(int id, std::unique_ptr<Cimage> image, bool endsRequest) {
  PublishCacheState();
  bool first = false;
  {
    const std::lock_guard<std::mutex> hold(resultsLock_);
    first = results_.empty();
    results_.push_back(Result{id, std::move(image)});
    answering_ = !endsRequest;
  }
  if (first && !::PostMessageA(notify_, WM_THUMB_READY, 0, 0)) {
    // Nobody to take them.
    const std::lock_guard<std::mutex> hold(resultsLock_);
    results_.clear();
    pending_ = false;
  }
}

// An owed result waits until the view has taken the one before, which it reads from the same
// place.
void Cthumbloader::DeliverOwedResults() {
  while (owedResults_ > 0 && !stopping_) {
    bool idle = false;
    if (!pending_.compare_exchange_strong(idle, true)) return;
    --owedResults_;
    Deliver(0, nullptr, true);
  }
}

void Cthumbloader::PublishCacheState() {
  const TncInfo info = cache_.Info();
  status_ = int(info.status);
  entries_ = info.entries;
  sameEdge_ = info.sameEdge;
  hits_ = info.hits;
  fileSizeKB_ = info.fileSizeKB;
  locked_ = info.locked;
  cacheOpen_ = cache_.IsOpen();
}

void Cthumbloader::DropQueuedJobs() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DropCarried(message);
}

bool Cthumbloader::Post(UINT message, WPARAM wParam) const {
  return ::PostThreadMessageA(threadId_, message, wParam, 0) != FALSE;
}

bool Cthumbloader::Send(UINT message, const ThumbJob& job) const {
  ThumbJob* copy = new (std::nothrow) ThumbJob(job);
  if (!copy) return false;
  if (::PostThreadMessageA(threadId_, message, 0, reinterpret_cast<LPARAM>(copy))) return true;
  delete copy;
  return false;
}

bool Cthumbloader::CarryOut(UINT message) {
  if (stopping_) return false;
  const unsigned ticket = ++ticketsAsked_;
  if (!Post(message, ticket)) return false;
  const auto done = [&] { return ticketsDone_ >= ticket; };
  WaitRaised(done, kCommandWaitMs, THREAD_PRIORITY_ABOVE_NORMAL);
  return done();
}

template <typename Done>
void Cthumbloader::WaitRaised(Done done, DWORD milliseconds, int priority) {
  ::SetThreadPriority(thread_, priority);
  const DWORD start = ::GetTickCount();
  while (!done() && ::WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT && ::GetTickCount() - start < milliseconds)
    ::Sleep(kPollMs);
  ::SetThreadPriority(thread_, THREAD_PRIORITY_BELOW_NORMAL);
}

bool Cthumbloader::RequestThumbnail(const CThumbItem& item, int edge) {
  const CThumbItem* one = &item;
  return Ask(&one, 1, edge);
}

bool Cthumbloader::RequestThumbnails(const std::vector<CThumbItem*>& items, int edge) {
  return Ask(items.data(), items.size(), edge);
}

bool Cthumbloader::Ask(const CThumbItem* const* items, size_t count, int edge) {
  if (stopping_ || count == 0) return false;
  for (size_t i = 0; i < count; ++i)
    if (items[i]->id < 1) return false;
  if (suspended_ && halted_) return false;
  std::unique_ptr<ThumbJobs> jobs(new (std::nothrow) ThumbJobs);
  if (!jobs) return false;
  const TncOptions options = CurrentTncOptions();
  const platform::DriveInfo drive = CurrentDrive();
  const bool cacheSmallFiles = g_settings.thumbnails.dosmall != 0;
  try {
    jobs->reserve(count);
    for (size_t i = 0; i < count; ++i) jobs->push_back(ThumbJobFor(*items[i], edge, options, drive, cacheSmallFiles));
  } catch (const std::bad_alloc&) {
    return false;
  }
  halted_ = false;
  bool idle = false;
  if (!pending_.compare_exchange_strong(idle, true)) return false;
  {
    const std::lock_guard<std::mutex> hold(resultsLock_);
    answering_ = true;
  }
  if (::PostThreadMessageA(threadId_, WM_THUMB_LOAD, 0, reinterpret_cast<LPARAM>(jobs.get()))) {
    jobs.release();
    return true;
  }
  pending_ = false;
  return false;
}

bool Cthumbloader::InvalidateEntry(const CThumbItem& item) {
  return !stopping_ && Send(WM_THUMB_INVALIDATE, ThumbJobFor(item, edge_, CurrentTncOptions(), CurrentDrive(), false));
}

void Cthumbloader::SetEdge(int edge) { edge_ = edge; }

void Cthumbloader::DeleteCache(const std::string& folder) {
  if (stopping_) return;
  ThumbJob job;
  job.folder = platform::WithoutTrailingSeparators(folder);
  job.edge = edge_;
  job.options = CurrentTncOptions();
  job.drive = CurrentDrive();
  Send(WM_THUMB_DELETE_CACHE, job);
}

// The answer is read only once the loader has published the state the toggle left: read any
// earlier, it is the state before the toggle or after it, whichever the loader got to first.
bool Cthumbloader::ToggleLock() {
  const bool before = locked_;
  if (stopping_) return before;
  return CarryOut(WM_THUMB_LOCK_CACHE) ? locked_.load() : !before;
}

void Cthumbloader::CloseCache() { CarryOut(WM_THUMB_CLOSE_CACHE); }

void Cthumbloader::NoteStale(int n) {
  if (!stopping_) cache_.NoteStale(n);
}

void Cthumbloader::SetSuspended(bool on) {
  suspended_ = on;
  if (!on && halted_.exchange(false)) {
    // The view stopped asking when its last request was discarded: a result sets it going again.
    ++owedResults_;
    Post(kResultTaken);
  }
}

void Cthumbloader::WaitIdle() {
  const WaitCursor cursor;
  WaitRaised([&] { return !busy_; }, kIdleWaitMs, THREAD_PRIORITY_ABOVE_NORMAL);
}

bool Cthumbloader::HasResult() const {
  const std::lock_guard<std::mutex> hold(resultsLock_);
  return !results_.empty();
}

int Cthumbloader::GetResultId() const {
  const std::lock_guard<std::mutex> hold(resultsLock_);
  return results_.empty() ? 0 : results_.front().id;
}

// The oldest result stays where it is while later ones are queued behind it.
Cimage& Cthumbloader::Image() {
  const std::lock_guard<std::mutex> hold(resultsLock_);
  return results_.empty() || !results_.front().image ? noImage_ : *results_.front().image;
}

std::unique_ptr<Cimage> Cthumbloader::TakeImage() {
  const std::lock_guard<std::mutex> hold(resultsLock_);
  return results_.empty() ? nullptr : std::move(results_.front().image);
}

void Cthumbloader::ClearPending() {
  {
    const std::lock_guard<std::mutex> hold(resultsLock_);
    if (!results_.empty()) results_.pop_front();
    if (!results_.empty() || answering_) return;
    pending_ = false;
  }
  if (owedResults_ > 0 && !stopping_) Post(kResultTaken);
}

bool Cthumbloader::IsCacheOpen() const { return cacheOpen_; }

TncInfo Cthumbloader::CacheInfo() const {
  TncInfo info;
  info.status = TncStatus(status_.load());
  info.entries = entries_;
  info.sameEdge = sameEdge_;
  info.hits = hits_;
  info.fileSizeKB = fileSizeKB_;
  info.locked = locked_;
  return info;
}

bool Cthumbloader::IsLocked() const { return locked_; }
