#include "store/registration.h"

namespace dkpsite {

const char* registrationPolicyName(RegistrationPolicy policy) {
    switch (policy) {
    case RegistrationPolicy::Closed:
        return "closed";
    case RegistrationPolicy::Invite:
        return "invite";
    case RegistrationPolicy::Open:
        return "open";
    }
    return "closed";
}

std::optional<RegistrationPolicy> registrationPolicyNamed(const std::string& name) {
    for (const RegistrationPolicy policy :
         {RegistrationPolicy::Closed, RegistrationPolicy::Invite, RegistrationPolicy::Open})
        if (name == registrationPolicyName(policy))
            return policy;
    return std::nullopt;
}

} // namespace dkpsite
