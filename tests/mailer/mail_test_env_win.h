#pragma once
// What smtp_check.py hands the Windows test programs: the folder of test files and the ports of
// its servers, by environment variables.
#include <windows.h>

#include <string>

// A file of the test folder (relative path with '/' or '\\') as Wine's Z: drive shows it.
std::string TestFilePath(const std::string& name);

// "127.0.0.1:<port>" of a server by its variable (POSTLARK_SMTP, POSTLARK_SLOW...).
std::string LocalServer(const char* portVariable);

// Postlark's registry values for sending to the well-behaved server from me@example.com, with
// the settings dialog not opening on first use and pictures sent as they are.
void StoreMailSettings();

// One value of Postlark's key as stored.
void StoreMailValue(const char* name, DWORD type, const std::string& bytes);
std::string StoredMailValue(const char* name);
