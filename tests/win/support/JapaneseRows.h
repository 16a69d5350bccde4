// Japanese prose laid out for comparison: the font whose full-width characters all have one
// width (ＭＳ ゴシック), and the rows the fake area gives the same text, which the real area's
// rows are held to.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/system/Encoding.h"
#include "tests/fakes/FakeEditArea.h"

namespace penlet::wintest {

// ＭＳ ゴシック of 16 pixels; the caller deletes it.
inline HFONT CreateGothicFont() {
  return CreateFontA(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0,
                     FIXED_PITCH, Cp932FromUtf8("ＭＳ ゴシック").c_str());
}

// Every row of an area, taken as Send takes them.
inline std::vector<std::string> RowsOf(const EditArea& edit) {
  std::vector<std::string> rows;
  edit.ForEachLine(0, [&](std::string_view row) {
    rows.emplace_back(row);
    return true;
  });
  return rows;
}

// The rows of `text` in the fake area, holding `characters` full-width characters a row.
inline std::vector<std::string> FakeRows(const std::string& text, int characters) {
  FakeEditArea fake;
  fake.SetWrapWidth(characters * 2);
  fake.SetText(text);
  return RowsOf(fake);
}

}  // namespace penlet::wintest
