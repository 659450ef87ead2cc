#pragma once

class FixtureSite;

// The stage of a test whose Update fetches the prices alone: the site
// started, every site role pointed at it, and only the price box ticked.
// False when the site cannot listen.
bool startPriceSite(FixtureSite &site);
