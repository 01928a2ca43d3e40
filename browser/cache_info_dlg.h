#pragma once
// "Thumbnail cache info": the state and figures of the shown folder's thumbnail cache, as the
// loader last reported them.
#include "dialog.h"
#include "thumbnail_cache.h"

class CCacheInfoDlg : public Dialog {
 public:
  explicit CCacheInfoDlg(const TncInfo& info);

 protected:
  bool OnInitDialog() override;

 private:
  TncInfo info_;
};
