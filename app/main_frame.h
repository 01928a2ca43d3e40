#pragma once
// Vireldan's main window: toolbar, status bar, and two splitters holding the folder tree, the Key
// view and the thumbnail view. It receives every command the active view does not take and the
// program's private messages, keeps the list of open image windows, and saves the window layout
// into the settings when it closes.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Cimage.h"
#include "frame_link.h"
#include "frame_window.h"
#include "pane_splitters.h"
#include "slide_show.h"
#include "twain_session.h"

class CImageWnd;
class CPreviewWnd;
class CFullScreenWnd;
class CBatchProcessPS;
class CBatchProgressDlg;
struct QuickWebJob;
class CBatchPrintPS;

class CMainFrame : public FrameWindow, public CFrameLink, public CTwain {
 public:
  // True when the class's command table has a handler for the command.
  static bool Handles(UINT id);
  CMainFrame();
  ~CMainFrame() override;

  // Creates the window where the "Frame Layout" settings put it.
  bool Create();
  // Shows the window as the settings and the command line ask (minimised, maximised, normal).
  void ActivateFrame(int showCommand);

  HWND Handle() const override { return FrameWindow::Handle(); }

  void SetStatusText(const std::string& text) override;
  void AppendStatusText(const std::string& text) override;
  void SetStatusPane2(const std::string& text) override;

  void AddImageWindow(HWND window) override;
  void BringImageWindowFirst(HWND window) override;
  void RemoveImageWindow(HWND window) override;
  const std::vector<HWND>& ImageWindows() const { return imageWindows_; }
  // The image window activated last, or none.
  CImageWnd* FrontImageWindow() const;
  // Closes the image windows, newest first, each as its own close box does, so a modified picture
  // is offered for saving; false when one stays open, where the closing stops.
  bool CloseImageWindows();

  void RegisterCaptureHotkey();
  void UnregisterCaptureHotkey();
  void ToggleLeftPane();
  void ToggleKeyView();
  bool KeyViewShown() const { return !inner_.hidden; }
  void GoHome() override;

  void PrintImageFile(std::string path) override;
  void PrintImage(Cimage* image) override;
  // Prints the file once the current message is answered: the shell's DDE conversation gets its
  // acknowledgement at once instead of waiting while the user lays out the page.
  void QueuePrintImageFile(const std::string& path);

  // The outer size of a captioned, resizable window made 200 × 200, measured once at start-up.
  static int s_frameOverheadWidth;
  static int s_frameOverheadHeight;

  CSlideShow& SlideShow() { return slideShow_; }

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CommandState& state) override;

 protected:
  // A scanned picture: saved as the next numbered file, or shown in a new image window.
  void OnImageReceived(HGLOBAL dib) override;
  void OnError(int code) override;

  bool OnCreateFrame() override;
  void OnClose() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool CreateBars();
  bool CreatePanes();
  void MeasureFrameOverhead();
  void SaveLayout();
  void OnFolderChanged(const char* path);
  void CaptureScreen();
  // The TWAIN connection rests open from the frame's creation to its closing.
  void OpenTwain();
  void SaveScannedPicture(HGLOBAL dib);
  void PrintQueuedFile();

  // Command handlers.
  void OnToggle(UINT id);
  void OnUpdateToggle(CommandState& state);
  void OnWindowCommand(UINT id);
  void OnUpdateLeftPane(CommandState& state);
  void OnKeyViewCommand(UINT id);
  void OnUpdateKeyView(CommandState& state);
  // AND Key and AND NOT Key: the thumbnail view filtered by the Key view's selected key.
  void OnKeyFilter(UINT id);
  void OnUpdateKeyFilter(CommandState& state);
  void OnFlatToolbar(UINT id);
  void OnShowTips(UINT id);
  void OnAbout(UINT id);
  void OnExit(UINT id);
  void OnExplore(UINT id);
  void OnConfirmations(UINT id);
  void OnExifTips(UINT id);
  void OnGoTo(UINT id);
  void OnHome(UINT id);
  void OnPreviousDir(UINT id);
  void OnRefresh(UINT id);
  void OnPrebuilder(UINT id);
  void OnEmail(UINT id);
  void OnPrint(UINT id);
  void OnToolbarPrint(UINT id);
  void OnUpdatePrint(CommandState& state);
  void OnHelpCommand(UINT id);
  // The image commands: the front image window's picture, or the one selected file.
  void OnSaveWallpaper(UINT id);
  void OnUpdateSaveWallpaper(CommandState& state);
  void OnSaveAs(UINT id);
  // Open fits the picture to the screen; Open 1:1 shows it pixel for pixel.
  void OnFileOpen(UINT id);
  void OnUpdateSaveAs(CommandState& state);
  void OnSaveOptions(UINT id);
  // The options sheet on the page the command names, or where it was last closed.
  void OnOptions(UINT id);
  void OnThumbnailViewCommand(UINT id);
  void OnUpdateThumbnailViewCommand(CommandState& state);
  void OnAbortOperation(UINT id);
  void OnUpdateDisabled(CommandState& state);
  // Play, Pause and Next of the slideshow; Create Collage Image on the selected files.
  void OnSlideShowCommand(UINT id);
  void OnCreateCollage(UINT id);
  void OnTwainCommand(UINT id);
  // Scanning commands wait while a source is open.
  void OnUpdateTwainCommand(CommandState& state);
  static const CommandEntry<CMainFrame> kCommands[];

  // Batch processing: the sheet, the checks before a run, its progress and its end.
  void OnBatchProcess(UINT id);
  // Asks first, then sorts the thumbnail view's folder into subfolders and shows the new tree.
  void OnAutoSort(UINT id);
  void OnBatchStart();
  void OnBatchProgress(char* text);
  void OnBatchDone();
  void OnBatchSheetClosed();
  bool LetBatchWorkersEnd();
  std::unique_ptr<CBatchProcessPS> batchSheet_;
  std::unique_ptr<CBatchProgressDlg> batchProgress_;
  // How long the program, as it ends, waits for a worker to finish the step it is on.
  static constexpr DWORD kWorkerEndWait = 10000;

  // Quick Web: the wizard, then the run's files until its worker says it is done with them.
  void OnQuickWeb(UINT id);
  void OnQuickWebDone();
  void LetQuickWebEnd();
  std::unique_ptr<QuickWebJob> quickWebFileList_;

  // Batch printing and contact sheets: the one setup sheet, its job, its font, and Print
  // Thumbnails.
  void OnBatchPrint(UINT id);
  void OnBatchPrintClosed();
  void BatchPrintJob();
  void OnChooseBatchPrintFont();
  void PrintThumbnails(UINT id);
  std::unique_ptr<CBatchPrintPS> batchPrintSheet_;

  COuterSplitWnd outer_;
  CInnerSplitWnd inner_;
  std::vector<HWND> imageWindows_;
  std::vector<std::string> queuedPrints_;
  HMENU mainMenu_ = nullptr;
  HMENU keyMenu_ = nullptr;
  std::string statusText_;
  HMODULE mailer_ = nullptr;
  std::unique_ptr<CFullScreenWnd> fullScreen_;
  std::unique_ptr<CPreviewWnd> preview_;
  CSlideShow slideShow_;
};
