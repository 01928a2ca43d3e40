#include "key_export_page.h"

#include "html_text.h"
#include "path_separators.h"

std::string KeyExportPageStart(const std::string& folder) {
  return "<HTML>\n<HEAD>\n</HEAD>\n<BODY>\n<H3>" + HtmlText(folder) + "</H3>\n\n";
}

std::string KeyExportSection(const std::string& keyPath, const std::vector<KeyExportHit>& hits) {
  std::string text = "<B>" + HtmlText(keyPath) + "</B><BR>\n<UL>\n";
  for (const KeyExportHit& hit : hits) {
    text += "<LI><A href =\"" + UrlPath(hit.relativePath) + "\">" + HtmlText(hit.relativePath) + "</A>";
    if (!hit.annotation.empty()) text += " " + HtmlText(hit.annotation) + " ";
    text += "</LI>\n";
  }
  return text + "</UL>\n";
}

std::string KeyExportPageEnd() { return "</BODY>\n</HTML>\n"; }

std::string PathBelowFolder(const std::string& folder, const std::string& path) {
  const std::string base = platform::WithoutTrailingSeparators(folder, '\\');
  const bool below = path.size() > base.size() + 1 && path.compare(0, base.size(), base) == 0 &&
                     (path[base.size()] == '\\' || path[base.size()] == '/');
  return below ? path.substr(base.size() + 1) : path;
}
