#include "platform/NetworkState.h"

#include <QNetworkInformation>

namespace {
std::function<bool()> &handler()
{
    static std::function<bool()> h;
    return h;
}
} // namespace

bool networkReachable()
{
    if (handler())
        return handler()();
    if (!QNetworkInformation::instance() && !QNetworkInformation::loadDefaultBackend())
        return true;
    auto *info = QNetworkInformation::instance();
    if (!info || !info->supports(QNetworkInformation::Feature::Reachability))
        return true;
    return info->reachability() != QNetworkInformation::Reachability::Disconnected;
}

void setNetworkReachableHandler(std::function<bool()> h)
{
    handler() = std::move(h);
}
