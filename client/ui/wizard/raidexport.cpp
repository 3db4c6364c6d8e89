#include "ui/wizard/raidexport.h"

#include "raidsift.h"
#include "ui/prompter.h"
#include "utilkit/ufile.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>

#include <exception>
#include <vector>

namespace ui {

namespace {

struct ExportChoice {
    QString filter;
    dkp::ExportFormat format;
};

const std::vector<ExportChoice>& exportChoices() {
    static const std::vector<ExportChoice> choices = {
        {QStringLiteral("公会网站RAID记录 EQdkp Plus XML (*.xml)"), dkp::ExportFormat::EqdkpXml},
        {QStringLiteral("出勤表 CSV (*.csv)"), dkp::ExportFormat::CsvAttendance},
        {QStringLiteral("掉落表 CSV (*.csv)"), dkp::ExportFormat::CsvLoot},
        {QStringLiteral("JSON (*.json)"), dkp::ExportFormat::Json},
    };
    return choices;
}

// "raid-20080125-2003", from the raid's start in local time.
QString proposedName(const dkp::Raid& raid) {
    const QDateTime start = QDateTime::fromSecsSinceEpoch(raid.getRaidLog().getRaidStartTime());
    return QStringLiteral("raid-") + start.toString(QStringLiteral("yyyyMMdd-HHmm"));
}

dkp::ExportFormat chosenFormat(const QFileDialog& dialog) {
    for (const ExportChoice& choice : exportChoices())
        if (choice.filter == dialog.selectedNameFilter())
            return choice.format;
    return exportChoices().front().format;
}

} // namespace

dkp::ExportOptions raidExportOptions() {
    dkp::ExportOptions options;
    options.programVersion = RAIDLEDGER_VERSION;
    return options;
}

bool exportRaidWithDialog(Prompter& prompter, QWidget* parent, const dkp::Raid& raid) {
    QFileDialog dialog(parent, QStringLiteral("导出RAID记录"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const ExportChoice& choice : exportChoices())
        filters << choice.filter;
    dialog.setNameFilters(filters);
    dialog.selectFile(proposedName(raid));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;

    const dkp::ExportFormat format = chosenFormat(dialog);
    QString file = dialog.selectedFiles().front();
    // The dialog checked the name as typed; the form's suffix makes it another file.
    if (QFileInfo(file).suffix().isEmpty()) {
        file += QString::fromLatin1(dkp::exportFileSuffix(format));
        if (QFileInfo::exists(file) &&
            !prompter.askQuestion(parent,
                                  QStringLiteral("文件“%1”已经存在，要替换它吗？").arg(file)))
            return false;
    }
    std::string document;
    try {
        document = dkp::exportRaids({&raid}, format, raidExportOptions());
    } catch (const std::exception&) {
        prompter.showMessage(parent, QStringLiteral("无法导出这份RAID记录。"));
        return false;
    }
    if (!ufile::WriteFileData(file.toStdU16String(), document)) {
        prompter.showMessage(parent,
                             QStringLiteral("无法写入文件“%1”，RAID记录没有导出。").arg(file));
        return false;
    }
    return true;
}

} // namespace ui
