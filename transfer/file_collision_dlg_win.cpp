#include "file_collision_dlg.h"

#include <cstdio>

#include "file_tests.h"
#include "image_load.h"
#include "private_messages.h"
#include "program_help.h"
#include "resource.h"

namespace {

constexpr int kPreviewInset = 3;  // inside the etched frame

static_assert(kFileCollisionContext == 0x20000 + IDD_FILE_COLLISION, "the dialog's help number");

struct ButtonChoice {
  int id;
  CollisionChoice choice;
};

constexpr ButtonChoice kButtons[] = {
    {IDC_COLLISION_SKIP, CollisionChoice::kSkip},           {IDC_COLLISION_SKIP_ALL, CollisionChoice::kSkipAll},
    {IDC_COLLISION_SUFFIX, CollisionChoice::kSuffix},       {IDC_COLLISION_SUFFIX_ALL, CollisionChoice::kSuffixAll},
    {IDC_COLLISION_REPLACE, CollisionChoice::kReplace},     {IDC_COLLISION_REPLACE_ALL, CollisionChoice::kReplaceAll},
    {IDC_COLLISION_CANCEL, CollisionChoice::kCancel},
};

std::string KilobytesText(int64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%i Kbytes", int(bytes / 1024));
  return text;
}

// A control's rectangle in its dialog's client coordinates.
RECT ItemRect(HWND dialog, int id) {
  RECT area = {};
  const HWND item = ::GetDlgItem(dialog, id);
  ::GetWindowRect(item, &area);
  ::MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

}  // namespace

CFileCollisionDlg::CFileCollisionDlg(std::string source, std::string destination)
    : Dialog(IDD_FILE_COLLISION), source_(std::move(source)), destination_(std::move(destination)) {}

void CFileCollisionDlg::PlacePreview(CImagePreviewWnd& preview, int frameId, int sequence, const std::string& path) {
  RECT frame = ItemRect(Handle(), frameId);
  ::InflateRect(&frame, -kPreviewInset, -kPreviewInset);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  preview.Create(0, "", WS_CHILD | WS_VISIBLE, frame.left, frame.top, width, height, Handle(),
                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(frameId + 100)));
  LoadImageAsync(Handle(), path.c_str(), sequence, width, height);
}

bool CFileCollisionDlg::OnInitDialog() {
  SetItemText(IDC_COLLISION_NAME, source_);
  ::MessageBeep(MB_ICONEXCLAMATION);
  ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(Handle());

  // Until a picture arrives, the dialog ends just below "Skip All", as far below it as the
  // button is from the left edge.
  RECT window = {}, client = {};
  ::GetWindowRect(Handle(), &window);
  ::GetClientRect(Handle(), &client);
  fullHeight_ = window.bottom - window.top;
  const RECT skipAll = ItemRect(Handle(), IDC_COLLISION_SKIP_ALL);
  const int cutHeight = fullHeight_ - (client.bottom - (skipAll.bottom + skipAll.left));
  ::SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left, cutHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  PlacePreview(sourcePreview_, IDC_COLLISION_SOURCE_FRAME, 1, source_);
  PlacePreview(destinationPreview_, IDC_COLLISION_TARGET_FRAME, 2, destination_);
  const int64_t sourceSize = GetFileLength(source_), destinationSize = GetFileLength(destination_);
  SetItemText(IDC_COLLISION_SOURCE_SIZE, KilobytesText(sourceSize));
  SetItemText(IDC_COLLISION_TARGET_SIZE, KilobytesText(destinationSize));
  equalSize_ = sourceSize == destinationSize;
  return Dialog::OnInitDialog();
}

bool CFileCollisionDlg::OnCommand(int id, int code) {
  for (const ButtonChoice& button : kButtons) {
    if (button.id != id) continue;
    choice = button.choice;
    EndDialog(IDOK);
    return true;
  }
  // Help leaves the question standing.
  if (id == IDC_COLLISION_HELP) {
    ShowHelp(Handle(), HELP_CONTEXT, kFileCollisionContext);
    return true;
  }
  return Dialog::OnCommand(id, code);
}

bool CFileCollisionDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_IMAGE_LOADED) return Dialog::OnMessage(message, wParam, lParam, result);
  OnImageLoaded(lParam);
  result = kImageTaken;
  return true;
}

void CFileCollisionDlg::OnImageLoaded(LPARAM lParam) {
  const std::unique_ptr<ImageLoadRequest> request = TakeImageLoadRequest(lParam);
  RECT window = {};
  ::GetWindowRect(Handle(), &window);
  ::SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left, fullHeight_,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CImagePreviewWnd& preview = request->sequence == 1 ? sourcePreview_ : destinationPreview_;
  if (request->image) preview.SetImage(*request->image);
  if (equalSize_ && CompareFiles(source_, destination_))
    SetItemText(IDC_COLLISION_COMPARISON, "The files are\nIdentical");
}
