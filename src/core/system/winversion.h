#pragma once

// Which Windows this is. Nothing is cached: every call asks the system again.

#include <string>

#include "system/system_api.h"

namespace tw {

// Asks for the extended record, then the basic one; size is 0 when both fail.
bool QueryWindowsVersion(OsVersionInfo& info);
// The low byte of the major (minor) version, or -1 when the query fails.
int GetWindowsMajorVersion();
int GetWindowsMinorVersion();
bool IsWindowsXP();
bool IsWindowsVista();
bool IsWindowsXPOrVista();
// "Microsoft Windows XP Professional Service Pack 2 (Build 2600)"; "" when the query fails.
std::string GetWindowsVersionName();
std::string GetCurrentUserName();
std::string GetLocalComputerName();

}  // namespace tw
