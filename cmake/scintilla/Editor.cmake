# Changes to the component's src/Editor.cxx; cmake/ScintillaChanges.cmake says what each is for.
penlet_change_scintilla_file("${dir}" src/Editor.cxx editor [=[
		// In case in need of wrapping to ensure DisplayFromDoc works.
		if (currentLine >= wrapPending.start) {
			if (WrapLines(WrapScope::wsAll)) {
				Redraw();
			}
		}
		const XYScrollPosition newXY = XYScrollToMakeVisible(]=] [=[
		// Only the paragraphs around the caret are laid out now; the rest follows in the
		// background (a change of Penlet's).
		if (WrapEditedLines()) {
			SetScrollBars();
			Redraw();
		}
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
		const XYScrollPosition newXY = XYScrollToMakeVisible(]=] [=[
	Sci::Line goodTopLine = topLine;
	bool wrapOccurred = false;]=] [=[
	// Lines edited behind the background layout go first (a change of Penlet's).
	const bool editedWrapped = WrapEditedLines();
	Sci::Line goodTopLine = topLine;
	bool wrapOccurred = editedWrapped;
	// Paragraphs laid out in the background off the screen show in the scroll bar alone, and
	// only at every 64th of the text (a change of Penlet's).
	bool offScreen = false;]=] [=[
				ElapsedPeriod epWrapping;]=] [=[
				ElapsedPeriod epWrapping;
				const Sci::Line lineFirstWrapped = lineToWrap;]=] [=[
				durationWrapOneByte.AddSample(bytesBeingWrapped, epWrapping.Duration());
]=] [=[
				durationWrapOneByte.AddSample(bytesBeingWrapped, epWrapping.Duration());
				if (ws == WrapScope::wsIdle) {
					const Sci::Line lineDocBottom = pcs->DocFromDisplay(topLine + LinesOnScreen());
					const long long lines = std::max<Sci::Line>(pdoc->LinesTotal(), 1);
					offScreen = (lineFirstWrapped > lineDocBottom || lineToWrap <= lineDocTop) &&
						lineFirstWrapped * 64LL / lines == lineToWrap * 64LL / lines;
				}
]=] [=[
	if (wrapOccurred) {
		SetScrollBars();
		SetTopLine(std::clamp<Sci::Line>(goodTopLine, 0, MaxScrollPos()));
		SetVerticalScrollPos();
	}]=] [=[
	// The end of the layout shows whatever the last steps did not.
	offScreen = offScreen && wrapPending.NeedsWrap();
	if (wrapOccurred) {
		if (!offScreen) {
			SetScrollBars();
		}
		SetTopLine(std::clamp<Sci::Line>(goodTopLine, 0, MaxScrollPos()));
		if (!offScreen) {
			SetVerticalScrollPos();
		}
	}]=] [=[
	case Message::WrapCount:
		return WrapCount(LineFromUPtr(wParam));
]=] [=[
	case Message::WrapCount:
		return WrapCount(LineFromUPtr(wParam));

	case static_cast<Message>(0x7F00): {
		// Where the rows of document lines begin, each line laid out once on one surface, as the
		// display lines have them or will have them (a message of Penlet's own). Whole lines
		// only: a line with more rows than there is room for is left for a larger buffer.
		struct RowStarts {
			intptr_t line;		// the first line in; the line after the last one done out
			intptr_t lineEnd;	// the line to stop before
			intptr_t *starts;	// the position where each row begins
			intptr_t capacity;	// the room in starts
			intptr_t count;		// the rows written
		};
		RowStarts *rows = static_cast<RowStarts *>(PtrFromSPtr(lParam));
		rows->count = 0;
		const Sci::Line end = std::min<Sci::Line>(rows->lineEnd, pdoc->LinesTotal());
		if (rows->line >= end) {
			return 0;
		}
		pdoc->EnsureStyledTo(pdoc->LineStart(end));
		RefreshStyleData();
		AutoSurface surface(this);
		// A line that the background layout has not reached yet, or that an edit changed
		// behind it, is laid out here, at the width the layout would take.
		if (Wrapping()) {
			PRectangle rcTextArea = GetClientRectangle();
			rcTextArea.left = static_cast<XYPOSITION>(vs.textStart);
			rcTextArea.right -= vs.rightMarginWidth;
			wrapWidth = static_cast<int>(rcTextArea.Width());
		}
		for (; rows->line < end; rows->line++) {
			const Sci::Position start = pdoc->LineStart(rows->line);
			const bool known = rows->line < wrapPending.start &&
				(rows->line < wrapPending.editedStart || rows->line >= wrapPending.editedEnd);
			if (known && pcs->GetHeight(rows->line) <= 1) {
				if (rows->count + 1 > rows->capacity) {
					break;
				}
				rows->starts[rows->count++] = start;
				continue;
			}
			std::shared_ptr<LineLayout> ll = view.RetrieveLineLayout(rows->line, *this);
			if (!surface || !ll) {
				break;
			}
			view.LayoutLine(*this, surface, vs, ll.get(), wrapWidth);
			if (rows->count + ll->lines > rows->capacity) {
				break;
			}
			for (int row = 0; row < ll->lines; row++) {
				rows->starts[rows->count++] = start + ll->LineStart(row);
			}
		}
		return rows->count;
	}
]=] [=[
void Editor::SetSelection(SelectionPosition currentPos_, SelectionPosition anchor_) {
]=] [=[
void Editor::SetSelection(SelectionPosition currentPos_, SelectionPosition anchor_) {
	caretRowEnd = Sci::invalidPosition;  // a change of Penlet's, as in the two below
]=] [=[
void Editor::SetSelection(SelectionPosition currentPos_) {
]=] [=[
void Editor::SetSelection(SelectionPosition currentPos_) {
	caretRowEnd = Sci::invalidPosition;
]=] [=[
void Editor::SetEmptySelection(SelectionPosition currentPos_) {
]=] [=[
void Editor::SetEmptySelection(SelectionPosition currentPos_) {
	caretRowEnd = Sci::invalidPosition;
]=] [=[
Point Editor::PointMainCaret() {
	return LocationFromPosition(sel.Range(sel.Main()).caret);
}
]=] [=[
Point Editor::PointMainCaret() {
	// At the end of a wrapped row, where it stands (a change of Penlet's).
	return LocationFromPosition(sel.Range(sel.Main()).caret,
		CaretAtRowEnd() ? PointEnd::subLineEnd : PointEnd::start);
}
]=] [=[
	const Point pt = LocationFromPosition(range.caret) + ptOrigin;
]=] [=[
	// A caret at the end of a wrapped row is shown on that row (a change of Penlet's).
	const bool atRowEnd = CaretAtRowEnd() && range.caret == sel.RangeMain().caret;
	const Point pt =
		LocationFromPosition(range.caret, atRowEnd ? PointEnd::subLineEnd : PointEnd::start) + ptOrigin;
]=] [=[
	const Point pt = LocationFromPosition(spStart);
	int skipLines = 0;
]=] [=[
	// From the end of a wrapped row, the rows above and below that row (a change of Penlet's).
	const bool fromRowEnd = CaretAtRowEnd() && spStart == sel.RangeMain().caret;
	const Point pt = LocationFromPosition(spStart, fromRowEnd ? PointEnd::subLineEnd : PointEnd::start);
	int skipLines = 0;
]=] [=[
	SelectionPosition posNew = SPositionFromLocation(
		Point::FromInts(lastX - xOffset, static_cast<int>(newY)), false, false, UserVirtualSpace());
]=] [=[
	SelectionPosition posNew = SPositionFromLocation(
		Point::FromInts(lastX - xOffset, static_cast<int>(newY)), false, false, UserVirtualSpace());
	// Past the end of a shorter wrapped row, the caret goes to that end and stays on the row,
	// where the release steps back before its last character (a change of Penlet's).
	caretRowEnd = Sci::invalidPosition;
	if (EndsRowAt(LocationFromPosition(posNew), LocationFromPosition(posNew, PointEnd::subLineEnd),
		static_cast<XYPOSITION>(newY), vs.lineHeight)) {
		caretRowEnd = posNew.Position();
		return posNew;
	}
]=] [=[
int Editor::HorizontalMove(Message iMessage) {
]=] [=[
int Editor::HorizontalMove(Message iMessage) {
	// The caret at the end of a wrapped row, unless a new layout has put that offset inside a row
	// since (a change of Penlet's, as in the keys below).
	const bool wasRowEnd = CaretAtRowEnd() &&
		PointMainCaret().y != LocationFromPosition(sel.MainCaret()).y;
	bool toRowEnd = false;
]=] [=[
			case Message::HomeDisplay:
			case Message::HomeDisplayExtend:
				spCaret = SelectionPosition(StartEndDisplayLine(spCaret.Position(), true));
				break;
]=] [=[
			case Message::HomeDisplay:
			case Message::HomeDisplayExtend:
				spCaret = SelectionPosition(StartEndDisplayLine(wasRowEnd ?
					pdoc->MovePositionOutsideChar(spCaret.Position() - 1, -1) : spCaret.Position(), true));
				break;
]=] [=[
			case Message::LineEndDisplay:
			case Message::LineEndDisplayExtend:
				spCaret = SelectionPosition(StartEndDisplayLine(spCaret.Position(), false));
				break;
]=] [=[
			case Message::LineEndDisplay:
			case Message::LineEndDisplayExtend:
				// A wrapped row ends where the next starts, after its last character, where the
				// release stops before that character; at that end the caret stays.
				toRowEnd = wasRowEnd;
				if (!wasRowEnd) {
					spCaret = SelectionPosition(StartEndDisplayLine(spCaret.Position(), false));
					if (spCaret.Position() >= 0 &&
						spCaret.Position() < pdoc->LineEndPosition(spCaret.Position())) {
						spCaret = SelectionPosition(
							pdoc->MovePositionOutsideChar(spCaret.Position() + 1, 1));
						toRowEnd = true;
					}
				}
				break;
]=] [=[
	}

	sel.RemoveDuplicates();

	MovedCaret(]=] [=[
	}

	sel.RemoveDuplicates();
	caretRowEnd = toRowEnd ? sel.MainCaret() : Sci::invalidPosition;

	MovedCaret(]=] [=[
	lastClick = pt;
	lastXChosen = static_cast<int>(pt.x) + xOffset;
	ShowCaretAtCurrentPosition();
}
]=] [=[
	lastClick = pt;
	lastXChosen = static_cast<int>(pt.x) + xOffset;
	// A click right of a wrapped row's last character leaves the caret at that row's end (a
	// change of Penlet's, as where the button is moved or let go below).
	if (EndsRowAt(LocationFromPosition(sel.MainCaret()),
		LocationFromPosition(sel.MainCaret(), PointEnd::subLineEnd), pt.y, vs.lineHeight)) {
		caretRowEnd = sel.MainCaret();
	}
	ShowCaretAtCurrentPosition();
}
]=] [=[
				} else {
					SetSelection(movePos, sel.RangeMain().anchor);
				}
]=] [=[
				} else {
					SetSelection(movePos, sel.RangeMain().anchor);
					if (EndsRowAt(LocationFromPosition(sel.MainCaret()),
						LocationFromPosition(sel.MainCaret(), PointEnd::subLineEnd), pt.y, vs.lineHeight)) {
						caretRowEnd = sel.MainCaret();
						InvalidateCaret();
					}
				}
]=] [=[
				} else {
					SetSelection(newPos, sel.RangeMain().anchor);
				}
			}
			sel.CommitTentative();
]=] [=[
				} else {
					SetSelection(newPos, sel.RangeMain().anchor);
					if (EndsRowAt(LocationFromPosition(sel.MainCaret()),
						LocationFromPosition(sel.MainCaret(), PointEnd::subLineEnd), pt.y, vs.lineHeight)) {
						caretRowEnd = sel.MainCaret();
					}
				}
			}
			sel.CommitTentative();
]=] [=[
		const Point pt = LocationFromPosition(sel.MainCaret());

		topLineNew = std::clamp]=] [=[
		// From the row the caret stands on (a change of Penlet's).
		const Point pt = PointMainCaret();

		topLineNew = std::clamp]=] [=[
		MovePositionTo(newPos, selt);
		SetVerticalScrollPos();
		Redraw();
	} else {
		MovePositionTo(newPos, selt);
	}
}
]=] [=[
		MovePositionTo(newPos, selt);
		SetVerticalScrollPos();
		Redraw();
	} else {
		MovePositionTo(newPos, selt);
	}
	// Where a page lands at a wrapped row's end, the caret stays on that row as for Up and Down
	// (a change of Penlet's): the x it keeps is nearer that end than the next row's start.
	const Point start = LocationFromPosition(sel.MainCaret());
	const Point end = LocationFromPosition(sel.MainCaret(), PointEnd::subLineEnd);
	const XYPOSITION x = static_cast<XYPOSITION>(lastXChosen - xOffset);
	if (end.y < start.y && std::abs(x - end.x) < std::abs(x - start.x)) {
		caretRowEnd = sel.MainCaret();
		InvalidateCaret();
	}
}
]=] [=[
void Editor::NotifyModified(Document *, DocModification mh, void *) {
	ContainerNeedsUpdate(Update::Content);
]=] [=[
void Editor::NotifyModified(Document *, DocModification mh, void *) {
	ContainerNeedsUpdate(Update::Content);
	// An edit puts the caret back on the usual row, even where it leaves its offset as it was
	// (a change of Penlet's).
	if (FlagSet(mh.modificationType, ModificationFlags::InsertText) ||
		FlagSet(mh.modificationType, ModificationFlags::DeleteText)) {
		caretRowEnd = Sci::invalidPosition;
	}
]=] [=[
using namespace Scintilla::Internal;

namespace {
]=] [=[
using namespace Scintilla::Internal;

namespace {

// Whether a caret that the release draws at `start`, and that stands at `end` as the end of a
// row, ends the row at height `y` (a change of Penlet's).
bool EndsRowAt(Point start, Point end, XYPOSITION y, XYPOSITION lineHeight) noexcept {
	const XYPOSITION row = std::floor(y / lineHeight) * lineHeight;
	return end.y == row && start.y > row;
}
]=] [=[
	case Message::EmptyUndoBuffer:
		pdoc->DeleteUndoHistory();
		return 0;
]=] [=[
	case Message::EmptyUndoBuffer:
		pdoc->DeleteUndoHistory();
		return 0;

	// The bytes of text the undo history holds, and dropping its oldest operations down to
	// wParam bytes (a change of Penlet's).
	case static_cast<Message>(0x7E50):
		return pdoc->UndoBytes();

	case static_cast<Message>(0x7E51):
		pdoc->TrimUndo(PositionFromUPtr(wParam));
		return 0;

	// The bytes that undoing back to the container action wParam puts back.
	case static_cast<Message>(0x7E52):
		return pdoc->UndoInsertBytes(PositionFromUPtr(wParam));

	// The text's gap moved towards wParam by at most lParam bytes; answers where it now is.
	case static_cast<Message>(0x7E53):
		pdoc->GapTowards(PositionFromUPtr(wParam), lParam);
		return pdoc->GapPosition();

	// Room for wParam bytes of text, made by copying at most lParam bytes; 1 once it is had.
	case static_cast<Message>(0x7E54):
		return pdoc->AllocateTowards(PositionFromUPtr(wParam), lParam) ? 1 : 0;
]=] [=[
		if (Wrapping()) {
			NeedWrapping(lineDoc, lineDoc + lines + 1);
		}
		RefreshStyleData();]=] [=[
		// An edit of lines the background layout has passed lays those out again, and the
		// layout goes on where it was (a change of Penlet's).
		if (Wrapping()) {
			if (wrapPending.AddEdit(lineDoc, mh.linesAdded)) {
				view.llc.Invalidate(LineLayout::ValidLevel::positions);
			}
			if (wrapPending.NeedsWrap()) {
				SetIdle(true);
			}
		}
		RefreshStyleData();]=] [=[
bool Editor::WrapOneLine(Surface *surface, Sci::Line lineToWrap) {]=] [=[
// Lays out the lines that an edit changed behind the background layout, the line at the top
// kept where it is; true when their rows changed (a change of Penlet's).
bool Editor::WrapEditedLines() {
	if (!Wrapping() || wrapPending.editedStart >= wrapPending.editedEnd)
		return false;
	const Sci::Line first = wrapPending.editedStart;
	const Sci::Line last = std::min(wrapPending.editedEnd, pdoc->LinesTotal());
	const Sci::Line lineDocTop = pcs->DocFromDisplay(topLine);
	const Sci::Line subLineTop = topLine - pcs->DisplayFromDoc(lineDocTop);
	pdoc->EnsureStyledTo(pdoc->LineStart(last));
	RefreshStyleData();
	AutoSurface surface(this);
	if (!surface)
		return false;
	wrapPending.editedStart = WrapPending::lineLarge;
	wrapPending.editedEnd = WrapPending::lineLarge;
	bool wrapped = false;
	for (Sci::Line line = first; line < last; line++) {
		wrapped = WrapOneLine(surface, line) || wrapped;
	}
	if (wrapped) {
		const Sci::Line top = pcs->DisplayFromDoc(lineDocTop) +
			std::min(subLineTop, static_cast<Sci::Line>(pcs->GetHeight(lineDocTop) - 1));
		SetTopLine(std::clamp<Sci::Line>(top, 0, MaxScrollPos()));
	}
	return wrapped;
}

bool Editor::WrapOneLine(Surface *surface, Sci::Line lineToWrap) {]=] [=[
	if ((rc.bottom > rc.top) && (rc.right > rc.left)) {
		wMain.InvalidateRectangle(rc);
	}]=] [=[
	if ((rc.bottom > rc.top) && (rc.right > rc.left)) {
		// A keystroke invalidates its row three times over (the text, the selection, the
		// caret), each a call to the window server under Wine: a rectangle within the one
		// invalidated last, and not painted since, is still to be painted (a change of
		// Penlet's).
		if (paintState == PaintState::notPainting) {
			if (rcPendingText.Contains(rc))
				return;
			rcPendingText = rc;
		}
		wMain.InvalidateRectangle(rc);
	}]=] [=[
void Editor::Paint(Surface *surfaceWindow, PRectangle rcArea) {
	redrawPendingText = false;
	redrawPendingMargin = false;]=] [=[
void Editor::Paint(Surface *surfaceWindow, PRectangle rcArea) {
	redrawPendingText = false;
	redrawPendingMargin = false;
	rcPendingText = PRectangle();]=] [=[
void Editor::ChangeSize() {
	DropGraphics();]=] [=[
void Editor::ChangeSize() {
	rcPendingText = PRectangle();
	DropGraphics();]=] [=[
		caret.on = true;
		FineTickerCancel(TickReason::caret);
		if (caret.period > 0)
			FineTickerStart(TickReason::caret, caret.period, caret.period/10);
	} else {]=] [=[
		caret.on = true;
		// The blink starts again with the timer set again, without a call to stop it first
		// (a change of Penlet's).
		if (caret.period > 0)
			FineTickerStart(TickReason::caret, caret.period, caret.period/10);
		else
			FineTickerCancel(TickReason::caret);
	} else {]=])
list(APPEND changed_sources "${editor}")
