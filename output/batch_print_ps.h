#pragma once
// The modeless "Batch Print Setup" sheet: five pages bound straight to the "Batch Print" settings
// (the grid, the image area, the text area, the files and the saved setups), a miniature of the
// first printed page beside them, and the counts of images and pages. Print hands the files to
// the owner (WM_BATCHPRINT_START) and closes the sheet.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Cimage.h"
#include "batch_print_layout.h"
#include "color_swatch.h"
#include "modeless_property_sheet.h"
#include "printer_access.h"

// The program-wide batch-print state (not kept in the settings).
extern std::vector<std::string> BatchPrintList;  // the files Print handed over
extern int BatchPrintCount;                       // files in the File(s) page's list
extern int BatchPrintSkip;                        // cells left empty at the start
extern int BatchPrintSpinUnit;                    // the length spinners' step

// What the sheet asks of the program around it.
struct BatchPrintHooks {
  // The thumbnail view's files, in its order: all or the selected ones.
  std::function<std::vector<std::string>(bool selectedOnly)> viewFiles;
  // A copy of the thumbnail the view holds for a path; false when it has none.
  std::function<bool(const std::string& path, Cimage& copy)> thumbnail;
};

class CBatchPrintPS;

// A page of the sheet: its controls follow the settings whenever the sheet changes.
class BatchPrintPage : public PropertyPage {
 public:
  BatchPrintPage(int templateId, CBatchPrintPS& sheet) : PropertyPage(templateId), sheet_(sheet) {}
  virtual void Refresh() {}

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  // A spinner of this page was pressed (delta < 0: the up arrow); true when it is this page's.
  virtual bool OnSpin(int id, int delta) {
    (void)id, (void)delta;
    return false;
  }
  void SetCheck(int id, bool on) { ::CheckDlgButton(Handle(), id, on ? BST_CHECKED : BST_UNCHECKED); }
  bool Checked(int id) const { return ::IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }
  void SetLength(int id, int length);
  // After "Include text areas" or " Print Text" was turned on: offers to keep pictures upright.
  void AskUprightForText();
  CBatchPrintPS& sheet_;
};

class CGridSetupPP : public BatchPrintPage {
 public:
  explicit CGridSetupPP(CBatchPrintPS& sheet);
  void Refresh() override;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool OnCommand(int id, int code) override;
  bool OnSpin(int id, int delta) override;
};

class CBPImageSetupPP : public BatchPrintPage {
 public:
  explicit CBPImageSetupPP(CBatchPrintPS& sheet);
  void Refresh() override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnSpin(int id, int delta) override;
};

class CBPTextAreaPP : public BatchPrintPage {
 public:
  explicit CBPTextAreaPP(CBatchPrintPS& sheet);
  void Refresh() override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnSpin(int id, int delta) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  CColorGroupBox box_;
};

class CBPFilesPP : public BatchPrintPage {
 public:
  CBPFilesPP(CBatchPrintPS& sheet, const BatchPrintHooks& hooks);
  std::vector<std::string> Items() const;
  void AddItems(const std::vector<std::string>& paths);
  // The thumbnail cache follows the list: pictures of paths gone are freed, new paths get the
  // view's thumbnail.
  void SyncThumbnails();
  // The cached thumbnail of the next list item (of the first when restart); null past the end,
  // before the page exists, or for an item without a thumbnail.
  const Cimage* NextThumbnail(bool restart);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;

 private:
  void ListChanged();
  const BatchPrintHooks& hooks_;
  struct CachedThumbnail {
    std::string path;
    std::unique_ptr<Cimage> picture;
  };
  std::vector<CachedThumbnail> cache_;
  int next_ = 0;
  bool initialised_ = false;
};

class CBPSaveLoadPP : public BatchPrintPage {
 public:
  explicit CBPSaveLoadPP(CBatchPrintPS& sheet);
  // The folder "printsetups" beside the program.
  static std::string SetupsFolder();
  void RefreshList();
  // Shown again, the page lists the setups as they are now.
  void Refresh() override {
    if (Handle()) RefreshList();
  }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Load(int item);
  void SaveSetup();
  void DeleteSetup();
};

// The miniature of the first page: paper, printable area, image areas with the first pictures,
// text areas and the grid.
class CLayoutPreviewStatic : public Window {
 public:
  explicit CLayoutPreviewStatic(CBatchPrintPS& sheet) : sheet_(sheet) {}
  void SetCaps(const BatchPrinterCaps& caps) { caps_ = caps; }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc, const RECT& client);
  CBatchPrintPS& sheet_;
  BatchPrinterCaps caps_;
};

class CBatchPrintPS : public ModelessPropertySheet {
 public:
  enum Page { kGrid, kImage, kText, kFiles, kSetups };
  CBatchPrintPS(HWND owner, PrinterAccess& printer, BatchPrintHooks hooks);

  void AddPages();
  bool Create();
  void ReadPrinterCaps();
  void ComputeLayout();
  void FitImageArea();
  // The values changed: every page, the counts and the miniature follow.
  void Changed();
  const BatchPrinterCaps& Caps() const { return caps_; }
  bool TimerFired() const { return timerFired_; }
  CBPFilesPP& Files() { return files_; }
  HWND Owner() const { return owner_; }

 protected:
  void OnInitialized() override;
  bool OnSheetCommand(int id) override;
  void OnDropFiles(HDROP drop) override;
  void OnClosed() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND AddControl(const char* type, const char* text, int id, DWORD style, const RECT& place);
  void OnReady();
  void UpdateCounts();
  void Print();
  void PrintSetup();

  HWND owner_;
  PrinterAccess& printer_;
  BatchPrintHooks hooks_;
  CGridSetupPP grid_;
  CBPFilesPP files_;
  CBPSaveLoadPP setups_;
  CBPImageSetupPP image_;
  CBPTextAreaPP text_;
  CLayoutPreviewStatic preview_;
  BatchPrinterCaps caps_;
  bool ready_ = false;
  bool timerFired_ = false;
};
