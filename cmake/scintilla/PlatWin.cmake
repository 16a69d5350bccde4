# Changes to the component's win32/PlatWin.cxx; cmake/ScintillaChanges.cmake says what each is for.
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
list(APPEND changed_sources "${plat_win}")
