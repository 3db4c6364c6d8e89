#pragma once

#include "dkp/raid.h"
#include "grammar/node.h"

#include <nlohmann/json.hpp>

namespace raidsift {

// One raid with its members, kills, loot and totals; times in seconds since 1970.
nlohmann::ordered_json raidToJson(const dkp::Raid& raid);

// The parsed tree: {attribs: [{name, value}...], nodes: [{name, attribs, nodes}...]}.
nlohmann::ordered_json documentToJson(const grammar::Document& document);

} // namespace raidsift
