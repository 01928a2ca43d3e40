#pragma once
// Makes a window an OLE drop target: the drag's events reach the owner in the window's client
// coordinates, and the owner answers with the drop effect it offers. OLE must be initialised on
// the window's thread.
#include <windows.h>
#include <ole2.h>

class DropTargetEvents {
 public:
  virtual ~DropTargetEvents() = default;
  virtual DWORD OnDragEnter(IDataObject* data, DWORD keys, POINT point) = 0;
  virtual DWORD OnDragOver(DWORD keys, POINT point) = 0;
  virtual void OnDragLeave() = 0;
  virtual DWORD OnDrop(IDataObject* data, DWORD keys, POINT point) = 0;
};

class OleDropTarget : public IDropTarget {
 public:
  explicit OleDropTarget(DropTargetEvents& events) : events_(events) {}
  ~OleDropTarget();
  OleDropTarget(const OleDropTarget&) = delete;
  OleDropTarget& operator=(const OleDropTarget&) = delete;

  bool Register(HWND window);
  void Revoke();

  // IUnknown: the owner keeps the object alive while it is registered.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  // IDropTarget
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

 private:
  POINT ClientPoint(POINTL screen) const;

  DropTargetEvents& events_;
  HWND window_ = nullptr;
};
