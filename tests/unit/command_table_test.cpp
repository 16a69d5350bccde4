// The command list, menus and tool bar hold exactly the designed captions, hints, keys and images.
#include <gtest/gtest.h>

#include <set>

#include "ui/CommandTable.h"
#include "ui/Hints.h"
#include "core/Texts.h"

namespace penlet {
namespace {

struct Expected {
  const char* name;
  const char* caption;
  const char* shortHint;
  const char* longHint;
  const char* keys;
  int image;
};

// Transcribed from the design, in the list's stored order.
const Expected kDesign[] = {
    {"FileNew1", "新規作成(&N)", "新規", "新規に文書を作成します。", "Ctrl+N", 6},
    {"FileOpen1", "開く(&O)", "開く", "ファイルを開きます。", "Ctrl+O", 7},
    {"FileSave1", "上書き保存(&S)", "保存", "現在の文書を保存します。", "Ctrl+S", 8},
    {"FileSaveAs1", "名前をつけて保存(&A)...", "別名保存",
     "この文書に新しく名前を付けて保存します。", "", -1},
    {"FileSend1", "送信(&D)...", "送信", "この文書を電子メールで送ります。", "", 15},
    {"FileExit1", "終了(&X)", "終了", "このソフトを終了します。", "", -1},
    {"EditCut1", "切り取り(&T)", "切り取り", "選択部分を削除しクリップボードに転送します。",
     "Ctrl+X", 0},
    {"EditCopy1", "コピー(&C)", "コピー", "選択部分をコピーしクリップボードに送ります。", "Ctrl+C",
     1},
    {"EditPaste1", "貼り付け(&P)", "貼り付け", "クリップボードの内容をカーソル位置に挿入します。",
     "Ctrl+V", 2},
    {"HelpAbout1", "バージョン情報(&A)...", "バージョン情報を表示します。",
     "バージョン情報を表示します。", "", -1},
    {"FilePrint", "印刷(&P)", "印刷", "この文書を印刷します。", "Ctrl+P", -1},
    {"EditUndo", "レスキュー", "レスキュー", "１回前の操作状態に戻します。", "Ctrl+U", 16},
    {"EditReplace", "検索・置換", "検索・置換", "文字列を検索・置換します。", "", 13},
    {"EditSelectAll", "全てを選択", "全てを選択", "この文書の文字列全てを選択状態にします。",
     "Ctrl+A", 10},
    {"FilePageSet", "ページ設定", "", "", "", 18},
};

TEST(CommandTable, EveryCommandCarriesItsDesignedTexts) {
  const LeadByteSet sjis = LeadByteSet::Cp932();
  ASSERT_EQ(Commands().size(), std::size(kDesign));
  for (size_t i = 0; i < std::size(kDesign); ++i) {
    const Command& c = Commands()[i];
    const Expected& e = kDesign[i];
    SCOPED_TRACE(e.name);
    EXPECT_EQ(c.id, kFirstCommandId + static_cast<int>(i));
    EXPECT_EQ(FindCommand(c.id), &c);
    EXPECT_EQ(c.name, e.name);
    EXPECT_EQ(Ansi(c.caption), Ansi(e.caption));
    EXPECT_EQ(ShortHint(Ansi(c.hint), sjis), Ansi(e.shortHint));
    EXPECT_EQ(LongHint(Ansi(c.hint), sjis), Ansi(e.longHint));
    EXPECT_EQ(ShortcutText(c), e.keys);
    EXPECT_EQ(c.image, e.image);
  }
  EXPECT_EQ(FindCommand(kFirstCommandId - 1), nullptr);
  EXPECT_EQ(FindCommand(kFirstCommandId + kCommandCount), nullptr);
}

TEST(CommandTable, KeysAreCtrlLettersOnly) {
  EXPECT_EQ(CommandForKey('S', false, true, false)->id, FileSave1);
  EXPECT_EQ(CommandForKey('U', false, true, false)->id, EditUndo);
  EXPECT_EQ(CommandForKey('A', false, true, false)->id, EditSelectAll);
  EXPECT_EQ(CommandForKey('S', false, false, false), nullptr);
  EXPECT_EQ(CommandForKey('S', true, true, false), nullptr);
  EXPECT_EQ(CommandForKey('S', false, true, true), nullptr);
  EXPECT_EQ(CommandForKey('Z', false, true, false), nullptr);  // undo is Ctrl+U here
  EXPECT_EQ(CommandForKey('F', false, true, false), nullptr);
}

std::string Names(const MenuItem* items, int count) {
  std::string names;
  for (int i = 0; i < count; ++i) {
    names += std::string(items[i].name) + "=" +
             (items[i].command ? std::string(FindCommand(items[i].command)->name) : "-") + " ";
  }
  return names;
}

TEST(CommandTable, MenusOfferTheCommandsInTheirOrder) {
  const auto& menu = MainMenu1();
  EXPECT_EQ(Ansi(menu[0].caption), Ansi("ファイル(&F)"));
  EXPECT_EQ(Ansi(menu[0].hint), Ansi("ファイル関連の機能です。"));
  EXPECT_EQ(Ansi(menu[1].caption), Ansi("編集(&E)"));
  EXPECT_EQ(Ansi(menu[1].hint), Ansi("編集関連の機能です。"));
  EXPECT_EQ(Ansi(menu[2].caption), Ansi("ヘルプ(&H)"));
  EXPECT_EQ(Ansi(menu[2].hint), Ansi("ヘルプ関連のトピックです。"));
  EXPECT_EQ(Names(menu[0].items, menu[0].count),
            "FileNewItem=FileNew1 FileOpenItem=FileOpen1 FileSaveItem=FileSave1 "
            "FileSaveAsItem=FileSaveAs1 N1=- FileSendItem=FileSend1 N2=- P1=FilePrint N3=- "
            "FileExitItem=FileExit1 ");
  EXPECT_EQ(Names(menu[1].items, menu[1].count),
            "N4=EditUndo N5=- CutItem=EditCut1 CopyItem=EditCopy1 PasteItem=EditPaste1 N6=- "
            "N7=EditReplace N8=- N9=EditSelectAll ");
  EXPECT_EQ(Names(menu[2].items, menu[2].count), "HelpAboutItem=HelpAbout1 ");
  EXPECT_EQ(Names(PopupMenu1().data(), static_cast<int>(PopupMenu1().size())),
            "N10=EditUndo N11=- Cut1=EditCut1 Copy1=EditCopy1 Paste1=EditPaste1 N12=- "
            "N13=EditReplace N14=- N15=EditSelectAll ");
}

TEST(CommandTable, ToolBarChildrenFollowEachOtherWithoutGaps) {
  const auto& bar = ToolBar1();
  std::string layout;
  for (const ToolBarChild& child : bar) {
    if (child.kind == ToolKind::Button) {
      EXPECT_EQ(child.width, 23);
      const Command* c = FindCommand(child.command);
      ASSERT_NE(c, nullptr);
      // A button shows its command's image, except Print, whose command has none.
      EXPECT_EQ(child.image, c->id == FilePrint ? 14 : c->image) << child.name;
      layout += std::string(c->name) + " ";
    } else if (child.kind == ToolKind::Separator) {
      EXPECT_EQ(child.width, 8);
      layout += "| ";
    }
  }
  // The counter panel stands where the window was designed to show it.
  EXPECT_EQ(ToolBarX(bar.size() - 1), 314);
  // On denser screens it follows the scaled buttons (35 wide at 144 dots per inch) and
  // separators, not the scaled sum.
  EXPECT_EQ(ToolBarX(bar.size() - 1, 120), 6 + 11 * 29 + 7 * 10);
  EXPECT_EQ(ToolBarX(bar.size() - 1, 144), 8 + 11 * 35 + 7 * 12);
  EXPECT_EQ(ToolBarX(bar.size() - 1, 192), 628);
  EXPECT_EQ(bar.back().width, 147);
  EXPECT_EQ(bar.back().kind, ToolKind::Panel);
  EXPECT_EQ(layout,
            "FileNew1 FileOpen1 FileSave1 | FileSend1 | FilePrint | EditUndo | EditCut1 "
            "EditCopy1 EditPaste1 | EditReplace | EditSelectAll | ");
}

}  // namespace
}  // namespace penlet
