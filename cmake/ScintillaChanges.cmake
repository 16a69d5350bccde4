# Seven changes to Scintilla 5.3.3, made to copies of its sources in the build folder (the unpacked
# release stays as it is):
# - Editor.cxx (1): a caret moved to a paragraph that the background layout has not reached yet lays
#   out the paragraphs around the caret, where the release lays out every one still waiting.
#   Ctrl+End in a freshly opened 50 MB text would otherwise hold the window for seconds. Both
#   sides stay exact: positions count the paragraphs before as laid out so far, and the
#   background layout keeps the paragraph at the top where it is as it goes on.
# - Editor.cxx (2): the background layout of paragraphs off the screen sets the scroll bar at every
#   64th of the text and at its end, where the release sets it, and repaints the whole text, after
#   every few milliseconds of work. Under Wine each setting draws the themed scroll bar through
#   some ten calls to the server: they took more time than the layout itself.
# - Editor.cxx (3): a message of Penlet's own (0x7F00) gives where the rows of many document
#   lines begin, each wrapped line laid out once on one surface. Asked row by row through
#   SCI_POSITIONFROMPOINT, each question made a device context and laid the line out again: the
#   mail body of 50 MB took over a minute.
# - EditView.cxx: a line laid out on one thread is laid out by the caller itself, where the release
#   runs it as a deferred std::async. Built with MinGW's POSIX threads, each such future made and
#   waited for cost a few calls to the system's synchronisation objects, for every line.
# - PositionCache.cxx: word wrap may break between any two characters of which one is
#   double-byte, as Japanese text wraps, while Latin words still wrap at spaces. The release
#   breaks only at spaces and style changes, which would take a style byte for every byte of
#   the text and the time to set them. Wrapping finds the boundaries of double-byte characters
#   in the line's own bytes, where the release looks the line up in the document for each; and
#   the cache of laid out lines lays a new line out in the buffers of the line it replaces, where
#   the release frees them and allocates new ones, line after line.
# - ContractionState.cxx: the lines of a wrapped text that an edit adds or removes are added to
#   or removed from the display's tables as one range, where the release does it line by line.
#   Deleting a 50 MB text, or taking that back, would otherwise spend some 50 ms more on its
#   hundreds of thousands of lines.
# - PlatWin.cxx: text in a double-byte or single-byte code page is measured from a table of each
#   character's width, measured once per font and screen density, where the release asks GDI for
#   every run of every line (and selects the font into the device context for each). Under Wine
#   each such question goes through the graphics driver; laying out 50 MB asked it about a million
#   times and took most of a minute. GDI adds character widths up without kerning, so the sums are
#   the system's own positions; a device context with a transform, extra spacing or a code page
#   other than the text's is measured by the system as before. There, a count of characters that
#   Wine gives in the ANSI code page's bytes is kept within the text: a font of another code page
#   otherwise ran the release past the end of its positions.
#
# penlet_changed_scintilla_sources(<scintilla dir> <sources variable>) puts the changed copies in
# place of the originals in the list of sources.

# Replaces each `release` text by the `changed` text after it in `file` (a path under `dir`) and
# writes the result to the build folder; sets `out` to the copy.
function(penlet_change_scintilla_file dir file out)
  file(READ "${dir}/${file}" source)
  # The texts are read as ARGV<n>: a list would split them at their semicolons.
  math(EXPR last "${ARGC} - 1")
  foreach(i RANGE 3 ${last} 2)
    math(EXPR j "${i} + 1")
    set(release "${ARGV${i}}")
    set(changed "${ARGV${j}}")
    string(FIND "${source}" "${release}" at)
    if(at LESS 0)
      message(FATAL_ERROR "${dir}/${file} is not the Scintilla 5.3.3 that Penlet changes")
    endif()
    string(REPLACE "${release}" "${changed}" source "${source}")
  endforeach()
  get_filename_component(name "${file}" NAME)
  set(target "${CMAKE_BINARY_DIR}/scintilla-changed/${name}")
  # Written only when it differs, so that a new configure does not rebuild it.
  set(old "")
  if(EXISTS "${target}")
    file(READ "${target}" old)
  endif()
  if(NOT old STREQUAL source)
    file(WRITE "${target}" "${source}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${dir}/${file}")
  set(${out} "${target}" PARENT_SCOPE)
endfunction()

function(penlet_changed_scintilla_sources dir sources)
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
	Sci::Line goodTopLine = topLine;
	bool wrapOccurred = false;
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
		// display lines have them (a message of Penlet's own). Whole lines only: a line with
		// more rows than there is room for is left for a larger buffer.
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
		for (; rows->line < end; rows->line++) {
			const Sci::Position start = pdoc->LineStart(rows->line);
			const int height = pcs->GetHeight(rows->line);
			if (rows->count + std::max(height, 1) > rows->capacity) {
				break;
			}
			if (height <= 1) {
				rows->starts[rows->count++] = start;
				continue;
			}
			std::shared_ptr<LineLayout> ll = view.RetrieveLineLayout(rows->line, *this);
			if (!surface || !ll) {
				break;
			}
			view.LayoutLine(*this, surface, vs, ll.get(), wrapWidth);
			for (int row = 0; row < height; row++) {
				rows->starts[rows->count++] = start + ll->LineStart(row);
			}
		}
		return rows->count;
	}
]=])
  penlet_change_scintilla_file("${dir}" src/EditView.cxx edit_view [=[
			std::vector<std::future<void>> futures;
			for (size_t th = 0; th < threads; th++) {]=] [=[
			// One thread is this one, without a future (a change of Penlet's).
			std::vector<std::future<void>> futures;
			if (!multiThreaded) {
				LayoutSegments(pCache, surface, vstyle, ll, segments, nextIndex, textUnicode, multiThreaded);
			}
			for (size_t th = 0; multiThreaded && th < threads; th++) {]=])
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
  penlet_change_scintilla_file("${dir}" win32/PlatWin.cxx plat_win [=[
struct FontGDI : public FontWin {
	HFONT hfont = {};]=] [=[
// The widths of one font's characters on devices of one density, each measured once by GDI (a
// change of Penlet's). GDI adds the widths of a run up character by character, without kerning,
// so the positions in a run are the sums of its characters' widths.
class CharacterWidths {
	static constexpr int unknown = -1;
	// A byte pair that is no character of the code page: the system may read it as two.
	static constexpr int bySystem = -2;
	int codePage;
	int dpi;
	bool usable = false;
	bool lead[256] = {};
	// The 256 single bytes, then every pair of a lead byte and the byte after it.
	std::vector<int> widths;

	int Measure(HDC hdc, const char *character, int bytes) const {
		wchar_t units[2] = {};
		if (bytes == 2 && ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, character, 2, units, 2) != 1) {
			return bySystem;
		}
		INT dx[2] = {};
		SIZE size = {};
		if (!::GetTextExtentExPointA(hdc, character, bytes, 0, nullptr, dx, &size)) {
			return bySystem;
		}
		return dx[bytes - 1];
	}

public:
	// Built with the font selected into `hdc`.
	CharacterWidths(HDC hdc, int codePage_, int dpi_) : codePage(codePage_), dpi(dpi_) {
		// The system reads the bytes of a run in the code page of the font's character set.
		const UINT charset = ::GetTextCharset(hdc);
		UINT systemCodePage = 0;
		CHARSETINFO info = {};
		if (charset == DEFAULT_CHARSET) {
			systemCodePage = ::GetACP();
		} else if (::TranslateCharsetInfo(reinterpret_cast<DWORD *>(static_cast<uintptr_t>(charset)), &info, TCI_SRCCHARSET)) {
			systemCodePage = info.ciACP;
		}
		CPINFO cp = {};
		if (codePage == 0 || systemCodePage != static_cast<UINT>(codePage) || !::GetCPInfo(codePage, &cp)) {
			return;
		}
		for (int i = 0; i + 1 < MAX_LEADBYTES && cp.LeadByte[i]; i += 2) {
			for (int b = cp.LeadByte[i]; b <= cp.LeadByte[i + 1]; b++) {
				lead[b] = true;
			}
		}
		widths.assign(256 + 65536, unknown);
		usable = true;
	}
	bool For(int codePage_, int dpi_) const noexcept {
		return codePage == codePage_ && dpi == dpi_;
	}
	// Fills the position after each byte of `text` as GetTextExtentExPointA would, both bytes of a
	// double-byte character holding its end; false when the system must measure the run itself.
	// `selectFont` is called before a character is measured for the first time.
	template <typename SelectFont>
	bool Positions(HDC hdc, std::string_view text, XYPOSITION *positions, SelectFont selectFont) {
		if (!usable) {
			return false;
		}
		const size_t length = text.length();
		int x = 0;
		for (size_t i = 0; i < length;) {
			const unsigned char byte = text[i];
			size_t bytes = 1;
			size_t index = byte;
			if (lead[byte]) {
				if (i + 1 >= length) {
					return false;
				}
				bytes = 2;
				index = 256 + (static_cast<size_t>(byte) << 8 | static_cast<unsigned char>(text[i + 1]));
			}
			int &width = widths[index];
			if (width == unknown) {
				selectFont();
				width = Measure(hdc, text.data() + i, static_cast<int>(bytes));
			}
			if (width == bySystem) {
				return false;
			}
			x += width;
			positions[i] = static_cast<XYPOSITION>(x);
			if (bytes == 2) {
				positions[i + 1] = static_cast<XYPOSITION>(x);
			}
			i += bytes;
		}
		return true;
	}
};

struct FontGDI : public FontWin {
	HFONT hfont = {};
	mutable std::unique_ptr<CharacterWidths> widths;]=] [=[
	void SetFont(const Font *font_);
	void Clear() noexcept;]=] [=[
	void SetFont(const Font *font_);
	bool MeasureByCharacter(const Font *font_, std::string_view text, XYPOSITION *positions);
	void Clear() noexcept;]=] [=[
void SurfaceGDI::MeasureWidths(const Font *font_, std::string_view text, XYPOSITION *positions) {
	// Zero positions to avoid random behaviour on failure.
	std::fill(positions, positions + text.length(), 0.0f);]=] [=[
bool SurfaceGDI::MeasureByCharacter(const Font *font_, std::string_view text, XYPOSITION *positions) {
	// A table of widths holds what a device context measures only without a transform and
	// without extra spacing between characters (a change of Penlet's).
	const FontGDI *font = dynamic_cast<const FontGDI *>(font_);
	if (!font || mode.codePage == CpUtf8 || ::GetMapMode(hdc) != MM_TEXT ||
		::GetGraphicsMode(hdc) != GM_COMPATIBLE || ::GetTextCharacterExtra(hdc) != 0) {
		return false;
	}
	if (!font->widths || !font->widths->For(mode.codePage, logPixelsY)) {
		SetFont(font_);
		font->widths = std::make_unique<CharacterWidths>(hdc, mode.codePage, logPixelsY);
	}
	return font->widths->Positions(hdc, text, positions, [this, font_]() { SetFont(font_); });
}

void SurfaceGDI::MeasureWidths(const Font *font_, std::string_view text, XYPOSITION *positions) {
	if (MeasureByCharacter(font_, text, positions)) {
		return;
	}
	// Zero positions to avoid random behaviour on failure.
	std::fill(positions, positions + text.length(), 0.0f);]=] [=[
		if (!::GetTextExtentExPointA(hdc, text.data(), len, maxWidthMeasure, &fit, poses.buffer, &sz)) {
			// Eeek - a NULL DC or other foolishness could cause this.
			return;
		}]=] [=[
		if (!::GetTextExtentExPointA(hdc, text.data(), len, maxWidthMeasure, &fit, poses.buffer, &sz)) {
			// Eeek - a NULL DC or other foolishness could cause this.
			return;
		}
		// Wine counts the characters that fit in the ANSI code page's bytes, which are more than
		// the text's when the font reads the text in another code page (a change of Penlet's).
		fit = std::min(fit, len);]=])
  set(list ${${sources}})
  list(FILTER list EXCLUDE REGEX "/(Editor|EditView|PositionCache|ContractionState|PlatWin)\\.cxx$")
  list(APPEND list "${editor}" "${edit_view}" "${position_cache}" "${contraction_state}" "${plat_win}")
  set(${sources} "${list}" PARENT_SCOPE)
endfunction()
