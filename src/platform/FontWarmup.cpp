#include "platform/FontWarmup.h"

#include <future>

#ifdef BW_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {
std::future<void> g_warmup;
}

void startFontWarmup()
{
#ifdef BW_HAVE_FONTCONFIG
    // Qt's own first call finds the configuration made here and reads
    // nothing again. Two first calls at once are safe too: each reads it and
    // one copy is dropped, only the time is lost.
    if (!g_warmup.valid())
        g_warmup = std::async(std::launch::async, [] { FcInit(); });
#endif
}

void finishFontWarmup()
{
    if (g_warmup.valid())
        g_warmup.get();
}
