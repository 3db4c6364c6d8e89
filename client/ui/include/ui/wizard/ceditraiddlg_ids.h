#pragma once

// The object names of the raid window's parts.
namespace ui::editraiddlgids {

inline constexpr char SectionList[] = "sectionList";
inline constexpr char Overview[] = "raidOverview";
inline constexpr char BossView[] = "raidBossView";
inline constexpr char MobsView[] = "raidMobsView";
inline constexpr char ExportButton[] = "exportButton";
inline constexpr char NextButton[] = "nextButton";
inline constexpr char CancelButton[] = "cancelButton";

} // namespace ui::editraiddlgids
