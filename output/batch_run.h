#pragma once
// One batch run over a work list: each file loaded, fitted, bevelled, framed, overlaid and saved
// into the destination folder; and the lossless turn or flip of each file in place. Both loops
// are free of windows: whoever runs them answers the questions, shows the progress and says
// when the user has asked to stop, through a BatchHost.
#include <string>

#include "batch_rules.h"
#include "batch_work_list.h"

class CAppSettings;
class Cimage;

// The settings a run uses, taken once when it starts, so that a sheet opened meanwhile cannot
// change a run half way through.
struct BatchRecipe {
  bool originalSize = true;  // no fitting step
  BatchSize output;
  int overfill = 0;
  std::string folder;
  int format = 0, quality = 75, colormap = 1, dither = 1, originalQuality = 1;
  bool solidBorder = false, borderImage = false, matchBorderColour = false;
  std::string borderImagePath;
  unsigned borderColour = 0xFFFFFF;
  int borderWidth = 50, borderHeight = 50, borderEdge = 0;
  bool overlay = false;
  std::string overlayPath;
  int overlayColumn = 1, overlayRow = 2;
  unsigned overlayKey = 0x80FFFFFF;  // the transparent colour; bit 31 set: nothing is transparent
  int bevelMode = 3;                 // 3: no bevel
  int bevel[3] = {15, 10, 25};       // width, rounding, intensity

  static BatchRecipe FromSettings(const CAppSettings& settings);
};

class BatchHost {
 public:
  enum class Answer { kYes, kYesToAll, kNo };

  virtual ~BatchHost() = default;
  virtual bool AbortRequested() = 0;
  virtual void ShowProgress(const std::string& text) = 0;
  // The output file exists already (for a transform: the file about to be rewritten).
  virtual Answer AskOverwrite(const std::string& path) = 0;
  // A question with Yes and No; true for Yes.
  virtual bool AskContinue(const std::string& message) = 0;
  // A transform rewrote the file.
  virtual void FileChanged(const std::string& path) { (void)path; }
};

// Loads nothing: the steps after a picture is loaded and fitted, with the border and overlay
// pictures the run prepared.
class BatchComposer {
 public:
  explicit BatchComposer(const BatchRecipe& recipe);
  ~BatchComposer();
  BatchComposer(const BatchComposer&) = delete;
  BatchComposer& operator=(const BatchComposer&) = delete;

  // Loads the source fitted to the output size (a large JPEG decoded reduced on the way); false
  // when it cannot be read.
  bool LoadFitted(const std::string& source, Cimage& picture) const;
  void Compose(Cimage& picture);

 private:
  const BatchRecipe& recipe_;
  Cimage* border_;
  Cimage* overlay_;
};

// True when the run went through its list; false when it stopped as aborted (by the host's
// abort, or by No to a question).
bool RunBatch(const BatchRecipe& recipe, const BatchWorkList& files, BatchHost& host);

// Turns or flips each file in place (op as Cimage::S_RotateImageFile takes it), asking first.
void RunTransform(const BatchWorkList& files, int op, BatchHost& host);
