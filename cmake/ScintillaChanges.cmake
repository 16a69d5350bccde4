# Four changes to Scintilla 5.3.3, made to copies of its sources in the build folder (the unpacked
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
# - ViewStyle.cxx: a negative tab width (SCI_SETTABWIDTH) is the distance between tab stops in
#   pixels, where the release only counts widths of a space, as the platform's text controls
#   put their stops every half inch whatever the font. The document keeps the value, so the
#   editing area also sets an indent of its own (SCI_SETINDENT) for the component's indenting,
#   which the area never asks for.
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
		const XYScrollPosition newXY = XYScrollToMakeVisible(]=])
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
  penlet_change_scintilla_file("${dir}" ViewStyle.cxx view_style [=[
	tabWidth = spaceWidth * tabInChars;]=] [=[
	// A negative width is in pixels (a change of Penlet's).
	tabWidth = tabInChars < 0 ? -tabInChars : spaceWidth * tabInChars;]=])
  set(list ${${sources}})
  list(FILTER list EXCLUDE REGEX "/(Editor|PositionCache|ContractionState|ViewStyle)\\.cxx$")
  list(APPEND list "${editor}" "${position_cache}" "${contraction_state}" "${view_style}")
  set(${sources} "${list}" PARENT_SCOPE)
endfunction()
