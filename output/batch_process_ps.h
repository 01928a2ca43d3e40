#pragma once
// The modeless "Batch process images" sheet: the files to process (Input), where and how to save
// them (Output), their size, an overlay, a border, and a bevel. Every page binds its controls
// straight to the "Batch Resize" and "Effects" settings. "Process Now" hands the Input list to
// the main frame (WM_BATCH_START); "Save Setup" only keeps the settings.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "batch_work_list.h"
#include "bevel_page.h"
#include "color_swatch.h"
#include "modeless_property_sheet.h"

// The open-file dialogs' filter for pictures of every format the program reads.
extern const char kImageFileFilter[];

// The files Process Now handed over, waiting for the main frame to start the run.
extern BatchWorkList g_batchWorkList;

// What the sheet asks of the program around it.
struct BatchSheetHooks {
  // The thumbnail view's files, in its order: all of them or the selected ones only.
  std::function<std::vector<std::string>(bool selectedOnly)> viewFiles;
  // A folder was made in the current folder: the folder tree shows it.
  std::function<void()> folderMade;
};

class CBatchInputPP : public PropertyPage {
 public:
  explicit CBatchInputPP(const BatchSheetHooks& hooks);
  std::vector<std::string> Rows() const;
  void AddRows(const std::vector<std::string>& rows);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;

 private:
  void SetRows(const std::vector<std::string>& rows);
  void Changed();
  const BatchSheetHooks& hooks_;
};

class CBatchOutputPP : public PropertyPage {
 public:
  explicit CBatchOutputPP(const BatchSheetHooks& hooks);

 protected:
  void DoDataExchange(DataExchange& exchange) override;
  bool OnCommand(int id, int code) override;

 private:
  const BatchSheetHooks& hooks_;
};

class CBatchSizePP : public PropertyPage {
 public:
  CBatchSizePP();

 protected:
  void DoDataExchange(DataExchange& exchange) override;
};

// The Overlay and Border pages: a picture file chosen by typing, by the file dialog or by a
// dropped thumbnail, and a colour in a swatch.
class BatchPicturePage : public PropertyPage {
 public:
  BatchPicturePage(int templateId, int fileEdit, int colorBox, int& color);
  void SetFile(const std::string& path) { SetItemText(fileEdit_, path); }

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool OnCommand(int id, int code) override;

 private:
  const int fileEdit_;
  const int colorBox_;
  int& color_;
  CColorGroupBox box_;
};

class CBatchOverlayPP : public BatchPicturePage {
 public:
  CBatchOverlayPP();

 protected:
  void DoDataExchange(DataExchange& exchange) override;
};

class CBatchBorderPP : public BatchPicturePage {
 public:
  CBatchBorderPP();

 protected:
  void DoDataExchange(DataExchange& exchange) override;
  bool OnCommand(int id, int code) override;
};

class CBatchProcessPS : public ModelessPropertySheet {
 public:
  enum Page { kInput, kOutput, kSize, kOverlay, kBorder, kBevel };
  explicit CBatchProcessPS(BatchSheetHooks hooks);

  bool Create(HWND owner);

 protected:
  void OnInitialized() override;
  bool OnSheetCommand(int id) override;
  void OnDropFiles(HDROP drop) override;
  void OnClosed() override;

 private:
  // Stores every page's values and closes; false, with the sheet open, when a page refuses.
  bool StoreAndClose();
  void AddButton(const char* text, int id, int left, int right);

  BatchSheetHooks hooks_;
  HWND owner_ = nullptr;
  CBatchInputPP input_;
  CBatchOutputPP output_;
  CBatchSizePP size_;
  CBatchOverlayPP overlay_;
  CBatchBorderPP border_;
  CPPX_Bevel bevel_;
};
