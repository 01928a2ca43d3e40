// The registry profile: a subkey per section under the program's key, ints as DWORDs.
#include <windows.h>

#include <gtest/gtest.h>

#include "registry_profile.h"

namespace {

TEST(RegistryProfile, ValuesRoundTripUnderTheProgramsKey) {
  ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Vireldan Tests\\Profile\\Main Options");
  RegistryProfile profile("Vireldan Tests", "Profile");
  EXPECT_EQ(profile.GetInt("Main Options", "tipnum", 9), 9);
  EXPECT_EQ(profile.GetString("Main Options", "mainpath", "c:\\"), "c:\\");
  ASSERT_TRUE(profile.WriteInt("Main Options", "tipnum", -3));
  ASSERT_TRUE(profile.WriteString("Main Options", "mainpath", "  d:\\pictures\r\nx  "));
  EXPECT_EQ(profile.GetInt("Main Options", "tipnum", 9), -3);
  EXPECT_EQ(profile.GetString("Main Options", "mainpath", ""), "  d:\\pictures\r\nx  ");

  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Vireldan Tests\\Profile\\Main Options", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  DWORD type = 0;
  EXPECT_EQ(::RegQueryValueExA(key, "tipnum", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_DWORD));
  ::RegCloseKey(key);
  // A value of the wrong type reads as missing.
  EXPECT_EQ(profile.GetInt("Main Options", "mainpath", 11), 11);
}

}  // namespace
