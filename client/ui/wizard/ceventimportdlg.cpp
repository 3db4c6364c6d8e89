#include "ui/wizard/ceventimportdlg.h"

#include "ui/wizard/ceditraiddlg.h"
#include "ui/wizard/ceventimportdlg_ids.h"
#include "ui/wizard/reviewtext.h"
#include "uploadeddescription.h"

#include "gamefiles/upload_marks.h"

#include "protocol/account_service.h"
#include "protocol/event_upload_service.h"
#include "raidsift.h"
#include "ui/prompter.h"
#include "utilkit/encrypt.h"
#include "utilkit/ustring.h"
#include "utilkit_gui/usystem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <ctime>

namespace ui {

namespace {

constexpr std::int32_t kUploadSucceeded = 200;
// The findings list is this many rows high before it scrolls.
constexpr int kFindingRowsShown = 6;

QString percentEncoded(const QString& text) {
    const std::string utf8 = ustring::toNarrowString(text.toStdU16String(), ustring::kUtf8CodePage);
    return QString::fromStdString(encrypt::urlEncode(utf8));
}

QString successQuestion() {
    return QStringLiteral("上传数据成功！如果你需要在网站上继续编辑本次活动，请点击\"是\"，"
                          "否则请点击\"否\"。");
}

} // namespace

CEventImportDlg::CEventImportDlg(const DesktopServices& services, dkp::Raid* raid,
                                 protocol::AccountService* accounts,
                                 protocol::EventUploadService* uploads, const Addresses& addresses,
                                 QWidget* parent)
    : QDialog(parent), services_(services), raid_(raid), accounts_(accounts), uploads_(uploads),
      addresses_(addresses) {
    setWindowTitle(QStringLiteral("上传RAID记录"));
    eventName_ = new QLineEdit(this);
    eventNote_ = new QLineEdit(this);
    guild_ = new QComboBox(this);
    dkp_ = new QComboBox(this);
    eventName_->setObjectName(eventimportdlgids::EventName);
    eventNote_->setObjectName(eventimportdlgids::EventNote);
    guild_->setObjectName(eventimportdlgids::GuildChoice);
    dkp_->setObjectName(eventimportdlgids::DkpChoice);

    uploadButton_ = new QPushButton(QStringLiteral("上传记录"), this);
    cancelButton_ = new QPushButton(QStringLiteral("取消"), this);
    backButton_ = new QPushButton(QStringLiteral("上一步"), this);
    uploadButton_->setObjectName(eventimportdlgids::UploadButton);
    cancelButton_->setObjectName(eventimportdlgids::CancelButton);
    backButton_->setObjectName(eventimportdlgids::BackButton);
    uploadButton_->setDefault(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("活动名称"), eventName_);
    form->addRow(QStringLiteral("活动备注"), eventNote_);
    form->addRow(QStringLiteral("公会ID"), guild_);
    form->addRow(QStringLiteral("活动所属DKP"), dkp_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(uploadButton_);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(backButton_);
    auto* layout = new QVBoxLayout(this);
    addReview(layout);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(480, std::max(240, sizeHint().height()));

    connect(uploadButton_, &QPushButton::clicked, this, &CEventImportDlg::upload);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(backButton_, &QPushButton::clicked, this, &CEventImportDlg::stepBack);

    if (raid_)
        eventName_->setText(QString::fromStdU16String(raid_->getRaidName()));
    fillGuilds();
    connect(guild_, &QComboBox::currentIndexChanged, this, &CEventImportDlg::fillDkpSystems);
    if (uploads_)
        uploads_->addListener(this);
}

CEventImportDlg::~CEventImportDlg() {
    if (uploads_)
        uploads_->removeListener(this);
}

void CEventImportDlg::setUploadMarks(gamefiles::UploadMarks* marks, std::u16string account) {
    marks_ = marks;
    account_ = std::move(account);
}

void CEventImportDlg::addReview(QVBoxLayout* layout) {
    const std::vector<dkp::ReviewFinding> findings =
        raid_ ? dkp::reviewRaid(*raid_) : std::vector<dkp::ReviewFinding>();
    const dkp::ReviewCounts counts = dkp::countFindings(findings);
    reviewErrors_ = counts.errors;

    reviewSummary_ = new QLabel(reviewSummary(counts), this);
    findings_ = new QListWidget(this);
    uploadAnyway_ = new QCheckBox(QStringLiteral("仍然上传"), this);
    reviewSummary_->setObjectName(eventimportdlgids::ReviewSummary);
    findings_->setObjectName(eventimportdlgids::ReviewFindings);
    uploadAnyway_->setObjectName(eventimportdlgids::UploadAnyway);
    findings_->setSelectionMode(QAbstractItemView::NoSelection);
    findings_->setWordWrap(true);
    for (const dkp::ReviewFinding& finding : findings) {
        auto* item = new QListWidgetItem(findingText(finding), findings_);
        item->setToolTip(QString::fromStdString(finding.english));
        if (finding.level == dkp::FindingLevel::Error)
            item->setForeground(Qt::red);
    }
    findings_->setVisible(!findings.empty());
    if (!findings.empty())
        findings_->setFixedHeight(std::min<int>(findings_->count(), kFindingRowsShown) *
                                      findings_->sizeHintForRow(0) +
                                  2 * findings_->frameWidth());
    uploadAnyway_->setVisible(reviewErrors_ > 0);
    uploadAnyway_->setToolTip(QStringLiteral("记录中有错误，确认无误后勾选才能上传"));
    layout->addWidget(reviewSummary_);
    layout->addWidget(findings_, 1);
    layout->addWidget(uploadAnyway_);
}

int CEventImportDlg::exec() {
    for (;;) {
        backRequested_ = false;
        const int result = QDialog::exec();
        if (!backRequested_)
            return result;
        CEditRaidDlg raidWindow(services_, raid_, addresses_.itemSearch, parentWidget());
        raidWindow.exec();
    }
}

void CEventImportDlg::fillGuilds() {
    if (!accounts_)
        return;
    for (const protocol::GuildEntry& guild : accounts_->getGuilds())
        guild_->addItem(QString::fromStdU16String(guild.guildId));
    if (guild_->count() > 0) {
        guild_->setCurrentIndex(0);
        fillDkpSystems(0);
    }
}

void CEventImportDlg::fillDkpSystems(int guildPosition) {
    dkp_->clear();
    if (!accounts_ || guildPosition < 0)
        return;
    const std::vector<protocol::GuildEntry> guilds = accounts_->getGuilds();
    if (static_cast<std::size_t>(guildPosition) >= guilds.size())
        return;
    for (const protocol::DkpSystem& system :
         guilds[static_cast<std::size_t>(guildPosition)].dkpSystems)
        dkp_->addItem(QString::fromStdU16String(system.name));
    dkp_->setCurrentIndex(dkp_->count() > 0 ? 0 : -1);
}

std::optional<std::uint32_t> CEventImportDlg::chosenDkpId() const {
    const int position = dkp_->currentIndex();
    if (!accounts_ || position < 0)
        return std::nullopt;
    const std::vector<protocol::DkpSystem>& systems =
        accounts_->getDkpSystems(guild_->currentText().toStdU16String());
    if (static_cast<std::size_t>(position) >= systems.size())
        return std::nullopt;
    return systems[static_cast<std::size_t>(position)].id;
}

void CEventImportDlg::upload() {
    if (eventName_->text().isEmpty()) {
        services_.prompter.showMessage(this, QStringLiteral("请填写活动名称"));
        eventName_->setFocus();
        return;
    }
    if (guild_->currentText().isEmpty()) {
        services_.prompter.showMessage(this, QStringLiteral("请选择本次活动所属的公会"));
        guild_->setFocus();
        return;
    }
    if (dkp_->currentIndex() < 0) {
        services_.prompter.showMessage(this, QStringLiteral("请选择本次活动所属的DKP"));
        dkp_->setFocus();
        return;
    }
    const std::optional<std::uint32_t> dkpId = chosenDkpId();
    if (!dkpId) {
        services_.prompter.showMessage(this, QStringLiteral("数据异常，无法定位你所选择的DKP系统"));
        return;
    }
    if (!uploads_) {
        services_.prompter.showMessage(this, QStringLiteral("无法连接DKP服务，请稍后再试"));
        return;
    }
    if (!confirmErrors())
        return;
    const std::u16string document = raid_ ? raid_->exportDocument() : std::u16string();
    const std::string digest = gamefiles::uploadDocumentDigest(document);
    if (!confirmRepeatedUpload(digest))
        return;
    const std::u16string note = eventNote_->text().toStdU16String();
    setFormEnabled(false);
    uploading_ = true;
    sentDigest_ = digest;
    uploads_->uploadEvent(guild_->currentText().toStdU16String(), *dkpId,
                          eventName_->text().toStdU16String(), note, document);
}

void CEventImportDlg::onUploadResult(std::int32_t status, std::uint32_t /*detail*/,
                                     std::int32_t eventId) {
    // An answer after the dialog was cancelled belongs to no form any more.
    if (!uploading_)
        return;
    uploading_ = false;
    setFormEnabled(true);
    if (status != kUploadSucceeded) {
        services_.prompter.showMessage(
            this, QStringLiteral("上传数据失败，请稍后再重试，或联系DKP客服解决问题"));
        return;
    }
    markUpload(eventId);
    if (services_.prompter.askQuestion(this, successQuestion()))
        services_.desktop.openUrl(eventPageAddress(eventId).toStdU16String());
    accept();
}

bool CEventImportDlg::confirmErrors() {
    if (reviewErrors_ == 0 || uploadAnyway_->isChecked())
        return true;
    services_.prompter.showMessage(
        this, QStringLiteral("这份RAID记录有 %1 个错误（见上方列表）。请先改正记录，"
                             "或在确认无误后勾选“仍然上传”再上传。")
                  .arg(reviewErrors_));
    uploadAnyway_->setFocus();
    return false;
}

bool CEventImportDlg::confirmRepeatedUpload(const std::string& digest) {
    const gamefiles::UploadMark* earlier =
        marks_ ? marks_->findDocument(digest, addresses_.site.toStdU16String()) : nullptr;
    if (!earlier)
        return true;
    return services_.prompter.askQuestion(
        this, QStringLiteral("这份RAID记录%1。\n再次上传会在网站上生成另一个活动，"
                             "确定要再次上传吗？")
                  .arg(uploadedDescription(*earlier)));
}

void CEventImportDlg::markUpload(std::int32_t eventId) {
    if (!marks_ || !raid_)
        return;
    const gamefiles::UploadMark mark{account_,
                                     raid_->getRaidLog().getRaidStartTime(),
                                     sentDigest_,
                                     eventId,
                                     addresses_.site.toStdU16String(),
                                     static_cast<std::int64_t>(std::time(nullptr))};
    const std::u16string told = marks_->record(mark);
    if (!told.empty())
        services_.prompter.showMessage(this, QString::fromStdU16String(told));
}

QString CEventImportDlg::eventPageAddress(std::int32_t eventId) const {
    const std::optional<std::uint32_t> dkpId = chosenDkpId();
    const QString dkpText = dkpId ? QString::number(*dkpId) : QStringLiteral("-1");
    // The guild text is the user's own data: it is encoded so that it cannot change the address.
    return addresses_.site +
           QStringLiteral("/event.do?method=event_info&eventid=%1&dkpid=%2&guildid=%3")
               .arg(eventId)
               .arg(dkpText, percentEncoded(guild_->currentText()));
}

void CEventImportDlg::stepBack() {
    backRequested_ = true;
    done(Rejected);
}

void CEventImportDlg::setFormEnabled(bool enabled) {
    eventName_->setEnabled(enabled);
    eventNote_->setEnabled(enabled);
    guild_->setEnabled(enabled);
    dkp_->setEnabled(enabled);
    uploadAnyway_->setEnabled(enabled);
    uploadButton_->setEnabled(enabled);
    backButton_->setEnabled(enabled);
}

} // namespace ui
