#pragma once

#include <QString>

namespace dkp {
struct ReviewCounts;
struct ReviewFinding;
} // namespace dkp

namespace ui {

// The review before upload as the raid window and the upload step show it.

// "上传前检查：2 个错误，1 个警告，3 个提示", or "上传前检查：没有发现问题".
QString reviewSummary(const dkp::ReviewCounts& counts);

// The finding's Chinese text after its level: "错误：…", "警告：…" or "提示：…".
QString findingText(const dkp::ReviewFinding& finding);

} // namespace ui
