#include "index_sheet_layout.h"

#include <algorithm>

namespace {

// The next thumbnails that are loaded, from item next on, at most columns of them; items still
// without a thumbnail are passed over, so they leave no gap.
std::vector<size_t> NextRow(const std::vector<IndexThumb>& thumbs, size_t& next, int columns) {
  std::vector<size_t> row;
  for (; next < thumbs.size() && row.size() < size_t(columns); ++next)
    if (thumbs[next].loaded) row.push_back(next);
  return row;
}

}  // namespace

IndexSheetLayout LayOutIndexSheet(const CAppSettings::CreateIndex& settings, int edge,
                                  const std::vector<IndexThumb>& thumbs) {
  IndexSheetLayout layout;
  const int columns = std::clamp(settings.width, 1, kIndexMaxGrid);
  const int rows = std::clamp(settings.height, 1, kIndexMaxGrid);
  layout.titleBand = settings.title ? kIndexTitleBand : 0;
  layout.spacing = std::clamp(settings.autospace ? edge / 10 : settings.spacing, 0, 100);
  layout.pitch = edge + layout.spacing;
  layout.captionLines = (settings.name ? 1 : 0) + (settings.date ? 1 : 0) + (settings.size ? 1 : 0);
  const int captions = layout.captionLines * kIndexCaptionLine;
  layout.width = layout.spacing + layout.pitch * columns;
  layout.surfaceHeight = layout.spacing + (layout.pitch + captions) * rows + layout.titleBand;

  // Each row's baseline sits below the row above (and its captions) by the spacing and the
  // tallest thumbnail of this row: of the thumbnails really placed in it, so that none reaches up
  // into the row above.
  int baseline = layout.titleBand;
  size_t next = 0;
  for (int row = 0; row < rows; ++row) {
    const std::vector<size_t> items = NextRow(thumbs, next, columns);
    if (items.empty()) break;
    int tallest = 0;
    for (size_t item : items) tallest = std::max(tallest, thumbs[item].height);
    baseline += (row > 0 ? captions : 0) + layout.spacing + tallest;
    for (size_t column = 0; column < items.size(); ++column) {
      const IndexThumb& thumb = thumbs[items[column]];
      layout.places.push_back({items[column], layout.spacing + int(column) * layout.pitch, baseline, thumb.width,
                               thumb.height});
    }
  }
  layout.height = baseline + (layout.places.empty() ? 0 : captions) + layout.spacing;
  return layout;
}
