#pragma once

// The current stock's analyst pages from the analyst-data site, cached by
// the analyst fetches: splits history ("Split"), upgrade and downgrade
// histories ("UPH", "DNH"), momentum rating ("NMR"), broker reports
// ("BRP"); and the short-interest table ("SI").
void FG_Splits();
void FG_UpgradeHistory();
void FG_DowngradeHistory();
void FG_Momentum();
void FG_BrokerReports();
void FG_SI();

// The data provider's name the analyst pages carry, removed from the
// sheets (its capitalised and lower-case forms).
inline constexpr const char *AnalystProvider = "Zacks";
