#pragma once

#include "core/Variant.h"

#include <QString>

// The dial-up connection. Here a connection is present when the system
// reports the network reachable; there is no dial-up entry to dial or hang
// up, so ISPCall and ISPHangup do nothing.
class clsRAS
{
public:
    bool IsConnected();
    Variant ISPCall();
    Variant ISPHangup();
};

// Number of active connections: 1 when the network is reachable, else 0.
short RasConnected();
