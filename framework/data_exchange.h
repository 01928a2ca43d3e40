#pragma once
// Moves values between a dialog's controls and the variables they are bound to: into the
// controls when the dialog opens, back out (with validation) when it is confirmed. The first
// control whose text does not validate stops the exchange and is reported.
#include <windows.h>

#include <string>

class DataExchange {
 public:
  DataExchange(HWND dialog, bool saving) : dialog_(dialog), saving_(saving) {}

  bool Saving() const { return saving_; }

  void Check(int id, int& value);
  // The radio group that starts at firstId (the button with WS_GROUP) up to the next group:
  // value is the index of the checked button, -1 when none is.
  void Radio(int firstId, int& value);
  void Int(int id, int& value, int minimum, int maximum);
  void Text(int id, std::string& value, int maxLength);
  // A trackbar's position; the control keeps it inside the range it was given.
  void Slider(int id, int& value);

  // A dialog's own rule refuses the control's value: the exchange stops there as for a value
  // that does not validate, with the message given.
  void Refuse(int id, const std::string& message) { Fail(id, message); }

  bool Failed() const { return failedControl_ != 0; }
  int FailedControl() const { return failedControl_; }
  const std::string& FailureMessage() const { return failureMessage_; }

 private:
  bool Skip() const { return Failed(); }
  void Fail(int id, const std::string& message);

  HWND dialog_;
  bool saving_;
  int failedControl_ = 0;
  std::string failureMessage_;
};
