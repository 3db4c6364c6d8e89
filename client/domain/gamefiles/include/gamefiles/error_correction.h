#pragma once

#include "gamefiles/message_owner.h"

#include <string_view>

namespace gamefiles {

inline constexpr std::u16string_view kCorrectionQuestion =
    u"修正插件错误将会删除您的WOW客户端下的角色目录本地存档数据，但不会影响您的帐号安全或游戏数据！"
    u"\n您确定要进行插件错误修正吗？";
inline constexpr std::u16string_view kCorrectionDone =
    u"已经进行插件错误修正！请关闭WOW客户端后重新进入游戏尝试！";
inline constexpr std::u16string_view kCorrectionNoGameFolder =
    u"无法定位您的WOW安装目录，不能进行插件错误修正！\n请先在“我的设置”中选择WOW安装目录。";
inline constexpr std::u16string_view kCorrectionCopyFailed =
    u"无法备份您的WOW客户端下的角色目录，插件错误修正没有进行，没有删除任何数据！"
    u"\n请检查WOW安装目录是否可以写入后重试！";

enum class Correction {
    NoGameFolder,    // no game folder is known; the user was told and nothing was asked
    Declined,        // the user did not answer Yes; nothing changed
    NoAccountFolder, // there was no "WTF/Account" to move aside
    Corrected,       // "WTF/Account" was moved aside and stand-alone addons with it
    BackupFailed,    // "WTF/Account" could not be copied and was left in place
};

// Asks the user, then moves the game's "WTF/Account" folder aside into "WTF/Account_backup"
// (see moveFolderAside: an earlier backup is kept, newer differing files go to a dated folder
// beside it) and moves stand-alone addons aside. Closes with the done message, or with a
// warning when the account folder could not be backed up and was therefore kept. Without a game
// folder it only says so.
Correction correctAddonErrors(IMessageOwner& owner, std::u16string_view gameFolder);

} // namespace gamefiles
