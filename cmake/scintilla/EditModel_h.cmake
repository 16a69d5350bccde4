# The component's src/EditModel.h grows by a member: it and every source that includes it are
# compiled from copies in the build folder (cmake/ScintillaChanges.cmake says why).
penlet_change_scintilla_file("${dir}" src/EditModel.h edit_model_h [=[
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
penlet_change_scintilla_file("${dir}" src/EditModel.cxx edit_model)
list(APPEND changed_sources "${edit_model}")
penlet_change_scintilla_file("${dir}" src/MarginView.cxx margin_view)
list(APPEND changed_sources "${margin_view}")
penlet_change_scintilla_file("${dir}" src/ScintillaBase.cxx scintilla_base)
list(APPEND changed_sources "${scintilla_base}")
