// Recording a page of the print surface and drawing its text on the printer line by line.
#include "platform/print/PrintPage_win32.h"

#include <cstring>

namespace penlet {
namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255);

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// A record of `records` at `at`, when it lies wholly inside and is at least as long as a `T`.
template <typename T>
const T* RecordAt(const std::vector<BYTE>& records, size_t at) {
  const auto* head = reinterpret_cast<const EMR*>(records.data() + at);
  if (head->nSize < sizeof(T) || at + head->nSize > records.size()) return nullptr;
  return reinterpret_cast<const T*>(head);
}

// What the recording device context holds while the records are read.
struct DrawingState {
  int font = -1;  // index into the fonts made by the records; -1 for a font of the system's
  UINT align = 0;
  COLORREF colour = 0;
  COLORREF background = kPaper;
  int backgroundMode = OPAQUE;
};

// Whether the glyphs of `line` stand where the font selected in `dc` would put them anyway.
bool OwnSpacing(HDC dc, const PagePrinter::Line& line) {
  std::vector<INT> extents(line.text.size());
  SIZE size{};
  if (!GetTextExtentExPointW(dc, line.text.data(), static_cast<int>(line.text.size()), 0, nullptr,
                             extents.data(), &size)) {
    return false;
  }
  INT end = 0;
  for (size_t i = 0; i < extents.size(); ++i) {
    end += line.dx[i];
    if (extents[i] != end) return false;
  }
  return true;
}

}  // namespace

LONG PagePrinter::Line::End() const {
  LONG end = x;
  for (INT step : dx) end += step;
  return end;
}

bool PagePrinter::ReadLines(const std::vector<BYTE>& records, std::vector<Line>& lines) {
  std::vector<std::pair<DWORD, LOGFONTW>> fonts;  // by the records' handle numbers
  DrawingState state;
  std::vector<DrawingState> saved;
  for (size_t at = 0; at + sizeof(EMR) <= records.size();) {
    const auto* head = reinterpret_cast<const EMR*>(records.data() + at);
    if (head->nSize < sizeof(EMR) || head->nSize % 4 || at + head->nSize > records.size()) {
      return false;
    }
    switch (head->iType) {
      case EMR_HEADER:
      case EMR_EOF:
      case EMR_GDICOMMENT:
      // Clipping only keeps each run inside its line, where the text lies anyway.
      case EMR_INTERSECTCLIPRECT:
      case EMR_EXCLUDECLIPRECT:
      case EMR_EXTSELECTCLIPRGN:
      case EMR_SETMETARGN:
      // Pens and brushes that nothing draws with.
      case EMR_CREATEPEN:
      case EMR_EXTCREATEPEN:
      case EMR_CREATEBRUSHINDIRECT:
      case EMR_MOVETOEX:
      case EMR_SETBRUSHORGEX:
      case EMR_SETMITERLIMIT:
      case EMR_SETROP2:
      case EMR_SETPOLYFILLMODE:
      case EMR_SETSTRETCHBLTMODE:
      case EMR_SETICMMODE:
        break;
      case EMR_SETMAPMODE: {
        const auto* r = RecordAt<EMRSETMAPMODE>(records, at);
        if (!r || r->iMode != MM_TEXT) return false;
        break;
      }
      case EMR_SAVEDC:
        saved.push_back(state);
        break;
      case EMR_RESTOREDC: {
        const auto* r = RecordAt<EMRRESTOREDC>(records, at);
        if (!r) return false;
        const LONG back =
            r->iRelative < 0 ? -r->iRelative : static_cast<LONG>(saved.size()) + 1 - r->iRelative;
        if (back <= 0 || static_cast<size_t>(back) > saved.size()) return false;
        saved.resize(saved.size() - back + 1);
        state = saved.back();
        saved.pop_back();
        break;
      }
      case EMR_SETTEXTALIGN: {
        const auto* r = RecordAt<EMRSETTEXTALIGN>(records, at);
        if (!r) return false;
        state.align = r->iMode;
        break;
      }
      case EMR_SETTEXTCOLOR: {
        const auto* r = RecordAt<EMRSETTEXTCOLOR>(records, at);
        if (!r) return false;
        state.colour = r->crColor;
        break;
      }
      case EMR_SETBKCOLOR: {
        const auto* r = RecordAt<EMRSETBKCOLOR>(records, at);
        if (!r) return false;
        state.background = r->crColor;
        break;
      }
      case EMR_SETBKMODE: {
        const auto* r = RecordAt<EMRSETBKMODE>(records, at);
        if (!r) return false;
        state.backgroundMode = static_cast<int>(r->iMode);
        break;
      }
      case EMR_EXTCREATEFONTINDIRECTW: {
        // The record may carry only the LOGFONTW of the EXTLOGFONTW it declares.
        const auto* r = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(head);
        if (head->nSize < offsetof(EMREXTCREATEFONTINDIRECTW, elfw) + sizeof(LOGFONTW)) {
          return false;
        }
        fonts.emplace_back(r->ihFont, r->elfw.elfLogFont);
        break;
      }
      case EMR_SELECTOBJECT: {
        const auto* r = RecordAt<EMRSELECTOBJECT>(records, at);
        if (!r) return false;
        if (r->ihObject & 0x80000000u) {
          // A stock object: only a stock font matters, as text would then be drawn in it.
          const DWORD stock = r->ihObject & 0x7FFFFFFFu;
          if (stock >= OEM_FIXED_FONT && stock <= DEFAULT_GUI_FONT && stock != DEFAULT_PALETTE) {
            state.font = -1;
          }
          break;
        }
        for (size_t i = fonts.size(); i-- > 0;) {
          if (fonts[i].first == r->ihObject) {
            state.font = static_cast<int>(i);
            break;
          }
        }
        break;
      }
      case EMR_DELETEOBJECT:
        // A handle number may come back for a new object; the newest with a number wins.
        break;
      case EMR_EXTTEXTOUTW: {
        const auto* r = RecordAt<EMREXTTEXTOUTW>(records, at);
        if (!r) return false;
        const EMRTEXT& t = r->emrtext;
        if (t.fOptions & (ETO_GLYPH_INDEX | ETO_PDY | ETO_RTLREADING)) return false;
        // A box of another colour than the paper's, behind the text or on its own.
        const bool box =
            (t.fOptions & ETO_OPAQUE) || (t.nChars > 0 && state.backgroundMode == OPAQUE);
        if (box && state.background != kPaper) return false;
        if (t.nChars == 0) break;
        if (state.font < 0 || (state.align & TA_UPDATECP)) return false;
        if (t.offString + t.nChars * sizeof(WCHAR) > head->nSize || !t.offDx ||
            t.offDx + t.nChars * sizeof(INT) > head->nSize) {
          return false;
        }
        const auto* base = reinterpret_cast<const BYTE*>(head);
        const auto* text = reinterpret_cast<const WCHAR*>(base + t.offString);
        const auto* dx = reinterpret_cast<const INT*>(base + t.offDx);
        const LOGFONTW& font = fonts[state.font].second;
        Line* last = lines.empty() ? nullptr : &lines.back();
        // A run that goes on along the same baseline, left to right, joins the line; the last
        // glyph before it steps to where the run was drawn.
        const bool joins = last && SameFont(last->font, font) && last->align == state.align &&
                           last->colour == state.colour && last->y == t.ptlReference.y &&
                           (state.align & (TA_CENTER | TA_RIGHT)) == 0 &&
                           t.ptlReference.x >= last->End() - last->dx.back();
        if (joins) {
          last->dx.back() += t.ptlReference.x - last->End();
        } else {
          lines.emplace_back();
          last = &lines.back();
          last->font = font;
          last->align = state.align;
          last->colour = state.colour;
          last->x = t.ptlReference.x;
          last->y = t.ptlReference.y;
        }
        last->text.append(text, t.nChars);
        last->dx.insert(last->dx.end(), dx, dx + t.nChars);
        break;
      }
      default:
        return false;
    }
    at += head->nSize;
  }
  return true;
}

PagePrinter::PagePrinter(HDC printer) : printer_(printer) {}

PagePrinter::~PagePrinter() {
  if (recording_) DeleteEnhMetaFile(CloseEnhMetaFile(recording_));
  if (originalFont_) SelectObject(printer_, originalFont_);
  for (auto& font : fonts_) DeleteObject(font.second);
}

HDC PagePrinter::StartRecording() {
  if (recording_) DeleteEnhMetaFile(CloseEnhMetaFile(recording_));
  recording_ = CreateEnhMetaFileW(printer_, nullptr, nullptr, nullptr);
  return recording_;
}

HFONT PagePrinter::FontFor(const LOGFONTW& face) {
  for (const auto& font : fonts_) {
    if (SameFont(font.first, face)) return font.second;
  }
  HFONT font = CreateFontIndirectW(&face);
  fonts_.emplace_back(face, font);
  return font;
}

bool PagePrinter::DrawRecording() {
  if (!recording_) return false;
  HENHMETAFILE page = CloseEnhMetaFile(recording_);
  recording_ = nullptr;
  if (!page) return false;
  std::vector<BYTE> records(GetEnhMetaFileBits(page, 0, nullptr));
  GetEnhMetaFileBits(page, static_cast<UINT>(records.size()), records.data());
  DeleteEnhMetaFile(page);
  std::vector<Line> lines;
  if (!ReadLines(records, lines)) return false;

  SetBkMode(printer_, TRANSPARENT);
  // A font selected again is a font the driver hears of again: once a page is enough.
  HFONT selected = nullptr;
  for (const Line& line : lines) {
    if (HFONT font = FontFor(line.font); font != selected) {
      HGDIOBJ before = SelectObject(printer_, font);
      if (!originalFont_) originalFont_ = before;
      selected = font;
    }
    SetTextAlign(printer_, line.align);
    SetTextColor(printer_, line.colour);
    // The driver places every glyph on its own when it is given their spacing: where that is the
    // font's own, the glyphs simply follow one another.
    const INT* dx = OwnSpacing(printer_, line) ? nullptr : line.dx.data();
    ExtTextOutW(printer_, line.x, line.y, 0, nullptr, line.text.data(),
                static_cast<UINT>(line.text.size()), dx);
  }
  return true;
}

}  // namespace penlet
