#include "uploadeddescription.h"

#include "gamefiles/upload_marks_text.h"

#include <QDateTime>

namespace ui {

QString uploadedDescription(const gamefiles::UploadMark& mark) {
    const QString when = QDateTime::fromSecsSinceEpoch(mark.uploadedAt)
                             .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return QStringLiteral("已于%1上传到%2（活动ID %3）")
        .arg(when, QString::fromStdU16String(mark.site))
        .arg(mark.eventId);
}

} // namespace ui
