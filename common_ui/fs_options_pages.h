#pragma once
// The pages of the File Save Options sheet, one per format the library writes. Each binds its
// settings in the sheet's copy of the save options, and every page shows the copy's "confirm"
// as "Display this box on File-Save commands".
#include "property_page.h"
#include "save_options.h"

class SaveOptionsPage : public PropertyPage {
 public:
  SaveOptionsPage(int templateId, SaveOptions& options) : PropertyPage(templateId), options_(options) {}

 protected:
  void DoDataExchange(DataExchange& exchange) override;
  virtual void ExchangeFormat(DataExchange& exchange) = 0;
  SaveOptions& options_;
};

// BMP and PNG: true colour, or 256 colours dithered or flat, from a (colour map, dither) pair.
class PalettePage : public SaveOptionsPage {
 public:
  PalettePage(int templateId, SaveOptions& options, int SaveOptions::*colormap, int SaveOptions::*dither)
      : SaveOptionsPage(templateId, options), colormap_(colormap), dither_(dither) {}

 protected:
  void ExchangeFormat(DataExchange& exchange) override;

 private:
  int SaveOptions::*colormap_;
  int SaveOptions::*dither_;
};

class CFSbmpPP : public PalettePage {
 public:
  explicit CFSbmpPP(SaveOptions& options);
};

class CFSpngPP : public PalettePage {
 public:
  explicit CFSpngPP(SaveOptions& options);
};

class CFSgifPP : public SaveOptionsPage {
 public:
  explicit CFSgifPP(SaveOptions& options);

 protected:
  void ExchangeFormat(DataExchange& exchange) override;
};

class CFSjpgPP : public SaveOptionsPage {
 public:
  explicit CFSjpgPP(SaveOptions& options);

 protected:
  void ExchangeFormat(DataExchange& exchange) override;
};

class CFStifPP : public SaveOptionsPage {
 public:
  explicit CFStifPP(SaveOptions& options);

 protected:
  void ExchangeFormat(DataExchange& exchange) override;
};
