#pragma once

// The object names of the upload dialog's parts.
namespace ui::eventimportdlgids {

inline constexpr char EventName[] = "eventName";
inline constexpr char EventNote[] = "eventNote";
inline constexpr char GuildChoice[] = "guildChoice";
inline constexpr char DkpChoice[] = "dkpChoice";
inline constexpr char UploadButton[] = "uploadButton";
inline constexpr char CancelButton[] = "cancelButton";
inline constexpr char BackButton[] = "backButton";
inline constexpr char ReviewSummary[] = "reviewSummary";
inline constexpr char ReviewFindings[] = "reviewFindings";
inline constexpr char UploadAnyway[] = "uploadAnyway";

} // namespace ui::eventimportdlgids
