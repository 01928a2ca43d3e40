#pragma once
// The nine pages of the options sheet. Each binds its controls straight to the settings record
// and the image library's save settings (options_bindings.h), so a value changes as soon as the
// page's data is exchanged: when the user leaves the page or confirms the sheet.
#include "options_bindings.h"
#include "property_page.h"

class BoundOptionsPage : public PropertyPage {
 public:
  BoundOptionsPage(int templateId, const OptionBindings& bindings) : PropertyPage(templateId), bindings_(bindings) {}
  const OptionBindings& Bindings() const { return bindings_; }

 protected:
  void DoDataExchange(DataExchange& exchange) override;
  // A "Choose" button beside a path: the folder chooser starts at the edit's text and, on OK,
  // replaces it.
  void ChooseFolderInto(int editId);

 private:
  const OptionBindings& bindings_;
};

class CThumbnailsPP : public BoundOptionsPage {
 public:
  CThumbnailsPP();
};

class CImagePP : public BoundOptionsPage {
 public:
  CImagePP();
};

// "Overlap images" and "Show filenames" exclude each other; overlapping also turns transitions
// off.
class CSlideshowPP : public BoundOptionsPage {
 public:
  CSlideshowPP();

 protected:
  bool OnCommand(int id, int code) override;
};

// Transitions and overlapping slides exclude each other.
class CTransitionsPP : public BoundOptionsPage {
 public:
  CTransitionsPP();

 protected:
  bool OnCommand(int id, int code) override;
};

class CSystemPP : public BoundOptionsPage {
 public:
  CSystemPP();

 protected:
  bool OnCommand(int id, int code) override;
};

class CCachePP : public BoundOptionsPage {
 public:
  CCachePP();

 protected:
  bool OnCommand(int id, int code) override;
};

class CPreferencesPP : public BoundOptionsPage {
 public:
  CPreferencesPP();
};

// Also shows the capture hot key in words and lets the user pick another one.
class CCaptureOptionsPP : public BoundOptionsPage {
 public:
  CCaptureOptionsPP();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;

 private:
  void ChooseHotKey();
};

class CAudioPP : public BoundOptionsPage {
 public:
  CAudioPP();
};
