# Five changes to Scintilla 5.3.3, made to copies of its sources in the build folder (the unpacked
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
# - EditModel.h, Editor.cxx and EditView.cxx: the offset where a wrapped row ends is also where
#   the next row starts, and the release always puts the caret on the next row. Penlet's caret
#   knows which of the two it stands on, as a Windows edit control's does: End, a click right of
#   a row's last character, and Up, Down, Page Up or Page Down past a shorter row's end leave it
#   at the row's end; there it is drawn, the system caret (which input methods and accessibility
#   tools follow) stands, End and Shift+End stay, Home goes to that row's start and Up, Down and
#   the page keys go from that row. Any other move, any edit, and a change of the selection from
#   outside, put it back on the usual row. EditModel.h grows by a member, so every source that
#   includes it is compiled from a copy (EditModel.cxx, MarginView.cxx and ScintillaBase.cxx
#   unchanged), which finds the changed header among the include folders, where a source in the
#   release's folder would find the release's header beside it.
# - ViewStyle.cxx: a negative tab width (SCI_SETTABWIDTH) is the distance between tab stops in
#   pixels, where the release only counts widths of a space, as the platform's text controls
#   put their stops every half inch whatever the font. The document keeps the value, so the
#   editing area also sets an indent of its own (SCI_SETINDENT) for the component's indenting,
#   which the area never asks for.
#
# penlet_changed_scintilla_sources(<scintilla dir> <sources variable>) puts the changed copies in
# place of the originals in the list of sources; the folder of the changed headers,
# PENLET_CHANGED_SCINTILLA_DIR, must come before the component's src folder among the include
# folders.

# Replaces each `release` text by the `changed` text after it in `file` of `dir`'s src folder and
# writes the result to the build folder; sets `out` to the copy.
function(penlet_change_scintilla_file dir file out)
  file(READ "${dir}/src/${file}" source)
  # The texts are read as ARGV<n>: a list would split them at their semicolons.
  math(EXPR last "${ARGC} - 1")
  # With no texts at all, the copy is the release's own, compiled beside a changed header.
  set(pairs "")
  if(ARGC GREATER 3)
    set(pairs RANGE 3 ${last} 2)
  endif()
  foreach(i ${pairs})
    math(EXPR j "${i} + 1")
    set(release "${ARGV${i}}")
    set(changed "${ARGV${j}}")
    string(FIND "${source}" "${release}" at)
    if(at LESS 0)
      message(FATAL_ERROR "${dir}/src/${file} is not the Scintilla 5.3.3 that Penlet changes")
    endif()
    string(REPLACE "${release}" "${changed}" source "${source}")
  endforeach()
  # A changed header goes to a folder of its own, reached only through the include folders: a
  # copy beside the changed sources would be found before the release's even once the build no
  # longer changes it.
  if(file MATCHES "\\.h$")
    set(target "${CMAKE_BINARY_DIR}/scintilla-changed/headers/${file}")
  else()
    set(target "${CMAKE_BINARY_DIR}/scintilla-changed/${file}")
  endif()
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
void Editor::SetSelection(SelectionPosition currentPos_, SelectionPosition anchor_) {
]=] [=[
void Editor::SetSelection(SelectionPosition currentPos_, SelectionPosition anchor_) {
	caretRowEnd = Sci::invalidPosition;  // a change of Penlet's, as in the two below
]=] [=[
void Editor::SetSelection(SelectionPosition currentPos_) {
]=] [=[
void Editor::SetSelection(SelectionPosition currentPos_) {
	caretRowEnd = Sci::invalidPosition;
]=] [=[
void Editor::SetEmptySelection(SelectionPosition currentPos_) {
]=] [=[
void Editor::SetEmptySelection(SelectionPosition currentPos_) {
	caretRowEnd = Sci::invalidPosition;
]=] [=[
Point Editor::PointMainCaret() {
	return LocationFromPosition(sel.Range(sel.Main()).caret);
}
]=] [=[
Point Editor::PointMainCaret() {
	// At the end of a wrapped row, where it stands (a change of Penlet's).
	return LocationFromPosition(sel.Range(sel.Main()).caret,
		CaretAtRowEnd() ? PointEnd::subLineEnd : PointEnd::start);
}
]=] [=[
	const Point pt = LocationFromPosition(range.caret) + ptOrigin;
]=] [=[
	// A caret at the end of a wrapped row is shown on that row (a change of Penlet's).
	const bool atRowEnd = CaretAtRowEnd() && range.caret == sel.RangeMain().caret;
	const Point pt =
		LocationFromPosition(range.caret, atRowEnd ? PointEnd::subLineEnd : PointEnd::start) + ptOrigin;
]=] [=[
	const Point pt = LocationFromPosition(spStart);
	int skipLines = 0;
]=] [=[
	// From the end of a wrapped row, the rows above and below that row (a change of Penlet's).
	const bool fromRowEnd = CaretAtRowEnd() && spStart == sel.RangeMain().caret;
	const Point pt = LocationFromPosition(spStart, fromRowEnd ? PointEnd::subLineEnd : PointEnd::start);
	int skipLines = 0;
]=] [=[
	SelectionPosition posNew = SPositionFromLocation(
		Point::FromInts(lastX - xOffset, static_cast<int>(newY)), false, false, UserVirtualSpace());
]=] [=[
	SelectionPosition posNew = SPositionFromLocation(
		Point::FromInts(lastX - xOffset, static_cast<int>(newY)), false, false, UserVirtualSpace());
	// Past the end of a shorter wrapped row, the caret goes to that end and stays on the row,
	// where the release steps back before its last character (a change of Penlet's).
	caretRowEnd = Sci::invalidPosition;
	if (EndsRowAt(LocationFromPosition(posNew), LocationFromPosition(posNew, PointEnd::subLineEnd),
		static_cast<XYPOSITION>(newY), vs.lineHeight)) {
		caretRowEnd = posNew.Position();
		return posNew;
	}
]=] [=[
int Editor::HorizontalMove(Message iMessage) {
]=] [=[
int Editor::HorizontalMove(Message iMessage) {
	// The caret at the end of a wrapped row, unless a new layout has put that offset inside a row
	// since (a change of Penlet's, as in the keys below).
	const bool wasRowEnd = CaretAtRowEnd() &&
		PointMainCaret().y != LocationFromPosition(sel.MainCaret()).y;
	bool toRowEnd = false;
]=] [=[
			case Message::HomeDisplay:
			case Message::HomeDisplayExtend:
				spCaret = SelectionPosition(StartEndDisplayLine(spCaret.Position(), true));
				break;
]=] [=[
			case Message::HomeDisplay:
			case Message::HomeDisplayExtend:
				spCaret = SelectionPosition(StartEndDisplayLine(wasRowEnd ?
					pdoc->MovePositionOutsideChar(spCaret.Position() - 1, -1) : spCaret.Position(), true));
				break;
]=] [=[
			case Message::LineEndDisplay:
			case Message::LineEndDisplayExtend:
				spCaret = SelectionPosition(StartEndDisplayLine(spCaret.Position(), false));
				break;
]=] [=[
			case Message::LineEndDisplay:
			case Message::LineEndDisplayExtend:
				// A wrapped row ends where the next starts, after its last character, where the
				// release stops before that character; at that end the caret stays.
				toRowEnd = wasRowEnd;
				if (!wasRowEnd) {
					spCaret = SelectionPosition(StartEndDisplayLine(spCaret.Position(), false));
					if (spCaret.Position() >= 0 &&
						spCaret.Position() < pdoc->LineEndPosition(spCaret.Position())) {
						spCaret = SelectionPosition(
							pdoc->MovePositionOutsideChar(spCaret.Position() + 1, 1));
						toRowEnd = true;
					}
				}
				break;
]=] [=[
	}

	sel.RemoveDuplicates();

	MovedCaret(]=] [=[
	}

	sel.RemoveDuplicates();
	caretRowEnd = toRowEnd ? sel.MainCaret() : Sci::invalidPosition;

	MovedCaret(]=] [=[
	lastClick = pt;
	lastXChosen = static_cast<int>(pt.x) + xOffset;
	ShowCaretAtCurrentPosition();
}
]=] [=[
	lastClick = pt;
	lastXChosen = static_cast<int>(pt.x) + xOffset;
	// A click right of a wrapped row's last character leaves the caret at that row's end (a
	// change of Penlet's, as where the button is moved or let go below).
	if (EndsRowAt(LocationFromPosition(sel.MainCaret()),
		LocationFromPosition(sel.MainCaret(), PointEnd::subLineEnd), pt.y, vs.lineHeight)) {
		caretRowEnd = sel.MainCaret();
	}
	ShowCaretAtCurrentPosition();
}
]=] [=[
				} else {
					SetSelection(movePos, sel.RangeMain().anchor);
				}
]=] [=[
				} else {
					SetSelection(movePos, sel.RangeMain().anchor);
					if (EndsRowAt(LocationFromPosition(sel.MainCaret()),
						LocationFromPosition(sel.MainCaret(), PointEnd::subLineEnd), pt.y, vs.lineHeight)) {
						caretRowEnd = sel.MainCaret();
						InvalidateCaret();
					}
				}
]=] [=[
				} else {
					SetSelection(newPos, sel.RangeMain().anchor);
				}
			}
			sel.CommitTentative();
]=] [=[
				} else {
					SetSelection(newPos, sel.RangeMain().anchor);
					if (EndsRowAt(LocationFromPosition(sel.MainCaret()),
						LocationFromPosition(sel.MainCaret(), PointEnd::subLineEnd), pt.y, vs.lineHeight)) {
						caretRowEnd = sel.MainCaret();
					}
				}
			}
			sel.CommitTentative();
]=] [=[
		const Point pt = LocationFromPosition(sel.MainCaret());

		topLineNew = std::clamp]=] [=[
		// From the row the caret stands on (a change of Penlet's).
		const Point pt = PointMainCaret();

		topLineNew = std::clamp]=] [=[
		MovePositionTo(newPos, selt);
		SetVerticalScrollPos();
		Redraw();
	} else {
		MovePositionTo(newPos, selt);
	}
}
]=] [=[
		MovePositionTo(newPos, selt);
		SetVerticalScrollPos();
		Redraw();
	} else {
		MovePositionTo(newPos, selt);
	}
	// Where a page lands at a wrapped row's end, the caret stays on that row as for Up and Down
	// (a change of Penlet's): the x it keeps is nearer that end than the next row's start.
	const Point start = LocationFromPosition(sel.MainCaret());
	const Point end = LocationFromPosition(sel.MainCaret(), PointEnd::subLineEnd);
	const XYPOSITION x = static_cast<XYPOSITION>(lastXChosen - xOffset);
	if (end.y < start.y && std::abs(x - end.x) < std::abs(x - start.x)) {
		caretRowEnd = sel.MainCaret();
		InvalidateCaret();
	}
}
]=] [=[
void Editor::NotifyModified(Document *, DocModification mh, void *) {
	ContainerNeedsUpdate(Update::Content);
]=] [=[
void Editor::NotifyModified(Document *, DocModification mh, void *) {
	ContainerNeedsUpdate(Update::Content);
	// An edit puts the caret back on the usual row, even where it leaves its offset as it was
	// (a change of Penlet's).
	if (FlagSet(mh.modificationType, ModificationFlags::InsertText) ||
		FlagSet(mh.modificationType, ModificationFlags::DeleteText)) {
		caretRowEnd = Sci::invalidPosition;
	}
]=] [=[
using namespace Scintilla::Internal;

namespace {
]=] [=[
using namespace Scintilla::Internal;

namespace {

// Whether a caret that the release draws at `start`, and that stands at `end` as the end of a
// row, ends the row at height `y` (a change of Penlet's).
bool EndsRowAt(Point start, Point end, XYPOSITION y, XYPOSITION lineHeight) noexcept {
	const XYPOSITION row = std::floor(y / lineHeight) * lineHeight;
	return end.y == row && start.y > row;
}
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
  penlet_change_scintilla_file("${dir}" EditModel.h edit_model_h [=[
	Selection sel;
	bool primarySelection;
]=] [=[
	Selection sel;
	bool primarySelection;
	// The main caret's offset while it stands at the end of a wrapped row, which is also where
	// the next row starts (a change of Penlet's); any other value while it does not.
	Sci::Position caretRowEnd = Sci::invalidPosition;
	bool CaretAtRowEnd() const noexcept {
		return sel.Count() == 1 && sel.RangeMain().caret == SelectionPosition(caretRowEnd);
	}
]=])
  penlet_change_scintilla_file("${dir}" EditView.cxx edit_view [=[
		if (ll->InLine(offset, subLine) && offset <= ll->numCharsBeforeEOL) {
]=] [=[
		// A main caret at the end of a wrapped row is drawn there, after the row's last
		// character, and not at the start of the next row (a change of Penlet's).
		const bool atRowEnd = mainCaret && !drawDrag && model.CaretAtRowEnd() &&
			posCaret == model.sel.RangeMain().caret;
		const bool endsThisRow = atRowEnd && subLine + 1 < ll->lines &&
			offset == ll->LineStart(subLine + 1);
		const bool endsRowBefore = atRowEnd && subLine > 0 && offset == ll->LineStart(subLine);
		if ((endsThisRow || (ll->InLine(offset, subLine) && !endsRowBefore)) &&
			offset <= ll->numCharsBeforeEOL) {
]=])
  penlet_change_scintilla_file("${dir}" EditModel.cxx edit_model)
  penlet_change_scintilla_file("${dir}" MarginView.cxx margin_view)
  penlet_change_scintilla_file("${dir}" ScintillaBase.cxx scintilla_base)
  penlet_change_scintilla_file("${dir}" ViewStyle.cxx view_style [=[
	tabWidth = spaceWidth * tabInChars;]=] [=[
	// A negative width is in pixels (a change of Penlet's).
	tabWidth = tabInChars < 0 ? -tabInChars : spaceWidth * tabInChars;]=])
  set(list ${${sources}})
  list(FILTER list EXCLUDE REGEX
    "/(Editor|PositionCache|ContractionState|EditView|EditModel|MarginView|ScintillaBase|ViewStyle)\\.cxx$")
  list(APPEND list "${editor}" "${position_cache}" "${contraction_state}" "${edit_view}"
    "${edit_model}" "${margin_view}" "${scintilla_base}" "${view_style}")
  set(${sources} "${list}" PARENT_SCOPE)
  set(PENLET_CHANGED_SCINTILLA_DIR "${CMAKE_BINARY_DIR}/scintilla-changed/headers" PARENT_SCOPE)
endfunction()
