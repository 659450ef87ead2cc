#include "core/clsRAS.h"

#include "platform/NetworkState.h"

bool clsRAS::IsConnected()
{
    return networkReachable();
}

Variant clsRAS::ISPCall()
{
    return Variant();  // no default dial-up entry exists here
}

Variant clsRAS::ISPHangup()
{
    return Variant();
}

short RasConnected()
{
    return networkReachable() ? 1 : 0;
}
