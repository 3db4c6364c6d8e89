#pragma once

#include <QString>

namespace config {
class PropertyBag;
}
namespace protocol {
class ProtocolManager;
}

// Opens each window of the client in turn, logged in through `manager` with the login stored in
// `section`, and saves a picture of each into `folder`. 0 when every picture was saved.
int captureScreens(protocol::ProtocolManager& manager, config::PropertyBag* section,
                   const QString& folder);
