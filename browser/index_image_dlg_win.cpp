#include "index_image_dlg.h"

#include <cstdio>

#include "index_grid.h"
#include "resource.h"

namespace {

constexpr int kMaxTitle = 255;

}  // namespace

CIndexImageDlg::CIndexImageDlg() : Dialog(IDD_INDEX_IMAGE) {}

void CIndexImageDlg::LoadSettings(const CAppSettings::CreateIndex& settings) {
  columns = settings.width;
  rows = settings.height;
  includeTitle = settings.title;
  fileDates = settings.date;
  fileNames = settings.name;
  fileSizes = settings.size;
  background = COLORREF(settings.color);
  foreground = COLORREF(settings.fgcolor);
  spacing = settings.spacing;
  autoSpace = settings.autospace;
}

void CIndexImageDlg::StoreSettings(CAppSettings::CreateIndex& settings) const {
  settings.width = columns;
  settings.height = rows;
  settings.title = includeTitle;
  settings.date = fileDates;
  settings.name = fileNames;
  settings.size = fileSizes;
  settings.color = int(background);
  settings.fgcolor = int(foreground);
  settings.spacing = spacing;
  settings.autospace = autoSpace;
}

bool CIndexImageDlg::OnInitDialog() {
  backgroundBox_.Subclass(Item(IDC_INDEX_BACKGROUND));
  foregroundBox_.Subclass(Item(IDC_INDEX_FOREGROUND));
  backgroundBox_.CreateSwatch(background, false);
  foregroundBox_.CreateSwatch(foreground, false);
  char selected[64];
  std::snprintf(selected, sizeof selected, "%i Images selected", selectedImages);
  SetItemText(IDC_INDEX_SELECTED, selected);
  const bool focusSet = Dialog::OnInitDialog();
  EnableSpacing();
  return focusSet;
}

void CIndexImageDlg::DoDataExchange(DataExchange& exchange) {
  if (!exchange.Saving() && selectedImages > 0) {
    const IndexGrid grid = IndexGridFor(selectedImages);
    columns = grid.columns;
    rows = grid.rows;
  }
  exchange.Int(IDC_INDEX_COLUMNS, columns, 1, 20);
  exchange.Int(IDC_INDEX_ROWS, rows, 1, 20);
  exchange.Text(IDC_INDEX_TITLE_TEXT, titleText, kMaxTitle);
  exchange.Check(IDC_INDEX_TITLE, includeTitle);
  exchange.Check(IDC_INDEX_SIZES, fileSizes);
  exchange.Check(IDC_INDEX_NAMES, fileNames);
  exchange.Check(IDC_INDEX_DATES, fileDates);
  exchange.Check(IDC_INDEX_AUTOSPACE, autoSpace);
  exchange.Int(IDC_INDEX_SPACING, spacing, 0, 100);
  if (exchange.Saving() && !exchange.Failed()) {
    // A swatch that could not be made keeps the colour the dialog was given.
    if (backgroundBox_.HasSwatch()) background = backgroundBox_.GetColor();
    if (foregroundBox_.HasSwatch()) foreground = foregroundBox_.GetColor();
  } else if (!exchange.Saving()) {
    backgroundBox_.SetColor(background);
    foregroundBox_.SetColor(foreground);
  }
}

bool CIndexImageDlg::OnCommand(int id, int code) {
  if (id != IDC_INDEX_AUTOSPACE) return Dialog::OnCommand(id, code);
  EnableSpacing();
  return true;
}

void CIndexImageDlg::EnableSpacing() {
  ::EnableWindow(Item(IDC_INDEX_SPACING), ::IsDlgButtonChecked(Handle(), IDC_INDEX_AUTOSPACE) != BST_CHECKED);
}
