// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Version texts shown to hosts in the class records (and to the user by the about view).
namespace OvermoorVersion {
constexpr const char* kVersion = "1.0.0.4";
constexpr const char* kSdkVersion = "VST 3.5.1";
constexpr const char* kVendor = "Morvane";
constexpr const char* kUrl = "http://www.morvane.com";
constexpr const char* kEmail = "mailto:support@morvane.com";
}   // namespace OvermoorVersion
