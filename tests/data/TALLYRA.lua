CT_RaidTracker_Options = {
	["AutoBossLoot"] = 1,
	["MinQuality"] = 4,
}
CT_RaidTracker_RaidLog = {
	{
		["Join"] = {
			{
				["player"] = "暗影之刃",
				["time"] = "01/25/08 20:03:13",
			}, -- [1]
			{
				["player"] = "圣光守护",
				["time"] = "01/25/08 20:03:13",
			}, -- [2]
			{
				["player"] = "Aldric",
				["time"] = "01/25/08 20:05:40",
			}, -- [3]
			{
				["player"] = "月影",
				["time"] = "01/25/08 20:06:02",
			}, -- [4]
			{
				["player"] = "Brannoc",
				["time"] = "01/25/08 20:10:00",
			}, -- [5]
			{
				["player"] = "冰霜法师",
				["time"] = "01/25/08 20:12:30",
			}, -- [6]
			{
				["player"] = "临时工",
				["time"] = "01/25/08 21:00:00",
			}, -- [7]
			{
				["player"] = "Brannoc",
				["time"] = "01/25/08 21:40:00",
			}, -- [8]
		},
		["key"] = "01/25/08 20:03:13",
		["PlayerInfos"] = {
			["暗影之刃"] = {
				["guild"] = "晨曦之光",
				["race"] = "Human",
				["sex"] = 2,
				["class"] = "WARRIOR",
				["level"] = 70,
			},
			["圣光守护"] = {
				["guild"] = "晨曦之光",
				["race"] = "BloodElf",
				["sex"] = 3,
				["class"] = "PALADIN",
				["level"] = 70,
			},
			["Aldric"] = {
				["guild"] = "Iron Vanguard",
				["race"] = "Gnome",
				["sex"] = 2,
				["class"] = "MAGE",
				["level"] = 70,
			},
			["月影"] = {
				["guild"] = "晨曦之光",
				["race"] = "NightElf",
				["sex"] = 3,
				["class"] = "PRIEST",
				["level"] = 70,
			},
			["Brannoc"] = {
				["race"] = "Dwarf",
				["sex"] = 2,
				["class"] = "HUNTER",
				["level"] = 70,
			},
			["冰霜法师"] = {
				["guild"] = "晨曦之光",
				["race"] = "Troll",
				["sex"] = 3,
				["class"] = "MAGE",
				["level"] = 69,
			},
		},
		["BossKills"] = {
			{
				["boss"] = "阿努布雷坎",
				["time"] = "01/25/08 20:40:00",
				["dkp"] = 10,
				["attendees"] = {
					"暗影之刃", -- [1]
					"圣光守护", -- [2]
					"Aldric", -- [3]
					"月影", -- [4]
					"Brannoc", -- [5]
					"冰霜法师", -- [6]
				},
			}, -- [1]
			{
				["boss"] = "黑女巫法琳娜",
				["time"] = "01/25/08 21:20:00",
				["dkp"] = 15,
				["attendees"] = {
					"暗影之刃", -- [1]
					"圣光守护", -- [2]
					"Aldric", -- [3]
					"月影", -- [4]
					"冰霜法师", -- [5]
					"临时工", -- [6]
				},
			}, -- [2]
			{
				["boss"] = "迈克斯纳",
				["time"] = "01/25/08 22:45:00",
				["dkp"] = 20,
				["attendees"] = {
				},
			}, -- [3]
		},
		["Loot"] = {
			{
				["player"] = "暗影之刃",
				["item"] = {
					["c"] = "ffa335ee",
					["id"] = "22416:0:0:0",
					["tooltip"] = "Breastplate of the Fallen\nBinds when picked up\nItem Level 88",
					["name"] = "Breastplate of the Fallen",
					["icon"] = "Interface\\Icons\\INV_Chest_Plate16",
					["count"] = 1,
					["class"] = "Armor",
					["subclass"] = "Plate",
				},
				["zone"] = "纳克萨玛斯",
				["time"] = "01/25/08 20:42:10",
				["boss"] = "阿努布雷坎",
				["costs"] = 80,
			}, -- [1]
			{
				["player"] = "月影",
				["item"] = {
					["c"] = "ff0070dd",
					["id"] = "23061:0:0:0",
					["tooltip"] = "Ring of Faith\nItem Level 83",
					["name"] = "Ring of Faith",
					["icon"] = "Interface\\Icons\\INV_Jewelry_Ring_53",
					["count"] = 1,
					["class"] = "Armor",
					["subclass"] = "Miscellaneous",
				},
				["zone"] = "纳克萨玛斯",
				["time"] = "01/25/08 20:43:00",
				["boss"] = "阿努布雷坎",
				["costs"] = 30,
			}, -- [2]
			{
				["player"] = "Aldric",
				["item"] = {
					["c"] = "ff1eff00",
					["id"] = "22682:0:0:0",
					["tooltip"] = "Frozen Rune",
					["name"] = "Frozen Rune",
					["icon"] = "Interface\\Icons\\INV_Misc_Rune_09",
					["count"] = 2,
					["class"] = "Reagent",
					["subclass"] = "Reagent",
				},
				["zone"] = "纳克萨玛斯",
				["time"] = "01/25/08 21:05:00",
				["boss"] = "小怪掉落",
				["costs"] = 5,
			}, -- [3]
			{
				["player"] = "圣光守护",
				["item"] = {
					["c"] = "ffa335ee",
					["id"] = "22427:0:0:0",
					["tooltip"] = "Leggings of Faith\nItem Level 88",
					["name"] = "Leggings of Faith",
					["icon"] = "Interface\\Icons\\INV_Pants_Plate_17",
					["count"] = 1,
					["class"] = "Armor",
					["subclass"] = "Plate",
				},
				["zone"] = "纳克萨玛斯",
				["time"] = "01/25/08 21:22:00",
				["boss"] = "黑女巫法琳娜",
				["costs"] = 60,
			}, -- [4]
			{
				["player"] = "Brannoc",
				["item"] = {
					["c"] = "ff0070dd",
					["id"] = "23069:0:0:0",
					["tooltip"] = "Webbed Cloak",
					["name"] = "Webbed Cloak",
					["icon"] = "Interface\\Icons\\INV_Misc_Cape_18",
					["count"] = 1,
					["class"] = "Armor",
					["subclass"] = "Cloth",
				},
				["zone"] = "纳克萨玛斯",
				["time"] = "01/25/08 22:10:00",
				["boss"] = "小怪掉落",
				["costs"] = 15,
			}, -- [5]
			{
				["player"] = "冰霜法师",
				["item"] = {
					["c"] = "ffa335ee",
					["id"] = "22807:0:0:0",
					["tooltip"] = "Wraith Blade\nItem Level 90",
					["name"] = "Wraith Blade",
					["icon"] = "Interface\\Icons\\INV_Sword_61",
					["count"] = 1,
					["class"] = "Weapon",
					["subclass"] = "One-Handed Swords",
				},
				["zone"] = "纳克萨玛斯",
				["time"] = "01/25/08 22:47:00",
				["boss"] = "迈克斯纳",
				["costs"] = 0,
			}, -- [6]
		},
		["zone"] = "纳克萨玛斯",
		["Leave"] = {
			{
				["player"] = "Brannoc",
				["time"] = "01/25/08 21:15:00",
			}, -- [1]
			{
				["player"] = "临时工",
				["time"] = "01/25/08 22:00:00",
			}, -- [2]
			{
				["player"] = "冰霜法师",
				["time"] = "01/25/08 22:30:00",
			}, -- [3]
			{
				["player"] = "Brannoc",
				["time"] = "01/25/08 23:05:00",
			}, -- [4]
			{
				["player"] = "暗影之刃",
				["time"] = "01/25/08 23:10:00",
			}, -- [5]
			{
				["player"] = "圣光守护",
				["time"] = "01/25/08 23:10:00",
			}, -- [6]
			{
				["player"] = "Aldric",
				["time"] = "01/25/08 23:10:00",
			}, -- [7]
			{
				["player"] = "月影",
				["time"] = "01/25/08 23:10:00",
			}, -- [8]
		},
		["note"] = "开荒 第一周",
		["End"] = "01/25/08 23:10:00",
		["Realm"] = "银松森林",
	}, -- [1]
	{
		["key"] = "02/01/08 19:30:00",
		["zone"] = "Karazhan",
		["PlayerInfos"] = {
			["Aldric"] = {
				["guild"] = "Iron Vanguard",
				["race"] = "Gnome",
				["sex"] = 2,
				["class"] = "MAGE",
				["level"] = 70,
			},
			["Corwyn"] = {
				["guild"] = "Iron Vanguard",
				["race"] = "Human",
				["sex"] = 2,
				["class"] = "ROGUE",
				["level"] = 70,
			},
			["Elwen"] = {
				["guild"] = "Iron Vanguard",
				["race"] = "NightElf",
				["sex"] = 3,
				["class"] = "DRUID",
				["level"] = 70,
			},
			["暗影之刃"] = {
				["guild"] = "晨曦之光",
				["race"] = "Human",
				["sex"] = 2,
				["class"] = "WARRIOR",
				["level"] = 70,
			},
			["Fenris"] = {
				["race"] = "Draenei",
				["sex"] = 2,
				["class"] = "SHAMAN",
				["level"] = 70,
			},
		},
		["Join"] = {
			{
				["player"] = "Aldric",
				["time"] = "02/01/08 19:30:00",
			}, -- [1]
			{
				["player"] = "Corwyn",
				["time"] = "02/01/08 19:31:00",
			}, -- [2]
			{
				["player"] = "Elwen",
				["time"] = "02/01/08 19:32:00",
			}, -- [3]
			{
				["player"] = "暗影之刃",
				["time"] = "02/01/08 19:33:00",
			}, -- [4]
			{
				["player"] = "Fenris",
				["time"] = "02/01/08 19:35:00",
			}, -- [5]
			{
				["player"] = "Elwen",
				["time"] = "02/01/08 20:50:00",
			}, -- [6]
		},
		["Leave"] = {
			{
				["player"] = "Elwen",
				["time"] = "02/01/08 20:30:00",
			}, -- [1]
			{
				["player"] = "Aldric",
				["time"] = "02/01/08 22:15:00",
			}, -- [2]
			{
				["player"] = "Corwyn",
				["time"] = "02/01/08 22:15:00",
			}, -- [3]
			{
				["player"] = "Elwen",
				["time"] = "02/01/08 22:15:00",
			}, -- [4]
			{
				["player"] = "暗影之刃",
				["time"] = "02/01/08 22:15:00",
			}, -- [5]
			{
				["player"] = "Fenris",
				["time"] = "02/01/08 22:20:00",
			}, -- [6]
		},
		["BossKills"] = {
			{
				["boss"] = "Attumen the Huntsman",
				["time"] = "02/01/08 19:55:00",
				["dkp"] = 10,
				["attendees"] = {
					"Aldric", -- [1]
					"Corwyn", -- [2]
					"Elwen", -- [3]
					"暗影之刃", -- [4]
					"Fenris", -- [5]
				},
			}, -- [1]
			{
				["boss"] = "Moroes",
				["time"] = "02/01/08 20:40:00",
				["dkp"] = 10,
				["attendees"] = {
					"Aldric", -- [1]
					"Corwyn", -- [2]
					"暗影之刃", -- [3]
					"Fenris", -- [4]
				},
			}, -- [2]
			{
				["boss"] = "The Curator",
				["time"] = "02/01/08 21:30:00",
				["attendees"] = {
					"Aldric", -- [1]
					"Corwyn", -- [2]
					"Elwen", -- [3]
					"暗影之刃", -- [4]
					"Fenris", -- [5]
				},
			}, -- [3]
			{
				["boss"] = "Prince Malchezaar",
				["time"] = "02/01/08 22:10:00",
				["dkp"] = 25,
				["attendees"] = {
					"Aldric", -- [1]
					"Corwyn", -- [2]
					"Elwen", -- [3]
					"暗影之刃", -- [4]
					"Fenris", -- [5]
				},
			}, -- [4]
		},
		["Loot"] = {
			{
				["player"] = "Corwyn",
				["item"] = {
					["c"] = "ffa335ee",
					["id"] = "28504:0:0:0",
					["tooltip"] = "Steelhawk Crossbow\nItem Level 115",
					["name"] = "Steelhawk Crossbow",
					["icon"] = "Interface\\Icons\\INV_Weapon_Crossbow_16",
					["count"] = 1,
					["class"] = "Weapon",
					["subclass"] = "Crossbows",
				},
				["zone"] = "Karazhan",
				["time"] = "02/01/08 19:57:00",
				["boss"] = "Attumen the Huntsman",
				["costs"] = 40,
			}, -- [1]
			{
				["player"] = "Aldric",
				["item"] = {
					["c"] = "ffa335ee",
					["id"] = "28528:0:0:0",
					["tooltip"] = "Moroes' Lucky Pocket Watch\nItem Level 115",
					["name"] = "Moroes' Lucky Pocket Watch",
					["icon"] = "Interface\\Icons\\INV_Misc_PocketWatch_02",
					["count"] = 1,
					["class"] = "Armor",
					["subclass"] = "Miscellaneous",
				},
				["zone"] = "Karazhan",
				["time"] = "02/01/08 20:42:00",
				["boss"] = "Moroes",
				["costs"] = 35,
			}, -- [2]
			{
				["player"] = "Elwen",
				["item"] = {
					["c"] = "ffa335ee",
					["id"] = "29756:0:0:0",
					["tooltip"] = "Gloves of the Fallen Hero\nClasses: Hunter Mage Warlock",
					["name"] = "Gloves of the Fallen Hero",
					["icon"] = "Interface\\Icons\\INV_Gauntlets_27",
					["count"] = 1,
					["class"] = "Miscellaneous",
					["subclass"] = "Junk",
				},
				["zone"] = "Karazhan",
				["time"] = "02/01/08 21:31:30",
				["boss"] = "The Curator",
				["costs"] = 50,
			}, -- [3]
			{
				["player"] = "Fenris",
				["item"] = {
					["c"] = "ff0070dd",
					["id"] = "22559:0:0:0",
					["tooltip"] = "Formula: Enchant Weapon - Mongoose",
					["name"] = "Formula: Enchant Weapon - Mongoose",
					["icon"] = "Interface\\Icons\\INV_Misc_Note_01",
					["count"] = 1,
					["class"] = "Recipe",
					["subclass"] = "Enchanting",
				},
				["zone"] = "Karazhan",
				["time"] = "02/01/08 21:50:00",
				["boss"] = "小怪掉落",
				["costs"] = 0,
			}, -- [4]
			{
				["player"] = "暗影之刃",
				["item"] = {
					["c"] = "ffa335ee",
					["id"] = "28773:0:0:0",
					["tooltip"] = "Gorehowl\nItem Level 125",
					["name"] = "Gorehowl",
					["icon"] = "Interface\\Icons\\INV_Axe_09",
					["count"] = 1,
					["class"] = "Weapon",
					["subclass"] = "Two-Handed Axes",
				},
				["zone"] = "Karazhan",
				["time"] = "02/01/08 22:11:00",
				["boss"] = "Prince Malchezaar",
				["costs"] = 120,
			}, -- [5]
			{
				["player"] = "Aldric",
				["item"] = {
					["c"] = "ffa335ee",
					["id"] = "28757:0:0:0",
					["tooltip"] = "Ring of a Thousand Marks\nItem Level 125",
					["name"] = "Ring of a Thousand Marks",
					["icon"] = "Interface\\Icons\\INV_Jewelry_Ring_51naxxramas",
					["count"] = 1,
					["class"] = "Armor",
					["subclass"] = "Miscellaneous",
				},
				["zone"] = "Karazhan",
				["time"] = "02/01/08 22:12:00",
				["boss"] = "Prince Malchezaar",
				["costs"] = -20,
			}, -- [6]
		},
		["note"] = "",
		["Realm"] = "Silvermoon",
	}, -- [2]
	{
		["key"] = "02/03/08 21:00:00",
		["End"] = "02/03/08 21:45:00",
		["zone"] = "",
		["Realm"] = "银松森林",
		["note"] = "pvp",
		["PlayerInfos"] = {
			["月影"] = {
				["guild"] = "晨曦之光",
				["race"] = "NightElf",
				["sex"] = 3,
				["class"] = "PRIEST",
				["level"] = 70,
			},
		},
		["Join"] = {
			{
				["player"] = "月影",
				["time"] = "02/03/08 21:00:00",
			}, -- [1]
		},
		["Leave"] = {
			{
				["player"] = "月影",
				["time"] = "02/03/08 21:45:00",
			}, -- [1]
		},
	}, -- [3]
	{
		["Join"] = {
			{
				["player"] = "Aldric",
				["time"] = "02/08/08 20:00:00",
			}, -- [1]
			{
				["player"] = "Brannoc",
				["time"] = "02/08/08 20:01:00",
			}, -- [2]
			{
				["player"] = "Corwyn",
				["time"] = "02/08/08 20:02:00",
			}, -- [3]
			{
				["player"] = "Elwen",
				["time"] = "02/08/08 20:03:00",
			}, -- [4]
			{
				["player"] = "Fenris",
				["time"] = "02/08/08 20:04:00",
			}, -- [5]
			{
				["player"] = "暗影之刃",
				["time"] = "02/08/08 20:05:00",
			}, -- [6]
			{
				["player"] = "圣光守护",
				["time"] = "02/08/08 20:06:00",
			}, -- [7]
			{
				["player"] = "月影",
				["time"] = "02/08/08 20:07:00",
			}, -- [8]
			{
				["player"] = "冰霜法师",
				["time"] = "02/08/08 20:08:00",
			}, -- [9]
			{
				["player"] = "雷霆之怒",
				["time"] = "02/08/08 20:09:00",
			}, -- [10]
			{
				["player"] = "风暴行者",
				["time"] = "02/08/08 20:10:00",
			}, -- [11]
			{
				["player"] = "雷霆之怒",
				["time"] = "02/08/08 21:30:00",
			}, -- [12]
			{
				["player"] = "雷霆之怒",
				["time"] = "02/08/08 23:00:00",
			}, -- [13]
		},
		["key"] = "02/08/08 20:00:00",
		["PlayerInfos"] = {
			["Aldric"] = {
				["guild"] = "Iron Vanguard",
				["race"] = "Gnome",
				["sex"] = 2,
				["class"] = "MAGE",
				["level"] = 70,
			},
			["Brannoc"] = {
				["race"] = "Dwarf",
				["sex"] = 2,
				["class"] = "HUNTER",
				["level"] = 70,
			},
			["Corwyn"] = {
				["guild"] = "Iron Vanguard",
				["race"] = "Human",
				["sex"] = 2,
				["class"] = "ROGUE",
				["level"] = 70,
			},
			["Elwen"] = {
				["guild"] = "Iron Vanguard",
				["race"] = "NightElf",
				["sex"] = 3,
				["class"] = "DRUID",
				["level"] = 70,
			},
			["Fenris"] = {
				["race"] = "Draenei",
				["sex"] = 2,
				["class"] = "SHAMAN",
				["level"] = 70,
			},
			["暗影之刃"] = {
				["guild"] = "晨曦之光",
				["race"] = "Human",
				["sex"] = 2,
				["class"] = "WARRIOR",
				["level"] = 70,
			},
			["圣光守护"] = {
				["guild"] = "晨曦之光",
				["race"] = "BloodElf",
				["sex"] = 3,
				["class"] = "PALADIN",
				["level"] = 70,
			},
			["月影"] = {
				["guild"] = "晨曦之光",
				["race"] = "NightElf",
				["sex"] = 3,
				["class"] = "PRIEST",
				["level"] = 70,
			},
			["冰霜法师"] = {
				["guild"] = "晨曦之光",
				["race"] = "Troll",
				["sex"] = 3,
				["class"] = "MAGE",
				["level"] = 70,
			},
			["雷霆之怒"] = {
				["guild"] = "晨曦之光",
				["race"] = "BloodElf",
				["sex"] = 2,
				["class"] = "DEATHKNIGHT",
				["level"] = 80,
			},
			["风暴行者"] = {
				["guild"] = "晨曦之光",
				["race"] = "Orc",
				["sex"] = 2,
				["class"] = "SHAMAN",
				["level"] = 70,
			},
		},
		["BossKills"] = {
			{
				["boss"] = "高阶督军纳因图斯",
				["time"] = "02/08/08 20:30:00",
				["dkp"] = 20,
				["attendees"] = {
					"Aldric", -- [1]
					"Brannoc", -- [2]
					"Corwyn", -- [3]
					"Elwen", -- [4]
					"Fenris", -- [5]
					"暗影之刃", -- [6]
					"圣光守护", -- [7]
					"月影", -- [8]
					"冰霜法师", -- [9]
					"雷霆之怒", -- [10]
					"风暴行者", -- [11]
				},
			}, -- [1]
			{
				["boss"] = "苏普雷姆斯",
				["time"] = "02/08/08 21:15:00",
				["dkp"] = 20,
				["attendees"] = {
					"Aldric", -- [1]
					"Brannoc", -- [2]
					"Corwyn", -- [3]
					"Elwen", -- [4]
					"Fenris", -- [5]
					"暗影之刃", -- [6]
					"圣光守护", -- [7]
					"月影", -- [8]
					"冰霜法师", -- [9]
					"风暴行者", -- [10]
				},
			}, -- [2]
			{
				["boss"] = "伊利丹·怒风",
				["time"] = "02/09/08 00:20:00",
				["dkp"] = 50,
				["attendees"] = {
					"Aldric", -- [1]
					"Brannoc", -- [2]
					"Corwyn", -- [3]
					"Elwen", -- [4]
					"Fenris", -- [5]
					"暗影之刃", -- [6]
					"圣光守护", -- [7]
					"月影", -- [8]
					"冰霜法师", -- [9]
					"雷霆之怒", -- [10]
					"风暴行者", -- [11]
				},
			}, -- [3]
		},
		["Loot"] = {
			{
				["player"] = "圣光守护",
				["item"] = {
					["c"] = "ffa335ee",
					["id"] = "31097:0:0:0",
					["tooltip"] = "Helm of the Forgotten Protector",
					["name"] = "Helm of the Forgotten Protector",
					["icon"] = "Interface\\Icons\\INV_Helmet_24",
					["count"] = 1,
					["class"] = "Miscellaneous",
					["subclass"] = "Junk",
				},
				["zone"] = "黑暗神殿",
				["time"] = "02/08/08 20:31:00",
				["boss"] = "高阶督军纳因图斯",
				["costs"] = 100,
			}, -- [1]
			{
				["player"] = "月影",
				["item"] = {
					["c"] = "ffa335ee",
					["id"] = "32350:0:0:0",
					["tooltip"] = "Naaru-Blessed Life Rod\nItem Level 141",
					["name"] = "Naaru-Blessed Life Rod",
					["icon"] = "Interface\\Icons\\INV_Wand_22",
					["count"] = 1,
					["class"] = "Weapon",
					["subclass"] = "Wands",
				},
				["zone"] = "黑暗神殿",
				["time"] = "02/08/08 21:16:00",
				["boss"] = "苏普雷姆斯",
				["costs"] = 90,
			}, -- [2]
			{
				["player"] = "Fenris",
				["item"] = {
					["c"] = "ff1eff00",
					["id"] = "32428:0:0:0",
					["tooltip"] = "Fel Blood",
					["name"] = "Fel Blood",
					["icon"] = "Interface\\Icons\\INV_Misc_Ammo_Gunpowder_07",
					["count"] = 3,
					["class"] = "Trade Goods",
					["subclass"] = "Trade Goods",
				},
				["zone"] = "黑暗神殿",
				["time"] = "02/08/08 22:40:00",
				["boss"] = "小怪掉落",
				["costs"] = 10,
			}, -- [3]
			{
				["player"] = "暗影之刃",
				["item"] = {
					["c"] = "ffff8000",
					["id"] = "32837:0:0:0",
					["tooltip"] = "Warglaive of Azzinoth\nItem Level 156",
					["name"] = "Warglaive of Azzinoth",
					["icon"] = "Interface\\Icons\\INV_Weapon_Glave_01",
					["count"] = 1,
					["class"] = "Weapon",
					["subclass"] = "One-Handed Swords",
				},
				["zone"] = "黑暗神殿",
				["time"] = "02/09/08 00:21:00",
				["boss"] = "伊利丹·怒风",
				["costs"] = 200,
			}, -- [4]
			{
				["player"] = "Brannoc",
				["item"] = {
					["c"] = "ff0070dd",
					["id"] = "32501:0:0:0",
					["tooltip"] = "Shadowmoon Insignia",
					["name"] = "Shadowmoon Insignia",
					["icon"] = "Interface\\Icons\\INV_Jewelry_Talisman_10",
					["count"] = 1,
					["class"] = "Armor",
					["subclass"] = "Miscellaneous",
				},
				["zone"] = "黑暗神殿",
				["time"] = "02/08/08 23:40:00",
				["boss"] = "小怪掉落",
				["costs"] = 0,
			}, -- [5]
		},
		["zone"] = "黑暗神殿",
		["Leave"] = {
			{
				["player"] = "雷霆之怒",
				["time"] = "02/08/08 21:00:00",
			}, -- [1]
			{
				["player"] = "雷霆之怒",
				["time"] = "02/08/08 22:00:00",
			}, -- [2]
			{
				["player"] = "Aldric",
				["time"] = "02/09/08 00:30:00",
			}, -- [3]
			{
				["player"] = "Brannoc",
				["time"] = "02/09/08 00:30:00",
			}, -- [4]
			{
				["player"] = "Corwyn",
				["time"] = "02/09/08 00:30:00",
			}, -- [5]
			{
				["player"] = "Elwen",
				["time"] = "02/09/08 00:30:00",
			}, -- [6]
			{
				["player"] = "Fenris",
				["time"] = "02/09/08 00:30:00",
			}, -- [7]
			{
				["player"] = "暗影之刃",
				["time"] = "02/09/08 00:30:00",
			}, -- [8]
			{
				["player"] = "圣光守护",
				["time"] = "02/09/08 00:30:00",
			}, -- [9]
			{
				["player"] = "月影",
				["time"] = "02/09/08 00:30:00",
			}, -- [10]
			{
				["player"] = "冰霜法师",
				["time"] = "02/09/08 00:30:00",
			}, -- [11]
			{
				["player"] = "雷霆之怒",
				["time"] = "02/09/08 00:30:00",
			}, -- [12]
			{
				["player"] = "风暴行者",
				["time"] = "02/09/08 00:30:00",
			}, -- [13]
		},
		["note"] = "周常",
		["End"] = "02/09/08 00:30:00",
		["Realm"] = "血色十字军",
	}, -- [4]
}
CT_RaidTracker_Version = "1.5.4"
