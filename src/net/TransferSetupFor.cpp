#include "net/TransferSetupFor.h"

TransferSetup TransferSetupFor(const ProfileState& state, Endpoint source,
                               const std::array<CFtpConnection*, 2>& regionConnections, SessionFactory makeSession)
{
    TransferSetup setup;
    setup.makeSession = std::move(makeSession);
    setup.transferType = [&state] { return state.transferType; };
    const std::size_t region = source != nullptr && source == regionConnections[0] ? 0 : 1;
    const auto profile = state.profiles.find(state.lastProfileName[region]);
    if (profile != state.profiles.end())
        setup.sourceProfile = profile->second.get();
    return setup;
}
