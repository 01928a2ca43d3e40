#pragma once
// The local links of a generated page (href, src and background values, percent-encoding undone)
// that name no file beside the page. Links carry UTF-8, whatever code page the system names files in.
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::string> BrokenLinks(const std::filesystem::path& site, const std::string& page) {
  std::ifstream file(site / page, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  const std::string text = bytes.str();
  std::vector<std::string> broken;
  const std::regex link("(href|src|background) ?= ?\"([^\"]*)\"", std::regex::icase);
  for (auto it = std::sregex_iterator(text.begin(), text.end(), link); it != std::sregex_iterator(); ++it) {
    const std::string target = (*it)[2];
    if (target.rfind("http://", 0) == 0) continue;
    std::string decoded;
    for (size_t i = 0; i < target.size(); ++i) {
      if (target[i] == '%' && i + 2 < target.size()) {
        decoded += char(std::stoi(target.substr(i + 1, 2), nullptr, 16));
        i += 2;
      } else {
        decoded += target[i];
      }
    }
    if (!std::filesystem::is_regular_file(site / std::filesystem::u8path(decoded))) broken.push_back(page + ": " + target);
  }
  return broken;
}
