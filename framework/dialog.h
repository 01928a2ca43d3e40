#pragma once
// A dialog from a template resource, modal or modeless. Controls bound in DoDataExchange are
// filled when the dialog opens and read back, with validation, on OK: a failing control is
// reported with a message box and gets the focus, and the dialog stays open.
#include <windows.h>

#include <string>

#include "data_exchange.h"
#include "window.h"

class Dialog : public Window {
 public:
  // resources: the module holding the template (the program's own when none).
  explicit Dialog(int templateId, HINSTANCE resources = nullptr);

  INT_PTR DoModal(HWND parent);
  bool CreateModeless(HWND parent);
  bool IsModal() const { return modal_; }
  // Ends a modal dialog with the result; destroys a modeless one.
  void EndDialog(INT_PTR result);

  bool UpdateData(bool saving);

  HWND Item(int id) const { return ::GetDlgItem(Handle(), id); }
  std::string ItemText(int id) const;
  void SetItemText(int id, const std::string& text);

  bool PreTranslateMessage(MSG& message) override;

 protected:
  // Default: fill the controls from their variables; true lets the dialog manager set the focus.
  virtual bool OnInitDialog();
  virtual void DoDataExchange(DataExchange&) {}
  // Commands from buttons, menus and controls that are not reflected; true when handled.
  virtual bool OnCommand(int id, int code);
  virtual void OnOK();
  virtual void OnCancel();
  // Any other message; return true when handled (then result is the message's result).
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // The dialog procedure of every dialog; WM_INITDIALOG carries the object.
  static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
  void CenterOverOwner();

  int templateId_;
  HINSTANCE resources_;
  bool modal_ = false;
};
