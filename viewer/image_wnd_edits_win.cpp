// The image window's editing commands and their one level of undo. Each edit works on the
// full-size picture (an autosizing window goes to pan/zoom mode first), keeps the picture as it
// was in the undo copy, and marks the window modified. An edit that has nothing to do (no crop
// area, a right click beside the picture, a line too short, a dialog cancelled) changes nothing,
// not even the undo copy.
#include <array>
#include <memory>
#include <utility>

#include "adjust_color_dlg.h"
#include "app_settings.h"
#include "bevel_page.h"
#include "command_ids.h"
#include "image_edit_rules.h"
#include "image_wnd.h"
#include "image_wnd_commands.h"
#include "property_sheet.h"
#include "resize_image_dlg.h"
#include "wait_cursor.h"

namespace {

// The full-size picture to edit.
void PrepareEdit(CImageWnd& window) { window.SwitchToPanZoom(true, false); }

// Applies an operation to the working picture, keeping the picture before it for Undo. An
// animation stops at the frame shown: its next frame would replace the edited picture.
template <class Operation>
void ApplyEdit(CImageWnd& window, Operation operation, bool waitCursor) {
  window.image_.NoAnimation();
  window.undoImage_ = window.image_;
  {
    std::unique_ptr<WaitCursor> wait(waitCursor ? new WaitCursor : nullptr);
    operation(window.image_);
  }
  window.modified_ = true;
  window.Layout();
  window.Repaint();
}

void Crop(CImageWnd& window, UINT) {
  window.tracker_.reset();
  window.SwitchToPanZoom(false, false);
  CRect area;
  if (!CropArea(window.cropRect_, window.image_.m_width, window.image_.m_height, area)) return window.Repaint();
  ApplyEdit(window, [&](Cimage& picture) { picture.Crop(area); }, false);
}

void Resize(CImageWnd& window, UINT) {
  window.interacted_ = true;
  PrepareEdit(window);
  CResizeImageDlg dialog;
  dialog.width = window.image_.m_width;
  dialog.height = window.image_.m_height;
  PictureSize size{};
  if (dialog.DoModal(window.Handle()) != IDOK || !ResizeTarget(dialog.width, dialog.height, size)) return;
  ApplyEdit(window, [&](Cimage& picture) {
    picture.ReSample(size.width, size.height, 2);
    // The resized picture is the one a save writes: its size is now its size in the file.
    picture.m_origWidth = picture.m_width;
    picture.m_origHeight = picture.m_height;
  }, true);
}

void AdjustColors(CImageWnd& window, UINT) {
  PrepareEdit(window);
  CAdjustColorDlg dialog(window.image_);
  if (dialog.DoModal(window.Handle()) != IDOK) return;
  ApplyEdit(window, [&](Cimage& picture) { ApplyColorAdjustment(picture, dialog.adjustment); }, true);
}

void Deskew(CImageWnd& window, UINT) {
  double angle = 0;
  const POINT start = window.lineStart_, end = window.lineEnd_;
  if (!window.lineComplete_ || !DeskewAngle(CPoint(start.x, start.y), CPoint(end.x, end.y), angle)) return;
  PrepareEdit(window);
  ApplyEdit(window, [&](Cimage& picture) { picture.Rotate_Arbitrary(angle); }, true);
}

// A quarter turn swaps the picture's sides, so the view's place in it swaps too.
void SwapViewAxes(CImageWnd& window) {
  std::swap(window.xAxis_.origin, window.yAxis_.origin);
  std::swap(window.xAxis_.centre, window.yAxis_.centre);
}

void Turn(CImageWnd& window, UINT id) {
  PrepareEdit(window);
  ApplyEdit(window, [&](Cimage& picture) {
    switch (id) {
      case ID_ROTATE_CLOCKWISE: picture.Rotate_Clockwise(); break;
      case ID_ROTATE_COUNTERCLOCKWISE: picture.Rotate_CounterClockwise(); break;
      case ID_ROTATE_180: picture.Rotate_180(); break;
      case ID_FLIP_VERTICAL: picture.Flip_Vertical(); break;
      default: picture.Flip_Horizontal(); break;
    }
    if (id == ID_ROTATE_CLOCKWISE || id == ID_ROTATE_COUNTERCLOCKWISE) SwapViewAxes(window);
  }, true);
}

void Filter(CImageWnd& window, UINT id) {
  PrepareEdit(window);
  std::array<int, 9> kernel = FilterKernel(FilterStrength(id - ID_SHARPEN_MILDLY));
  ApplyEdit(window, [&](Cimage& picture) { picture.Filter3x3(kernel.data()); }, true);
}

void FixRedEye(CImageWnd& window, UINT) {
  PrepareEdit(window);
  const POINT at = window.rightClick_;
  if (!PointInPicture(CPoint(at.x, at.y), window.image_.m_width, window.image_.m_height)) return;
  ApplyEdit(window, [&](Cimage& picture) { picture.FixRedEye(CPoint(at.x, at.y), 0); }, false);
}

void BevelEdges(CImageWnd& window, UINT) {
  PrepareEdit(window);
  CPPX_Bevel page(0);
  PropertySheet sheet("Bevel Edges", window.Handle());
  sheet.AddPage(&page);
  if (sheet.DoModal() != IDOK) return;
  const auto& effects = g_settings.effects;
  int strengths[3] = {effects.thickness, effects.rounding, effects.density};
  ApplyEdit(window, [&](Cimage& picture) { picture.Effect(1, effects.mode, strengths); }, true);
}

bool CanUndo(const CImageWnd& window) { return window.undoImage_.m_valid && window.undoImage_.m_pixels; }

// The picture before the last edit comes back, also after a save: it then differs from the file
// again, so the window stays (or becomes again) modified.
void Undo(CImageWnd& window, UINT) {
  if (!CanUndo(window)) return;
  window.image_ = window.undoImage_;
  window.undoImage_.DeleteImage();
  window.modified_ = true;
  window.Layout();
  window.Repaint();
}

void UpdateCrop(CImageWnd& window, CommandState& state) { state.enabled = window.tracker_ != nullptr; }
void UpdateDeskew(CImageWnd& window, CommandState& state) { state.enabled = window.lineComplete_; }
void UpdateUndo(CImageWnd& window, CommandState& state) { state.enabled = CanUndo(window); }

const ImageWindowCommand kEditCommands[] = {
    {ID_IMAGE_CROP, ID_IMAGE_CROP, Crop, UpdateCrop},
    {ID_IMAGE_RESIZE, ID_IMAGE_RESIZE, Resize, nullptr},
    {ID_COLOR_ADJUSTMENTS, ID_COLOR_ADJUSTMENTS, AdjustColors, nullptr},
    {ID_IMAGE_DESKEW, ID_IMAGE_DESKEW, Deskew, UpdateDeskew},
    {ID_ROTATE_CLOCKWISE, ID_FLIP_HORIZONTAL, Turn, nullptr},
    {ID_SHARPEN_MILDLY, ID_SMOOTH_HEAVILY, Filter, nullptr},
    {ID_FIX_RED_EYE, ID_FIX_RED_EYE, FixRedEye, nullptr},
    {ID_BEVEL_EDGES, ID_BEVEL_EDGES, BevelEdges, nullptr},
    {ID_IMAGE_UNDO, ID_IMAGE_UNDO, Undo, UpdateUndo},
};

const ImageWindowCommand* CommandFor(UINT id) {
  const ImageWindowCommand* edit = ImageWindowCommandFor(kEditCommands, id);
  return edit ? edit : OutputCommandFor(id);
}

}  // namespace

bool CImageWnd::IsEditCommand(UINT id) { return CommandFor(id) != nullptr; }

bool CImageWnd::OnEditCommand(UINT id) {
  const ImageWindowCommand* command = CommandFor(id);
  if (command) command->run(*this, id);
  return command != nullptr;
}

bool CImageWnd::OnUpdateEditCommand(CommandState& state) {
  const ImageWindowCommand* command = CommandFor(state.id);
  if (command && command->update) command->update(*this, state);
  return command != nullptr;
}
