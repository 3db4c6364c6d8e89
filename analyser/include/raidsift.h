#pragma once

// The whole public interface of the Raidsift analyser library.
#include "raidsift/version.h"

#include "grammar/clipper.h"
#include "grammar/node.h"
#include "grammar/partnership.h"
#include "grammar/tree_walker.h"
#include "grammar/wowluaclipper.h"

#include "dkp/attendance.h"
#include "dkp/boss_kills.h"
#include "dkp/load_raids.h"
#include "dkp/log_time.h"
#include "dkp/loot.h"
#include "dkp/member.h"
#include "dkp/raid.h"
#include "dkp/raid_formats.h"
#include "dkp/raid_log.h"
#include "dkp/raid_review.h"
#include "dkp/raids.h"
#include "dkp/saved_file.h"
#include "dkp/value_tables.h"
