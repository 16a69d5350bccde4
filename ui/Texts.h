// Every text that Penlet shows, in one place, as UTF-8. Use them through Ansi(), which gives
// the code page 932 bytes that the program puts on screen.
#pragma once

#include <string>
#include <string_view>

#include "platform/Encoding.h"

namespace penlet {

inline std::string Ansi(std::string_view utf8) { return Cp932FromUtf8(utf8); }

namespace texts {

// Application and main window.
inline constexpr std::string_view kAppTitle = "Penlet";
inline constexpr std::string_view kCaptionPrefix = "　Penlet　　";
inline constexpr std::string_view kUntitledName = "新規文書";

// Message boxes.
inline constexpr std::string_view kConfirmCaption = "確認";
inline constexpr std::string_view kErrorCaption = "エラー";
inline constexpr std::string_view kYesButton = "はい(&Y)";
inline constexpr std::string_view kNoButton = "いいえ(&N)";
inline constexpr std::string_view kCancelButton = "キャンセル";
inline constexpr std::string_view kOkButton = "OK";
inline constexpr std::string_view kClipboardOpenError = "クリップボードを開くことができません";

// Files.
inline constexpr std::string_view kOpenError = "ファイル \"%s\". %s は開けません";
inline constexpr std::string_view kCreateError = "ファイル \"%s\". %s を作成できません";
inline constexpr std::string_view kWriteError = "ストリームへの書き込みに失敗しました";
inline constexpr std::string_view kReadError = "ストリームからの読み込みに失敗しました";
inline constexpr std::string_view kOverwriteQuestion = "OK を押すと %s を上書きします。";
inline constexpr std::string_view kUnsavedOpen = "『 ";
inline constexpr std::string_view kUnsavedClose = " 』 ";
inline constexpr std::string_view kUnsavedQuestion = "は保存されていません。\r\n\r\n 保存しますか？";
inline constexpr std::string_view kOpenFilter = "すべてのファイル(*.*)|*.*";
inline constexpr std::string_view kSaveFilter =
    "テキストファイル（*.TXT）|*.txt|C言語ソースファイル（*.C）|*.c|HTMLファイル（*.HTM）|*.htm|"
    "全てのファイル（*.*）|*.*";

// Settings file.
inline constexpr std::string_view kSettingsWriteError = "%s に書き込めません";

}  // namespace texts
}  // namespace penlet
