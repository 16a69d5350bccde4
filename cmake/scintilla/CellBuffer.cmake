# Changes to the component's src/CellBuffer.cxx; cmake/ScintillaChanges.cmake says what each is for.
penlet_change_scintilla_file("${dir}" src/CellBuffer.cxx cell_buffer [=[
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
list(APPEND changed_sources "${cell_buffer}")
