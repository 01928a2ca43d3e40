#pragma once
// A folder's slide order: the user's own order of its images, kept in the folder's file
// "vireldan.sts" (layout in slide_order_records.h). folder ends in a separator. The file loses its
// hidden attribute while it is open and gets it back afterwards when the "HiddenFiles" value
// "sts" is on. Both functions walk the list with its iterator.
#include <string>

class CThumbList;

// Gives the items the positions the file records: each record to the first item of its name,
// names compared byte for byte (case matters), a later record of a name winning. Items the file
// does not name keep their positions. True when the folder has a slide order (the file exists
// with a valid header).
bool ReadSlideOrder(const std::string& folder, CThumbList& items);

// Records every item's name and position in list order, then the old file's records of files
// that are in the folder but not in the list (hidden, or of a type not shown), so that their
// positions outlive this listing. The file is replaced in one step: an interrupted write leaves
// the old one. False when it could not be written.
bool WriteSlideOrder(const std::string& folder, CThumbList& items);
