# Changes to the component's src/EditView.cxx; cmake/ScintillaChanges.cmake says what each is for.
penlet_change_scintilla_file("${dir}" src/EditView.cxx edit_view [=[
			std::vector<std::future<void>> futures;
			for (size_t th = 0; th < threads; th++) {]=] [=[
			// One thread is this one, without a future (a change of Penlet's).
			std::vector<std::future<void>> futures;
			if (!multiThreaded) {
				LayoutSegments(pCache, surface, vstyle, ll, segments, nextIndex, textUnicode, multiThreaded);
			}
			for (size_t th = 0; multiThreaded && th < threads; th++) {]=] [=[
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
list(APPEND changed_sources "${edit_view}")
