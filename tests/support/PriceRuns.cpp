#include "support/PriceRuns.h"

#include "core/Registry.h"
#include "core/Sites.h"
#include "retrieval/BatchRun.h"
#include "support/site/FixtureSite.h"

#include <QString>

bool startPriceSite(FixtureSite &site)
{
    if (!site.start())
        return false;
    setAllSiteHosts(site.host());
    for (int box = 0; box < BatchBoxCount; ++box)
        SaveSetting(QStringLiteral("Update%1").arg(box), box == 1 ? 1 : 0);
    return true;
}
