#include "exif_tips_dlg.h"

#include "app_settings.h"
#include "resource.h"

namespace {

constexpr unsigned kAllLines = 0x8000000;

struct FieldBox {
  int id;
  unsigned readBits;   // the box is checked when these are set
  unsigned storeBits;  // a checked box stores these
};

// The description box is read from 0x40000 but stores 0x10000 with it, the form the settings have
// always kept.
constexpr FieldBox kFieldBoxes[] = {
    {IDC_EXIF_MAKE, 0x1, 0x1},
    {IDC_EXIF_MODEL, 0x2, 0x2},
    {IDC_EXIF_DATE, 0x4, 0x4},
    {IDC_EXIF_FLASH, 0x8, 0x8},
    {IDC_EXIF_FOCAL_LENGTH, 0x10, 0x10},
    {IDC_EXIF_EXPOSURE_TIME, 0x20, 0x20},
    {IDC_EXIF_APERTURE, 0x40, 0x40},
    {IDC_EXIF_FOCUS_DISTANCE, 0x80, 0x80},
    {IDC_EXIF_ISO, 0x200, 0x200},
    {IDC_EXIF_WHITE_BALANCE, 0x800, 0x800},
    {IDC_EXIF_METERING, 0x1000, 0x1000},
    {IDC_EXIF_EXPOSURE_PROGRAM, 0x2000, 0x2000},
    {IDC_EXIF_JPEG_QUALITY, 0x4000, 0x4000},
    {IDC_EXIF_COMMENT, 0x20000, 0x20000},
    {IDC_EXIF_DESCRIPTION, 0x40000, 0x10000 | 0x40000},
};

}  // namespace

CExifTipsDlg::CExifTipsDlg() : Dialog(IDD_EXIF_TIPS) {}

bool CExifTipsDlg::IsChecked(int id) const { return ::IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }

void CExifTipsDlg::EnableFieldBoxes(bool enable) {
  for (const FieldBox& box : kFieldBoxes) ::EnableWindow(Item(box.id), enable);
}

bool CExifTipsDlg::OnInitDialog() {
  const CAppSettings::Thumbnails& settings = g_settings.thumbnails;
  const unsigned mask = unsigned(settings.exif_tipoptions);
  ::CheckDlgButton(Handle(), IDC_EXIF_ENABLE, settings.exif_tipsenable ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(Handle(), IDC_EXIF_ALL, (mask & kAllLines) ? BST_CHECKED : BST_UNCHECKED);
  for (const FieldBox& box : kFieldBoxes)
    ::CheckDlgButton(Handle(), box.id, (mask & box.readBits) ? BST_CHECKED : BST_UNCHECKED);
  ::EnableWindow(Item(IDC_EXIF_ALL), settings.exif_tipsenable != 0);
  EnableFieldBoxes(settings.exif_tipsenable && !(mask & kAllLines));
  return true;
}

bool CExifTipsDlg::OnCommand(int id, int code) {
  if (id == IDC_EXIF_ALL) {
    EnableFieldBoxes(!IsChecked(IDC_EXIF_ALL));
    return true;
  }
  if (id == IDC_EXIF_ENABLE) {
    const bool enabled = IsChecked(IDC_EXIF_ENABLE);
    ::EnableWindow(Item(IDC_EXIF_ALL), enabled);
    EnableFieldBoxes(enabled && !IsChecked(IDC_EXIF_ALL));
    return true;
  }
  return Dialog::OnCommand(id, code);
}

void CExifTipsDlg::OnOK() {
  unsigned mask = IsChecked(IDC_EXIF_ALL) ? kAllLines : 0;
  for (const FieldBox& box : kFieldBoxes)
    if (IsChecked(box.id)) mask |= box.storeBits;
  g_settings.thumbnails.exif_tipsenable = IsChecked(IDC_EXIF_ENABLE) ? 1 : 0;
  g_settings.thumbnails.exif_tipoptions = int(mask);
  EndDialog(IDOK);
}
