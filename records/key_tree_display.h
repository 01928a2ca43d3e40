#pragma once
// What the keyword index asks of the Key view's tree when it shows the master tree there: items
// stand for master keys (a key's node keeps its item), and the top-level keys hang below the
// view's folder item.
#include <string>

class KeyTreeDisplay {
 public:
  using Item = void*;
  virtual ~KeyTreeDisplay() = default;

  virtual Item RootItem() = 0;
  // A new item showing a plain key, the first child of parent; none when it cannot be made.
  virtual Item InsertKeyItem(Item parent, const std::string& name) = 0;
  // Sorts the children of the item by their text.
  virtual void SortChildren(Item parent) = 0;
  virtual void SetItemText(Item item, const std::string& text) = 0;
  virtual void Expand(Item item) = 0;
  // Shows the item as a key a file carries, and the keys above it as holding one.
  virtual void MarkKeyPath(Item item) = 0;
};
