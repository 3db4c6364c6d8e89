#pragma once

#include "dkp/raid.h"
#include "raidsift/export.h"

#include <string>
#include <string_view>
#include <vector>

namespace dkp {

// The documents a raid can be exported as: the web site's upload document, the raid-log XML
// that guild sites import, two spreadsheet tables and the analysis as JSON.
enum class ExportFormat { Upload, EqdkpXml, CsvAttendance, CsvLoot, Json };

// "upload", "eqdkp-xml", "csv-attendance", "csv-loot", "json"; false for any other name.
RAIDSIFT_API bool parseExportFormat(std::string_view name, ExportFormat& format);
RAIDSIFT_API const char* exportFormatName(ExportFormat format);
// ".txt", ".xml", ".csv", ".csv", ".json"
RAIDSIFT_API const char* exportFileSuffix(ExportFormat format);
// Whether one document can hold several raids (the XML and the two tables).
RAIDSIFT_API bool exportTakesSeveralRaids(ExportFormat format);

struct RAIDSIFT_API ExportOptions {
    std::string programVersion;
    // The game client's language written into the XML, "zhCN" or "zhTW"; empty: told from the
    // raids' own texts.
    std::string language;
    // The character who recorded the raids, for the XML; empty: told from the first raid.
    std::u16string characterName;
};

// The whole document as UTF-8 bytes (Upload: the UTF-8 form of Raid::exportDocument()).
// Several raids only for the formats that take them; Upload and Json take exactly one raid.
// Throws std::invalid_argument for a number of raids the format cannot take.
RAIDSIFT_API std::string exportRaids(const std::vector<const Raid*>& raids, ExportFormat format,
                                     const ExportOptions& options);

// The analysis of the raids as one JSON array (two-space indents, a final line end), each
// raid as the Json export writes it but without the attendance figures.
RAIDSIFT_API std::string raidListJson(const std::vector<const Raid*>& raids);

} // namespace dkp
