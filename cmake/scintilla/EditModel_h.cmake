# Changes to the component's src/EditModel.h; cmake/ScintillaChanges.cmake says what each is for.
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
