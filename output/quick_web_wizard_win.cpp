#include "quick_web_wizard.h"

#include <windows.h>
#include <prsht.h>

#include "app.h"
#include "app_settings.h"
#include "choose_dir_dlg.h"
#include "current_folders.h"
#include "file_system.h"
#include "property_sheet.h"
#include "quick_web_resource.h"

namespace {

constexpr int kPageCount = 13;
constexpr int kPathLength = 259;
constexpr int kTextLength = 30000;

const char kNoOutputFolderMessage[] =
    "The specified output directory does not exist.\nYou must specify a valid output directory before "
    "proceeding.\n\nYou should select or create an empty output directory, so that the results\nof the Quick Web "
    "generation process do not overwrite, or get mixed among existing files.";

CAppSettings::QuickWeb& Web() { return g_settings.quickWeb; }

}  // namespace

// The page base.

QuickWebPage::QuickWebPage(int templateId, int index, std::vector<Binding> bindings, std::vector<Enabling> enablings)
    : PropertyPage(templateId), index_(index), bindings_(std::move(bindings)), enablings_(std::move(enablings)) {}

bool QuickWebPage::OnInitDialog() {
  const bool result = PropertyPage::OnInitDialog();
  UpdateEnabling();
  return result;
}

void QuickWebPage::DoDataExchange(DataExchange& exchange) {
  for (const Binding& binding : bindings_) {
    switch (binding.kind) {
      case Binding::kCheck:
        exchange.Check(binding.id, *binding.number);
        break;
      case Binding::kRadio:
        exchange.Radio(binding.id, *binding.number);
        break;
      case Binding::kText:
        exchange.Text(binding.id, *binding.text, binding.id == IDC_QW_SAVEPATH ? kPathLength : kTextLength);
        break;
      case Binding::kInt:
        exchange.Int(binding.id, *binding.number, binding.minimum, binding.maximum);
        break;
    }
  }
}

void QuickWebPage::UpdateEnabling() {
  for (const Enabling& enabling : enablings_) {
    const bool enabled = Checked(enabling.check) != enabling.whileClear && (!enabling.alsoCheck || Checked(enabling.alsoCheck));
    ::EnableWindow(Item(enabling.id), enabled);
  }
}

bool QuickWebPage::OnCommand(int id, int code) {
  if (code == BN_CLICKED) UpdateEnabling();
  return PropertyPage::OnCommand(id, code);
}

bool QuickWebPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_NOTIFY) return PropertyPage::OnMessage(message, wParam, lParam, result);
  switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
    case PSN_SETACTIVE: {
      PropertyPage::OnMessage(message, wParam, lParam, result);
      const LPARAM buttons = index_ == 0               ? PSWIZB_NEXT
                             : index_ == kPageCount - 1 ? PSWIZB_BACK | PSWIZB_NEXT | PSWIZB_FINISH
                                                        : PSWIZB_BACK | PSWIZB_NEXT;
      ::PostMessageA(::GetParent(Handle()), PSM_SETWIZBUTTONS, 0, buttons);
      UpdateEnabling();
      return true;
    }
    case PSN_KILLACTIVE:
      PropertyPage::OnMessage(message, wParam, lParam, result);
      if (result == FALSE && !OnLeave()) result = TRUE;
      return true;
    case PSN_WIZNEXT:
      result = NextPage();
      return true;
    case PSN_WIZBACK:
      result = BackPage();
      return true;
    case PSN_WIZFINISH:
      result = OnFinish() ? FALSE : TRUE;
      return true;
    default:
      return PropertyPage::OnMessage(message, wParam, lParam, result);
  }
}

// Introduction.

CQW0::CQW0() : QuickWebPage(IDD_QW_INTRO, 0, {Check(IDC_QW_OMITINTRO, Web().omitintro)}) {}

// Output Location.

CQW1B::CQW1B() : QuickWebPage(IDD_QW_OUTPUT, 1, {Text(IDC_QW_SAVEPATH, Web().savepath)}) {}

bool CQW1B::OnCommand(int id, int code) {
  switch (id) {
    case IDC_QW_BROWSE: {
      CChooseDirDlg choose(Web().savepath);
      choose.SetNewFolderName("QuickWeb");
      if (choose.DoModal(Handle()) == IDOK) SetItemText(IDC_QW_SAVEPATH, choose.path);
      return true;
    }
    case IDC_QW_QUICKWEB_FOLDER: {
      const std::string folder = CurrentDirectory() + "\\QuickWeb";
      if (platform::KindOfPath(folder) != platform::PathKind::kDirectory && !platform::MakeFolder(folder)) {
        ::MessageBoxA(Handle(), ("The folder " + folder + " could not be made.").c_str(), MessageCaption(),
                      MB_OK | MB_ICONERROR);
        return true;
      }
      SetItemText(IDC_QW_SAVEPATH, folder);
      return true;
    }
    case IDC_QW_SAVEPATH:
      if (code == EN_CHANGE) Web().savepath = ItemText(IDC_QW_SAVEPATH);
      return true;
    default:
      return QuickWebPage::OnCommand(id, code);
  }
}

bool CQW1B::OnLeave() {
  if (platform::KindOfPath(Web().savepath) == platform::PathKind::kDirectory) return true;
  ::MessageBoxA(Handle(), kNoOutputFolderMessage, MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
  return false;
}

// Title, Opening text.

CQW1::CQW1()
    : QuickWebPage(IDD_QW_TITLE, 2,
                   {Text(IDC_QW_EDIT1, Web().titletext), Text(IDC_QW_EDIT2, Web().openingtext),
                    Check(IDC_QW_CENTERED, Web().centered)}) {}

// Table Options, and Image Sizes.

CQW3::CQW3()
    : QuickWebPage(IDD_QW_TABLE, 3,
                   {Text(IDC_QW_EDIT1, Web().filename), Int(IDC_QW_COLS, Web().cols, 1, 10),
                    Radio(IDC_QW_TEXT_UNDER, Web().textunder), Int(IDC_QW_THUMBWID, Web().thumbwid, 40, 500),
                    Int(IDC_QW_THUMBHGT, Web().thumbhgt, 40, 500), Int(IDC_QW_WID, Web().wid, 100, 4000),
                    Int(IDC_QW_HGT, Web().hgt, 100, 4000), Check(IDC_QW_USEORIGINAL, Web().useoriginal),
                    Check(IDC_QW_FRAMELINES, Web().framelines)},
                   {{IDC_QW_WID, IDC_QW_USEORIGINAL, 0, true}, {IDC_QW_HGT, IDC_QW_USEORIGINAL, 0, true}}) {}

bool CQW3::OnCommand(int id, int code) {
  if ((id == IDC_QW_TEXT_UNDER || id == IDC_QW_TEXT_BESIDE) && code == BN_CLICKED)
    Web().textunder = id == IDC_QW_TEXT_BESIDE ? 1 : 0;
  return QuickWebPage::OnCommand(id, code);
}

// Text with each thumbnail.

CQW2::CQW2()
    : QuickWebPage(IDD_QW_THUMB_TEXT, 4,
                   {Check(IDC_QW_FILENAMES, Web().filenames), Check(IDC_QW_FILEDATES, Web().filedates),
                    Check(IDC_QW_FILESIZES, Web().filesizes), Check(IDC_QW_ANNOTATIONS, Web().annotations),
                    Check(IDC_QW_STATICTEXT, Web().statictext), Text(IDC_QW_EDIT2, Web().staticstr)},
                   {{IDC_QW_EDIT2, IDC_QW_STATICTEXT, 0, false}}) {}

void CQW2::DoDataExchange(DataExchange& exchange) {
  QuickWebPage::DoDataExchange(exchange);
  if (exchange.Saving()) Web().usetext = Web().statictext;
}

// Image View Page - Options.

CQW4::CQW4()
    : QuickWebPage(IDD_QW_PAGE_OPTIONS, 8,
                   {Check(IDC_QW_CREATEPAGES, Web().createpages), Check(IDC_QW_CENTERIMAGES, Web().centerimages),
                    Check(IDC_QW_PAGEFILENAMES, Web().pagefilenames), Check(IDC_QW_PAGEANNOTS, Web().pageannots),
                    Check(IDC_QW_PAGESTATIC, Web().pagestatic), Check(IDC_QW_PAGEBACKBTN, Web().pagebackbtn),
                    Text(IDC_QW_EDIT2, Web().backlinktext), Check(IDC_QW_PREVNEXTBTNS, Web().prevnextbtns),
                    Check(IDC_QW_USEOPENING, Web().imgpage_useopening), Text(IDC_QW_EDIT1, Web().imgpage_openingtext)},
                   {{IDC_QW_CENTERIMAGES, IDC_QW_CREATEPAGES, 0, false},
                    {IDC_QW_PAGEFILENAMES, IDC_QW_CREATEPAGES, 0, false},
                    {IDC_QW_PAGEANNOTS, IDC_QW_CREATEPAGES, 0, false},
                    {IDC_QW_PAGESTATIC, IDC_QW_CREATEPAGES, 0, false},
                    {IDC_QW_PAGEBACKBTN, IDC_QW_CREATEPAGES, 0, false},
                    {IDC_QW_PREVNEXTBTNS, IDC_QW_CREATEPAGES, 0, false},
                    {IDC_QW_USEOPENING, IDC_QW_CREATEPAGES, 0, false},
                    {IDC_QW_EDIT2, IDC_QW_CREATEPAGES, IDC_QW_PAGEBACKBTN, false},
                    {IDC_QW_EDIT1, IDC_QW_CREATEPAGES, IDC_QW_USEOPENING, false}}) {}

// Without pages of their own, the image pages' colours, fonts and include files do not matter.
int CQW4::NextPage() { return Checked(IDC_QW_CREATEPAGES) ? 0 : IDD_QW_QUALITY; }

// Image & Thumbnail - compression quality.

CQW3A::CQW3A(bool& finished)
    : QuickWebPage(IDD_QW_QUALITY, 12,
                   {Int(IDC_QW_IMAGEQUALITY, Web().imagequality, 1, 100),
                    Int(IDC_QW_THUMBQUALITY, Web().thumbquality, 1, 100)}),
      finished_(finished) {}

int CQW3A::BackPage() { return Web().createpages ? 0 : IDD_QW_PAGE_OPTIONS; }

// Finish leaves no page, so this one stores its own values first.
bool CQW3A::OnFinish() {
  if (!UpdateData(true)) return false;
  finished_ = true;
  return true;
}

bool RunQuickWebWizard(HWND owner) {
  bool finished = false;
  CQW0 intro;
  CQW1B output;
  CQW1 title;
  CQW3 table;
  CQW2 text;
  CQW6 indexColors;
  CQW3B indexFont;
  CQW1A indexIncludes;
  CQW4 pageOptions;
  CQW5 imageColors;
  CQW3C imageFont;
  CQW1C imageIncludes;
  CQW3A quality(finished);
  PropertySheet sheet("Quick Web Page", owner, Web().omitintro ? 1 : 0);
  sheet.SetWizardMode();
  for (PropertyPage* page : std::initializer_list<PropertyPage*>{&intro, &output, &title, &table, &text, &indexColors,
                                                                 &indexFont, &indexIncludes, &pageOptions, &imageColors,
                                                                 &imageFont, &imageIncludes, &quality})
    sheet.AddPage(page);
  sheet.DoModal();
  return finished;
}
