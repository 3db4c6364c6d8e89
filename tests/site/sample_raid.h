#pragma once

#include <string>

namespace dkpsite_testing {

// A raid document as the client's exporter writes it: two members, one kill worth 10 attended
// by both, one loot costing 50 for PlayerOne, and a note holding unescaped markup characters.
inline std::string sampleRaidDocument() {
    return "<RaidInfo><key>01/25/08 20:03:13</key><realm>Sample Realm</realm>"
           "<start>01/25/08 20:03:13</start><end>01/25/08 23:10:00</end><zone>Sample Keep</zone>"
           "<PlayerInfos><key1><name>PlayerOne</name><race>Human</race><guild>Sample Guild</guild>"
           "<sex>2</sex><class>Warrior</class><level>70</level></key1>"
           "<key2><name>PlayerTwo</name><race>NightElf</race><guild></guild><sex>3</sex>"
           "<class>Priest</class><level>70</level></key2></PlayerInfos>"
           "<BossKills><key1><name>Sample Boss</name><dkp>10</dkp><time>01/25/08 21:00:00</time>"
           "<attendees><key1><name>PlayerOne</name></key1><key2><name>PlayerTwo</name></key2>"
           "</attendees></key1></BossKills>"
           "<note>bring <flasks> & food</note>"
           "<Loot><key1><ItemName>Sample Blade</ItemName><ItemID>12345</ItemID><Icon>SampleIcon"
           "</Icon><Class>SampleClass</Class><SubClass>SampleSub</SubClass><Color>ffa335ee</Color>"
           "<Count>1</Count><Player>PlayerOne</Player><Costs>50</Costs>"
           "<Time>01/25/08 21:05:00</Time><Zone>Sample Keep</Zone><Boss>Sample Boss</Boss>"
           "<Tooltip><Right Click to Read></Tooltip></key1></Loot></RaidInfo>";
}

} // namespace dkpsite_testing
