# Changes to the component's src/PositionCache.cxx; cmake/ScintillaChanges.cmake says what each is for.
penlet_change_scintilla_file("${dir}" src/PositionCache.cxx position_cache [=[
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
					}]=] [=[
	auto CharacterBoundary = [=](Sci::Position i, Sci::Position moveDir) noexcept -> Sci::Position {
		return pdoc->MovePositionOutsideChar(i + posLineStart, moveDir) - posLineStart;
	};]=] [=[
	// Inside the line, a boundary of double-byte characters is found in the line's own bytes as
	// the document would find it, without looking up the line again (a change of Penlet's).
	const bool dbcs = pdoc->dbcsCodePage != 0 && pdoc->dbcsCodePage != 65001;
	auto CharacterBoundary = [=](Sci::Position i, Sci::Position moveDir) noexcept -> Sci::Position {
		if (!dbcs || i <= 0 || i >= numCharsInLine) {
			return pdoc->MovePositionOutsideChar(i + posLineStart, moveDir) - posLineStart;
		}
		if (chars[i - 1] == '\r' && chars[i] == '\n') {
			return moveDir > 0 ? i + 1 : i - 1;
		}
		Sci::Position check = i;
		while (check > 0 && pdoc->IsDBCSLeadByteNoExcept(chars[check - 1])) {
			check--;
		}
		while (check < i) {
			const Sci::Position size =
				(pdoc->IsDBCSLeadByteNoExcept(chars[check]) && pdoc->IsDBCSTrailByteNoExcept(chars[check + 1])) ? 2 : 1;
			if (check + size == i) {
				return i;
			} else if (check + size > i) {
				return moveDir > 0 ? check + size : check;
			}
			check += size;
		}
		return i;
	};]=] [=[
		if (cache[pos] && !cache[pos]->CanHold(lineNumber, maxChars)) {
			cache[pos].reset();
		}]=] [=[
		if (cache[pos] && !cache[pos]->CanHold(lineNumber, maxChars)) {
			// A layout that nothing else holds becomes the new line's in place, keeping its
			// buffers when they are long enough but not far too long (a change of Penlet's): the
			// background layout of a long text would otherwise allocate and free them for every line.
			LineLayout *layout = cache[pos].get();
			const int capacity = layout->maxLineLength;
			if (cache[pos].use_count() == 1 && layout->chars && layout->styles && layout->positions &&
				maxChars <= capacity && capacity <= maxChars * 4 + 1024) {
				std::unique_ptr<char[]> chars = std::move(layout->chars);
				std::unique_ptr<unsigned char[]> styles = std::move(layout->styles);
				std::unique_ptr<XYPOSITION[]> positions = std::move(layout->positions);
				layout->~LineLayout();
				// Made without buffers, which it takes over.
				new (layout) LineLayout(lineNumber, -1);
				layout->chars = std::move(chars);
				layout->styles = std::move(styles);
				layout->positions = std::move(positions);
				layout->maxLineLength = capacity;
			} else {
				cache[pos].reset();
			}
		}]=])
list(APPEND changed_sources "${position_cache}")
