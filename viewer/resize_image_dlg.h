#pragma once
// "Resize Image": a new width and height that keep the picture's proportions. Typing one side
// sets the other; only the OK button closes the dialog (Enter does not). The size handed back
// is always one the image library can make: a side it cannot make is refused with a message, and
// a size of too many pixels is shown reduced, to be confirmed.
#include <string>

#include "dialog.h"
#include "picture_size_rules.h"

class CResizeImageDlg : public Dialog {
 public:
  CResizeImageDlg();

  // The picture's size before; after OK, the size to fit the picture into.
  int height = 0;
  int width = 0;

 protected:
  void DoDataExchange(DataExchange& exchange) override;
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;

 private:
  void FollowTypedSide(int typedId);
  void ShowSize(const PictureSize& size);

  int startHeight_ = 0;
  int startWidth_ = 0;
  // Set while the dialog writes a side itself, so that the two edits do not feed each other.
  bool updating_ = false;
  std::string heightText_;
  std::string widthText_;
};
