V = "p=q"
X = 1,
C = 7 -- note
E =
