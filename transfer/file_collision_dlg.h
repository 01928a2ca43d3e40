#pragma once
// Asked when a transferred file's name is taken in the destination: both pictures side by side
// with their sizes, and whether to skip, suffix or replace this file or every such file of the
// batch, or to cancel it. The pictures are decoded on a loader thread; until the first arrives
// the dialog stands cut short below its buttons.
#include <string>

#include "collision_rules.h"
#include "dialog.h"
#include "image_preview_wnd.h"

class CFileCollisionDlg : public Dialog {
 public:
  // source: the full path of the file being transferred; destination: the file it collides with.
  CFileCollisionDlg(std::string source, std::string destination);

  // The button that ended the dialog; closing it any other way cancels the batch.
  CollisionChoice choice = CollisionChoice::kCancel;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void PlacePreview(CImagePreviewWnd& preview, int frameId, int sequence, const std::string& path);
  void OnImageLoaded(LPARAM lParam);

  std::string source_, destination_;
  CImagePreviewWnd sourcePreview_, destinationPreview_;
  bool equalSize_ = false;
  int fullHeight_ = 0;
};
