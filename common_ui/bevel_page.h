#pragma once
// The "Bevel Edges" page: a bevel mode and three strengths (width, rounding, intensity). The batch
// sheet's page binds the batch mode, the image window's the viewer's mode; the strengths are one
// set shared by both. The controls are bound to the settings themselves: what the page shows is
// stored whenever the user leaves it or confirms the sheet, as the sheet's other pages do.
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
};
