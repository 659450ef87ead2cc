#pragma once

#include "core/SharedState.h"
#include "retrieval/transport/RunState.h"
#include "sheets/ColLayout.h"
#include "support/TempProfile.h"

#include <memory>

// A new profile for one main-window test, with the program's shared state,
// run state and column layout as a first start leaves them.
inline std::unique_ptr<TempProfile> freshMainWindowProfile()
{
    auto profile = std::make_unique<TempProfile>();
    profile->createProgramKey();
    resetColLayout();
    resetRunState();
    resetSharedState();
    return profile;
}
