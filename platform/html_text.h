#pragma once
// Text of the user's (file names, key names, annotations, folders) put into an HTML page: as text
// it never becomes markup, and as a link it stays one link whatever characters it holds.
#include <string>

// The text with &, <, > and " written as character references.
std::string HtmlText(const std::string& text);

// A relative path as a link target: Windows separators become '/', and every ASCII character
// other than letters, digits, '-', '.', '_', '~' and '/' is percent-encoded (so a space, '#', '%',
// '?', '&' or a quotation mark neither ends nor changes the link). Bytes above 127 stay as they
// are: the browser reads them in the page's code page, as the file system names them.
std::string UrlPath(const std::string& path);
