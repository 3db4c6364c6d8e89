#pragma once

#include "dkp/raid_formats.h"

class QWidget;

namespace ui {

class Prompter;

// The raid window's "导出…": a save dialog offering the raid-log XML that guild sites import,
// the attendance and the loot table (CSV) and JSON; the document the analyser makes in the
// chosen form is written whole to the chosen file. Cancelling writes nothing; a file that cannot
// be written is reported. True when a file was written.
bool exportRaidWithDialog(Prompter& prompter, QWidget* parent, const dkp::Raid& raid);

// The options the client's exports are made with: this program's version.
dkp::ExportOptions raidExportOptions();

} // namespace ui
