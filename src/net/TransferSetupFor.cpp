#include "net/TransferSetupFor.h"

#include "net/ConnectionSecurity.h"

TransferSetup TransferSetupFor(const ProfileState& state, Endpoint source,
                               const std::array<CFtpConnection*, 2>& regionConnections, SessionFactory makeSession)
{
    TransferSetup setup;
    setup.makeSession = std::move(makeSession);
    setup.transferType = [&state] { return state.transferType; };
    const std::size_t region = source != nullptr && source == regionConnections[0] ? 0 : 1;
    const auto profile = state.profiles.find(state.lastProfileName[region]);
    if (profile != state.profiles.end() && profile->second) {
        setup.sourceProfile = profile->second.get();
        setup.security = SecurityFor(state, *profile->second);
        if (source) {
            if (std::string approved = source->ApprovedFingerprint(); !approved.empty())
                setup.security.trustedFingerprints.push_back(std::move(approved));
        }
    }
    return setup;
}
