#pragma once
// Commands from menus, toolbars and accelerators go to the active view, then to the frame, then
// to the application: the first target with a handler takes the command. Before a menu drops
// down, and at idle for toolbar buttons, the same route is asked for each command's state; a
// command nobody handles is shown disabled.
#include <windows.h>

#include <cstddef>

struct CommandState {
  UINT id = 0;
  bool enabled = true;
  bool checked = false;
};

class CommandTarget {
 public:
  virtual ~CommandTarget() = default;
  // True when this target handles the command (it has then run it).
  virtual bool OnCommand(UINT) { return false; }
  // True when this target handles the command; it may set the state.
  virtual bool OnUpdateCommand(CommandState&) { return false; }
};

// One row of a class's command table: a range of ids, the handler, and an optional update
// handler (without one the command is enabled and unchecked).
template <class Owner>
struct CommandEntry {
  UINT first;
  UINT last;
  void (Owner::*run)(UINT id);
  void (Owner::*update)(CommandState& state);
};

template <class Owner, size_t N>
const CommandEntry<Owner>* FindCommand(const CommandEntry<Owner> (&table)[N], UINT id) {
  for (const CommandEntry<Owner>& entry : table)
    if (id >= entry.first && id <= entry.last) return &entry;
  return nullptr;
}

template <class Owner, size_t N>
bool RunCommand(Owner* owner, const CommandEntry<Owner> (&table)[N], UINT id) {
  const CommandEntry<Owner>* entry = FindCommand(table, id);
  if (!entry) return false;
  (owner->*entry->run)(id);
  return true;
}

template <class Owner, size_t N>
bool UpdateCommand(Owner* owner, const CommandEntry<Owner> (&table)[N], CommandState& state) {
  const CommandEntry<Owner>* entry = FindCommand(table, state.id);
  if (!entry) return false;
  if (entry->update) (owner->*entry->update)(state);
  return true;
}
