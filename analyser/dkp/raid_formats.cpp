#include "dkp/raid_formats.h"

#include "dkp/eqdkp_xml.h"
#include "dkp/raid_csv.h"
#include "dkp/raid_json.h"
#include "utilkit/ustring.h"

#include <array>
#include <stdexcept>

namespace dkp {
namespace {

struct FormatSpelling {
    ExportFormat format;
    const char* name;
    const char* suffix;
};

constexpr std::array<FormatSpelling, 5> kFormats{{
    {ExportFormat::Upload, "upload", ".txt"},
    {ExportFormat::EqdkpXml, "eqdkp-xml", ".xml"},
    {ExportFormat::CsvAttendance, "csv-attendance", ".csv"},
    {ExportFormat::CsvLoot, "csv-loot", ".csv"},
    {ExportFormat::Json, "json", ".json"},
}};

const FormatSpelling& spellingOf(ExportFormat format) {
    for (const FormatSpelling& spelling : kFormats)
        if (spelling.format == format)
            return spelling;
    return kFormats.front();
}

const Raid& onlyRaid(const std::vector<const Raid*>& raids, ExportFormat format) {
    if (raids.size() != 1 || raids.front() == nullptr)
        throw std::invalid_argument(std::string("the ") + exportFormatName(format) +
                                    " export takes exactly one raid");
    return *raids.front();
}

} // namespace

bool parseExportFormat(std::string_view name, ExportFormat& format) {
    for (const FormatSpelling& spelling : kFormats)
        if (name == spelling.name) {
            format = spelling.format;
            return true;
        }
    return false;
}

const char* exportFormatName(ExportFormat format) {
    return spellingOf(format).name;
}

const char* exportFileSuffix(ExportFormat format) {
    return spellingOf(format).suffix;
}

bool exportTakesSeveralRaids(ExportFormat format) {
    return format == ExportFormat::EqdkpXml || format == ExportFormat::CsvAttendance ||
           format == ExportFormat::CsvLoot;
}

std::string exportRaids(const std::vector<const Raid*>& raids, ExportFormat format,
                        const ExportOptions& options) {
    for (const Raid* raid : raids)
        if (raid == nullptr)
            throw std::invalid_argument("no raid to export");
    switch (format) {
    case ExportFormat::Upload:
        return ustring::toUtf8(onlyRaid(raids, format).exportDocument());
    case ExportFormat::EqdkpXml:
        return eqdkpXml(raids, options);
    case ExportFormat::CsvAttendance:
        return attendanceCsv(raids);
    case ExportFormat::CsvLoot:
        return lootCsv(raids);
    case ExportFormat::Json:
        return raidWithAttendanceToJson(onlyRaid(raids, format)).dump(2) + '\n';
    }
    throw std::invalid_argument("unknown export format");
}

std::string raidListJson(const std::vector<const Raid*>& raids) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const Raid* raid : raids)
        list.push_back(raidToJson(*raid));
    return list.dump(2) + '\n';
}

} // namespace dkp
