// The editing area's colours and keys.
#include "platform/edit/ScintillaManner_win32.h"

#include "Scintilla.h"
#include "platform/edit/ScintillaEdit_win32.h"

namespace penlet {
namespace {

// An opaque colour as the component takes it for an element.
std::intptr_t Opaque(int systemColour) {
  return static_cast<std::intptr_t>(GetSysColor(systemColour) | 0xFF000000u);
}

struct KeyBinding {
  int key;
  int modifiers;
  int command;
};

// The keys of a Windows edit control. Ctrl+A, X, C, V and Z are the main window's commands first;
// the area keeps them for when it is used alone. The clipboard's and undo's keys are not here:
// the area carries those out itself (AreaCommandOf). Nor is Tab: its character is typed like
// any other, in place of the selection, where the component's command would indent lines. Nor
// are the word keys and Ctrl+Up and Ctrl+Down: the area moves by its own words and paragraphs.
constexpr KeyBinding kNotepadKeys[] = {
    {SCK_LEFT, SCMOD_NORM, SCI_CHARLEFT},
    {SCK_LEFT, SCMOD_SHIFT, SCI_CHARLEFTEXTEND},
    {SCK_RIGHT, SCMOD_NORM, SCI_CHARRIGHT},
    {SCK_RIGHT, SCMOD_SHIFT, SCI_CHARRIGHTEXTEND},
    {SCK_UP, SCMOD_NORM, SCI_LINEUP},
    {SCK_UP, SCMOD_SHIFT, SCI_LINEUPEXTEND},
    {SCK_DOWN, SCMOD_NORM, SCI_LINEDOWN},
    {SCK_DOWN, SCMOD_SHIFT, SCI_LINEDOWNEXTEND},
    {SCK_HOME, SCMOD_NORM, SCI_HOMEDISPLAY},
    {SCK_HOME, SCMOD_SHIFT, SCI_HOMEDISPLAYEXTEND},
    {SCK_HOME, SCMOD_CTRL, SCI_DOCUMENTSTART},
    {SCK_HOME, SCMOD_CTRL | SCMOD_SHIFT, SCI_DOCUMENTSTARTEXTEND},
    {SCK_END, SCMOD_NORM, SCI_LINEENDDISPLAY},
    {SCK_END, SCMOD_SHIFT, SCI_LINEENDDISPLAYEXTEND},
    {SCK_END, SCMOD_CTRL, SCI_DOCUMENTEND},
    {SCK_END, SCMOD_CTRL | SCMOD_SHIFT, SCI_DOCUMENTENDEXTEND},
    {SCK_PRIOR, SCMOD_NORM, SCI_PAGEUP},
    {SCK_PRIOR, SCMOD_SHIFT, SCI_PAGEUPEXTEND},
    {SCK_NEXT, SCMOD_NORM, SCI_PAGEDOWN},
    {SCK_NEXT, SCMOD_SHIFT, SCI_PAGEDOWNEXTEND},
    // The edit control takes Ctrl+Page Up and Ctrl+Page Down as Page Up and Page Down.
    {SCK_PRIOR, SCMOD_CTRL, SCI_PAGEUP},
    {SCK_PRIOR, SCMOD_CTRL | SCMOD_SHIFT, SCI_PAGEUPEXTEND},
    {SCK_NEXT, SCMOD_CTRL, SCI_PAGEDOWN},
    {SCK_NEXT, SCMOD_CTRL | SCMOD_SHIFT, SCI_PAGEDOWNEXTEND},
    {SCK_DELETE, SCMOD_NORM, SCI_CLEAR},
    {SCK_BACK, SCMOD_NORM, SCI_DELETEBACK},
    {SCK_BACK, SCMOD_SHIFT, SCI_DELETEBACK},
    {SCK_INSERT, SCMOD_NORM, SCI_EDITTOGGLEOVERTYPE},
    {SCK_ESCAPE, SCMOD_NORM, SCI_CANCEL},
    {SCK_RETURN, SCMOD_NORM, SCI_NEWLINE},
    {SCK_RETURN, SCMOD_SHIFT, SCI_NEWLINE},
    {'A', SCMOD_CTRL, SCI_SELECTALL},
};

}  // namespace

void UseSystemColours(const ScintillaWindow& window) {
  const auto text = static_cast<std::intptr_t>(GetSysColor(COLOR_WINDOWTEXT));
  const auto back = static_cast<std::intptr_t>(GetSysColor(COLOR_WINDOW));
  window.Call(SCI_STYLESETFORE, STYLE_DEFAULT, text);
  window.Call(SCI_STYLESETBACK, STYLE_DEFAULT, back);
  window.Call(SCI_STYLECLEARALL);
  window.Call(SCI_SETELEMENTCOLOUR, SC_ELEMENT_SELECTION_TEXT, Opaque(COLOR_HIGHLIGHTTEXT));
  window.Call(SCI_SETELEMENTCOLOUR, SC_ELEMENT_SELECTION_BACK, Opaque(COLOR_HIGHLIGHT));
  // Without the focus the selected text looks like any other.
  window.Call(SCI_SETELEMENTCOLOUR, SC_ELEMENT_SELECTION_INACTIVE_TEXT, Opaque(COLOR_WINDOWTEXT));
  window.Call(SCI_SETELEMENTCOLOUR, SC_ELEMENT_SELECTION_INACTIVE_BACK, Opaque(COLOR_WINDOW));
  window.Call(SCI_SETELEMENTCOLOUR, SC_ELEMENT_CARET, Opaque(COLOR_WINDOWTEXT));
}

void UseNotepadKeys(const ScintillaWindow& window) {
  window.Call(SCI_CLEARALLCMDKEYS);
  for (const KeyBinding& binding : kNotepadKeys) {
    window.Call(SCI_ASSIGNCMDKEY, binding.key + (binding.modifiers << 16), binding.command);
  }
  window.Call(SCI_SETMULTIPLESELECTION, 0);
  window.Call(SCI_SETMOUSESELECTIONRECTANGULARSWITCH, 0);
}

AreaCommand AreaCommandOf(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_CUT:
    case SCI_CUT:
      return AreaCommand::kCut;
    case WM_COPY:
    case SCI_COPY:
      return AreaCommand::kCopy;
    case WM_PASTE:
    case SCI_PASTE:
      return AreaCommand::kPaste;
    case WM_UNDO:
    case EM_UNDO:
    case SCI_UNDO:
      return AreaCommand::kUndo;
    case WM_SYSKEYDOWN:
      return wParam == VK_BACK && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0
                 ? AreaCommand::kUndo
                 : AreaCommand::kNone;
    case WM_KEYDOWN:
      break;
    default:
      return AreaCommand::kNone;
  }
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  if (ctrl == shift) return AreaCommand::kNone;
  switch (wParam) {
    case 'X':
      return ctrl ? AreaCommand::kCut : AreaCommand::kNone;
    case 'C':
      return ctrl ? AreaCommand::kCopy : AreaCommand::kNone;
    case 'V':
      return ctrl ? AreaCommand::kPaste : AreaCommand::kNone;
    case 'Z':
      return ctrl ? AreaCommand::kUndo : AreaCommand::kNone;
    case VK_DELETE:
      return shift ? AreaCommand::kCut : AreaCommand::kNone;
    case VK_INSERT:
      return ctrl ? AreaCommand::kCopy : AreaCommand::kPaste;
  }
  return AreaCommand::kNone;
}

bool TypesOverSelection(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_IME_CHAR:
      return true;
    case WM_CHAR:
      return wParam >= 0x20 || wParam == '\t';
    case WM_KEYDOWN:
      return wParam == VK_RETURN && GetKeyState(VK_CONTROL) >= 0;
  }
  return false;
}

bool IsForeignToNotepad(UINT message, WPARAM wParam) {
  if (message == WM_MOUSEWHEEL) return (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0;
  // A Ctrl combination that is no command reaches the area as a control character, which the
  // component would put into the text; Tab, Enter and Backspace come as their keys.
  // Ctrl+Backspace comes as DEL as well.
  if (message == WM_CHAR) return (wParam < 0x20 && wParam != '\t') || wParam == 0x7F;
  return false;
}

void KeepOneOrdinarySelection(const ScintillaWindow& window) {
  if (window.Call(SCI_GETSELECTIONS) == 1 && !window.Call(SCI_SELECTIONISRECTANGLE)) return;
  const std::intptr_t anchor = window.Call(SCI_GETANCHOR);
  const std::intptr_t caret = window.Call(SCI_GETCURRENTPOS);
  window.Call(SCI_SETSEL, anchor, caret);  // ordinary again, and one
}

}  // namespace penlet
