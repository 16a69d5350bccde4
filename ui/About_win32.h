// The About box "TAboutBox" (unit About): product, version, a short description and a picture,
// shown modally by the About command, hidden again when closed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/system/Win32Support_win32.h"
#include "core/AboutBox.h"

namespace penlet {

inline constexpr char kAboutBoxClass[] = "TAboutBox";

class TAboutBox : public AboutBox {
 public:
  // Creates the box hidden, owned by `owner`. Its loop runs `idle` whenever its queue has run
  // empty, as the program's main loop does.
  TAboutBox(HWND owner, IdleStep idle);
  ~TAboutBox() override;
  TAboutBox(const TAboutBox&) = delete;
  TAboutBox& operator=(const TAboutBox&) = delete;

  HWND Handle() const { return window_.Get(); }
  int ShowModal() override;

  // The Comments label's lines as its designed font wraps them.
  std::vector<std::string> CommentsLines() const;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Fonts, picture, size and button for a screen of `dpi`.
  void SetDpi(int dpi);
  void Paint(HDC dc) const;
  void Finish(int result);

  IdleStep idle_;
  int dpi_ = 96;
  // The fonts outlive the window, whose button uses one.
  OwnedFont dialogFont_;
  OwnedFont productFont_;
  OwnedFont versionFont_;
  OwnedFont ownershipFont_;
  OwnedFont commentsFont_;
  OwnedWindow window_;
  HWND okButton_ = nullptr;
  std::vector<std::uint32_t> picture_;  // 32-bit pixels, rows from the top
  std::vector<bool> pictureClear_;      // the pixels not painted
  bool shownBefore_ = false;
  bool done_ = true;
  int result_ = IDCANCEL;
};

}  // namespace penlet
