#pragma once

#include <QString>

namespace config {
class PropertyBag;
}
namespace protocol {
class ProtocolManager;
}
namespace ui {
class Skin;
}

// Opens each window of the client in turn, logged in through `manager` with the login stored in
// `section` and drawn with `skin`, and saves a picture of each into `folder`. 0 when every
// picture was saved.
int captureScreens(protocol::ProtocolManager& manager, config::PropertyBag* section,
                   const ui::Skin* skin, const QString& folder);
