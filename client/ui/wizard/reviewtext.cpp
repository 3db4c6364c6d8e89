#include "ui/wizard/reviewtext.h"

#include "raidsift.h"

namespace ui {

QString reviewSummary(const dkp::ReviewCounts& counts) {
    if (counts.errors == 0 && counts.warnings == 0 && counts.infos == 0)
        return QStringLiteral("上传前检查：没有发现问题");
    return QStringLiteral("上传前检查：%1 个错误，%2 个警告，%3 个提示")
        .arg(counts.errors)
        .arg(counts.warnings)
        .arg(counts.infos);
}

QString findingText(const dkp::ReviewFinding& finding) {
    QString level;
    switch (finding.level) {
    case dkp::FindingLevel::Error:
        level = QStringLiteral("错误：");
        break;
    case dkp::FindingLevel::Warning:
        level = QStringLiteral("警告：");
        break;
    case dkp::FindingLevel::Info:
        level = QStringLiteral("提示：");
        break;
    }
    return level + QString::fromStdU16String(finding.chinese);
}

} // namespace ui
