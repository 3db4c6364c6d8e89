#pragma once

// The object names of the two selection dialogs (account and raid), which share one layout.
namespace ui::selectiondlgids {

inline constexpr char List[] = "selectionList";
inline constexpr char NextButton[] = "nextButton";
inline constexpr char CancelButton[] = "cancelButton";

} // namespace ui::selectiondlgids
