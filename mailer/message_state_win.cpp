#include "message_state.h"

bool MessageWindowState::AddAttachment(const std::string& path) {
  size_t used = 1;
  for (const std::string& entry : attachments) used += entry.size() + 1;
  if (path.empty() || used + path.size() + 1 > kAttachmentListBytes) return false;
  attachments.push_back(path);
  return true;
}
