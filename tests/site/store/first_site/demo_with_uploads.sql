PRAGMA foreign_keys=OFF;
BEGIN TRANSACTION;
CREATE TABLE users(
    id INTEGER PRIMARY KEY, name TEXT UNIQUE NOT NULL,
    salt TEXT NOT NULL DEFAULT '', password_hash TEXT NOT NULL);
INSERT INTO users VALUES(1,'demo','','pbkdf2-sha256$100000$e7dd056353d51ad3e2f612952db9a2a5$345a303c9a725a7da9c05dcc35820703e2479b4f7d58e3cef7e73e8ac1f1b564');
CREATE TABLE guilds(
    id INTEGER PRIMARY KEY, guild_id TEXT UNIQUE NOT NULL, site TEXT UNIQUE NOT NULL,
    created_ms INTEGER NOT NULL);
INSERT INTO guilds VALUES(1,'晨曦之光','adpt_dkp',1796747053023);
INSERT INTO guilds VALUES(2,'暮色远征','dusk_dkp',1796747053023);
CREATE TABLE dkp_systems(
    id INTEGER PRIMARY KEY, guild INTEGER NOT NULL REFERENCES guilds(id), name TEXT NOT NULL);
INSERT INTO dkp_systems VALUES(1,1,'团队DKP');
INSERT INTO dkp_systems VALUES(2,1,'新人DKP');
INSERT INTO dkp_systems VALUES(3,2,'暮色DKP');
CREATE TABLE memberships(
    user INTEGER NOT NULL REFERENCES users(id), guild INTEGER NOT NULL REFERENCES guilds(id),
    is_default INTEGER NOT NULL DEFAULT 0, UNIQUE(user, guild));
INSERT INTO memberships VALUES(1,1,1);
INSERT INTO memberships VALUES(1,2,0);
CREATE TABLE sessions(
    token TEXT PRIMARY KEY, user INTEGER NOT NULL REFERENCES users(id),
    last_used_ms INTEGER NOT NULL DEFAULT 0);
INSERT INTO sessions VALUES('5dd2afe36502aac681fbd7c1119dbadebdbd4274264039eb',1,1796747053023);
INSERT INTO sessions VALUES('50692ade0bb47527d52c4a7a0581e7a31b738bb2a9462fe2',1,1796747074268);
CREATE TABLE events(
    id INTEGER PRIMARY KEY, guild INTEGER NOT NULL REFERENCES guilds(id),
    dkp_system INTEGER NOT NULL REFERENCES dkp_systems(id),
    uploader INTEGER NOT NULL REFERENCES users(id), name TEXT NOT NULL, note TEXT NOT NULL,
    document TEXT NOT NULL, raid_key TEXT, realm TEXT, start_time TEXT, end_time TEXT,
    zone TEXT, raid_note TEXT, created_ms INTEGER NOT NULL);
INSERT INTO events VALUES(1,1,1,1,'纳克萨玛斯 周五团','','<RaidInfo><key>01/25/08 20:03:13</key><realm>银松森林</realm><start>01/25/08 20:03:13</start><end>01/25/08 23:10:00</end><zone>纳克萨玛斯</zone><PlayerInfos><key1><name>暗影之刃</name><race>Human</race><guild>晨曦之光</guild><sex>2</sex><class>Warrior</class><level>70</level></key1><key2><name>圣光守护</name><race>BloodElf</race><guild>晨曦之光</guild><sex>3</sex><class>Paladin</class><level>70</level></key2><key3><name>Aldric</name><race>Gnome</race><guild>Iron Vanguard</guild><sex>2</sex><class>Mage</class><level>70</level></key3><key4><name>月影</name><race>NightElf</race><guild>晨曦之光</guild><sex>3</sex><class>Priest</class><level>70</level></key4><key5><name>Brannoc</name><race>Dwarf</race><guild></guild><sex>2</sex><class>Hunter</class><level>70</level></key5><key6><name>冰霜法师</name><race>Troll</race><guild>晨曦之光</guild><sex>3</sex><class>Mage</class><level>69</level></key6><key7><name>临时工</name><race></race><guild></guild><sex></sex><class></class><level>0</level></key7></PlayerInfos><BossKills><key1><name>阿努布雷坎</name><dkp>10</dkp><time>01/25/08 20:40:00</time><attendees><key1><name>暗影之刃</name></key1><key2><name>圣光守护</name></key2><key3><name>Aldric</name></key3><key4><name>月影</name></key4><key5><name>Brannoc</name></key5><key6><name>冰霜法师</name></key6></attendees></key1><key2><name>黑女巫法琳娜</name><dkp>15</dkp><time>01/25/08 21:20:00</time><attendees><key1><name>暗影之刃</name></key1><key2><name>圣光守护</name></key2><key3><name>Aldric</name></key3><key4><name>月影</name></key4><key5><name>冰霜法师</name></key5><key6><name>临时工</name></key6></attendees></key2><key3><name>迈克斯纳</name><dkp>20</dkp><time>01/25/08 22:45:00</time><attendees></attendees></key3></BossKills><note>开荒 第一周</note><Loot><key1><ItemName>Breastplate of the Fallen</ItemName><ItemID>22416:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Chest_Plate16</Icon><Class>Armor</Class><SubClass>Plate</SubClass><Color>ffa335ee</Color><Count>1</Count><Player>暗影之刃</Player><Costs>80</Costs><Time>01/25/08 20:42:10</Time><Zone>纳克萨玛斯</Zone><Boss>阿努布雷坎</Boss><Tooltip>Breastplate of the Fallen\nBinds when picked up\nItem Level 88</Tooltip></key1><key2><ItemName>Ring of Faith</ItemName><ItemID>23061:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Jewelry_Ring_53</Icon><Class>Armor</Class><SubClass>Miscellaneous</SubClass><Color>ff0070dd</Color><Count>1</Count><Player>月影</Player><Costs>30</Costs><Time>01/25/08 20:43:00</Time><Zone>纳克萨玛斯</Zone><Boss>阿努布雷坎</Boss><Tooltip>Ring of Faith\nItem Level 83</Tooltip></key2><key3><ItemName>Frozen Rune</ItemName><ItemID>22682:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Misc_Rune_09</Icon><Class>Reagent</Class><SubClass>Reagent</SubClass><Color>ff1eff00</Color><Count>2</Count><Player>Aldric</Player><Costs>5</Costs><Time>01/25/08 21:05:00</Time><Zone>纳克萨玛斯</Zone><Boss>小怪掉落</Boss><Tooltip>Frozen Rune</Tooltip></key3><key4><ItemName>Leggings of Faith</ItemName><ItemID>22427:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Pants_Plate_17</Icon><Class>Armor</Class><SubClass>Plate</SubClass><Color>ffa335ee</Color><Count>1</Count><Player>圣光守护</Player><Costs>60</Costs><Time>01/25/08 21:22:00</Time><Zone>纳克萨玛斯</Zone><Boss>黑女巫法琳娜</Boss><Tooltip>Leggings of Faith\nItem Level 88</Tooltip></key4><key5><ItemName>Webbed Cloak</ItemName><ItemID>23069:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Misc_Cape_18</Icon><Class>Armor</Class><SubClass>Cloth</SubClass><Color>ff0070dd</Color><Count>1</Count><Player>Brannoc</Player><Costs>15</Costs><Time>01/25/08 22:10:00</Time><Zone>纳克萨玛斯</Zone><Boss>小怪掉落</Boss><Tooltip>Webbed Cloak</Tooltip></key5><key6><ItemName>Wraith Blade</ItemName><ItemID>22807:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Sword_61</Icon><Class>Weapon</Class><SubClass>One-Handed Swords</SubClass><Color>ffa335ee</Color><Count>1</Count><Player>冰霜法师</Player><Costs>0</Costs><Time>01/25/08 22:47:00</Time><Zone>纳克萨玛斯</Zone><Boss>迈克斯纳</Boss><Tooltip>Wraith Blade\nItem Level 90</Tooltip></key6></Loot></RaidInfo>','01/25/08 20:03:13','银松森林','01/25/08 20:03:13','01/25/08 23:10:00','纳克萨玛斯','开荒 第一周',1796747053023);
INSERT INTO events VALUES(2,1,1,1,'卡拉赞 周六团','','<RaidInfo><key>02/01/08 19:30:00</key><realm>Silvermoon</realm><start>02/01/08 19:30:00</start><end>02/01/08 22:20:00</end><zone>Karazhan</zone><PlayerInfos><key1><name>Aldric</name><race>Gnome</race><guild>Iron Vanguard</guild><sex>2</sex><class>Mage</class><level>70</level></key1><key2><name>Corwyn</name><race>Human</race><guild>Iron Vanguard</guild><sex>2</sex><class>Rogue</class><level>70</level></key2><key3><name>Elwen</name><race>NightElf</race><guild>Iron Vanguard</guild><sex>3</sex><class>Druid</class><level>70</level></key3><key4><name>暗影之刃</name><race>Human</race><guild>晨曦之光</guild><sex>2</sex><class>Warrior</class><level>70</level></key4><key5><name>Fenris</name><race>Draenei</race><guild></guild><sex>2</sex><class>Shaman</class><level>70</level></key5></PlayerInfos><BossKills><key1><name>Attumen the Huntsman</name><dkp>10</dkp><time>02/01/08 19:55:00</time><attendees><key1><name>Aldric</name></key1><key2><name>Corwyn</name></key2><key3><name>Elwen</name></key3><key4><name>暗影之刃</name></key4><key5><name>Fenris</name></key5></attendees></key1><key2><name>Moroes</name><dkp>10</dkp><time>02/01/08 20:40:00</time><attendees><key1><name>Aldric</name></key1><key2><name>Corwyn</name></key2><key3><name>暗影之刃</name></key3><key4><name>Fenris</name></key4></attendees></key2><key3><name>The Curator</name><dkp>0</dkp><time>02/01/08 21:30:00</time><attendees><key1><name>Aldric</name></key1><key2><name>Corwyn</name></key2><key3><name>Elwen</name></key3><key4><name>暗影之刃</name></key4><key5><name>Fenris</name></key5></attendees></key3><key4><name>Prince Malchezaar</name><dkp>25</dkp><time>02/01/08 22:10:00</time><attendees><key1><name>Aldric</name></key1><key2><name>Corwyn</name></key2><key3><name>Elwen</name></key3><key4><name>暗影之刃</name></key4><key5><name>Fenris</name></key5></attendees></key4></BossKills><note></note><Loot><key1><ItemName>Steelhawk Crossbow</ItemName><ItemID>28504:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Weapon_Crossbow_16</Icon><Class>Weapon</Class><SubClass>Crossbows</SubClass><Color>ffa335ee</Color><Count>1</Count><Player>Corwyn</Player><Costs>40</Costs><Time>02/01/08 19:57:00</Time><Zone>Karazhan</Zone><Boss>Attumen the Huntsman</Boss><Tooltip>Steelhawk Crossbow\nItem Level 115</Tooltip></key1><key2><ItemName>Moroes'' Lucky Pocket Watch</ItemName><ItemID>28528:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Misc_PocketWatch_02</Icon><Class>Armor</Class><SubClass>Miscellaneous</SubClass><Color>ffa335ee</Color><Count>1</Count><Player>Aldric</Player><Costs>35</Costs><Time>02/01/08 20:42:00</Time><Zone>Karazhan</Zone><Boss>Moroes</Boss><Tooltip>Moroes'' Lucky Pocket Watch\nItem Level 115</Tooltip></key2><key3><ItemName>Gloves of the Fallen Hero</ItemName><ItemID>29756:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Gauntlets_27</Icon><Class>Miscellaneous</Class><SubClass>Junk</SubClass><Color>ffa335ee</Color><Count>1</Count><Player>Elwen</Player><Costs>50</Costs><Time>02/01/08 21:31:30</Time><Zone>Karazhan</Zone><Boss>The Curator</Boss><Tooltip>Gloves of the Fallen Hero\nClasses: Hunter Mage Warlock</Tooltip></key3><key4><ItemName>Formula: Enchant Weapon - Mongoose</ItemName><ItemID>22559:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Misc_Note_01</Icon><Class>Recipe</Class><SubClass>Enchanting</SubClass><Color>ff0070dd</Color><Count>1</Count><Player>Fenris</Player><Costs>0</Costs><Time>02/01/08 21:50:00</Time><Zone>Karazhan</Zone><Boss>小怪掉落</Boss><Tooltip>Formula: Enchant Weapon - Mongoose</Tooltip></key4><key5><ItemName>Gorehowl</ItemName><ItemID>28773:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Axe_09</Icon><Class>Weapon</Class><SubClass>Two-Handed Axes</SubClass><Color>ffa335ee</Color><Count>1</Count><Player>暗影之刃</Player><Costs>120</Costs><Time>02/01/08 22:11:00</Time><Zone>Karazhan</Zone><Boss>Prince Malchezaar</Boss><Tooltip>Gorehowl\nItem Level 125</Tooltip></key5><key6><ItemName>Ring of a Thousand Marks</ItemName><ItemID>28757:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Jewelry_Ring_51naxxramas</Icon><Class>Armor</Class><SubClass>Miscellaneous</SubClass><Color>ffa335ee</Color><Count>1</Count><Player>Aldric</Player><Costs>-20</Costs><Time>02/01/08 22:12:00</Time><Zone>Karazhan</Zone><Boss>Prince Malchezaar</Boss><Tooltip>Ring of a Thousand Marks\nItem Level 125</Tooltip></key6></Loot></RaidInfo>','02/01/08 19:30:00','Silvermoon','02/01/08 19:30:00','02/01/08 22:20:00','Karazhan','',1796747053023);
INSERT INTO events VALUES(3,1,2,1,'黑暗神殿 新人团','','<RaidInfo><key>02/08/08 20:00:00</key><realm>血色十字军</realm><start>02/08/08 20:00:00</start><end>02/09/08 00:30:00</end><zone>黑暗神殿</zone><PlayerInfos><key1><name>Aldric</name><race>Gnome</race><guild>Iron Vanguard</guild><sex>2</sex><class>Mage</class><level>70</level></key1><key2><name>Brannoc</name><race>Dwarf</race><guild></guild><sex>2</sex><class>Hunter</class><level>70</level></key2><key3><name>Corwyn</name><race>Human</race><guild>Iron Vanguard</guild><sex>2</sex><class>Rogue</class><level>70</level></key3><key4><name>Elwen</name><race>NightElf</race><guild>Iron Vanguard</guild><sex>3</sex><class>Druid</class><level>70</level></key4><key5><name>Fenris</name><race>Draenei</race><guild></guild><sex>2</sex><class>Shaman</class><level>70</level></key5><key6><name>暗影之刃</name><race>Human</race><guild>晨曦之光</guild><sex>2</sex><class>Warrior</class><level>70</level></key6><key7><name>圣光守护</name><race>BloodElf</race><guild>晨曦之光</guild><sex>3</sex><class>Paladin</class><level>70</level></key7><key8><name>月影</name><race>NightElf</race><guild>晨曦之光</guild><sex>3</sex><class>Priest</class><level>70</level></key8><key9><name>冰霜法师</name><race>Troll</race><guild>晨曦之光</guild><sex>3</sex><class>Mage</class><level>70</level></key9><key10><name>雷霆之怒</name><race>BloodElf</race><guild>晨曦之光</guild><sex>2</sex><class>DeathKnight</class><level>80</level></key10><key11><name>风暴行者</name><race>Orc</race><guild>晨曦之光</guild><sex>2</sex><class>Shaman</class><level>70</level></key11></PlayerInfos><BossKills><key1><name>高阶督军纳因图斯</name><dkp>20</dkp><time>02/08/08 20:30:00</time><attendees><key1><name>Aldric</name></key1><key2><name>Brannoc</name></key2><key3><name>Corwyn</name></key3><key4><name>Elwen</name></key4><key5><name>Fenris</name></key5><key6><name>暗影之刃</name></key6><key7><name>圣光守护</name></key7><key8><name>月影</name></key8><key9><name>冰霜法师</name></key9><key10><name>雷霆之怒</name></key10><key11><name>风暴行者</name></key11></attendees></key1><key2><name>苏普雷姆斯</name><dkp>20</dkp><time>02/08/08 21:15:00</time><attendees><key1><name>Aldric</name></key1><key2><name>Brannoc</name></key2><key3><name>Corwyn</name></key3><key4><name>Elwen</name></key4><key5><name>Fenris</name></key5><key6><name>暗影之刃</name></key6><key7><name>圣光守护</name></key7><key8><name>月影</name></key8><key9><name>冰霜法师</name></key9><key10><name>风暴行者</name></key10></attendees></key2><key3><name>伊利丹·怒风</name><dkp>50</dkp><time>02/09/08 00:20:00</time><attendees><key1><name>Aldric</name></key1><key2><name>Brannoc</name></key2><key3><name>Corwyn</name></key3><key4><name>Elwen</name></key4><key5><name>Fenris</name></key5><key6><name>暗影之刃</name></key6><key7><name>圣光守护</name></key7><key8><name>月影</name></key8><key9><name>冰霜法师</name></key9><key10><name>雷霆之怒</name></key10><key11><name>风暴行者</name></key11></attendees></key3></BossKills><note>周常</note><Loot><key1><ItemName>Helm of the Forgotten Protector</ItemName><ItemID>31097:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Helmet_24</Icon><Class>Miscellaneous</Class><SubClass>Junk</SubClass><Color>ffa335ee</Color><Count>1</Count><Player>圣光守护</Player><Costs>100</Costs><Time>02/08/08 20:31:00</Time><Zone>黑暗神殿</Zone><Boss>高阶督军纳因图斯</Boss><Tooltip>Helm of the Forgotten Protector</Tooltip></key1><key2><ItemName>Naaru-Blessed Life Rod</ItemName><ItemID>32350:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Wand_22</Icon><Class>Weapon</Class><SubClass>Wands</SubClass><Color>ffa335ee</Color><Count>1</Count><Player>月影</Player><Costs>90</Costs><Time>02/08/08 21:16:00</Time><Zone>黑暗神殿</Zone><Boss>苏普雷姆斯</Boss><Tooltip>Naaru-Blessed Life Rod\nItem Level 141</Tooltip></key2><key3><ItemName>Fel Blood</ItemName><ItemID>32428:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Misc_Ammo_Gunpowder_07</Icon><Class>Trade Goods</Class><SubClass>Trade Goods</SubClass><Color>ff1eff00</Color><Count>3</Count><Player>Fenris</Player><Costs>10</Costs><Time>02/08/08 22:40:00</Time><Zone>黑暗神殿</Zone><Boss>小怪掉落</Boss><Tooltip>Fel Blood</Tooltip></key3><key4><ItemName>Warglaive of Azzinoth</ItemName><ItemID>32837:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Weapon_Glave_01</Icon><Class>Weapon</Class><SubClass>One-Handed Swords</SubClass><Color>ffff8000</Color><Count>1</Count><Player>暗影之刃</Player><Costs>200</Costs><Time>02/09/08 00:21:00</Time><Zone>黑暗神殿</Zone><Boss>伊利丹·怒风</Boss><Tooltip>Warglaive of Azzinoth\nItem Level 156</Tooltip></key4><key5><ItemName>Shadowmoon Insignia</ItemName><ItemID>32501:0:0:0</ItemID><Icon>Interface\\Icons\\INV_Jewelry_Talisman_10</Icon><Class>Armor</Class><SubClass>Miscellaneous</SubClass><Color>ff0070dd</Color><Count>1</Count><Player>Brannoc</Player><Costs>0</Costs><Time>02/08/08 23:40:00</Time><Zone>黑暗神殿</Zone><Boss>小怪掉落</Boss><Tooltip>Shadowmoon Insignia</Tooltip></key5></Loot></RaidInfo>','02/08/08 20:00:00','血色十字军','02/08/08 20:00:00','02/09/08 00:30:00','黑暗神殿','周常',1796747053023);
INSERT INTO events VALUES(4,1,2,1,'Sample night','first','<RaidInfo><key>01/25/08 20:03:13</key><realm>Sample Realm</realm><start>01/25/08 20:03:13</start><end>01/25/08 23:10:00</end><zone>Sample Keep</zone><PlayerInfos><key1><name>PlayerOne</name><race>Human</race><guild>Sample Guild</guild><sex>2</sex><class>Warrior</class><level>70</level></key1><key2><name>PlayerTwo</name><race>NightElf</race><guild></guild><sex>3</sex><class>Priest</class><level>70</level></key2></PlayerInfos><BossKills><key1><name>Sample Boss</name><dkp>10</dkp><time>01/25/08 21:00:00</time><attendees><key1><name>PlayerOne</name></key1><key2><name>PlayerTwo</name></key2></attendees></key1></BossKills><note>bring <flasks> & food</note><Loot><key1><ItemName>Sample Blade</ItemName><ItemID>12345</ItemID><Icon>SampleIcon</Icon><Class>SampleClass</Class><SubClass>SampleSub</SubClass><Color>ffa335ee</Color><Count>1</Count><Player>PlayerOne</Player><Costs>50</Costs><Time>01/25/08 21:05:00</Time><Zone>Sample Keep</Zone><Boss>Sample Boss</Boss><Tooltip><Right Click to Read></Tooltip></key1></Loot></RaidInfo>','01/25/08 20:03:13','Sample Realm','01/25/08 20:03:13','01/25/08 23:10:00','Sample Keep','bring <flasks> & food',1796747074118);
INSERT INTO events VALUES(5,2,3,1,'Dusk night','twice','<RaidInfo><key>01/25/08 20:03:13</key><realm>Sample Realm</realm><start>01/25/08 20:03:13</start><end>01/25/08 23:10:00</end><zone>Sample Keep</zone><PlayerInfos><key1><name>PlayerOne</name><race>Human</race><guild>Sample Guild</guild><sex>2</sex><class>Warrior</class><level>70</level></key1><key2><name>PlayerTwo</name><race>NightElf</race><guild></guild><sex>3</sex><class>Priest</class><level>70</level></key2></PlayerInfos><BossKills><key1><name>Sample Boss</name><dkp>10</dkp><time>01/25/08 21:00:00</time><attendees><key1><name>PlayerOne</name></key1><key2><name>PlayerTwo</name></key2></attendees></key1></BossKills><note>bring <flasks> & food</note><Loot><key1><ItemName>Sample Blade</ItemName><ItemID>12345</ItemID><Icon>SampleIcon</Icon><Class>SampleClass</Class><SubClass>SampleSub</SubClass><Color>ffa335ee</Color><Count>1</Count><Player>PlayerOne</Player><Costs>50</Costs><Time>01/25/08 21:05:00</Time><Zone>Sample Keep</Zone><Boss>Sample Boss</Boss><Tooltip><Right Click to Read></Tooltip></key1></Loot></RaidInfo>','01/25/08 20:03:13','Sample Realm','01/25/08 20:03:13','01/25/08 23:10:00','Sample Keep','bring <flasks> & food',1796747074226);
INSERT INTO events VALUES(6,2,3,1,'Dusk night','twice','<RaidInfo><key>01/25/08 20:03:13</key><realm>Sample Realm</realm><start>01/25/08 20:03:13</start><end>01/25/08 23:10:00</end><zone>Sample Keep</zone><PlayerInfos><key1><name>PlayerOne</name><race>Human</race><guild>Sample Guild</guild><sex>2</sex><class>Warrior</class><level>70</level></key1><key2><name>PlayerTwo</name><race>NightElf</race><guild></guild><sex>3</sex><class>Priest</class><level>70</level></key2></PlayerInfos><BossKills><key1><name>Sample Boss</name><dkp>10</dkp><time>01/25/08 21:00:00</time><attendees><key1><name>PlayerOne</name></key1><key2><name>PlayerTwo</name></key2></attendees></key1></BossKills><note>bring <flasks> & food</note><Loot><key1><ItemName>Sample Blade</ItemName><ItemID>12345</ItemID><Icon>SampleIcon</Icon><Class>SampleClass</Class><SubClass>SampleSub</SubClass><Color>ffa335ee</Color><Count>1</Count><Player>PlayerOne</Player><Costs>50</Costs><Time>01/25/08 21:05:00</Time><Zone>Sample Keep</Zone><Boss>Sample Boss</Boss><Tooltip><Right Click to Read></Tooltip></key1></Loot></RaidInfo>','01/25/08 20:03:13','Sample Realm','01/25/08 20:03:13','01/25/08 23:10:00','Sample Keep','bring <flasks> & food',1796747074268);
CREATE TABLE event_members(
    event INTEGER NOT NULL REFERENCES events(id), position INTEGER NOT NULL, name TEXT,
    race TEXT, guild TEXT, sex TEXT, class TEXT, level INTEGER);
INSERT INTO event_members VALUES(1,0,'暗影之刃','Human','晨曦之光','2','Warrior',70);
INSERT INTO event_members VALUES(1,1,'圣光守护','BloodElf','晨曦之光','3','Paladin',70);
INSERT INTO event_members VALUES(1,2,'Aldric','Gnome','Iron Vanguard','2','Mage',70);
INSERT INTO event_members VALUES(1,3,'月影','NightElf','晨曦之光','3','Priest',70);
INSERT INTO event_members VALUES(1,4,'Brannoc','Dwarf','','2','Hunter',70);
INSERT INTO event_members VALUES(1,5,'冰霜法师','Troll','晨曦之光','3','Mage',69);
INSERT INTO event_members VALUES(1,6,'临时工','','','','',0);
INSERT INTO event_members VALUES(2,0,'Aldric','Gnome','Iron Vanguard','2','Mage',70);
INSERT INTO event_members VALUES(2,1,'Corwyn','Human','Iron Vanguard','2','Rogue',70);
INSERT INTO event_members VALUES(2,2,'Elwen','NightElf','Iron Vanguard','3','Druid',70);
INSERT INTO event_members VALUES(2,3,'暗影之刃','Human','晨曦之光','2','Warrior',70);
INSERT INTO event_members VALUES(2,4,'Fenris','Draenei','','2','Shaman',70);
INSERT INTO event_members VALUES(3,0,'Aldric','Gnome','Iron Vanguard','2','Mage',70);
INSERT INTO event_members VALUES(3,1,'Brannoc','Dwarf','','2','Hunter',70);
INSERT INTO event_members VALUES(3,2,'Corwyn','Human','Iron Vanguard','2','Rogue',70);
INSERT INTO event_members VALUES(3,3,'Elwen','NightElf','Iron Vanguard','3','Druid',70);
INSERT INTO event_members VALUES(3,4,'Fenris','Draenei','','2','Shaman',70);
INSERT INTO event_members VALUES(3,5,'暗影之刃','Human','晨曦之光','2','Warrior',70);
INSERT INTO event_members VALUES(3,6,'圣光守护','BloodElf','晨曦之光','3','Paladin',70);
INSERT INTO event_members VALUES(3,7,'月影','NightElf','晨曦之光','3','Priest',70);
INSERT INTO event_members VALUES(3,8,'冰霜法师','Troll','晨曦之光','3','Mage',70);
INSERT INTO event_members VALUES(3,9,'雷霆之怒','BloodElf','晨曦之光','2','DeathKnight',80);
INSERT INTO event_members VALUES(3,10,'风暴行者','Orc','晨曦之光','2','Shaman',70);
INSERT INTO event_members VALUES(4,0,'PlayerOne','Human','Sample Guild','2','Warrior',70);
INSERT INTO event_members VALUES(4,1,'PlayerTwo','NightElf','','3','Priest',70);
INSERT INTO event_members VALUES(5,0,'PlayerOne','Human','Sample Guild','2','Warrior',70);
INSERT INTO event_members VALUES(5,1,'PlayerTwo','NightElf','','3','Priest',70);
INSERT INTO event_members VALUES(6,0,'PlayerOne','Human','Sample Guild','2','Warrior',70);
INSERT INTO event_members VALUES(6,1,'PlayerTwo','NightElf','','3','Priest',70);
CREATE TABLE event_kills(
    id INTEGER PRIMARY KEY, event INTEGER NOT NULL REFERENCES events(id),
    position INTEGER NOT NULL, boss TEXT, dkp INTEGER, time TEXT);
INSERT INTO event_kills VALUES(1,1,0,'阿努布雷坎',10,'01/25/08 20:40:00');
INSERT INTO event_kills VALUES(2,1,1,'黑女巫法琳娜',15,'01/25/08 21:20:00');
INSERT INTO event_kills VALUES(3,1,2,'迈克斯纳',20,'01/25/08 22:45:00');
INSERT INTO event_kills VALUES(4,2,0,'Attumen the Huntsman',10,'02/01/08 19:55:00');
INSERT INTO event_kills VALUES(5,2,1,'Moroes',10,'02/01/08 20:40:00');
INSERT INTO event_kills VALUES(6,2,2,'The Curator',0,'02/01/08 21:30:00');
INSERT INTO event_kills VALUES(7,2,3,'Prince Malchezaar',25,'02/01/08 22:10:00');
INSERT INTO event_kills VALUES(8,3,0,'高阶督军纳因图斯',20,'02/08/08 20:30:00');
INSERT INTO event_kills VALUES(9,3,1,'苏普雷姆斯',20,'02/08/08 21:15:00');
INSERT INTO event_kills VALUES(10,3,2,'伊利丹·怒风',50,'02/09/08 00:20:00');
INSERT INTO event_kills VALUES(11,4,0,'Sample Boss',10,'01/25/08 21:00:00');
INSERT INTO event_kills VALUES(12,5,0,'Sample Boss',10,'01/25/08 21:00:00');
INSERT INTO event_kills VALUES(13,6,0,'Sample Boss',10,'01/25/08 21:00:00');
CREATE TABLE kill_attendees(
    kill INTEGER NOT NULL REFERENCES event_kills(id), position INTEGER NOT NULL, name TEXT);
INSERT INTO kill_attendees VALUES(1,0,'暗影之刃');
INSERT INTO kill_attendees VALUES(1,1,'圣光守护');
INSERT INTO kill_attendees VALUES(1,2,'Aldric');
INSERT INTO kill_attendees VALUES(1,3,'月影');
INSERT INTO kill_attendees VALUES(1,4,'Brannoc');
INSERT INTO kill_attendees VALUES(1,5,'冰霜法师');
INSERT INTO kill_attendees VALUES(2,0,'暗影之刃');
INSERT INTO kill_attendees VALUES(2,1,'圣光守护');
INSERT INTO kill_attendees VALUES(2,2,'Aldric');
INSERT INTO kill_attendees VALUES(2,3,'月影');
INSERT INTO kill_attendees VALUES(2,4,'冰霜法师');
INSERT INTO kill_attendees VALUES(2,5,'临时工');
INSERT INTO kill_attendees VALUES(4,0,'Aldric');
INSERT INTO kill_attendees VALUES(4,1,'Corwyn');
INSERT INTO kill_attendees VALUES(4,2,'Elwen');
INSERT INTO kill_attendees VALUES(4,3,'暗影之刃');
INSERT INTO kill_attendees VALUES(4,4,'Fenris');
INSERT INTO kill_attendees VALUES(5,0,'Aldric');
INSERT INTO kill_attendees VALUES(5,1,'Corwyn');
INSERT INTO kill_attendees VALUES(5,2,'暗影之刃');
INSERT INTO kill_attendees VALUES(5,3,'Fenris');
INSERT INTO kill_attendees VALUES(6,0,'Aldric');
INSERT INTO kill_attendees VALUES(6,1,'Corwyn');
INSERT INTO kill_attendees VALUES(6,2,'Elwen');
INSERT INTO kill_attendees VALUES(6,3,'暗影之刃');
INSERT INTO kill_attendees VALUES(6,4,'Fenris');
INSERT INTO kill_attendees VALUES(7,0,'Aldric');
INSERT INTO kill_attendees VALUES(7,1,'Corwyn');
INSERT INTO kill_attendees VALUES(7,2,'Elwen');
INSERT INTO kill_attendees VALUES(7,3,'暗影之刃');
INSERT INTO kill_attendees VALUES(7,4,'Fenris');
INSERT INTO kill_attendees VALUES(8,0,'Aldric');
INSERT INTO kill_attendees VALUES(8,1,'Brannoc');
INSERT INTO kill_attendees VALUES(8,2,'Corwyn');
INSERT INTO kill_attendees VALUES(8,3,'Elwen');
INSERT INTO kill_attendees VALUES(8,4,'Fenris');
INSERT INTO kill_attendees VALUES(8,5,'暗影之刃');
INSERT INTO kill_attendees VALUES(8,6,'圣光守护');
INSERT INTO kill_attendees VALUES(8,7,'月影');
INSERT INTO kill_attendees VALUES(8,8,'冰霜法师');
INSERT INTO kill_attendees VALUES(8,9,'雷霆之怒');
INSERT INTO kill_attendees VALUES(8,10,'风暴行者');
INSERT INTO kill_attendees VALUES(9,0,'Aldric');
INSERT INTO kill_attendees VALUES(9,1,'Brannoc');
INSERT INTO kill_attendees VALUES(9,2,'Corwyn');
INSERT INTO kill_attendees VALUES(9,3,'Elwen');
INSERT INTO kill_attendees VALUES(9,4,'Fenris');
INSERT INTO kill_attendees VALUES(9,5,'暗影之刃');
INSERT INTO kill_attendees VALUES(9,6,'圣光守护');
INSERT INTO kill_attendees VALUES(9,7,'月影');
INSERT INTO kill_attendees VALUES(9,8,'冰霜法师');
INSERT INTO kill_attendees VALUES(9,9,'风暴行者');
INSERT INTO kill_attendees VALUES(10,0,'Aldric');
INSERT INTO kill_attendees VALUES(10,1,'Brannoc');
INSERT INTO kill_attendees VALUES(10,2,'Corwyn');
INSERT INTO kill_attendees VALUES(10,3,'Elwen');
INSERT INTO kill_attendees VALUES(10,4,'Fenris');
INSERT INTO kill_attendees VALUES(10,5,'暗影之刃');
INSERT INTO kill_attendees VALUES(10,6,'圣光守护');
INSERT INTO kill_attendees VALUES(10,7,'月影');
INSERT INTO kill_attendees VALUES(10,8,'冰霜法师');
INSERT INTO kill_attendees VALUES(10,9,'雷霆之怒');
INSERT INTO kill_attendees VALUES(10,10,'风暴行者');
INSERT INTO kill_attendees VALUES(11,0,'PlayerOne');
INSERT INTO kill_attendees VALUES(11,1,'PlayerTwo');
INSERT INTO kill_attendees VALUES(12,0,'PlayerOne');
INSERT INTO kill_attendees VALUES(12,1,'PlayerTwo');
INSERT INTO kill_attendees VALUES(13,0,'PlayerOne');
INSERT INTO kill_attendees VALUES(13,1,'PlayerTwo');
CREATE TABLE event_loot(
    event INTEGER NOT NULL REFERENCES events(id), position INTEGER NOT NULL, item_name TEXT,
    item_id TEXT, icon TEXT, item_class TEXT, sub_class TEXT, color TEXT, count INTEGER,
    player TEXT, costs INTEGER, time TEXT, zone TEXT, boss TEXT, tooltip TEXT);
INSERT INTO event_loot VALUES(1,0,'Breastplate of the Fallen','22416:0:0:0','Interface\\Icons\\INV_Chest_Plate16','Armor','Plate','ffa335ee',1,'暗影之刃',80,'01/25/08 20:42:10','纳克萨玛斯','阿努布雷坎','Breastplate of the Fallen\nBinds when picked up\nItem Level 88');
INSERT INTO event_loot VALUES(1,1,'Ring of Faith','23061:0:0:0','Interface\\Icons\\INV_Jewelry_Ring_53','Armor','Miscellaneous','ff0070dd',1,'月影',30,'01/25/08 20:43:00','纳克萨玛斯','阿努布雷坎','Ring of Faith\nItem Level 83');
INSERT INTO event_loot VALUES(1,2,'Frozen Rune','22682:0:0:0','Interface\\Icons\\INV_Misc_Rune_09','Reagent','Reagent','ff1eff00',2,'Aldric',5,'01/25/08 21:05:00','纳克萨玛斯','小怪掉落','Frozen Rune');
INSERT INTO event_loot VALUES(1,3,'Leggings of Faith','22427:0:0:0','Interface\\Icons\\INV_Pants_Plate_17','Armor','Plate','ffa335ee',1,'圣光守护',60,'01/25/08 21:22:00','纳克萨玛斯','黑女巫法琳娜','Leggings of Faith\nItem Level 88');
INSERT INTO event_loot VALUES(1,4,'Webbed Cloak','23069:0:0:0','Interface\\Icons\\INV_Misc_Cape_18','Armor','Cloth','ff0070dd',1,'Brannoc',15,'01/25/08 22:10:00','纳克萨玛斯','小怪掉落','Webbed Cloak');
INSERT INTO event_loot VALUES(1,5,'Wraith Blade','22807:0:0:0','Interface\\Icons\\INV_Sword_61','Weapon','One-Handed Swords','ffa335ee',1,'冰霜法师',0,'01/25/08 22:47:00','纳克萨玛斯','迈克斯纳','Wraith Blade\nItem Level 90');
INSERT INTO event_loot VALUES(2,0,'Steelhawk Crossbow','28504:0:0:0','Interface\\Icons\\INV_Weapon_Crossbow_16','Weapon','Crossbows','ffa335ee',1,'Corwyn',40,'02/01/08 19:57:00','Karazhan','Attumen the Huntsman','Steelhawk Crossbow\nItem Level 115');
INSERT INTO event_loot VALUES(2,1,'Moroes'' Lucky Pocket Watch','28528:0:0:0','Interface\\Icons\\INV_Misc_PocketWatch_02','Armor','Miscellaneous','ffa335ee',1,'Aldric',35,'02/01/08 20:42:00','Karazhan','Moroes','Moroes'' Lucky Pocket Watch\nItem Level 115');
INSERT INTO event_loot VALUES(2,2,'Gloves of the Fallen Hero','29756:0:0:0','Interface\\Icons\\INV_Gauntlets_27','Miscellaneous','Junk','ffa335ee',1,'Elwen',50,'02/01/08 21:31:30','Karazhan','The Curator','Gloves of the Fallen Hero\nClasses: Hunter Mage Warlock');
INSERT INTO event_loot VALUES(2,3,'Formula: Enchant Weapon - Mongoose','22559:0:0:0','Interface\\Icons\\INV_Misc_Note_01','Recipe','Enchanting','ff0070dd',1,'Fenris',0,'02/01/08 21:50:00','Karazhan','小怪掉落','Formula: Enchant Weapon - Mongoose');
INSERT INTO event_loot VALUES(2,4,'Gorehowl','28773:0:0:0','Interface\\Icons\\INV_Axe_09','Weapon','Two-Handed Axes','ffa335ee',1,'暗影之刃',120,'02/01/08 22:11:00','Karazhan','Prince Malchezaar','Gorehowl\nItem Level 125');
INSERT INTO event_loot VALUES(2,5,'Ring of a Thousand Marks','28757:0:0:0','Interface\\Icons\\INV_Jewelry_Ring_51naxxramas','Armor','Miscellaneous','ffa335ee',1,'Aldric',-20,'02/01/08 22:12:00','Karazhan','Prince Malchezaar','Ring of a Thousand Marks\nItem Level 125');
INSERT INTO event_loot VALUES(3,0,'Helm of the Forgotten Protector','31097:0:0:0','Interface\\Icons\\INV_Helmet_24','Miscellaneous','Junk','ffa335ee',1,'圣光守护',100,'02/08/08 20:31:00','黑暗神殿','高阶督军纳因图斯','Helm of the Forgotten Protector');
INSERT INTO event_loot VALUES(3,1,'Naaru-Blessed Life Rod','32350:0:0:0','Interface\\Icons\\INV_Wand_22','Weapon','Wands','ffa335ee',1,'月影',90,'02/08/08 21:16:00','黑暗神殿','苏普雷姆斯','Naaru-Blessed Life Rod\nItem Level 141');
INSERT INTO event_loot VALUES(3,2,'Fel Blood','32428:0:0:0','Interface\\Icons\\INV_Misc_Ammo_Gunpowder_07','Trade Goods','Trade Goods','ff1eff00',3,'Fenris',10,'02/08/08 22:40:00','黑暗神殿','小怪掉落','Fel Blood');
INSERT INTO event_loot VALUES(3,3,'Warglaive of Azzinoth','32837:0:0:0','Interface\\Icons\\INV_Weapon_Glave_01','Weapon','One-Handed Swords','ffff8000',1,'暗影之刃',200,'02/09/08 00:21:00','黑暗神殿','伊利丹·怒风','Warglaive of Azzinoth\nItem Level 156');
INSERT INTO event_loot VALUES(3,4,'Shadowmoon Insignia','32501:0:0:0','Interface\\Icons\\INV_Jewelry_Talisman_10','Armor','Miscellaneous','ff0070dd',1,'Brannoc',0,'02/08/08 23:40:00','黑暗神殿','小怪掉落','Shadowmoon Insignia');
INSERT INTO event_loot VALUES(4,0,'Sample Blade','12345','SampleIcon','SampleClass','SampleSub','ffa335ee',1,'PlayerOne',50,'01/25/08 21:05:00','Sample Keep','Sample Boss','<Right Click to Read>');
INSERT INTO event_loot VALUES(5,0,'Sample Blade','12345','SampleIcon','SampleClass','SampleSub','ffa335ee',1,'PlayerOne',50,'01/25/08 21:05:00','Sample Keep','Sample Boss','<Right Click to Read>');
INSERT INTO event_loot VALUES(6,0,'Sample Blade','12345','SampleIcon','SampleClass','SampleSub','ffa335ee',1,'PlayerOne',50,'01/25/08 21:05:00','Sample Keep','Sample Boss','<Right Click to Read>');
COMMIT;
