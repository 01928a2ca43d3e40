#include "ole_drop_target.h"

OleDropTarget::~OleDropTarget() { Revoke(); }

bool OleDropTarget::Register(HWND window) {
  Revoke();
  if (FAILED(::RegisterDragDrop(window, this))) return false;
  window_ = window;
  return true;
}

void OleDropTarget::Revoke() {
  if (window_) ::RevokeDragDrop(window_);
  window_ = nullptr;
}

HRESULT STDMETHODCALLTYPE OleDropTarget::QueryInterface(REFIID id, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

POINT OleDropTarget::ClientPoint(POINTL screen) const {
  POINT point = {screen.x, screen.y};
  ::ScreenToClient(window_, &point);
  return point;
}

HRESULT STDMETHODCALLTYPE OleDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  *effect = events_.OnDragEnter(data, keys, ClientPoint(point));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE OleDropTarget::DragOver(DWORD keys, POINTL point, DWORD* effect) {
  *effect = events_.OnDragOver(keys, ClientPoint(point));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE OleDropTarget::DragLeave() {
  events_.OnDragLeave();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE OleDropTarget::Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  *effect = events_.OnDrop(data, keys, ClientPoint(point));
  return S_OK;
}
