# One change to Scintilla 5.3.3, made to a copy of its source in the build folder (the unpacked
# release stays as it is): a caret moved to a paragraph that the background layout has not
# reached yet lays out the paragraphs around the caret, where the release lays out every one
# still waiting. Ctrl+End in a freshly opened 50 MB text would otherwise hold the window for
# seconds. Both sides stay exact: positions count the paragraphs before as laid out so far, and
# the background layout keeps the paragraph at the top where it is as it goes on.
#
# penlet_changed_scintilla_source(<scintilla dir> <out variable>) sets the variable to the
# changed Editor.cxx.
function(penlet_changed_scintilla_source dir out)
  file(READ "${dir}/src/Editor.cxx" source)
  set(release [=[
		// In case in need of wrapping to ensure DisplayFromDoc works.
		if (currentLine >= wrapPending.start) {
			if (WrapLines(WrapScope::wsAll)) {
				Redraw();
			}
		}
		const XYScrollPosition newXY = XYScrollToMakeVisible(]=])
  set(changed [=[
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
  string(FIND "${source}" "${release}" at)
  if(at LESS 0)
    message(FATAL_ERROR "${dir}/src/Editor.cxx is not the Scintilla 5.3.3 that Penlet changes")
  endif()
  string(REPLACE "${release}" "${changed}" source "${source}")
  set(target "${CMAKE_BINARY_DIR}/scintilla-changed/Editor.cxx")
  # Written only when it differs, so that a new configure does not rebuild it.
  set(old "")
  if(EXISTS "${target}")
    file(READ "${target}" old)
  endif()
  if(NOT old STREQUAL source)
    file(WRITE "${target}" "${source}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${dir}/src/Editor.cxx")
  set(${out} "${target}" PARENT_SCOPE)
endfunction()
