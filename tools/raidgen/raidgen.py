#!/usr/bin/env python3
"""Writes a large, realistic TALLYRA.lua raid log in the layout the game saves.

Usage: raidgen [--raids N] [--members M] [--seed S] [--output FILE] [--summary FILE]

The text uses the game's saved-variables layout: tab indentation, list elements closed with
"}, -- [n]", quoted keys in square brackets. `raidgen --raids 600 --members 25` writes
about 15 MB. The same seed always gives the same file.
"""

import argparse
import json
import os
import random
import sys
import time

TRASH_MOB_BOSS = "小怪掉落"

CLASSES = ["WARRIOR", "ROGUE", "HUNTER", "PALADIN", "SHAMAN", "DRUID", "WARLOCK", "MAGE",
           "PRIEST", "DEATHKNIGHT"]
RACES = ["Human", "Dwarf", "NightElf", "Gnome", "Draenei", "Orc", "Scourge", "Tauren", "Troll",
         "BloodElf"]
COLOURS = ["ff1eff00", "ff0070dd", "ffa335ee", "ffa335ee", "ffa335ee", "ffff8000"]
ZONES = {
    "纳克萨玛斯": ["阿努布雷坎", "黑女巫法琳娜", "迈克斯纳", "瘟疫使者诺斯", "洛欧塞布", "帕奇维克",
               "格罗布鲁斯", "塔迪乌斯", "克尔苏加德"],
    "Karazhan": ["Attumen the Huntsman", "Moroes", "Maiden of Virtue", "The Curator",
                 "Shade of Aran", "Netherspite", "Prince Malchezaar"],
    "黑暗神殿": ["高阶督军纳因图斯", "苏普雷姆斯", "阿卡玛之影", "塔隆·血魔", "古尔图格·血沸",
             "灵魂之匣", "莎赫拉丝主母", "伊利达雷议会", "伊利丹·怒风"],
    "Serpentshrine Cavern": ["Hydross the Unstable", "The Lurker Below", "Leotheras the Blind",
                             "Fathom-Lord Karathress", "Morogrim Tidewalker", "Lady Vashj"],
}
REALMS = ["银松森林", "Silvermoon", "血色十字军", "Stormrage"]
GUILDS = ["晨曦之光", "Iron Vanguard", "永恒之井", ""]
NAME_PARTS_CN = ["暗影", "圣光", "月影", "雷霆", "冰霜", "烈焰", "风暴", "星辰", "血色", "银翼",
                 "幽灵", "狂怒"]
NAME_ENDS_CN = ["之刃", "守护", "猎手", "之怒", "法师", "行者", "之心", "骑士"]
NAME_PARTS_LATIN = ["Ald", "Bran", "Cor", "Dor", "Eld", "Fen", "Gar", "Hal", "Ith", "Jor",
                    "Kel", "Lor", "Mor", "Nor", "Or", "Per"]
NAME_ENDS_LATIN = ["ric", "noc", "wyn", "ath", "iel", "dor", "gan", "ris", "mir", "wen"]
ITEM_WORDS = ["Breastplate", "Leggings", "Gloves", "Helm", "Pauldrons", "Belt", "Boots",
              "Bracers", "Ring", "Cloak", "Sword", "Staff", "Mace", "Bow", "Trinket"]
ITEM_OWNERS = ["of the Fallen", "of Dread", "of Faith", "of the Tempest", "of Valor",
               "of the Eternal Flame"]
ITEM_CLASSES = [("Armor", "Plate"), ("Armor", "Cloth"), ("Armor", "Leather"), ("Armor", "Mail"),
                ("Weapon", "One-Handed Swords"), ("Weapon", "Staves"), ("Armor", "Miscellaneous")]


def lua_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n") + '"'


def lua_value(value):
    if isinstance(value, bool):
        return "true" if value else "false"
    if isinstance(value, int):
        return str(value)
    return lua_string(value)


def write_table_body(out, value, depth):
    """Writes the entries of a table: list part with position comments, then the keyed part."""
    indent = "\t" * depth
    items = value.get("__list__", [])
    for index, item in enumerate(items, start=1):
        if isinstance(item, dict):
            out.append(indent + "{\n")
            write_table_body(out, item, depth + 1)
            out.append(indent + "}, -- [%d]\n" % index)
        else:
            out.append(indent + lua_value(item) + ", -- [%d]\n" % index)
    for key, item in value.items():
        if key == "__list__":
            continue
        if isinstance(item, dict):
            out.append(indent + "[%s] = {\n" % lua_string(key))
            write_table_body(out, item, depth + 1)
            out.append(indent + "},\n")
        else:
            out.append(indent + "[%s] = %s,\n" % (lua_string(key), lua_value(item)))


def write_variable(out, name, value):
    if isinstance(value, dict):
        out.append("%s = {\n" % name)
        write_table_body(out, value, 1)
        out.append("}\n")
    else:
        out.append("%s = %s\n" % (name, lua_value(value)))


def log_time(seconds):
    """The log's own time text: local month/day/two-digit-year hours:minutes:seconds."""
    return time.strftime("%m/%d/%y %H:%M:%S", time.localtime(seconds))


def player_name(rng, taken):
    while True:
        if rng.random() < 0.5:
            name = rng.choice(NAME_PARTS_CN) + rng.choice(NAME_ENDS_CN)
        else:
            name = rng.choice(NAME_PARTS_LATIN) + rng.choice(NAME_ENDS_LATIN)
        if name not in taken:
            taken.add(name)
            return name


def make_raid(rng, start, members):
    zone = rng.choice(list(ZONES))
    bosses = ZONES[zone]
    taken = set()
    roster = [player_name(rng, taken) for _ in range(members)]
    infos = {}
    for name in roster:
        infos[name] = {
            "guild": rng.choice(GUILDS),
            "race": rng.choice(RACES),
            "sex": rng.choice([2, 3]),
            "class": rng.choice(CLASSES),
            "level": rng.choice([70, 70, 70, 69, 80]),
        }
    joins, leaves = [], []
    present = {}
    for name in roster:
        at = start + rng.randint(0, 600)
        joins.append({"player": name, "time": log_time(at)})
        present[name] = at
    clock = start + 900
    kills, loots = [], []
    for boss in bosses[: rng.randint(3, len(bosses))]:
        clock += rng.randint(900, 2400)
        # Someone steps out for a while and comes back.
        if rng.random() < 0.4:
            name = rng.choice(roster)
            leaves.append({"player": name, "time": log_time(clock - 600)})
            joins.append({"player": name, "time": log_time(clock - 120)})
        attendees = [name for name in roster if rng.random() < 0.92]
        kills.append({
            "boss": boss,
            "time": log_time(clock),
            "dkp": rng.choice([5, 10, 10, 15, 20]),
            "attendees": {"__list__": attendees},
        })
        for _ in range(rng.randint(3, 4)):
            loots.append(make_loot(rng, zone, boss, clock + rng.randint(30, 300), roster))
    for _ in range(rng.randint(1, 3)):
        loots.append(make_loot(rng, zone, TRASH_MOB_BOSS, start + rng.randint(600, 3600), roster))
    end = clock + rng.randint(300, 900)
    for name in roster:
        leaves.append({"player": name, "time": log_time(end)})
    raid = {
        "Join": {"__list__": joins},
        "key": log_time(start),
        "PlayerInfos": infos,
        "BossKills": {"__list__": kills},
        "Loot": {"__list__": loots},
        "zone": zone,
        "Leave": {"__list__": leaves},
        "note": rng.choice(["", "开荒", "farm run", "周常"]),
        "Realm": rng.choice(REALMS),
    }
    if rng.random() < 0.7:
        raid["End"] = log_time(end)
    return raid, end


def make_loot(rng, zone, boss, at, roster):
    item_class, subclass = rng.choice(ITEM_CLASSES)
    item_id = rng.randint(20000, 40000)
    name = "%s %s" % (rng.choice(ITEM_WORDS), rng.choice(ITEM_OWNERS))
    return {
        "player": rng.choice(roster),
        "item": {
            "c": rng.choice(COLOURS),
            "id": "%d:0:0:0" % item_id,
            "tooltip": tooltip(rng, name, item_class, subclass),
            "name": name,
            "icon": "Interface\\Icons\\INV_%s_%02d" % (item_class, rng.randint(1, 60)),
            "count": 1,
            "class": item_class,
            "subclass": subclass,
        },
        "zone": zone,
        "time": log_time(at),
        "boss": boss,
        "costs": rng.choice([0, 10, 20, 30, 50, 80, 120]),
    }


def tooltip(rng, name, item_class, subclass):
    lines = [name, "Binds when picked up", "%s %s" % (item_class, subclass),
             "+%d Stamina" % rng.randint(10, 60), "+%d Intellect" % rng.randint(10, 40),
             "Equip: Improves critical strike rating by %d." % rng.randint(10, 40),
             "Item Level %d" % rng.randint(100, 160)]
    return "\n".join(lines)


def next_evening(after, rng):
    """A raid start one to three days later, between 19:00 and 20:30 local time."""
    day = time.localtime(after + rng.randint(1, 3) * 86400)
    return int(time.mktime((day.tm_year, day.tm_mon, day.tm_mday, 19, rng.randint(0, 90),
                            rng.randint(0, 59), 0, 0, -1)))


def summary_of(raid, start, end):
    """What an analyser must find in the raid, worked out from the generated data."""
    members = len(raid["PlayerInfos"])
    earned = 0
    for kill in raid["BossKills"]["__list__"]:
        if kill["dkp"] > 0:
            attendees = len(kill["attendees"]["__list__"])
            earned += kill["dkp"] * (attendees if attendees else members)
    spent = sum(loot["costs"] * loot["item"]["count"] for loot in raid["Loot"]["__list__"])
    return {"start": start, "end": end, "zone": raid["zone"], "members": members,
            "kills": len(raid["BossKills"]["__list__"]), "loots": len(raid["Loot"]["__list__"]),
            "totalObtain": earned % 2**32, "totalConsume": spent % 2**32}


def generate(raids, members, seed, summaries=None):
    rng = random.Random(seed)
    start = int(time.mktime((2008, 1, 3, 20, 0, 0, 0, 0, 0)))
    log = []
    for _ in range(raids):
        raid, end = make_raid(rng, start, members)
        log.append(raid)
        if summaries is not None:
            summaries.append(summary_of(raid, start, end))
        start = next_evening(end, rng)
    out = []
    write_variable(out, "CT_RaidTracker_Options", {"AutoBossLoot": 1, "MinQuality": 4})
    write_variable(out, "CT_RaidTracker_RaidLog", {"__list__": log})
    write_variable(out, "CT_RaidTracker_Version", "1.5.4")
    return "".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--raids", type=int, default=100)
    parser.add_argument("--members", type=int, default=25)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--output", default="-", help="file to write, - for standard output")
    parser.add_argument("--summary", help="also write what each raid holds, as JSON, to this file")
    args = parser.parse_args()
    if args.raids < 0 or args.members < 1:
        parser.error("--raids must be 0 or more and --members 1 or more")
    summaries = []
    text = generate(args.raids, args.members, args.seed, summaries).encode("utf-8")
    if args.output == "-":
        sys.stdout.buffer.write(text)
    else:
        write_whole(args.output, text)
    if args.summary:
        write_whole(args.summary, json.dumps(summaries, ensure_ascii=False).encode("utf-8"))


def write_whole(path, data):
    """Writes beside the target and renames, so a reader never sees half a file."""
    with open(path + ".tmp", "wb") as out:
        out.write(data)
    os.replace(path + ".tmp", path)


if __name__ == "__main__":
    main()
