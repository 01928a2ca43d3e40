#include "about_dlg.h"

#include "resource.h"

CAboutDlg::CAboutDlg() : Dialog(IDD_ABOUTBOX) {}

bool CAboutDlg::OnInitDialog() {
  SetItemText(IDC_VERSION, std::string("Vireldan ") + "Version 5.2");
  return true;
}
