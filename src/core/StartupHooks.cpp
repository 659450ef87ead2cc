#include "core/StartupHooks.h"

namespace {
std::function<void()> &opener()
{
    static std::function<void()> o;
    return o;
}
} // namespace

void setMainFormOpener(std::function<void()> o)
{
    opener() = std::move(o);
}

void ShowMainForm()
{
    if (opener())
        opener()();
}
