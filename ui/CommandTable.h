// The main window's command list and the menus and tool bar that offer its commands, as data
// from which the window builds them.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/PenletForm.h"
#include "ui/CommandIds.h"

namespace penlet {

inline constexpr int kNoImage = -1;

struct Command {
  CommandId id;
  std::string_view name;
  std::string_view category;
  std::string_view caption;        // UTF-8; "&" marks the mnemonic
  std::string_view hint;           // UTF-8; short part "|" long part, or one text for both
  char ctrlKey;                    // the letter of its Ctrl+letter combination, or 0
  int image;                       // index into the image list, or kNoImage
  void (TPenletForm::*execute)();  // the handler; null for a command that does nothing
};

const std::array<Command, kCommandCount>& Commands();
// The command with identifier `id`, or nullptr.
const Command* FindCommand(int id);
// The command whose key combination is `virtualKey` with exactly these modifiers, or nullptr.
const Command* CommandForKey(int virtualKey, bool shift, bool ctrl, bool alt);
// The key combination as menus write it ("Ctrl+N"); empty when the command has none.
std::string ShortcutText(const Command& command);

// A menu item: a command, or a separator when `command` is 0.
struct MenuItem {
  std::string_view name;
  int command;
};

struct MenuTitle {
  std::string_view name;
  std::string_view caption;
  std::string_view hint;
  const MenuItem* items;
  int count;
};

const std::array<MenuTitle, 3>& MainMenu1();
const std::array<MenuItem, 9>& PopupMenu1();

// A child of the tool bar: a button (command != 0), a separator, or the counter panel.
enum class ToolKind { Button, Separator, Panel };
struct ToolBarChild {
  std::string_view name;
  ToolKind kind;
  int command;  // 0 unless a button
  int image;    // the button's own image
  int width;
};

const std::array<ToolBarChild, 19>& ToolBar1();
// The left edge of the tool bar's child `index` on a screen of `dpi`: the children follow each
// other from the bar's indent, without gaps.
int ToolBarX(size_t index, int dpi = 96);
inline constexpr int kToolBarIndent = 5;

}  // namespace penlet
