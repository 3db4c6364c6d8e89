#pragma once

#include <QString>

namespace gamefiles {
struct UploadMark;
}

namespace ui {

// Where and when a raid was uploaded, in the user's local time:
// "已于2026-12-07 20:15:03上传到http://dkp.example（活动ID 41）".
QString uploadedDescription(const gamefiles::UploadMark& mark);

} // namespace ui
