# Changes to the component's src/Editor.h; cmake/ScintillaChanges.cmake says what each is for.
penlet_change_scintilla_file("${dir}" src/Editor.h editor_h [=[
	void Reset() noexcept {
		start = lineLarge;
		end = lineLarge;
	}]=] [=[
	// Lines before `start`, which the background layout has passed, that edits changed while it
	// goes on: laid out again on their own (a change of Penlet's). The release went back to the
	// first of them and laid out every line after it again, so that typing near the top of a
	// long text kept the layout from ever getting further.
	static constexpr Sci::Line editedMost = 64;
	Sci::Line editedStart = lineLarge;
	Sci::Line editedEnd = lineLarge;
	void Reset() noexcept {
		start = lineLarge;
		end = lineLarge;
		editedStart = lineLarge;
		editedEnd = lineLarge;
	}
	// An edit changed `lineDoc` (and the lines it added after it); the lines after it moved by
	// `linesAdded`. Whether the lines to lay out changed.
	bool AddEdit(Sci::Line lineDoc, Sci::Line linesAdded) noexcept {
		const Sci::Line lineEnd = lineDoc + std::max<Sci::Line>(linesAdded, 0) + 1;
		if (start >= end || lineDoc >= start)
			return AddRange(lineDoc, lineEnd);
		// A deletion that reaches the lines still to lay out joins them to the edited line.
		start = std::max(lineDoc, start + linesAdded);
		if (end != lineLarge)
			end = std::max(start + 1, end + linesAdded);
		Sci::Line first = lineDoc;
		Sci::Line last = lineEnd;
		if (editedStart < editedEnd) {
			first = std::min(first, editedStart);
			const Sci::Line movedEnd = editedEnd > lineDoc ?
				std::max(lineDoc + 1, editedEnd + linesAdded) : editedEnd;
			last = std::max(last, movedEnd);
		}
		last = std::min(last, start);
		editedStart = lineLarge;
		editedEnd = lineLarge;
		if (last - first > editedMost)
			return AddRange(first, start);
		if (first < last) {
			editedStart = first;
			editedEnd = last;
		}
		return true;
	}]=] [=[
	bool NeedsWrap() const noexcept {
		return start < end;
	}]=] [=[
	bool NeedsWrap() const noexcept {
		return start < end || editedStart < editedEnd;
	}]=] [=[
		if ((end < lineEnd) || !neededWrap) {
			end = lineEnd;
			changed = true;
		}
		return changed;]=] [=[
		if ((end < lineEnd) || !neededWrap) {
			end = lineEnd;
			changed = true;
		}
		if (start <= editedStart) {
			editedStart = lineLarge;
			editedEnd = lineLarge;
		}
		return changed;]=] [=[
	bool WrapOneLine(Surface *surface, Sci::Line lineToWrap);]=] [=[
	bool WrapOneLine(Surface *surface, Sci::Line lineToWrap);
	bool WrapEditedLines();]=] [=[
	bool redrawPendingText = false;
	bool redrawPendingMargin = false;]=] [=[
	bool redrawPendingText = false;
	bool redrawPendingMargin = false;
	// What was invalidated last since the last paint: a part of it is not invalidated again
	// (a change of Penlet's).
	PRectangle rcPendingText;]=])
