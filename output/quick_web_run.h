#pragma once
// One Quick Web run: the site written into the "savepath" folder from a list of pictures: the
// background pictures copied, every picture's page image and thumbnail, its page when asked, and
// the index page. Free of windows: whoever runs it shows the progress, tells the user and says
// when the user asked to stop, through a QuickWebHost.
#include <string>
#include <vector>

#include "quick_web_pages.h"

struct QuickWebSource {
  std::string folder;  // ends in its separator
  std::string name;
  std::string annotation;  // taken when the run was asked for, so the run needs no key index
};

// What a run works from, copied when it starts, so that settings changed meanwhile cannot change
// a run half way through.
struct QuickWebJob {
  QuickWebOptions options;
  std::vector<QuickWebSource> sources;
};

class QuickWebHost {
 public:
  virtual ~QuickWebHost() = default;
  virtual bool CancelRequested() = 0;
  // Before the picture'th of count (counting from 1).
  virtual void Progress(int picture, int count, const std::string& name) = 0;
  virtual void Tell(const std::string& message) = 0;
  // The time at the end of each page, as the program writes dates.
  virtual std::string NowText() = 0;
};

enum class QuickWebOutcome {
  kWritten,     // the index page is complete (also after a cancel: with the pictures done so far)
  kNoIndex,     // the index page could not be made
  kSameFolder,  // a picture lies in the output folder: nothing was written
};

QuickWebOutcome RunQuickWeb(const QuickWebJob& job, QuickWebHost& host);

// The index page's path.
std::string QuickWebIndexPath(const QuickWebOptions& options);

extern const char kQuickWebSameFolderMessage[];
