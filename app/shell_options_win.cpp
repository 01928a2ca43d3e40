#include "shell_options.h"

#include <vector>

#include "app.h"
#include "dialog.h"
#include "profile.h"
#include "resource.h"

namespace {

constexpr char kProgId[] = "Vireldan.Image";
constexpr char kTypesSection[] = "Shell Types";
constexpr char kRemoveSection[] = "Shell remove";
constexpr char kFolderVerb[] = "Folder\\Shell\\Vireldan";

std::vector<std::string> ExtensionsOf(int type) {
  if (type == 0) return {".jpg", ".jpeg", ".jfif", ".jif", ".jpe"};
  return {kShellTypeNames[type]};
}

bool SetDefaultValue(const std::string& key, const std::string& value) {
  HKEY handle = nullptr;
  if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const bool written = ::RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                        DWORD(value.size() + 1)) == ERROR_SUCCESS;
  ::RegCloseKey(handle);
  return written;
}

std::string DefaultValue(const std::string& key) {
  char value[501] = {};
  LONG size = sizeof value - 1;
  if (::RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) != ERROR_SUCCESS) return std::string();
  return value;
}

bool RegisterProgId(const std::string& program) {
  const std::string quoted = "\"" + program + "\"";
  bool written = SetDefaultValue(std::string(kProgId) + "\\shell\\open\\command", quoted + " \"%1\"");
  written &= SetDefaultValue(std::string(kProgId) + "\\shell\\open\\ddeexec", "open %1");
  written &= SetDefaultValue(std::string(kProgId) + "\\DefaultIcon", program + ",0");
  written &= SetDefaultValue(std::string(kProgId) + "\\shell\\print\\command", quoted + " /p %1");
  written &= SetDefaultValue(std::string(kProgId) + "\\shell\\print\\ddeexec", "print %1");
  return written;
}

// Hands the type's extensions back to the owners they had before us.
bool ReleaseType(Profile& profile, int type) {
  bool written = true;
  for (const std::string& extension : ExtensionsOf(type))
    written &= SetDefaultValue(extension, profile.GetString(kRemoveSection, extension, ""));
  return written;
}

// Takes the type's extensions, remembering each previous owner; our own ProgID is never
// remembered as an owner, or switching the type off would keep it ours.
bool ClaimType(Profile& profile, int type) {
  bool written = true;
  for (const std::string& extension : ExtensionsOf(type)) {
    const std::string owner = DefaultValue(extension);
    if (owner != kProgId) profile.WriteString(kRemoveSection, extension, owner);
    written &= SetDefaultValue(extension, kProgId);
  }
  return written;
}

bool SetFolderVerb(bool on, const std::string& program) {
  if (on) return SetDefaultValue(std::string(kFolderVerb) + "\\command", "\"" + program + "\" \"%1\"");
  ::RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kFolderVerb) + "\\command").c_str());
  const LONG status = ::RegDeleteKeyA(HKEY_CLASSES_ROOT, kFolderVerb);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

class CShellOptionsDlg : public Dialog {
 public:
  explicit CShellOptionsDlg(ShellChoices& choices) : Dialog(IDD_SHELL_OPTIONS), choices_(choices) {}

 protected:
  void DoDataExchange(DataExchange& exchange) override {
    // In the order of the types.
    const int boxes[] = {IDC_SHELL_JPG, IDC_SHELL_GIF, IDC_SHELL_TIF, IDC_SHELL_BMP, IDC_SHELL_PNG, IDC_SHELL_PCX};
    for (int type = 0; type < 6; ++type) exchange.Check(boxes[type], choices_.types[type]);
    exchange.Check(IDC_SHELL_FOLDER, choices_.folderVerb);
  }

 private:
  ShellChoices& choices_;
};

}  // namespace

ShellChoices ReadShellChoices(Profile& profile) {
  ShellChoices choices;
  for (int type = 0; type < 6; ++type) choices.types[type] = profile.GetInt(kTypesSection, kShellTypeNames[type], 0);
  choices.folderVerb = profile.GetInt(kTypesSection, "ofold", 0);
  return choices;
}

void ApplyShellChoices(Profile& profile, const ShellChoices& old, const ShellChoices& wanted,
                       const std::string& programPath) {
  if (bool(wanted.folderVerb) != bool(old.folderVerb) && SetFolderVerb(wanted.folderVerb != 0, programPath))
    profile.WriteInt(kTypesSection, "ofold", wanted.folderVerb ? 1 : 0);
  if (!RegisterProgId(programPath)) return;  // without our own ProgID no type can be ours
  for (int type = 0; type < 6; ++type) {
    const bool on = wanted.types[type] != 0, was = old.types[type] != 0;
    if (on == was) continue;
    if (on ? ClaimType(profile, type) : ReleaseType(profile, type))
      profile.WriteInt(kTypesSection, kShellTypeNames[type], on ? 1 : 0);
  }
}

void RunShellOptions(HWND owner) {
  Profile& profile = App::Instance()->GetProfile();
  const ShellChoices old = ReadShellChoices(profile);
  ShellChoices wanted = old;
  CShellOptionsDlg dialog(wanted);
  if (dialog.DoModal(owner) != IDOK) return;
  char program[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, program, MAX_PATH);
  ApplyShellChoices(profile, old, wanted, program);
}
