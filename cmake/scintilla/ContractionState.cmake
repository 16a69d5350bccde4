# Changes to the component's src/ContractionState.cxx; cmake/ScintillaChanges.cmake says what each is for.
penlet_change_scintilla_file("${dir}" src/ContractionState.cxx contraction_state [=[
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
list(APPEND changed_sources "${contraction_state}")
