#pragma once

#include <functional>

// Whether the machine can reach a network: what stands in here for an
// active dial-up connection. Answers true when the system cannot tell.
bool networkReachable();

// Replaces the system's answer (an empty function restores it).
void setNetworkReachableHandler(std::function<bool()> handler);
