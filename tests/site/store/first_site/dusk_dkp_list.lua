Mer_DKP_UPDATETIME = "1796747074268";
MerDKP_Table = {
	[3] = {
		["name"] = "暮色DKP",
		["players"] = {
			["PlayerOne"] = {
				["class"] = "Warrior",
				["earned"] = 20,
				["spent"] = 100,
				["dkp"] = -80,
			},
			["PlayerTwo"] = {
				["class"] = "Priest",
				["earned"] = 20,
				["spent"] = 0,
				["dkp"] = 20,
			},
		},
	},
}
