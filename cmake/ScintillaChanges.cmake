# Changes to Scintilla 5.3.3, made to copies of its sources in the build folder (the unpacked
# release stays as it is):
# - Editor.cxx: a caret moved to a paragraph that the background layout has not reached yet lays
#   out the paragraphs around the caret, where the release lays out every one still waiting.
#   Ctrl+End in a freshly opened 50 MB text would otherwise hold the window for seconds. Both
#   sides stay exact: positions count the paragraphs before as laid out so far, and the
#   background layout keeps the paragraph at the top where it is as it goes on.
# - PositionCache.cxx: word wrap may break between any two characters of which one is
#   double-byte, as Japanese text wraps, while Latin words still wrap at spaces. The release
#   breaks only at spaces and style changes, which would take a style byte for every byte of
#   the text and the time to set them.
# - ContractionState.cxx: the lines of a wrapped text that an edit adds or removes are added to
#   or removed from the display's tables as one range, where the release does it line by line.
#   Deleting a 50 MB text, or taking that back, would otherwise spend some 50 ms more on its
#   hundreds of thousands of lines.
# - The undo history and the buffers under it, for texts near the end of the address space:
#   - CellBuffer: the history can say how many bytes of text it holds and how many an undo back
#     to a container action puts back, and drop its oldest whole operations down to a limit
#     (three messages, handled in Editor.cxx), and gives back the text of
#     the actions that can no longer be redone, and its table when emptied. The release keeps
#     every removed and inserted text until the history is emptied.
#   - CellBuffer: an action's text is copied before the history changes, so that a copy that
#     cannot be had leaves the history as it was.
#   - SplitVector.h: the buffer counts the room it grows by only once it has it. The release
#     counted it first, and a failed growth left a buffer that claimed room it did not have.
#   - Document.cxx: an edit or undo that meets a failure (no memory) leaves the document
#     editable. The release left it marked as being modified for ever, so that every later edit
#     and undo did nothing, and a loop of undo steps waiting for its mark never ended.
#   Headers change here, so every source of the component is compiled from the build folder's
#   copies, which find the changed headers before the originals.
#
# penlet_changed_scintilla_sources(<scintilla dir> <sources variable>) puts the changed copies in
# place of the originals in the list of sources.

# Replaces each `release` text by the `changed` text after it in `file` of `dir`'s src folder and
# writes the result to the build folder; sets `out` to the copy.
function(penlet_change_scintilla_file dir file out)
  file(READ "${dir}/src/${file}" source)
  # The texts are read as ARGV<n>: a list would split them at their semicolons.
  math(EXPR last "${ARGC} - 1")
  foreach(i RANGE 3 ${last} 2)
    math(EXPR j "${i} + 1")
    set(release "${ARGV${i}}")
    set(changed "${ARGV${j}}")
    string(FIND "${source}" "${release}" at)
    if(at LESS 0)
      message(FATAL_ERROR "${dir}/src/${file} is not the Scintilla 5.3.3 that Penlet changes")
    endif()
    string(REPLACE "${release}" "${changed}" source "${source}")
  endforeach()
  set(target "${CMAKE_BINARY_DIR}/scintilla-changed/${file}")
  # Written only when it differs, so that a new configure does not rebuild it.
  set(old "")
  if(EXISTS "${target}")
    file(READ "${target}" old)
  endif()
  if(NOT old STREQUAL source)
    file(WRITE "${target}" "${source}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${dir}/src/${file}")
  set(${out} "${target}" PARENT_SCOPE)
endfunction()

function(penlet_changed_scintilla_sources dir sources)
  penlet_change_scintilla_file("${dir}" Editor.cxx editor [=[
		// In case in need of wrapping to ensure DisplayFromDoc works.
		if (currentLine >= wrapPending.start) {
			if (WrapLines(WrapScope::wsAll)) {
				Redraw();
			}
		}
		const XYScrollPosition newXY = XYScrollToMakeVisible(]=] [=[
		// Only the paragraphs around the caret are laid out now; the rest follows in the
		// background (a change of Penlet's).
		if (currentLine >= wrapPending.start && Wrapping()) {
			const Sci::Line around = LinesOnScreen() + 2;
			const Sci::Line first = std::max(wrapPending.start, currentLine - around);
			const Sci::Line last = std::min(currentLine + around, pdoc->LinesTotal());
			pdoc->EnsureStyledTo(pdoc->LineStart(last));
			RefreshStyleData();
			AutoSurface surface(this);
			bool wrapped = false;
			if (surface) {
				for (Sci::Line line = first; line < last; line++) {
					wrapped = WrapOneLine(surface, line) || wrapped;
				}
			}
			if (wrapped) {
				SetScrollBars();
				Redraw();
			}
		}
		const XYScrollPosition newXY = XYScrollToMakeVisible(]=] [=[
	case Message::EmptyUndoBuffer:
		pdoc->DeleteUndoHistory();
		return 0;
]=] [=[
	case Message::EmptyUndoBuffer:
		pdoc->DeleteUndoHistory();
		return 0;

	// The bytes of text the undo history holds, and dropping its oldest operations down to
	// wParam bytes (a change of Penlet's).
	case static_cast<Message>(0x7E50):
		return pdoc->UndoBytes();

	case static_cast<Message>(0x7E51):
		pdoc->TrimUndo(PositionFromUPtr(wParam));
		return 0;

	// The bytes that undoing back to the container action wParam puts back.
	case static_cast<Message>(0x7E52):
		return pdoc->UndoInsertBytes(PositionFromUPtr(wParam));
]=])
  penlet_change_scintilla_file("${dir}" PositionCache.cxx position_cache [=[
					if (wrapState != Wrap::WhiteSpace && (styles[pos - 1] != styles[pos])) {
						break;
					}]=] [=[
					if (wrapState != Wrap::WhiteSpace && (styles[pos - 1] != styles[pos])) {
						break;
					}
					// Before or after a double-byte character (a change of Penlet's).
					if (wrapState != Wrap::WhiteSpace && pdoc->dbcsCodePage != 0 &&
						pdoc->dbcsCodePage != 65001 &&
						(pdoc->IsDBCSLeadByteNoExcept(chars[pos]) ||
						 pos - CharacterBoundary(pos - 1, -1) == 2)) {
						break;
					}]=])
  penlet_change_scintilla_file("${dir}" ContractionState.cxx contraction_state [=[
	} else {
		for (Sci::Line l = 0; l < lineCount; l++) {
			InsertLine(lineDoc + l);
		}
	}]=] [=[
	} else if (lineCount > 0) {
		// All the lines at once (a change of Penlet's): each is visible, expanded and one row
		// high, and has no fold text.
		const LINE at = line_cast(lineDoc);
		const LINE count = line_cast(lineCount);
		visible->InsertSpace(at, count);
		visible->FillRange(at, 1, count);
		expanded->InsertSpace(at, count);
		expanded->FillRange(at, 1, count);
		heights->InsertSpace(at, count);
		heights->FillRange(at, 1, count);
		foldDisplayTexts->InsertSpace(at, count);
		const LINE lineDisplay = line_cast(DisplayFromDoc(lineDoc));
		for (LINE l = 0; l < count; l++) {
			displayLines->InsertPartition(at + l, lineDisplay + l);
			displayLines->InsertText(at + l, 1);
		}
	}]=] [=[
	} else {
		for (Sci::Line l = 0; l < lineCount; l++) {
			DeleteLine(lineDoc);
		}
	}]=] [=[
	} else if (lineCount > 0) {
		// All the lines at once (a change of Penlet's): the rows of the visible ones go.
		const LINE at = line_cast(lineDoc);
		const LINE count = line_cast(lineCount);
		const LINE rows =
			displayLines->PositionFromPartition(at + count) - displayLines->PositionFromPartition(at);
		displayLines->InsertText(at, -rows);
		for (LINE l = 0; l < count; l++) {
			displayLines->RemovePartition(at);
		}
		visible->DeleteRange(at, count);
		expanded->DeleteRange(at, count);
		heights->DeleteRange(at, count);
		foldDisplayTexts->DeleteRange(at, count);
	}]=])
  penlet_change_scintilla_file("${dir}" SplitVector.h split_vector [=[
			gapLength += newSize - body.size();
			// RoomFor implements a growth strategy but so does vector::resize so
			// ensure vector::resize allocates exactly the amount wanted by
			// calling reserve first.
			body.reserve(newSize);]=] [=[
			// RoomFor implements a growth strategy but so does vector::resize so
			// ensure vector::resize allocates exactly the amount wanted by
			// calling reserve first. The gap grows once the room is had (a change of
			// Penlet's): a reserve that fails leaves the buffer as it was.
			body.reserve(newSize);
			gapLength += newSize - body.size();]=])
  penlet_change_scintilla_file("${dir}" CellBuffer.h cell_buffer_h [=[
	void DeleteUndoHistory();]=] [=[
	void DeleteUndoHistory();
	// The bytes of text the history holds; dropping its oldest whole operations down to
	// `limit`, the current one kept (a change of Penlet's).
	Sci::Position UndoBytes() const noexcept;
	void TrimUndo(Sci::Position limit);
	// The bytes that undoing back to the container action `token` puts back into the text.
	Sci::Position UndoInsertBytes(Sci::Position token) const noexcept;]=])
  penlet_change_scintilla_file("${dir}" CellBuffer.cxx cell_buffer [=[
	bool &startSequence, bool mayCoalesce) {
	EnsureUndoRoom();]=] [=[
	bool &startSequence, bool mayCoalesce) {
	// The text is copied first: without memory for it, nothing changes (a change of Penlet's).
	std::unique_ptr<char[]> copy;
	if (lengthData > 0) {
		copy = std::make_unique<char[]>(lengthData);
		memcpy(copy.get(), data, lengthData);
	}
	EnsureUndoRoom();
	// What could be redone goes now, with its text, and not when it is written over.
	for (int i = currentAction + 1; i <= maxAction; i++)
		actions[i].Clear();]=] [=[
	actions[currentAction].Create(at, position, data, lengthData, mayCoalesce);]=] [=[
	actions[currentAction].Create(at, position, nullptr, 0, mayCoalesce);
	actions[currentAction].data = std::move(copy);
	actions[currentAction].lenData = lengthData;]=] [=[
void UndoHistory::DeleteUndoHistory() {
	for (int i = 1; i < maxAction; i++)
		actions[i].Clear();
	maxAction = 0;]=] [=[
Sci::Position UndoHistory::UndoBytes() const noexcept {
	Sci::Position bytes = 0;
	for (int i = 1; i <= maxAction; i++)
		bytes += actions[i].lenData;
	return bytes;
}

Sci::Position UndoHistory::UndoInsertBytes(Sci::Position token) const noexcept {
	Sci::Position bytes = 0;
	for (int i = currentAction; i > 0; i--) {
		if (actions[i].at == ActionType::container && actions[i].position == token)
			break;
		if (actions[i].at == ActionType::remove)
			bytes += actions[i].lenData;
	}
	return bytes;
}

void UndoHistory::TrimUndo(Sci::Position limit) {
	if (undoSequenceDepth > 0 || tentativePoint >= 0)
		return;
	Sci::Position bytes = UndoBytes();
	// The start action ending the last operation dropped.
	int cut = 0;
	for (int next = 1; bytes > limit;) {
		Sci::Position operation = 0;
		int end = next;
		while (end < currentAction && actions[end].at != ActionType::start)
			operation += actions[end++].lenData;
		if (end >= currentAction)
			break;
		bytes -= operation;
		cut = end;
		next = end + 1;
	}
	if (cut == 0)
		return;
	actions.erase(actions.begin() + 1, actions.begin() + cut + 1);
	currentAction -= cut;
	maxAction -= cut;
	savePoint = savePoint >= cut ? savePoint - cut : -1;
	if (detach)
		detach = std::max(*detach - cut, 0);
}

void UndoHistory::DeleteUndoHistory() {
	// The table goes too: a long session leaves one of many thousand actions.
	std::vector<Action>(3).swap(actions);
	maxAction = 0;]=] [=[
void CellBuffer::DeleteUndoHistory() {
	uh.DeleteUndoHistory();
}]=] [=[
void CellBuffer::DeleteUndoHistory() {
	uh.DeleteUndoHistory();
}

Sci::Position CellBuffer::UndoBytes() const noexcept {
	return uh.UndoBytes();
}

void CellBuffer::TrimUndo(Sci::Position limit) {
	uh.TrimUndo(limit);
}

Sci::Position CellBuffer::UndoInsertBytes(Sci::Position token) const noexcept {
	return uh.UndoInsertBytes(token);
}]=])
  penlet_change_scintilla_file("${dir}" Document.h document_h [=[
	void DeleteUndoHistory() { cb.DeleteUndoHistory(); }]=] [=[
	void DeleteUndoHistory() { cb.DeleteUndoHistory(); }
	Sci::Position UndoBytes() const noexcept { return cb.UndoBytes(); }
	void TrimUndo(Sci::Position limit) { cb.TrimUndo(limit); }
	Sci::Position UndoInsertBytes(Sci::Position token) const noexcept {
		return cb.UndoInsertBytes(token);
	}]=])
  penlet_change_scintilla_file("${dir}" Document.cxx document [=[
using namespace Scintilla::Internal;
]=] [=[
using namespace Scintilla::Internal;

namespace {

// Marks the document as being modified for as long as it lives, however the modification ends
// (a change of Penlet's).
class EnteredModification {
	int &depth;
public:
	explicit EnteredModification(int &depth_) noexcept : depth(depth_) { depth++; }
	~EnteredModification() { depth--; }
	EnteredModification(const EnteredModification &) = delete;
	EnteredModification &operator=(const EnteredModification &) = delete;
};

}
]=] [=[
enteredModification++;]=] [=[
const EnteredModification entered(enteredModification);]=] [=[
enteredModification--;]=] [=[
// The modification ends here.]=])
  # Every other source, copied unchanged beside the changed ones, so that it includes the
  # changed headers.
  file(GLOB originals "${dir}/src/*.cxx")
  set(list "")
  foreach(original ${originals})
    get_filename_component(name "${original}" NAME)
    set(copy "${CMAKE_BINARY_DIR}/scintilla-changed/${name}")
    if(NOT name MATCHES "^(Editor|PositionCache|ContractionState|CellBuffer|Document)\\.cxx$")
      configure_file("${original}" "${copy}" COPYONLY)
    endif()
    list(APPEND list "${copy}")
  endforeach()
  # The sources of the win32 folder find the changed headers through the include path.
  set(${sources} "${list}" PARENT_SCOPE)
endfunction()
