Log = {
	{
		["zone"] = "Hall",
		["Join"] = {
			{
				["player"] = "Alpha",
			}, -- [1]
		},
		["attendees"] = {
			"Alpha", -- [1]
			"Beta", -- [2]
		},
		["dkp"] = 10,
	}, -- [1]
}
Version = 3
