#include "quick_web_run.h"

#include <cstdio>
#include <utility>

#include "Cimage.h"
#include "file_system.h"
#include "file_time_text.h"
#include "name_forms.h"
#include "path_separators.h"
#include "quick_web_names.h"
#include "transfer_paths.h"

const char kQuickWebSameFolderMessage[] =
    "The input and output directories are the same!\nThis will result in overwriting some of your original image "
    "files.\nThe web page creation process has been aborted.\n\nYou should create, and choose a new destination "
    "directory for your web page output";

namespace {

constexpr int kFitIntoBox = 4;
constexpr int kFullSize = 5;
constexpr int kFitKeepingAspect = 2;

#if defined(_WIN32)
constexpr char kLineEnd[] = "\r\n";
#else
constexpr char kLineEnd[] = "\n";
#endif

// A page file: the generated text with the system's line ends, include files byte for byte.
class FileSink : public PageSink {
 public:
  explicit FileSink(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {}
  ~FileSink() override { Close(); }
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  void Text(const std::string& text) override {
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
      Bytes(text.substr(start, end - start));
      Bytes(kLineEnd);
    }
    Bytes(text.substr(start));
  }
  void Bytes(const std::string& bytes) override {
    if (file_ && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
  }
  // False when anything could not be written.
  bool Close() {
    if (file_ && std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
  }

 private:
  std::FILE* file_;
  bool failed_ = false;
};

bool Loaded(const Cimage& picture) { return picture.m_valid && !picture.m_loadError && picture.m_pixels; }

bool SamePath(const std::string& a, const std::string& b) {
  return IsSameFolder(platform::FullPathName(a), platform::FullPathName(b));
}

// The files of the run in the output folder, and what went wrong on the way.
class SiteWriter {
 public:
  SiteWriter(const QuickWebJob& job, QuickWebHost& host) : job_(job), o_(job.options), host_(host) {}

  QuickWebOutcome Run();

 private:
  std::string InFolder(const std::string& name) const { return PathInFolder(o_.savepath, name); }
  // The background picture copied beside the pages (never onto itself); its name in the site.
  std::string CopyBackground(const std::string& path);
  // The picture's files and its cell; false when it could not be read or written.
  bool WritePicture(const QuickWebSource& source, const QuickWebNames& own, QuickWebCell& cell);
  // The pages of the pictures on the index page, each linking to its neighbours there.
  void WriteImagePages();
  void SaveJpeg(Cimage& picture, const std::string& name, int quality, bool& saved);
  std::string DateText(const std::string& path) const;

  const QuickWebJob& job_;
  const QuickWebOptions& o_;
  QuickWebHost& host_;
  QuickWebNaming naming_;
  std::string indexPage_;
  std::string indexBackground_, imageBackground_;
  std::vector<std::string> failures_;
  std::vector<std::pair<std::string, QuickWebImagePage>> pages_;  // file name, content
};

// Written once the pictures are done, so that Previous and Next lead only to pages that exist
// (a picture that could not be read, or was never reached after a cancel, has none).
void SiteWriter::WriteImagePages() {
  for (size_t at = 0; at < pages_.size(); ++at) {
    QuickWebImagePage& page = pages_[at].second;
    if (at > 0) page.previous = pages_[at - 1].first;
    if (at + 1 < pages_.size()) page.next = pages_[at + 1].first;
    page.now = host_.NowText();
    FileSink file(InFolder(pages_[at].first));
    if (file.IsOpen()) WriteQuickWebImagePage(o_, page, file);
    if (!file.Close()) failures_.push_back(InFolder(pages_[at].first));
  }
}

std::string SiteWriter::CopyBackground(const std::string& path) {
  const std::string name = naming_.Reserve(platform::FileNameOf(path));
  const std::string target = InFolder(name);
  if (!SamePath(path, target) && !platform::CopyFileOnto(path, target)) failures_.push_back(path);
  return name;
}

std::string SiteWriter::DateText(const std::string& path) const {
  platform::FileStamp stamp;
  if (!platform::FindFileStamp(path, &stamp)) return "xx-xx-xx";
  return FormatFileTime(platform::FileTimeFromTicks(stamp.lastWrite));
}

void SiteWriter::SaveJpeg(Cimage& picture, const std::string& name, int quality, bool& saved) {
  // The site's pictures carry no camera block. Dropping it from this picture leaves the library's
  // setting alone, which other threads' saves go by.
  picture.EXIFDeleteBuffer();
  picture.SaveImage(InFolder(name).c_str(), quality, 0, 0, 0, 0, 0, 0);
  if (picture.m_saveError) saved = false;
}

bool SiteWriter::WritePicture(const QuickWebSource& source, const QuickWebNames& own, QuickWebCell& cell) {
  const std::string path = source.folder + source.name;
  Cimage picture;
  picture.LoadImageA(path.c_str(), o_.wid, o_.hgt, o_.useoriginal ? kFullSize : kFitIntoBox);
  if (!Loaded(picture)) return false;
  const unsigned common = picture.FindCommonColor();
  bool saved = true;
  SaveJpeg(picture, own.image, o_.imagequality, saved);
  platform::FileStamp stamp;
  cell.image = own.image;
  cell.width = picture.m_width;
  cell.height = picture.m_height;
  cell.kilobytes = platform::FindFileStamp(InFolder(own.image), &stamp) ? int(stamp.size / 1024) : 0;
  cell.date = DateText(path);
  cell.annotation = source.annotation;
  cell.link = o_.createpages ? own.page : own.image;
  QuickWebImagePage page;
  page.image = own.image;
  page.width = picture.m_width;
  page.height = picture.m_height;
  page.indexPage = indexPage_;
  page.background = imageBackground_;
  page.commonColour = common;
  page.annotation = source.annotation;
  picture.ReSample(o_.thumbwid, o_.thumbhgt, kFitKeepingAspect);
  SaveJpeg(picture, own.thumbnail, o_.thumbquality, saved);
  cell.thumbnail = own.thumbnail;
  cell.thumbWidth = picture.m_width;
  cell.thumbHeight = picture.m_height;
  if (saved && o_.createpages) pages_.push_back({own.page, page});
  return saved;
}

QuickWebOutcome SiteWriter::Run() {
  for (const QuickWebSource& source : job_.sources) {
    if (SamePath(source.folder, o_.savepath)) {
      host_.Tell(kQuickWebSameFolderMessage);
      return QuickWebOutcome::kSameFolder;
    }
  }
  indexPage_ = naming_.Reserve(o_.filename + ".htm");
  if (o_.idx_usebg) indexBackground_ = CopyBackground(o_.idx_bgimage);
  if (o_.img_usebg)
    imageBackground_ = o_.idx_usebg && SamePath(o_.img_bgimage, o_.idx_bgimage) ? indexBackground_
                                                                                  : CopyBackground(o_.img_bgimage);
  FileSink file(InFolder(indexPage_));
  if (!file.IsOpen()) return QuickWebOutcome::kNoIndex;
  std::vector<QuickWebNames> names;
  for (const QuickWebSource& source : job_.sources) names.push_back(naming_.ForPicture(source.name));

  QuickWebIndexPage index(o_, file);
  index.Head(indexBackground_);
  const int count = int(job_.sources.size());
  for (size_t at = 0; at < job_.sources.size() && !host_.CancelRequested(); ++at) {
    host_.Progress(int(at) + 1, count, job_.sources[at].name);
    QuickWebCell cell;
    if (WritePicture(job_.sources[at], names[at], cell))
      index.Cell(cell);
    else
      failures_.push_back(job_.sources[at].folder + job_.sources[at].name);
  }
  WriteImagePages();
  index.End(host_.NowText());
  if (!file.Close()) return QuickWebOutcome::kNoIndex;
  if (!failures_.empty()) {
    std::string message = "These files could not be read or written, and are not on the web page:\n";
    for (const std::string& failure : failures_) message += "\n" + failure;
    host_.Tell(message);
  }
  return QuickWebOutcome::kWritten;
}

}  // namespace

std::string QuickWebIndexPath(const QuickWebOptions& options) {
  return PathInFolder(options.savepath, options.filename + ".htm");
}

QuickWebOutcome RunQuickWeb(const QuickWebJob& job, QuickWebHost& host) { return SiteWriter(job, host).Run(); }
