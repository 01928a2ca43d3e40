#include "printer_caps.h"

PrinterPage ReadPrinterPage(HDC dc) {
  PrinterPage page;
  page.physicalWidth = ::GetDeviceCaps(dc, PHYSICALWIDTH);
  page.physicalHeight = ::GetDeviceCaps(dc, PHYSICALHEIGHT);
  page.offsetX = ::GetDeviceCaps(dc, PHYSICALOFFSETX);
  page.offsetY = ::GetDeviceCaps(dc, PHYSICALOFFSETY);
  page.horzRes = ::GetDeviceCaps(dc, HORZRES);
  page.vertRes = ::GetDeviceCaps(dc, VERTRES);
  page.aspectX = ::GetDeviceCaps(dc, ASPECTX);
  page.aspectY = ::GetDeviceCaps(dc, ASPECTY);
  NormaliseAspect(page);
  return page;
}

BatchPrinterCaps ReadBatchPrinterCaps(HDC dc) {
  const PrinterPage page = ReadPrinterPage(dc);
  BatchPrinterCaps caps;
  caps.physicalWidth = page.physicalWidth;
  caps.physicalHeight = page.physicalHeight;
  caps.offsetX = page.offsetX;
  caps.offsetY = page.offsetY;
  caps.horzRes = page.horzRes;
  caps.vertRes = page.vertRes;
  caps.dpiX = ::GetDeviceCaps(dc, LOGPIXELSX);
  caps.dpiY = ::GetDeviceCaps(dc, LOGPIXELSY);
  return caps;
}
