// The editing area's manner as a plain-text notepad has it: the system's colours and the keys of
// a Windows edit control, nothing of the component's own (zoom, rectangular and multiple
// selections, line commands).
#pragma once

#include <windows.h>

namespace penlet {

class ScintillaWindow;

// Text, background, selection and caret in the system's colours. The selection shows only while
// the area has the focus. Called again on WM_SYSCOLORCHANGE.
void UseSystemColours(const ScintillaWindow& window);

// Replaces the component's key map with a notepad's: caret movement (Home and End by display
// row), selection with Shift, deleting, undo, the clipboard keys, Tab and Enter.
void UseNotepadKeys(const ScintillaWindow& window);

// The clipboard's commands and undo, as messages or keys, which the area carries out itself.
enum class AreaCommand { kNone, kCut, kCopy, kPaste, kUndo };
AreaCommand AreaCommandOf(UINT message, WPARAM wParam);

// True for a key or character that puts something in place of the selection: a character
// typed or handed over by an input method, Tab and Enter.
bool TypesOverSelection(UINT message, WPARAM wParam);

// True for a message the area must not see: Ctrl with the mouse wheel (zoom) and characters of
// Ctrl combinations that are not text.
bool IsForeignToNotepad(UINT message, WPARAM wParam);

// Turns a rectangular or multiple selection (Alt with a drag makes one) into the ordinary
// selection from the main anchor to the main caret.
void KeepOneOrdinarySelection(const ScintillaWindow& window);

}  // namespace penlet
