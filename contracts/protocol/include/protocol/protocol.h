#pragma once

// The protocol library's contract: services, listeners, records and the library's entries.
#include "protocol/account_listener.h"
#include "protocol/account_service.h"
#include "protocol/callback_dispatcher.h"
#include "protocol/dkp_system.h"
#include "protocol/event_upload_listener.h"
#include "protocol/event_upload_service.h"
#include "protocol/guild_dkp_listener.h"
#include "protocol/guild_dkp_service.h"
#include "protocol/guild_entry.h"
#include "protocol/login_listener.h"
#include "protocol/login_service.h"
#include "protocol/protocol_manager.h"
#include "protocol/wirekit_entries.h"

namespace protocol {} // namespace protocol
