// A Scintilla window and the direct calls into it, shared by the editing area and the print
// surface.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/system/Win32Support_win32.h"

namespace penlet {

// A Scintilla window and the calls into it, without the editing area's reports: shared by the
// editing area and the print surface.
class ScintillaWindow {
 public:
  // Creates the window as a child of `parent` (registering Scintilla's classes the first time),
  // set up for plain text in the ANSI code page with CR LF line breaks and no margins.
  ScintillaWindow(HWND parent, int id, DWORD style, DWORD exStyle);
  ~ScintillaWindow();
  ScintillaWindow(const ScintillaWindow&) = delete;
  ScintillaWindow& operator=(const ScintillaWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  // The call straight into the component, without a message.
  std::intptr_t Call(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) const;
  // The call with a pointer for its second parameter.
  std::intptr_t CallWithPointer(unsigned message, std::uintptr_t wParam,
                                const void* pointer) const {
    return Call(message, wParam, AsParam<std::intptr_t>(pointer));
  }
  // The call whose answer is a pointer to a `T`.
  template <typename T>
  T* CallForPointer(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) const {
    return FromParam<T*>(Call(message, wParam, lParam));
  }
  // The font of the whole text, in the default style: face, size and weight of `font`, whose
  // height is in pixels at `dpi` dots per inch.
  void SetFont(HFONT font, int dpi = 96);
  // Makes `document` (from a loader or SCI_CREATEDOCUMENT) current and releases the caller's
  // reference to it.
  void UseDocument(void* document);
  // Takes the text as styled as far as `position` asks (SCN_STYLENEEDED).
  void StyleTo(std::intptr_t position);
  // Tab stops `pixels` apart, in this document and every one the window takes later.
  void SetTabStops(int pixels);

 private:
  void SetUpDocument();
  // Control characters and bytes that make no character drawn as the font draws what the code
  // page makes of them, where the component would draw named boxes.
  void DrawBytesAsTheFontDoes();

  HWND hwnd_ = nullptr;
  using DirectFunction = std::intptr_t(__cdecl*)(void*, unsigned, std::uintptr_t, std::intptr_t);
  DirectFunction direct_ = nullptr;
  void* directPointer_ = nullptr;
  int tabPixels_ = 0;  // 0: the component's own tab stops
};

}  // namespace penlet
