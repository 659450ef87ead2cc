#pragma once

// The program's version block and the maker's addresses.
inline constexpr const char *ProductName = "Brindlewick";
inline constexpr int VersionMajor = 5;
inline constexpr int VersionMinor = 2;
// Plain ASCII: it goes into mail, which carries no other characters.
inline constexpr const char *TrademarkText = "Pellor Brindlewick 5.2";
inline constexpr const char *CopyrightText = "Copyright \u00a9 Pellor Software. All rights reserved.";
inline constexpr const char *HomePageUrl = "http://www.pellor.example/brindlewick/";
inline constexpr const char *SupportMailUrl = "mailto:support@pellor.example";
// The maker's support address: error logs, bug reports and support requests.
inline constexpr const char *SupportAddress = "support@pellor.example";
// The upgrade archive and the home page, as the invitation mail gives them.
inline constexpr const char *UpgradeArchiveUrl = "http://www.pellor.example/brindlewick/BrwF503.zip";
