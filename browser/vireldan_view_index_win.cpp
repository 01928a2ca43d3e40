// The Create Index image command: the selected thumbnails drawn on one picture, which opens in an
// image window, with its HTML image map put on the clipboard.
#include <string>
#include <vector>

#include "Cimage.h"
#include "app.h"
#include "app_settings.h"
#include "clipboard_text.h"
#include "image_window_entry_points.h"
#include "index_image_dlg.h"
#include "index_sheet_drawing.h"
#include "thumb_captions.h"
#include "vireldan_view.h"
#include "wait_cursor.h"

namespace {

// What the user last typed as the title; kept while the program runs, never stored.
std::string g_indexTitle;

void Tell(HWND owner, const char* text) { ::MessageBoxA(owner, text, MessageCaption(), MB_OK | MB_ICONEXCLAMATION); }

}  // namespace

void CVireldanView::CreateIndexImage(UINT) {
  const HWND owner = ::GetAncestor(Handle(), GA_ROOT);
  if (Cimage::S_use_palette) {
    Tell(owner,
         "You cannot create index images when the display is\noperating in a palette based mode.\nSwitch to "
         "high-color, or true-color and try again");
    return;
  }
  CIndexImageDlg dialog;
  dialog.LoadSettings(g_settings.createIndex);
  dialog.titleText = g_indexTitle;
  dialog.selectedImages = items_.CountSelected();
  if (dialog.DoModal(owner) != IDOK) return;
  dialog.StoreSettings(g_settings.createIndex);
  g_indexTitle = dialog.titleText;

  WaitCursor wait;
  std::vector<IndexSheetItem> selected;
  for (CThumbItem* item = items_.GetFirstSelected(); item; item = items_.GetNextSelected())
    selected.push_back({item->thumbnail, item->name, item->GetDateText(), SizeCaption(*item)});
  if (!AnyIndexThumbnail(selected)) {
    Tell(owner, "None of the selected images has its thumbnail yet: the index image would be empty.");
    return;
  }
  Cimage picture;
  std::string map;
  if (!DrawIndexSheet(g_settings.createIndex, layout_.edge, g_indexTitle, selected, picture, map)) {
    Tell(owner, "There is not enough memory for an index image of this size.");
    return;
  }
  OpenImageWindowFromImage(picture);
  if (!PutTextOnClipboard(Handle(), map)) Tell(owner, "The HTML image map could not be put on the clipboard.");
}
