// The image window's editing commands, saving and the question before a modified picture closes.
#include "image_wnd.h"

bool CImageWnd::OnEditCommand(UINT) { return false; }

bool CImageWnd::OnUpdateEditCommand(CommandState&) { return false; }

int CImageWnd::SaveAs() { return 0; }

bool CImageWnd::ConfirmClose() { return true; }
