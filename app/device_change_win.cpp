#include "device_change.h"

#include <dbt.h>

DWORD ChangedVolumeUnits(WPARAM event, LPARAM data) {
  if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVEPENDING && event != DBT_DEVICEREMOVECOMPLETE) return 0;
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
  if (!header || header->dbch_devicetype != DBT_DEVTYP_VOLUME || header->dbch_size < sizeof(DEV_BROADCAST_VOLUME))
    return 0;
  return reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header)->dbcv_unitmask;
}
