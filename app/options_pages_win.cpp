#include "options_pages.h"

#include "app.h"
#include "app_settings.h"
#include "capture_hotkey_dlg.h"
#include "choose_dir_dlg.h"
#include "hotkey_text.h"
#include "main_frame.h"
#include "resource.h"
#include "vireldan_app.h"

void BoundOptionsPage::DoDataExchange(DataExchange& exchange) {
  for (const OptionBinding& row : bindings_) {
    switch (row.kind) {
      case OptionKind::kCheck: exchange.Check(row.id, *row.number); break;
      case OptionKind::kRadio: exchange.Radio(row.id, *row.number); break;
      case OptionKind::kInt: exchange.Int(row.id, *row.number, row.minimum, row.maximum); break;
      case OptionKind::kText: exchange.Text(row.id, *row.text, row.maximum); break;
    }
  }
}

void BoundOptionsPage::ChooseFolderInto(int editId) {
  CChooseDirDlg chooser(ItemText(editId));
  if (chooser.DoModal(Handle()) == IDOK) SetItemText(editId, chooser.path);
}

CThumbnailsPP::CThumbnailsPP() : BoundOptionsPage(IDD_OPT_THUMBNAILS, kThumbnailsPage) {}

CImagePP::CImagePP() : BoundOptionsPage(IDD_OPT_IMAGES, kImagePage) {}

CSlideshowPP::CSlideshowPP() : BoundOptionsPage(IDD_OPT_SLIDESHOW, kSlideshowPage) {}

bool CSlideshowPP::OnCommand(int id, int code) {
  if (code != BN_CLICKED || (id != IDC_SLIDESHOW_OVERLAP && id != IDC_SLIDESHOW_NAMES)) return false;
  if (::IsDlgButtonChecked(Handle(), id) != BST_CHECKED) return true;
  if (id == IDC_SLIDESHOW_OVERLAP) {
    ::CheckDlgButton(Handle(), IDC_SLIDESHOW_NAMES, BST_UNCHECKED);
    g_settings.slideShow.shownames = 0;
    g_settings.transitions.enable = 0;
  } else {
    ::CheckDlgButton(Handle(), IDC_SLIDESHOW_OVERLAP, BST_UNCHECKED);
    g_settings.slideShow.overlap = 0;
  }
  return true;
}

CTransitionsPP::CTransitionsPP() : BoundOptionsPage(IDD_OPT_TRANSITIONS, kTransitionsPage) {}

bool CTransitionsPP::OnCommand(int id, int code) {
  if (code != BN_CLICKED || id != IDC_TRANSITIONS_ENABLE) return false;
  if (::IsDlgButtonChecked(Handle(), id) == BST_CHECKED) g_settings.slideShow.overlap = 0;
  return true;
}

CSystemPP::CSystemPP() : BoundOptionsPage(IDD_OPT_SYSTEM, kSystemPage) {}

bool CSystemPP::OnCommand(int id, int code) {
  if (code != BN_CLICKED || id != IDC_SYSTEM_HOME_CHOOSE) return false;
  ChooseFolderInto(IDC_SYSTEM_HOME);
  return true;
}

CCachePP::CCachePP() : BoundOptionsPage(IDD_OPT_CACHE, kCachePage) {}

bool CCachePP::OnCommand(int id, int code) {
  if (code != BN_CLICKED || id != IDC_CACHE_CHOOSE) return false;
  ChooseFolderInto(IDC_CACHE_PATH);
  return true;
}

CPreferencesPP::CPreferencesPP() : BoundOptionsPage(IDD_OPT_PREFERENCES, kPreferencesPage) {}

CCaptureOptionsPP::CCaptureOptionsPP() : BoundOptionsPage(IDD_OPT_CAPTURE, kCaptureOptionsPage) {}

bool CCaptureOptionsPP::OnInitDialog() {
  const bool result = BoundOptionsPage::OnInitDialog();
  SetItemText(IDC_CAPTURE_HOTKEY_TEXT, FormatHotkeyText(g_settings.capture.vkey, g_settings.capture.kmod));
  return result;
}

bool CCaptureOptionsPP::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  if (id == IDC_CAPTURE_CHOOSE)
    ChooseFolderInto(IDC_CAPTURE_PATH);
  else if (id == IDC_CAPTURE_HOTKEY_CHOOSE)
    ChooseHotKey();
  else
    return false;
  return true;
}

// The old key is let go while the dialog listens, so that pressing it there picks it again
// instead of taking a screenshot.
void CCaptureOptionsPP::ChooseHotKey() {
  auto& capture = g_settings.capture;
  if (theApp.Frame()) theApp.Frame()->UnregisterCaptureHotkey();
  CCaptureHotKeyDlg dialog(capture.vkey, capture.kmod);
  if (dialog.DoModal(Handle()) == IDOK) {
    capture.vkey = uint16_t(dialog.virtualKey);
    capture.kmod = uint16_t(dialog.modifiers);
  }
  if (theApp.Frame()) theApp.Frame()->RegisterCaptureHotkey();
  SetItemText(IDC_CAPTURE_HOTKEY_TEXT, FormatHotkeyText(capture.vkey, capture.kmod));
}

CAudioPP::CAudioPP() : BoundOptionsPage(IDD_OPT_AUDIO, kAudioPage) {}
