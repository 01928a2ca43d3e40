// The collage window on real photographs under Wine, driven by its own messages: a picture
// dragged, brought to the front and resized by its tracker's handle, zoom 2.0, then Save Collage
// through the system's save dialog, which saves at zoom 1.0; the file read back is the canvas the
// window shows, pixel for pixel. Set Size through its dialog centres the smaller canvas in the
// window; a file dropped on it lands by the drop point; closing frees the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "app_settings.h"
#include "collage_wnd.h"
#include "command_ids.h"
#include "drop_files_block.h"
#include "dialog_user_win.h"
#include "message_wait_win.h"
#include "missing_files.h"
#include "property_sheet_driver.h"
#include "resource.h"
#include "save_dialog_user_win.h"
#include "temp_folder.h"
#include "ui_driver.h"
#include "viewer_pictures.h"

namespace {

constexpr char kOtherPhoto[] = "Z:/usr/libexec/installed-tests/gdk-pixbuf/bug143608-comment.jpg";

void Mouse(HWND window, UINT message, int x, int y) {
  ::SendMessageA(window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

bool Checked(CCollageWnd& window, UINT id) {
  CommandState state;
  state.id = id;
  return window.OnUpdateCommand(state) && state.checked;
}

class CollageWindow : public TempFolderTest {};

TEST_F(CollageWindow, ArrangedZoomedSavedAndReadBack) {
  if (FlowerPhotoPath().empty() || ::GetFileAttributesA(kOtherPhoto) == INVALID_FILE_ATTRIBUTES)
    SKIP_OR_FAIL_MISSING("the test photographs are not installed");
  g_settings.collage = {300, 200};
  CCollageWnd* window = CCollageWnd::Open(nullptr, {FlowerPhotoPath(), kOtherPhoto});
  ASSERT_TRUE(window);
  const HWND handle = window->Handle();
  EXPECT_EQ(TextOf(handle), "Collage");
  PumpUntil([] { return false; }, 100);
  const CollageLayout& layout = window->Layout();
  ASSERT_EQ(layout.Items().size(), 2u);
  const CollageItem* flower = layout.Items()[0].get();
  EXPECT_EQ(flower->x, 25);

  // The flower dragged 200 right and 150 down, over the other photograph, and brought in front.
  Mouse(handle, WM_LBUTTONDOWN, 100, 100);
  Mouse(handle, WM_MOUSEMOVE, 200, 180);
  Mouse(handle, WM_MOUSEMOVE, 300, 250);
  Mouse(handle, WM_LBUTTONUP, 300, 250);
  EXPECT_EQ(flower->x, 225);
  EXPECT_EQ(flower->y, 175);
  ::SendMessageA(handle, WM_COMMAND, ID_COLLAGE_FRONT, 0);
  EXPECT_EQ(layout.Items().back().get(), flower);

  // Its bottom right handle dragged to half its size: refitted from the file, proportions kept.
  const int width = flower->Width(), height = flower->Height();
  const POINT corner = {225 + width + 3, 175 + height + 3};
  ::PostMessageA(handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(corner.x - width / 2, corner.y - height / 2));
  ::PostMessageA(handle, WM_LBUTTONUP, 0, MAKELPARAM(corner.x - width / 2, corner.y - height / 2));
  Mouse(handle, WM_LBUTTONDOWN, corner.x, corner.y);  // the tracker follows the queued moves
  EXPECT_EQ(flower->x, 225);
  EXPECT_EQ(flower->y, 175);
  EXPECT_LE(flower->Width(), width - width / 2);
  EXPECT_LE(flower->Height(), height - height / 2);
  EXPECT_NEAR(double(flower->Width()) / flower->Height(), double(width) / height, 0.02);

  ::SendMessageA(handle, WM_COMMAND, ID_COLLAGE_ZOOM_2, 0);
  EXPECT_TRUE(Checked(*window, ID_COLLAGE_ZOOM_2));
  EXPECT_EQ(layout.canvasWidth, 2400);

  const std::string saved = (folder_ / "collage.png").string();
  SendAnswered(handle, WM_COMMAND, ID_COLLAGE_SAVE, [&] { AnswerSaveDialog(saved); });
  EXPECT_TRUE(Checked(*window, ID_COLLAGE_ZOOM_1));
  EXPECT_EQ(layout.canvasWidth, 1200);
  EXPECT_EQ(flower->x, 225);
  Cimage file;
  file.LoadImageA(saved.c_str(), 0, 0, 5);
  ASSERT_TRUE(file.m_pixels);
  EXPECT_EQ(file.m_width, 1200);
  EXPECT_EQ(file.m_height, 900);
  // The canvas is larger than the window: the window shows its top left part.
  const Cimage shown = ShownPicture(handle, false, "collage_window_saved");
  EXPECT_EQ(LargestDifference(shown, file, 0, 0), 0);

  SendAnswered(handle, WM_COMMAND, ID_COLLAGE_SET_SIZE, [] {
    const HWND dialog = WaitForWindow("Canvas Size");
    ::SetDlgItemTextA(dialog, IDC_SIZE_WIDTH, "500");
    ::SetDlgItemTextA(dialog, IDC_SIZE_HEIGHT, "400");
    PressButton(dialog, IDOK);
    WaitUntilClosed(dialog);
  });
  EXPECT_EQ(layout.canvasWidth, 500);
  ShownPicture(handle, true, "collage_window_small_canvas");
  RECT client = {};
  ::GetClientRect(handle, &client);
  Cimage inside = ShownPicture(handle);
  // Dark grey around the canvas, white canvas at its corner.
  EXPECT_EQ(inside.GetRGB(2, 2), 0x202020u);
  EXPECT_EQ(inside.GetRGB((client.right - 500) / 2 + 1, (client.bottom - 400) / 2 + 1), 0xFFFFFFu);

  // One file dropped at a point of the window: its corner lands 100 above and left of it.
  std::string block = DropFilesBlock(FlowerPhotoPath());
  const POINT dropPoint = {400, 300};
  std::memcpy(&block[4], &dropPoint, sizeof dropPoint);
  HGLOBAL drop = ::GlobalAlloc(GMEM_MOVEABLE, block.size());
  std::memcpy(::GlobalLock(drop), block.data(), block.size());
  ::GlobalUnlock(drop);
  ::SendMessageA(handle, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  ASSERT_EQ(layout.Items().size(), 3u);
  EXPECT_EQ(layout.Items().back()->x, 400 - (client.right - 500) / 2 - 100);
  EXPECT_EQ(layout.Items().back()->y, 300 - (client.bottom - 400) / 2 - 100);

  ::SendMessageA(handle, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(handle));
}

}  // namespace
