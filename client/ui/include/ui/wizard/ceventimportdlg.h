#pragma once

#include "protocol/event_upload_listener.h"
#include "ui/desktop_services.h"

#include <QDialog>

#include <cstdint>
#include <optional>
#include <string>

namespace protocol {
class AccountService;
}
namespace protocol {
class EventUploadService;
}
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace dkp {
class Raid;
}

namespace gamefiles {
class UploadMarks;
}

namespace ui {

// The last step of an upload: shows the raid's review findings, names the event, picks the guild
// and its DKP system, sends the raid's export document as a new event and reports the answer.
// A raid with error-level findings is sent only with "仍然上传" ticked. "上一步" shows the raid
// window again and then returns here with everything as it was. With upload marks, a document
// already uploaded to the site is sent again only after the user confirmed it, and each successful
// upload is marked.
class CEventImportDlg : public QDialog, public protocol::EventUploadListener {
    Q_OBJECT
public:
    struct Addresses {
        QString site;       // the DKP web site, scheme and host[:port]
        QString itemSearch; // the item database, for the raid window
    };

    CEventImportDlg(const DesktopServices& services, dkp::Raid* raid,
                    protocol::AccountService* accounts, protocol::EventUploadService* uploads,
                    const Addresses& addresses, QWidget* parent = nullptr);
    ~CEventImportDlg() override;

    // Not owned; `account` is the game account the raid was read from.
    void setUploadMarks(gamefiles::UploadMarks* marks, std::u16string account);

    // Runs the dialog; a step back to the raid window returns here afterwards.
    int exec() override;

    void onUploadResult(std::int32_t status, std::uint32_t detail, std::int32_t eventId) override;

    bool isUploading() const { return uploading_; }

private:
    void addReview(QVBoxLayout* layout);
    // True when the raid has no errors or the user ticked "仍然上传"; otherwise says so.
    bool confirmErrors();
    void fillGuilds();
    void fillDkpSystems(int guildPosition);
    void upload();
    void stepBack();
    void setFormEnabled(bool enabled);
    // True when the document may go: never sent to the site before, or the user agreed.
    bool confirmRepeatedUpload(const std::string& digest);
    void markUpload(std::int32_t eventId);
    // The id of the chosen DKP system in the guild's current list, if the position is in it.
    std::optional<std::uint32_t> chosenDkpId() const;
    QString eventPageAddress(std::int32_t eventId) const;

    DesktopServices services_;
    dkp::Raid* raid_;
    protocol::AccountService* accounts_;
    protocol::EventUploadService* uploads_;
    Addresses addresses_;
    bool uploading_ = false;
    bool backRequested_ = false;
    gamefiles::UploadMarks* marks_ = nullptr;
    std::u16string account_;
    std::string sentDigest_; // of the document being uploaded
    int reviewErrors_ = 0;

    QLabel* reviewSummary_;
    QListWidget* findings_;
    QCheckBox* uploadAnyway_;
    QLineEdit* eventName_;
    QLineEdit* eventNote_;
    QComboBox* guild_;
    QComboBox* dkp_;
    QPushButton* uploadButton_;
    QPushButton* cancelButton_;
    QPushButton* backButton_;
};

} // namespace ui
