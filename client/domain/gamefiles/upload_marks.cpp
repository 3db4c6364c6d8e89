#include "gamefiles/upload_marks.h"

#include "compoundfile/locked_file.h"
#include "utilkit/encrypt.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"
#include "utilkit/utime.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

namespace gamefiles {
namespace {

using compoundfile::LockedFile;
using compoundfile::Status;

// A file this large holds no marks: one upload takes about 250 bytes, so it would mean tens of
// thousands of uploads from one program folder.
constexpr std::size_t kLargestMarksFile = 16u << 20;
// Another running client holds the lock only while it reads or replaces the file; this much
// waiting covers that without freezing the window noticeably.
constexpr int kLockAttempts = 20;
constexpr std::chrono::milliseconds kLockPause{25};
// Opening, creating or setting the file aside can each meet another client's change; a few
// rounds settle it.
constexpr int kRecordRounds = 3;
// Names tried for a damaged file set aside within the same second.
constexpr int kAsideNames = 100;

std::u16string quoted(const std::u16string& path) {
    return u"“" + path + u"”";
}

std::u16string lockedMessage(const std::u16string& path) {
    return u"上传记录文件" + quoted(path) + u"正被另一个程序使用，暂时无法读取或记下上传标记。";
}

std::u16string unreadableMessage(const std::u16string& path) {
    return u"无法读取上传记录文件" + quoted(path) + u"，已上传的标记暂时无法显示。";
}

std::u16string setAsideMessage(const std::u16string& path, const std::u16string& aside) {
    return u"上传记录文件" + quoted(path) + u"已损坏，已改名为" + quoted(aside) +
           u"保存，其中的记录没有删除。以后的上传将记在新的文件中。";
}

std::u16string keptDamagedMessage(const std::u16string& path) {
    return u"上传记录文件" + quoted(path) +
           u"已损坏，且无法改名保存；文件保持原样，上传标记暂时无法使用。";
}

std::u16string danglingLinkMessage(const std::u16string& path) {
    return u"上传记录文件" + quoted(path) +
           u"是一个链接，它指向的文件不存在，上传标记无法读取或记下。请删除这个链接或恢复它指向的文"
           u"件。";
}

// A symbolic link whose target is missing: opening it finds no file, creating it would create
// the target somewhere else or fail. It is the user's to mend.
bool isDanglingLink(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_symlink(std::filesystem::symlink_status(path, error)) &&
           !std::filesystem::exists(std::filesystem::status(path, error));
}

std::u16string unwritableMessage(const std::u16string& path) {
    return u"无法写入上传记录文件" + quoted(path) + u"，本次上传没有记下。";
}

// Opens and locks the file, waiting a little for another holder.
Status openLocked(const std::string& path, std::unique_ptr<LockedFile>& file) {
    Status status = Status::Locked;
    for (int attempt = 0; attempt < kLockAttempts && status == Status::Locked; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(kLockPause);
        status = LockedFile::open(path, file);
    }
    return status;
}

// Gives the damaged file at `path` a free name beside it; that name, or nothing.
std::optional<std::string> setAside(const std::string& path) {
    const std::string base =
        path + ".damaged-" + utime::formatLocalTime(std::time(nullptr), "%Y%m%d-%H%M%S");
    for (int attempt = 0; attempt < kAsideNames; ++attempt) {
        const std::string aside = attempt == 0 ? base : base + "-" + std::to_string(attempt + 1);
        const int error = compoundfile::publishWithoutReplacing(path, aside);
        if (error == 0)
            return aside;
        if (error != EEXIST)
            return std::nullopt;
    }
    return std::nullopt;
}

// What a locked file holds, read as marks.
enum class Contents { Marks, Damaged, Unreadable };

Contents readMarks(const LockedFile& file, std::vector<UploadMark>& marks) {
    std::string text;
    const Status status = file.readAll(text, kLargestMarksFile);
    if (status == Status::NotCompoundFile)
        return Contents::Damaged; // larger than any marks file
    if (status != Status::Ok)
        return Contents::Unreadable;
    std::optional<std::vector<UploadMark>> read = marksFromText(text);
    if (!read)
        return Contents::Damaged;
    marks = std::move(*read);
    return Contents::Marks;
}

std::u16string joined(const std::u16string& first, const std::u16string& second) {
    return first.empty() ? second : first + u"\n" + second;
}

} // namespace

std::string uploadDocumentDigest(std::u16string_view document) {
    return encrypt::SHA(ustring::toUtf8(document));
}

UploadMarks::UploadMarks(std::u16string_view folder)
    : path_(std::u16string(folder) + std::u16string(kUploadMarksFileName)) {}

std::u16string UploadMarks::load() {
    marks_.clear();
    const std::string native = ufile::toNativePath(path_);
    std::unique_ptr<LockedFile> file;
    const Status status = openLocked(native, file);
    if (status == Status::FileNotFound)
        return isDanglingLink(native) ? danglingLinkMessage(path_) : std::u16string();
    if (status == Status::Locked)
        return lockedMessage(path_);
    if (status != Status::Ok)
        return unreadableMessage(path_);
    switch (readMarks(*file, marks_)) {
    case Contents::Marks:
        return {};
    case Contents::Unreadable:
        return unreadableMessage(path_);
    case Contents::Damaged:
        break;
    }
    const std::optional<std::string> aside = setAside(native);
    return aside ? setAsideMessage(path_, ufile::fromNativePath(*aside))
                 : keptDamagedMessage(path_);
}

template <typename Match> const UploadMark* UploadMarks::latest(Match match) const {
    const UploadMark* found = nullptr;
    for (const UploadMark& mark : marks_)
        if (match(mark) && (found == nullptr || mark.uploadedAt >= found->uploadedAt))
            found = &mark;
    return found;
}

const UploadMark* UploadMarks::findRaid(std::u16string_view account, std::int64_t raidStart,
                                        std::u16string_view site) const {
    return latest([&](const UploadMark& mark) {
        return mark.account == account && mark.raidStart == raidStart && mark.site == site;
    });
}

const UploadMark* UploadMarks::findDocument(std::string_view digest,
                                            std::u16string_view site) const {
    return latest(
        [&](const UploadMark& mark) { return mark.documentSha256 == digest && mark.site == site; });
}

std::u16string UploadMarks::record(const UploadMark& mark) {
    const std::string native = ufile::toNativePath(path_);
    std::u16string told;
    for (int round = 0; round < kRecordRounds; ++round) {
        std::unique_ptr<LockedFile> file;
        const Status status = openLocked(native, file);
        if (status == Status::FileNotFound) {
            if (isDanglingLink(native))
                return joined(told, joined(danglingLinkMessage(path_), unwritableMessage(path_)));
            const Status created = LockedFile::create(native, marksToText({mark}), file);
            if (created == Status::AlreadyExists)
                continue; // another client was quicker: add to its file
            if (created != Status::Ok)
                break;
            marks_ = {mark};
            return told;
        }
        if (status == Status::Locked)
            return joined(told, joined(lockedMessage(path_), unwritableMessage(path_)));
        if (status != Status::Ok)
            break;
        std::vector<UploadMark> marks;
        const Contents contents = readMarks(*file, marks);
        if (contents == Contents::Unreadable)
            break;
        if (contents == Contents::Damaged) {
            const std::optional<std::string> aside = setAside(native);
            if (!aside)
                return joined(keptDamagedMessage(path_), unwritableMessage(path_));
            told = setAsideMessage(path_, ufile::fromNativePath(*aside));
            continue; // the next round starts a new file
        }
        // A writer that died between writing the new file and renaming it left its copy; while
        // the lock is held no writer is at work, so every such copy is a leftover.
        ufile::removeUnfinishedCopies(path_);
        marks.push_back(mark);
        if (file->replace(marksToText(marks)) != Status::Ok)
            break;
        marks_ = std::move(marks);
        return told;
    }
    return joined(told, unwritableMessage(path_));
}

} // namespace gamefiles
