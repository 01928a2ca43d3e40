// The thumbnail loader thread as the view drives it: one request at a time (of one file or
// several), answered through WM_THUMB_READY to the view's window, in a real folder of pictures,
// broken files and odd names.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app_settings.h"
#include "file_system.h"
#include "private_messages.h"
#include "thumb_decode.h"
#include "thumb_item.h"
#include "thumb_loader.h"
#include "thumb_test_images.h"
#include "tnc_test_support.h"

namespace {

constexpr int kEdge = 100;
constexpr DWORD kResultWaitMs = 30000;
// A loader that cannot end still lets its user go after its own bound; this one is looser, for
// a busy machine.
constexpr DWORD kReturnBoundMs = 15000;

struct Result {
  bool arrived = false;
  int id = -1;
  bool loadError = false;
  int width = 0;
  int height = 0;
};

// What the view does with WM_THUMB_READY: read the id and the picture, then let the next go.
Result NextResult(HWND window, Cthumbloader* loader, DWORD milliseconds = kResultWaitMs) {
  Result result;
  const DWORD start = ::GetTickCount();
  MSG message;
  while (!::PeekMessageA(&message, window, WM_THUMB_READY, WM_THUMB_READY, PM_REMOVE)) {
    const DWORD waited = ::GetTickCount() - start;
    if (waited >= milliseconds) return result;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - waited, QS_POSTMESSAGE);
  }
  result.arrived = true;
  result.id = loader->GetResultId();
  const Cimage copy = loader->Image();
  result.loadError = copy.m_loadError != 0;
  result.width = copy.m_pixels ? copy.m_width : 0;
  result.height = copy.m_pixels ? copy.m_height : 0;
  loader->ClearPending();
  return result;
}

bool NoResultFor(HWND window, DWORD milliseconds) {
  MSG message;
  ::Sleep(milliseconds);
  return !::PeekMessageA(&message, window, WM_THUMB_READY, WM_THUMB_READY, PM_NOREMOVE);
}

// A decoder that holds the loader up until it is let go, as a huge or broken file can.
std::atomic<bool> g_entered{false};
HANDLE g_letGo = nullptr;
ThumbDecoder g_realDecoder = nullptr;

void StuckDecoder(const std::string& path, int edge, Cimage& image) {
  g_entered = true;
  ::WaitForSingleObject(g_letGo, INFINITE);
  g_realDecoder(path, edge, image);
}

class ThumbLoader : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    g_settings.thumbnails.cachemode = kTncAutomatic;
    g_settings.thumbnails.dosmall = 0;
    g_settings.thumbnails.limit = 1;
    g_settings.thumbnails.thresh = 1;
    g_settings.thumbnails.cachequality = 1;
    g_settings.hiddenFiles.tnc = 0;
    window_ = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window_);
  }
  void TearDown() override {
    if (loader_) loader_->Stop();
    ::DestroyWindow(window_);
    TempFolderTest::TearDown();
  }

  std::string Folder() const { return folder_.string(); }
  std::string PathOf(const std::string& name) const { return Folder() + "\\" + name; }
  std::string CachePath() const { return PathOf(kTncFileName); }

  void Picture(const std::string& name, int width = 640, int height = 480) {
    ASSERT_TRUE(WritePatternPicture(PathOf(name), width, height, unsigned(items_.size() + 1)));
    AddItem(name);
  }
  // Pictures, a PNG, a text file named .jpg, a JPEG cut short and a name of 80 characters.
  void MixedFolder() {
    for (int i = 1; i <= 5; ++i) Picture("photo" + std::to_string(i) + ".jpg", 400 + 40 * i, 300 + 10 * i);
    Picture("drawing.png", 300, 200);
    Make("letter.jpg", "Dear reader, this is not a picture." + std::string(6000, ' '));
    AddItem("letter.jpg");
    ASSERT_TRUE(WritePatternPicture(PathOf("whole.jpg"), 800, 600, 99));
    ASSERT_TRUE(WriteTruncatedCopy(PathOf("whole.jpg"), PathOf("damaged.jpg"), 9000));
    ASSERT_TRUE(platform::RemoveFile(PathOf("whole.jpg")));
    AddItem("damaged.jpg");
    const std::string longName = std::string(76, 'x') + ".jpg";
    ASSERT_EQ(longName.size(), 80u);
    Picture(longName);
  }
  CThumbItem& AddItem(const std::string& name) {
    items_.emplace_back(new CThumbItem);
    CThumbItem& item = *items_.back();
    item.name = name;
    item.folder = Folder() + "\\";
    platform::FileStamp stamp;
    EXPECT_TRUE(platform::FindFileStamp(PathOf(name), &stamp));
    item.sizeKB = TncSizeKB(stamp.size);
    item.lastWrite = platform::FileTimeFromTicks(stamp.lastWrite);
    item.creation = platform::FileTimeFromTicks(stamp.creation);
    item.id = int32_t(items_.size());
    return item;
  }
  CThumbItem& Item(const std::string& name) {
    for (auto& item : items_)
      if (item->name == name) return *item;
    ADD_FAILURE() << name;
    return *items_.front();
  }

  void Start() {
    loader_ = Cthumbloader::Begin(window_);
    ASSERT_TRUE(loader_);
  }
  void StopLoader() {
    loader_->Stop();
    loader_ = nullptr;
  }
  Result Load(const CThumbItem& item) {
    if (!loader_->RequestThumbnail(item, kEdge)) return Result{};
    return NextResult(window_, loader_);
  }
  // Every item in turn, as the view's request chain asks for them; the results by name.
  std::map<std::string, Result> LoadAll() {
    std::map<std::string, Result> results;
    for (auto& item : items_) {
      const Result result = Load(*item);
      EXPECT_TRUE(result.arrived) << item->name;
      EXPECT_EQ(result.id, item->id) << item->name;
      results[item->name] = result;
    }
    return results;
  }

  HWND window_ = nullptr;
  Cthumbloader* loader_ = nullptr;
  std::vector<std::unique_ptr<CThumbItem>> items_;
  DecodeCounter decodes_;
};

TEST_F(ThumbLoader, EveryFileGetsAResultAndPicturesFitTheEdge) {
  MixedFolder();
  Start();
  std::map<std::string, Result> results = LoadAll();
  ASSERT_EQ(results.size(), items_.size());
  for (const auto& [name, result] : results) {
    if (name == "letter.jpg" || name == "damaged.jpg") continue;
    EXPECT_FALSE(result.loadError) << name;
    EXPECT_EQ(std::max(result.width, result.height), kEdge) << name;
  }
  EXPECT_TRUE(results["letter.jpg"].loadError);
  EXPECT_EQ(loader_->CacheInfo().status, TncStatus::kNewFile);
  StopLoader();
  EXPECT_TRUE(platform::FileExists(CachePath()));
}

TEST_F(ThumbLoader, ASecondVisitDecodesNothingCachedAndLeavesTheCacheFileAsItWas) {
  MixedFolder();
  Start();
  std::map<std::string, Result> first = LoadAll();
  StopLoader();
  const std::vector<uint8_t> before = FileBytes(CachePath());
  ASSERT_FALSE(before.empty());
  // Files that cannot be cached are decoded on every visit: those that do not load, and names
  // of 80 characters or more, which never match an entry.
  std::vector<std::string> uncacheable;
  for (auto& item : items_)
    if (first[item->name].loadError || item->name.size() >= 80) uncacheable.push_back(item->name);

  decodes_.Reset();
  Start();
  std::map<std::string, Result> second = LoadAll();
  EXPECT_EQ(decodes_.Files(), uncacheable);
  EXPECT_EQ(loader_->CacheInfo().hits, int(items_.size() - uncacheable.size()));
  for (const auto& [name, result] : second) {
    EXPECT_EQ(result.loadError, first[name].loadError) << name;
    EXPECT_EQ(result.width, first[name].width) << name;
    EXPECT_EQ(result.height, first[name].height) << name;
  }
  StopLoader();
  EXPECT_EQ(FileBytes(CachePath()), before);
}

TEST_F(ThumbLoader, AThousandStartsWithARequestNeitherHangNorLoseTheFirstRequest) {
  Picture("small.jpg", 64, 48);
  for (int cycle = 0; cycle < 1000; ++cycle) {
    Start();
    ASSERT_TRUE(loader_->RequestThumbnail(*items_[0], kEdge)) << cycle;
    if (cycle % 2 == 0) {
      const Result result = NextResult(window_, loader_);
      ASSERT_TRUE(result.arrived) << cycle;
      ASSERT_EQ(result.id, items_[0]->id) << cycle;
    }
    StopLoader();
    MSG late;
    while (::PeekMessageA(&late, window_, WM_THUMB_READY, WM_THUMB_READY, PM_REMOVE)) {
    }
  }
}

TEST_F(ThumbLoader, StoppingDuringTheDecodeOfALargePictureReturns) {
  Picture("large.png", 4000, 3000);
  Start();
  ASSERT_TRUE(loader_->RequestThumbnail(*items_[0], kEdge));
  ::Sleep(100);
  const DWORD start = ::GetTickCount();
  StopLoader();
  EXPECT_LT(::GetTickCount() - start, kReturnBoundMs);
}

TEST_F(ThumbLoader, WaitsForAStuckLoaderAreBoundedAndItEndsByItselfLater) {
  Picture("a.jpg");
  g_letGo = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  g_entered = false;
  g_realDecoder = ReplaceThumbDecoder(StuckDecoder);
  Start();
  ASSERT_TRUE(loader_->RequestThumbnail(*items_[0], kEdge));
  while (!g_entered) ::Sleep(5);
  for (const auto& wait : {+[](Cthumbloader* l) { l->WaitIdle(); }, +[](Cthumbloader* l) { l->CloseCache(); },
                           +[](Cthumbloader* l) { l->Stop(); }}) {
    const DWORD start = ::GetTickCount();
    wait(loader_);
    EXPECT_LT(::GetTickCount() - start, kReturnBoundMs);
  }
  loader_ = nullptr;
  ::SetEvent(g_letGo);
  ReplaceThumbDecoder(g_realDecoder);
  // The stopped loader finishes its decode, posts nothing, closes its cache and goes away; a new
  // one works in the same folder.
  EXPECT_TRUE(NoResultFor(window_, 500));
  Start();
  const Result result = Load(*items_[0]);
  EXPECT_TRUE(result.arrived);
  EXPECT_EQ(result.id, items_[0]->id);
  StopLoader();
  ::CloseHandle(g_letGo);
}

TEST_F(ThumbLoader, InvalidationsWhileARequestIsPendingAreEachCarriedOutAndAnswered) {
  Picture("a.jpg");
  Picture("b.jpg");
  Picture("c.jpg");
  Start();
  LoadAll();
  decodes_.Reset();
  ASSERT_TRUE(loader_->RequestThumbnail(Item("b.jpg"), kEdge));
  EXPECT_TRUE(loader_->InvalidateEntry(Item("a.jpg")));
  EXPECT_TRUE(loader_->InvalidateEntry(Item("c.jpg")));
  EXPECT_EQ(NextResult(window_, loader_).id, Item("b.jpg").id);
  for (int i = 0; i < 2; ++i) {
    const Result answer = NextResult(window_, loader_);
    EXPECT_TRUE(answer.arrived);
    EXPECT_EQ(answer.id, 0);
  }
  EXPECT_TRUE(NoResultFor(window_, 200));
  EXPECT_EQ(decodes_.Count(), 0);
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) EXPECT_EQ(Load(Item(name)).id, Item(name).id);
  EXPECT_EQ(decodes_.Files(), (std::vector<std::string>{"a.jpg", "c.jpg"}));
}

TEST_F(ThumbLoader, WhileSuspendedCacheHitsComeDecodesAreDiscardedOnceAndResumingRestartsTheChain) {
  Picture("cached.jpg");
  Picture("new.jpg");
  Start();
  ASSERT_EQ(Load(Item("cached.jpg")).id, Item("cached.jpg").id);
  decodes_.Reset();
  loader_->SetSuspended(true);

  const Result hit = Load(Item("cached.jpg"));
  EXPECT_EQ(hit.id, Item("cached.jpg").id);
  EXPECT_EQ(hit.width, kEdge);
  const Result discarded = Load(Item("new.jpg"));
  EXPECT_TRUE(discarded.arrived);
  EXPECT_EQ(discarded.id, 0);
  EXPECT_EQ(discarded.width, 0);
  // The view asks again at once: no ping-pong of requests and discarded results.
  EXPECT_FALSE(loader_->RequestThumbnail(Item("new.jpg"), kEdge));
  EXPECT_TRUE(NoResultFor(window_, 200));
  EXPECT_EQ(decodes_.Count(), 0);

  loader_->SetSuspended(false);
  const Result restart = NextResult(window_, loader_);
  EXPECT_TRUE(restart.arrived);
  EXPECT_EQ(restart.id, 0);
  EXPECT_EQ(Load(Item("new.jpg")).id, Item("new.jpg").id);
  EXPECT_EQ(decodes_.Count(), 1);
}

// A request of several files: the cached ones come one after the other, in the order asked (a
// message may bring several), and the first file that must be decoded ends it.
TEST_F(ThumbLoader, ARequestOfSeveralIsAnsweredInOrderAndEndsAtTheFirstDecode) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) Picture(name);
  Start();
  LoadAll();
  Picture("new.jpg");
  decodes_.Reset();
  const auto answers = [&](const std::vector<const char*>& names) {
    std::vector<CThumbItem*> asked;
    for (const char* name : names) asked.push_back(&Item(name));
    std::vector<int> ids;
    EXPECT_TRUE(loader_->RequestThumbnails(asked, kEdge));
    MSG message;
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < kResultWaitMs;) {
      if (!::PeekMessageA(&message, window_, WM_THUMB_READY, WM_THUMB_READY, PM_REMOVE)) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_POSTMESSAGE);
        continue;
      }
      while (loader_->HasResult()) {
        ids.push_back(loader_->GetResultId());
        const std::unique_ptr<Cimage> image = loader_->TakeImage();
        EXPECT_EQ(image ? std::max(image->m_width, image->m_height) : 0, kEdge) << ids.back();
        loader_->ClearPending();
      }
      // Answered: the next request is taken.
      if (loader_->RequestThumbnail(Item("d.jpg"), kEdge)) break;
    }
    EXPECT_EQ(NextResult(window_, loader_).id, Item("d.jpg").id);
    return ids;
  };
  EXPECT_EQ(answers({"a.jpg", "b.jpg", "new.jpg", "c.jpg"}),
            (std::vector<int>{Item("a.jpg").id, Item("b.jpg").id, Item("new.jpg").id}));
  EXPECT_EQ(decodes_.Files(), std::vector<std::string>{"new.jpg"});
  EXPECT_EQ(answers({"c.jpg", "new.jpg", "b.jpg", "a.jpg"}),
            (std::vector<int>{Item("c.jpg").id, Item("new.jpg").id, Item("b.jpg").id, Item("a.jpg").id}));
  EXPECT_EQ(decodes_.Count(), 1);
  EXPECT_TRUE(NoResultFor(window_, 200));
}

TEST_F(ThumbLoader, RequestsArePendingOneAtATimeAndItemsWithoutAnIdAreRefused) {
  Picture("a.jpg");
  Picture("b.jpg");
  Start();
  ASSERT_TRUE(loader_->RequestThumbnail(Item("a.jpg"), kEdge));
  EXPECT_FALSE(loader_->RequestThumbnail(Item("b.jpg"), kEdge));
  EXPECT_EQ(NextResult(window_, loader_).id, Item("a.jpg").id);
  for (const int id : {0, -1}) {
    Item("b.jpg").id = id;
    EXPECT_FALSE(loader_->RequestThumbnail(Item("b.jpg"), kEdge)) << id;
  }
  EXPECT_TRUE(NoResultFor(window_, 200));
}

TEST_F(ThumbLoader, CloseCacheReturnsWithTheFileClosedAndDeleteCacheRemovesOnlyTheNamedFoldersCache) {
  Picture("a.jpg");
  Start();
  Load(Item("a.jpg"));
  EXPECT_TRUE(loader_->IsCacheOpen());
  loader_->CloseCache();
  EXPECT_FALSE(loader_->IsCacheOpen());
  const HANDLE writer = ::CreateFileA(CachePath().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(writer, INVALID_HANDLE_VALUE) << "nobody holds the file";
  ::CloseHandle(writer);

  Load(Item("a.jpg"));
  EXPECT_EQ(loader_->CacheInfo().hits, 1);
  // Another folder's cache goes; the one open here, of a different folder, stays.
  const std::string other = PathOf("other");
  ASSERT_TRUE(platform::MakeFolder(other));
  PutFileBytes(other + "\\" + kTncFileName, TncFileBytes({}));
  loader_->DeleteCache(other + "\\");
  loader_->CloseCache();
  EXPECT_FALSE(platform::FileExists(other + "\\" + kTncFileName));
  EXPECT_TRUE(platform::FileExists(CachePath()));

  loader_->DeleteCache(Folder());
  loader_->CloseCache();
  EXPECT_FALSE(platform::FileExists(CachePath()));
  EXPECT_EQ(loader_->CacheInfo().status, TncStatus::kNoFile);
}

TEST_F(ThumbLoader, LockingFlipsTheFilesLockAndALockedCacheTakesNoNewThumbnails) {
  Picture("a.jpg");
  Picture("b.jpg");
  Start();
  Load(Item("a.jpg"));
  EXPECT_TRUE(loader_->ToggleLock());
  loader_->CloseCache();
  EXPECT_EQ(LittleEndian(FileBytes(CachePath()), 4, 2), 1u);
  Load(Item("a.jpg"));
  EXPECT_TRUE(loader_->IsLocked());
  const std::vector<uint8_t> locked = FileBytes(CachePath());
  Load(Item("b.jpg"));
  EXPECT_EQ(loader_->CacheInfo().entries, 1);
  EXPECT_FALSE(loader_->ToggleLock());
  loader_->CloseCache();
  EXPECT_EQ(LittleEndian(FileBytes(CachePath()), 4, 2), 0u);
  EXPECT_EQ(FileBytes(CachePath()).size(), locked.size());
}

// The lock command's check mark reads IsLocked as soon as the command returns.
TEST_F(ThumbLoader, EachToggleAnswersWithTheLockItLeftAndTheStateShowsItAtOnce) {
  Picture("a.jpg");
  Start();
  Load(Item("a.jpg"));
  for (int toggle = 0; toggle < 6; ++toggle) {
    const bool locked = toggle % 2 == 0;
    EXPECT_EQ(loader_->ToggleLock(), locked) << toggle;
    EXPECT_EQ(loader_->IsLocked(), locked) << toggle;
    EXPECT_EQ(loader_->CacheInfo().status, locked ? TncStatus::kLocked : TncStatus::kNormal) << toggle;
  }
}

TEST_F(ThumbLoader, ACacheThatAnotherProgramWritesCannotBeLocked) {
  Picture("a.jpg");
  Start();
  Load(Item("a.jpg"));
  loader_->CloseCache();
  const std::vector<uint8_t> before = FileBytes(CachePath());
  const HANDLE other = ::CreateFileA(CachePath().c_str(), GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Load(Item("a.jpg")).id, Item("a.jpg").id);
  EXPECT_FALSE(loader_->ToggleLock());
  EXPECT_FALSE(loader_->IsLocked());
  EXPECT_EQ(loader_->CacheInfo().status, TncStatus::kReadOnly);
  loader_->CloseCache();
  ::CloseHandle(other);
  EXPECT_EQ(FileBytes(CachePath()), before);
}

}  // namespace
