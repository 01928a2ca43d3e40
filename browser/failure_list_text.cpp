#include "failure_list_text.h"

namespace {

constexpr size_t kListedFailures = 10;

}  // namespace

std::string FailureListText(const std::string& heading, const std::vector<std::string>& failed) {
  if (failed.empty()) return std::string();
  std::string text = heading;
  for (size_t at = 0; at < failed.size() && at < kListedFailures; ++at) text += "\n" + failed[at];
  if (failed.size() > kListedFailures) text += "\n...";
  return text;
}
