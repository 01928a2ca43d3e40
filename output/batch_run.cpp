#include "batch_run.h"

#include "Cimage.h"
#include "app_settings.h"
#include "file_system.h"

namespace {

constexpr int kFullSize = 5;
constexpr int kNoBevel = 3;
constexpr unsigned kNotKeyed = 0x80000000u;

bool Loaded(const Cimage& picture) { return picture.m_valid && !picture.m_loadError && picture.m_pixels; }

// Asks unless the user said Yes to All earlier in the run; false for No.
bool MayOverwrite(const std::string& path, bool* yesToAll, BatchHost& host) {
  if (*yesToAll) return true;
  switch (host.AskOverwrite(path)) {
    case BatchHost::Answer::kYesToAll:
      *yesToAll = true;
      return true;
    case BatchHost::Answer::kYes:
      return true;
    default:
      return false;
  }
}

}  // namespace

BatchRecipe BatchRecipe::FromSettings(const CAppSettings& settings) {
  const CAppSettings::BatchResize& resize = settings.batchResize;
  BatchRecipe recipe;
  recipe.originalSize = !BatchTargetSize(resize.targetsize, resize.customwidth, resize.customheight, &recipe.output);
  recipe.overfill = resize.overfill;
  recipe.folder = resize.batchpath;
  recipe.format = resize.format;
  recipe.quality = resize.quality;
  recipe.colormap = resize.colormap;
  recipe.dither = resize.dither;
  recipe.originalQuality = resize.originalQuality;
  recipe.borderImage = resize.useborderimg != 0;
  recipe.solidBorder = resize.border != 0;
  recipe.matchBorderColour = resize.bordmatch != 0;
  recipe.borderImagePath = resize.borderimg;
  recipe.borderColour = unsigned(resize.bordercolor);
  recipe.borderWidth = resize.bordsizx;
  recipe.borderHeight = resize.bordsizy;
  recipe.borderEdge = resize.bordedge;
  recipe.overlay = resize.useoverlay != 0;
  recipe.overlayPath = resize.overimg;
  recipe.overlayColumn = resize.overposx;
  recipe.overlayRow = resize.overposy;
  // The check box reads "Use transparency": unchecked, the colour goes with its high bit set.
  recipe.overlayKey = unsigned(resize.transparent) | (resize.notrans == 1 ? 0u : kNotKeyed);
  recipe.bevelMode = settings.effects.batchmode;
  recipe.bevel[0] = settings.effects.thickness;
  recipe.bevel[1] = settings.effects.rounding;
  recipe.bevel[2] = settings.effects.density;
  return recipe;
}

BatchComposer::BatchComposer(const BatchRecipe& recipe) : recipe_(recipe), border_(new Cimage), overlay_(new Cimage) {
  // A border or overlay picture that cannot be read leaves its merge with nothing to merge.
  if (recipe.borderImage) {
    border_->LoadImageA(recipe.borderImagePath.c_str(), 0, 0, kFullSize);
    border_->FrameFill(recipe.borderWidth, recipe.borderHeight, 1);
  } else if (recipe.solidBorder && !recipe.originalSize) {
    const BatchSize canvas = SolidBorderCanvas(recipe.borderWidth, recipe.borderHeight, recipe.output);
    border_->Blank(canvas.width, canvas.height, recipe.borderColour);
  }
  if (recipe.overlay) overlay_->LoadImageA(recipe.overlayPath.c_str(), 0, 0, kFullSize);
}

BatchComposer::~BatchComposer() {
  delete border_;
  delete overlay_;
}

bool BatchComposer::LoadFitted(const std::string& source, Cimage& picture) const {
  // A camera's photograph fitted to a web size need not be decoded whole.
  if (recipe_.originalSize)
    picture.LoadImageA(source.c_str(), 0, 0, kFullSize);
  else
    picture.LoadFrameFilled(source.c_str(), recipe_.output.width, recipe_.output.height, recipe_.overfill);
  return Loaded(picture);
}

void BatchComposer::Compose(Cimage& picture) {
  const bool solid = recipe_.solidBorder && !recipe_.borderImage;
  // At its original size each picture gets a canvas of its own around it.
  if (solid && (recipe_.matchBorderColour || recipe_.originalSize)) {
    const BatchSize canvas = recipe_.originalSize ? SolidBorderCanvas(recipe_.borderWidth, recipe_.borderHeight,
                                                                      {picture.m_width, picture.m_height})
                                                  : BatchSize{border_->m_width, border_->m_height};
    border_->Blank(canvas.width, canvas.height,
                   recipe_.matchBorderColour ? picture.FindCommonColor() : recipe_.borderColour);
  }
  if (recipe_.bevelMode < kNoBevel) {
    int bevel[3] = {recipe_.bevel[0], recipe_.bevel[1], recipe_.bevel[2]};
    picture.Effect(1, recipe_.bevelMode, bevel);
  }
  if (recipe_.borderImage || recipe_.solidBorder) picture.BorderMerge(border_, recipe_.borderEdge);
  if (recipe_.overlay) picture.OverlayMerge(overlay_, recipe_.overlayColumn, recipe_.overlayRow, recipe_.overlayKey);
}

bool RunBatch(const BatchRecipe& recipe, const BatchWorkList& files, BatchHost& host) {
  BatchComposer composer(recipe);
  bool yesToAll = false;
  for (const std::string& source : files.Entries()) {
    const std::string output = BatchOutputPath(recipe.folder, source, recipe.format);
    if (platform::FileExists(output) && !MayOverwrite(output, &yesToAll, host)) return false;
    if (!host.AbortRequested()) {
      Cimage picture;
      host.ShowProgress("Loading " + source);
      const bool loaded = composer.LoadFitted(source, picture);
      if (!host.AbortRequested()) {
        if (!loaded) {
          if (!host.AskContinue("Error loading image" + source + "\nDo you want to continue")) return false;
        } else {
          composer.Compose(picture);
          host.ShowProgress("Saving " + output);
          picture.SaveImage(output.c_str(), recipe.quality, recipe.colormap, recipe.dither, recipe.colormap,
                            recipe.dither, recipe.dither, recipe.originalQuality);
          if (picture.m_saveError && !host.AskContinue("Error writing image " + output + "\nDo you want to continue"))
            return false;
        }
      }
    }
    if (host.AbortRequested()) return false;
  }
  return true;
}

void RunTransform(const BatchWorkList& files, int op, BatchHost& host) {
  bool yesToAll = false;
  for (const std::string& path : files.Entries()) {
    if (!MayOverwrite(path, &yesToAll, host)) return;
    if (!host.AbortRequested()) {
      if (Cimage::S_RotateImageFile(path.c_str(), op))
        host.FileChanged(path);
      else if (!host.AskContinue("Error transforming image:\n" + path + "\nDo you want to continue"))
        return;
    }
    if (host.AbortRequested()) return;
  }
}
