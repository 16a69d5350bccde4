# Changes to the component's src/CellBuffer.h; cmake/ScintillaChanges.cmake says what each is for.
penlet_change_scintilla_file("${dir}" src/CellBuffer.h cell_buffer_h [=[
	void DeleteUndoHistory();]=] [=[
	void DeleteUndoHistory();
	// The bytes of text the history holds; dropping its oldest whole operations down to
	// `limit`, the current one kept (a change of Penlet's).
	Sci::Position UndoBytes() const noexcept;
	void TrimUndo(Sci::Position limit);
	// The bytes that undoing back to the container action `token` puts back into the text.
	Sci::Position UndoInsertBytes(Sci::Position token) const noexcept;]=] [=[
	Sci::Position GapPosition() const noexcept;]=] [=[
	Sci::Position GapPosition() const noexcept;
	void GapTowards(Sci::Position position, Sci::Position most) noexcept {
		substance.GapTowards(position, most);
	}
	// Room for `newSize` bytes, made at most `most` bytes at a time; true once it is had.
	bool AllocateTowards(Sci::Position newSize, Sci::Position most) {
		if (hasStyles) {
			Allocate(newSize);
			return true;
		}
		return substance.ReAllocateTowards(newSize, most);
	}]=])
