#pragma once
// The "Bevel Edges" page: a bevel mode and three strengths (width, rounding, intensity). The batch
// sheet's page binds the batch mode, the image window's the viewer's mode; the strengths are one
// set shared by both. The page edits a copy: the settings change only when its sheet is confirmed.
#include "property_page.h"

class CPPX_Bevel : public PropertyPage {
 public:
  // batch: 1 binds the batch output's mode ("batchmode"), 0 the image window's ("mode").
  explicit CPPX_Bevel(int batch = 0);

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool OnApply() override;

 private:
  int& BoundMode() const;

  int batch_;
  int mode_ = 0, thickness_ = 0, rounding_ = 0, density_ = 0;
};
