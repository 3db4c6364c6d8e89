Mer_DKP_UPDATETIME = "1796747074118";
MerDKP_Table = {
	[1] = {
		["name"] = "团队DKP",
		["players"] = {
			["Aldric"] = {
				["class"] = "Mage",
				["earned"] = 70,
				["spent"] = 20,
				["dkp"] = 50,
			},
			["Brannoc"] = {
				["class"] = "Hunter",
				["earned"] = 10,
				["spent"] = 15,
				["dkp"] = -5,
			},
			["Corwyn"] = {
				["class"] = "Rogue",
				["earned"] = 45,
				["spent"] = 40,
				["dkp"] = 5,
			},
			["Elwen"] = {
				["class"] = "Druid",
				["earned"] = 35,
				["spent"] = 50,
				["dkp"] = -15,
			},
			["Fenris"] = {
				["class"] = "Shaman",
				["earned"] = 45,
				["spent"] = 0,
				["dkp"] = 45,
			},
			["临时工"] = {
				["class"] = "",
				["earned"] = 15,
				["spent"] = 0,
				["dkp"] = 15,
			},
			["冰霜法师"] = {
				["class"] = "Mage",
				["earned"] = 25,
				["spent"] = 0,
				["dkp"] = 25,
			},
			["圣光守护"] = {
				["class"] = "Paladin",
				["earned"] = 25,
				["spent"] = 60,
				["dkp"] = -35,
			},
			["暗影之刃"] = {
				["class"] = "Warrior",
				["earned"] = 70,
				["spent"] = 200,
				["dkp"] = -130,
			},
			["月影"] = {
				["class"] = "Priest",
				["earned"] = 25,
				["spent"] = 30,
				["dkp"] = -5,
			},
		},
	},
	[2] = {
		["name"] = "新人DKP",
		["players"] = {
			["Aldric"] = {
				["class"] = "Mage",
				["earned"] = 90,
				["spent"] = 0,
				["dkp"] = 90,
			},
			["Brannoc"] = {
				["class"] = "Hunter",
				["earned"] = 90,
				["spent"] = 0,
				["dkp"] = 90,
			},
			["Corwyn"] = {
				["class"] = "Rogue",
				["earned"] = 90,
				["spent"] = 0,
				["dkp"] = 90,
			},
			["Elwen"] = {
				["class"] = "Druid",
				["earned"] = 90,
				["spent"] = 0,
				["dkp"] = 90,
			},
			["Fenris"] = {
				["class"] = "Shaman",
				["earned"] = 90,
				["spent"] = 10,
				["dkp"] = 80,
			},
			["PlayerOne"] = {
				["class"] = "Warrior",
				["earned"] = 10,
				["spent"] = 50,
				["dkp"] = -40,
			},
			["PlayerTwo"] = {
				["class"] = "Priest",
				["earned"] = 10,
				["spent"] = 0,
				["dkp"] = 10,
			},
			["冰霜法师"] = {
				["class"] = "Mage",
				["earned"] = 90,
				["spent"] = 0,
				["dkp"] = 90,
			},
			["圣光守护"] = {
				["class"] = "Paladin",
				["earned"] = 90,
				["spent"] = 100,
				["dkp"] = -10,
			},
			["暗影之刃"] = {
				["class"] = "Warrior",
				["earned"] = 90,
				["spent"] = 200,
				["dkp"] = -110,
			},
			["月影"] = {
				["class"] = "Priest",
				["earned"] = 90,
				["spent"] = 90,
				["dkp"] = 0,
			},
			["雷霆之怒"] = {
				["class"] = "DeathKnight",
				["earned"] = 70,
				["spent"] = 0,
				["dkp"] = 70,
			},
			["风暴行者"] = {
				["class"] = "Shaman",
				["earned"] = 90,
				["spent"] = 0,
				["dkp"] = 90,
			},
		},
	},
}
