// Every text that Penlet shows, in one place, as UTF-8. Use them through Ansi(), which gives
// the code page 932 bytes that the program puts on screen.
#pragma once

#include <string>
#include <string_view>

#include "platform/system/Encoding.h"

namespace penlet {

inline std::string Ansi(std::string_view utf8) {
  return Cp932FromUtf8(utf8);
}

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
inline constexpr std::string_view kTooLargeError = "ファイル \"%s\" は大きすぎて開けません";
inline constexpr std::string_view kOutOfMemoryError = "メモリが足りないため、この操作はできません";
inline constexpr std::string_view kOverwriteQuestion = "OK を押すと %s を上書きします。";
inline constexpr std::string_view kUnsavedOpen = "『 ";
inline constexpr std::string_view kUnsavedClose = " 』 ";
inline constexpr std::string_view kUnsavedQuestion =
    "は保存されていません。\r\n\r\n 保存しますか？";
inline constexpr std::string_view kOpenFilter = "すべてのファイル(*.*)|*.*";
inline constexpr std::string_view kSaveFilter =
    "テキストファイル（*.TXT）|*.txt|C言語ソースファイル（*.C）|*.c|HTMLファイル（*.HTM）|*.htm|"
    "全てのファイル（*.*）|*.*";

// Counter and caret position.
inline constexpr std::string_view kCharactersUnit = " 文字";
inline constexpr std::string_view kBytesUnit = " バイト";
inline constexpr std::string_view kCharacterOffsetFormat = " %-3d文字目";
inline constexpr std::string_view kByteOffsetFormat = " %-3dバイト目";
inline constexpr std::string_view kLineColumnFormat = "%d 行　%d 列   ";

// Settings file.
inline constexpr std::string_view kSettingsWriteError = "%s に書き込めません";

// Find and replace.
inline constexpr std::string_view kNoMatchLead = "ここから後の文書には、\r\n\r\n『 ";
inline constexpr std::string_view kNoOccurrenceLead = "この文書から　\r\n\r\n『 ";
inline constexpr std::string_view kFindTextClose = " 』";
inline constexpr std::string_view kFindBlankLines = "\r\n\r\n";
inline constexpr std::string_view kNoMatchTail = "は、見つかりません！";
inline constexpr std::string_view kNoOccurrenceTail = "は、発見されませんでした！";
inline constexpr std::string_view kReplacedPlaces = "  箇所の  ";
inline constexpr std::string_view kReplacedFindOpen = "『 ";
inline constexpr std::string_view kReplacedFindClose = " 』";
inline constexpr std::string_view kReplacedWo = " を、";
inline constexpr std::string_view kReplacedReplaceOpen = " 『 ";
inline constexpr std::string_view kReplacedReplaceClose = " 』";
inline constexpr std::string_view kReplacedTail = " に、置き換えました。";

// Main window commands, menus and hints.
inline constexpr std::string_view kFileMenuCaption = "ファイル(&F)";
inline constexpr std::string_view kFileMenuHint = "ファイル関連の機能です。";
inline constexpr std::string_view kEditMenuCaption = "編集(&E)";
inline constexpr std::string_view kEditMenuHint = "編集関連の機能です。";
inline constexpr std::string_view kHelpMenuCaption = "ヘルプ(&H)";
inline constexpr std::string_view kHelpMenuHint = "ヘルプ関連のトピックです。";
inline constexpr std::string_view kFileNew1Caption = "新規作成(&N)";
inline constexpr std::string_view kFileNew1Hint = "新規|新規に文書を作成します。";
inline constexpr std::string_view kFileOpen1Caption = "開く(&O)";
inline constexpr std::string_view kFileOpen1Hint = "開く|ファイルを開きます。";
inline constexpr std::string_view kFileSave1Caption = "上書き保存(&S)";
inline constexpr std::string_view kFileSave1Hint = "保存|現在の文書を保存します。";
inline constexpr std::string_view kFileSaveAs1Caption = "名前をつけて保存(&A)...";
inline constexpr std::string_view kFileSaveAs1Hint =
    "別名保存|この文書に新しく名前を付けて保存します。";
inline constexpr std::string_view kFileSend1Caption = "送信(&D)...";
inline constexpr std::string_view kFileSend1Hint = "送信|この文書を電子メールで送ります。";
inline constexpr std::string_view kFileExit1Caption = "終了(&X)";
inline constexpr std::string_view kFileExit1Hint = "終了|このソフトを終了します。";
inline constexpr std::string_view kEditCut1Caption = "切り取り(&T)";
inline constexpr std::string_view kEditCut1Hint =
    "切り取り|選択部分を削除しクリップボードに転送します。";
inline constexpr std::string_view kEditCopy1Caption = "コピー(&C)";
inline constexpr std::string_view kEditCopy1Hint =
    "コピー|選択部分をコピーしクリップボードに送ります。";
inline constexpr std::string_view kEditPaste1Caption = "貼り付け(&P)";
inline constexpr std::string_view kEditPaste1Hint =
    "貼り付け|クリップボードの内容をカーソル位置に挿入します。";
inline constexpr std::string_view kHelpAbout1Caption = "バージョン情報(&A)...";
inline constexpr std::string_view kHelpAbout1Hint = "バージョン情報を表示します。";
inline constexpr std::string_view kFilePrintCaption = "印刷(&P)";
inline constexpr std::string_view kFilePrintHint = "印刷|この文書を印刷します。";
inline constexpr std::string_view kEditUndoCaption = "レスキュー";
inline constexpr std::string_view kEditUndoHint = "レスキュー|１回前の操作状態に戻します。";
inline constexpr std::string_view kEditReplaceCaption = "検索・置換";
inline constexpr std::string_view kEditReplaceHint = "検索・置換|文字列を検索・置換します。";
inline constexpr std::string_view kEditSelectAllCaption = "全てを選択";
inline constexpr std::string_view kEditSelectAllHint =
    "全てを選択|この文書の文字列全てを選択状態にします。";
inline constexpr std::string_view kFilePageSetCaption = "ページ設定";
inline constexpr std::string_view kFileCategory = "ファイル";
inline constexpr std::string_view kEditCategory = "編集";
inline constexpr std::string_view kHelpCategory = "ヘルプ";
inline constexpr std::string_view kCtrlPrefix = "Ctrl+";
inline constexpr std::string_view kTooltipFormat = "%s (%s)";

// Main window counter boxes and print surface.
inline constexpr std::string_view kMemo1Hint =
    "総文字数|この文書の総文字(バイト)数を表示しています。";
inline constexpr std::string_view kMemo2Hint =
    "表示モード|表示モードを切り替えます。（文字・バイト）数";
inline constexpr std::string_view kMemo1DesignText = "012345678\r\n9";
inline constexpr std::string_view kMemo2DesignText = "バイト";
inline constexpr std::string_view kGothicFace = "ＭＳ Ｐゴシック";
inline constexpr std::string_view kMinchoFace = "ＭＳ Ｐ明朝";

// Sending by e-mail and the About box.
inline constexpr std::string_view kMailSendError = "メール送信に失敗しました。";
inline constexpr std::string_view kAboutCaption = "バージョン情報";
inline constexpr std::string_view kAboutProductName = "Penlet";
inline constexpr std::string_view kAboutVersion = "バージョン　1.5";
inline constexpr std::string_view kAboutOwnership = "(C) The Penlet authors";
inline constexpr std::string_view kAboutComments =
    "  超簡単・超軽量     テキストエディタ　気軽に使ってみてね";
inline constexpr std::string_view kAboutOkButton = "O K";
inline constexpr std::string_view kSansSerifFace = "MS Sans Serif";
inline constexpr std::string_view kFixedGothicFace = "ＭＳ ゴシック";

// Printing.
inline constexpr std::string_view kNoDefaultPrinter = "デフォルト プリンタが存在しません";
inline constexpr std::string_view kPrintingNow = "現在印刷中です";
inline constexpr std::string_view kPrinterFeatureMissing =
    "選択されたプリンタではサポートされていない機能です";
inline constexpr std::string_view kPrinterNotValid = "選択したプリンタは有効ではありません";
inline constexpr std::string_view kPrintLineInsertError = "RichEdit での行の挿入エラー";
inline constexpr std::string_view kSystemError = "システムエラー。コード：%d.\r\n%s";

// The box after a fault, when the program ends: the path of the file with the unsaved text
// follows the first.
inline constexpr std::string_view kRecoveredText =
    "問題が起きたため、Penlet を終了します。\r\n"
    "保存されていなかった文書は、次のファイルに書き出しました。\r\n\r\n";
inline constexpr std::string_view kRecoveryFailedText =
    "問題が起きたため、Penlet を終了します。\r\n"
    "保存されていなかった文書を書き出すことができませんでした。";

}  // namespace texts
}  // namespace penlet
