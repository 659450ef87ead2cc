#pragma once

// The program's version block and the maker's addresses.
inline constexpr const char *ProductName = "Brindlewick";
inline constexpr int VersionMajor = 5;
inline constexpr int VersionMinor = 3;
// Plain ASCII: it goes into mail, which carries no other characters.
inline constexpr const char *TrademarkText = "Pellor Brindlewick 5.3";
inline constexpr const char *CopyrightText = "Copyright \u00a9 Pellor Software. All rights reserved.";
inline constexpr const char *HomePageUrl = "http://www.pellor.example/brindlewick/";
inline constexpr const char *SupportMailUrl = "mailto:support@pellor.example";
