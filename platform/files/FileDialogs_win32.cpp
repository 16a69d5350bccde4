// The common file dialogs, with a hook that only places them.
#include "platform/files/FileDialogs_win32.h"

#include <commdlg.h>

#include <cstring>

#include "platform/system/Win32Support_win32.h"

namespace penlet {
namespace {

UINT_PTR CALLBACK PlacingHook(HWND hookDialog, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    // The window to place on travels in lCustData of the OPENFILENAME.
    SetWindowData(hookDialog, FromParam<HWND>(FromParam<const OPENFILENAMEA*>(lParam)->lCustData));
    return 0;
  }
  if (msg == WM_NOTIFY && FromParam<const NMHDR*>(lParam)->code == CDN_INITDONE) {
    // In Explorer style the hook's dialog is a child of the dialog the user sees.
    PlaceWindow(GetParent(hookDialog), WindowData<HWND>(hookDialog), Placement::kCentredUpperThird);
  }
  return 0;
}

}  // namespace

Win32FileDialogs::Win32FileDialogs(HWND owner, HWND placeOn, LeadByteSet leadBytes)
    : owner_(owner), placeOn_(placeOn), leadBytes_(leadBytes) {}

bool Win32FileDialogs::Execute(FileDialogKind kind, FileDialogMemory& memory) {
  const std::string filter = PlatformFilter(memory.filter, leadBytes_);
  char name[MAX_PATH] = {};
  // A remembered path too long for the buffer is not offered rather than offered cut.
  if (memory.fileName.size() < sizeof name) {
    std::memcpy(name, memory.fileName.data(), memory.fileName.size());
  }
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner_;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(memory.filterIndex);
  ofn.lpstrFile = name;
  ofn.nMaxFile = sizeof name;
  ofn.lpstrDefExt = memory.defaultExtension.empty() ? nullptr : memory.defaultExtension.c_str();
  // No existence checks and no overwrite prompt: Save As asks itself.
  ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_ENABLEHOOK;
  ofn.lpfnHook = PlacingHook;
  ofn.lCustData = AsParam(placeOn_);
  static const auto open =
      LibraryFunction<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
  static const auto save =
      LibraryFunction<decltype(GetSaveFileNameA)>("comdlg32.dll", "GetSaveFileNameA");
  const auto dialog = kind == FileDialogKind::kOpen ? open : save;
  const BOOL chosen = dialog && dialog(&ofn);
  if (!chosen) return false;
  memory.fileName = name;
  memory.filterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

}  // namespace penlet
