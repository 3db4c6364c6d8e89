#pragma once

#include <optional>
#include <string>

namespace dkpsite {

// Who may make an account in a guild on the site: no one (its admins add members on the command
// line), whoever has an invite link the guild's admins made, or anyone.
enum class RegistrationPolicy { Closed, Invite, Open };

// "closed", "invite" or "open", as the guild keeps it.
const char* registrationPolicyName(RegistrationPolicy policy);
std::optional<RegistrationPolicy> registrationPolicyNamed(const std::string& name);

} // namespace dkpsite
