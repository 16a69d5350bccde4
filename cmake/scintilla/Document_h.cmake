# Changes to the component's src/Document.h; cmake/ScintillaChanges.cmake says what each is for.
penlet_change_scintilla_file("${dir}" src/Document.h document_h [=[
	void DeleteUndoHistory() { cb.DeleteUndoHistory(); }]=] [=[
	void DeleteUndoHistory() { cb.DeleteUndoHistory(); }
	Sci::Position UndoBytes() const noexcept { return cb.UndoBytes(); }
	void TrimUndo(Sci::Position limit) { cb.TrimUndo(limit); }
	Sci::Position UndoInsertBytes(Sci::Position token) const noexcept {
		return cb.UndoInsertBytes(token);
	}]=] [=[
	Sci::Position GapPosition() const noexcept { return cb.GapPosition(); }]=] [=[
	Sci::Position GapPosition() const noexcept { return cb.GapPosition(); }
	void GapTowards(Sci::Position position, Sci::Position most) noexcept {
		cb.GapTowards(position, most);
	}
	bool AllocateTowards(Sci::Position newSize, Sci::Position most) {
		return cb.AllocateTowards(newSize, most);
	}]=])
