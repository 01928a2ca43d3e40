#pragma once
// A TWAIN connection: loads the source manager from the Windows folder, lets the user pick a
// source, opens and enables the default source with its own user interface, passes window
// messages to it, and pulls pictures by native transfer (device-independent bitmaps in global
// memory). One connection per process; the main frame is one.
//
// States, as the protocol numbers them: 1 manager not loaded, 2 loaded, 3 open, 4 source open,
// 5 source enabled, 6 transfer ready, 7 transferring.
#include <windows.h>

#include "twain_protocol.h"

class CTwain {
 public:
  // The error codes of OnError.
  enum Error { kManagerNotOpened = 0, kSourceNotOpened = 1, kSourceNotEnabled = 2, kTransferFailed = 3 };

  CTwain();
  virtual ~CTwain();
  CTwain(const CTwain&) = delete;
  CTwain& operator=(const CTwain&) = delete;

  // Texts longer than a TWAIN field are cut to its 32 characters.
  void SetIdentity(int major, int minor, int language, int country, const char* info, const char* manufacturer,
                   const char* family, const char* product);
  // Whether the source manager can be used; the first call without it tries to load it, and the
  // answer then holds for the rest of the run.
  bool IsAvailable();
  int GetState() const { return state_; }
  void SetParentWindow(HWND window) { parent_ = window; }
  bool OpenSourceManager(HWND window);
  // The manager's own selection dialog; its choice becomes the default source that Acquire opens.
  bool SelectSource(HWND window);
  // Opens and enables the default source with its dialog; the pictures arrive later through
  // ProcessMessage. False (the state as before) when it could not.
  bool Acquire(HWND window);
  // True when the message was the source's, which the caller then neither translates nor
  // dispatches.
  bool ProcessMessage(MSG& message);
  void CloseSourceManager(HWND window);
  void UnloadSourceManager();

 protected:
  // The transfer loop: native transfers until no transfer is pending.
  virtual void OnXferReady();
  // The source asked to close: it is disabled and closed.
  virtual void OnCloseDSReq();
  // A transferred picture; the receiver owns the memory (the base frees it).
  virtual void OnImageReceived(HGLOBAL dib);
  virtual void OnStateChanged(int) {}
  virtual void OnError(int) {}
  // Steps down one state at a time; stops at the first step that fails.
  bool DropToState(int target);

 private:
  bool LoadSourceManager();
  bool CallManager(TW_UINT32 group, TW_UINT16 data, TW_UINT16 message, TW_MEMREF pData);
  bool CallSource(TW_UINT32 group, TW_UINT16 data, TW_UINT16 message, TW_MEMREF pData);
  bool Call(TW_IDENTITY* destination, TW_UINT32 group, TW_UINT16 data, TW_UINT16 message, TW_MEMREF pData);
  void SetState(int state);
  // After a native transfer that failed: the pending transfers are dropped (back to state 5), so
  // that the source can be used again instead of being asked for the same picture for ever.
  void AbandonTransfers();

  int state_ = 1;
  int savedState_ = 1;
  TW_IDENTITY identity_ = {};
  TW_UINT16 returnCode_ = TWRC_SUCCESS;
  TW_USERINTERFACE userInterface_ = {};
  bool showUI_ = true;
  TW_PENDINGXFERS pending_ = {};
  HWND parent_ = nullptr;
};
