// Simple MAPI on Win32: the registry and profile check, and MAPI32.DLL loaded at the first
// Send and released when the program ends.
#include <windows.h>

#include <string>
#include <utility>

#include "platform/system/Mail.h"
#include "platform/system/Win32Support_win32.h"

namespace penlet {
namespace {

// The Simple MAPI records, as MAPI.H lays them out; the program fills only the note text.
struct MapiRecipDesc;
struct MapiFileDesc;
struct MapiMessage {
  ULONG ulReserved;
  LPSTR lpszSubject;
  LPSTR lpszNoteText;
  LPSTR lpszMessageType;
  LPSTR lpszDateReceived;
  LPSTR lpszConversationID;
  ULONG flFlags;
  MapiRecipDesc* lpOriginator;
  ULONG nRecipCount;
  MapiRecipDesc* lpRecips;
  ULONG nFileCount;
  MapiFileDesc* lpFiles;
};
using SendMailProc = ULONG(WINAPI*)(ULONG_PTR session, ULONG_PTR uiParam, MapiMessage* message,
                                    ULONG flags, ULONG reserved);

class Win32MapiRegistry : public MapiRegistry {
 public:
  void Version(unsigned& major, unsigned& minor) override {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&info);
#pragma GCC diagnostic pop
    major = info.dwMajorVersion;
    minor = info.dwMinorVersion;
  }

  bool MessagingValue(char (&buffer)[9]) override {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows Messaging Subsystem", 0,
                      KEY_READ, &opened) != ERROR_SUCCESS) {
      return false;
    }
    const OwnedRegistryKey key(opened);
    DWORD size = sizeof buffer;
    return RegQueryValueExA(key.Get(), "MAPI", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                            &size) == ERROR_SUCCESS;
  }

  int ProfileMapi() override {
    return static_cast<int>(GetProfileIntA("Mail", "MAPI", 0));
  }
};

class Win32MapiLibrary : public MapiLibrary {
 public:
  bool Load() override {
    module_.Reset(LoadLibraryA("MAPI32.DLL"));
    return static_cast<bool>(module_);
  }

  bool FindSendMail() override {
    if (!module_) return false;
    sendMail_ = LibraryFunction<SendMailProc>(module_.Get(), "MAPISendMail");
    return sendMail_ != nullptr;
  }

  std::uint32_t CallSendMail(std::string body) override {
    MapiMessage message{};
    // The client may change the text it is given: this one goes after the call.
    message.lpszNoteText = body.data();
    return sendMail_(0, 0, &message, kMapiSendFlags, 0);
  }

 private:
  OwnedLibrary module_;
  SendMailProc sendMail_ = nullptr;
};

class Win32Mail : public MailSystem {
 public:
  Win32Mail() : mail_(registry_, library_) {}
  std::uint32_t Send(std::string body) override { return mail_.Send(std::move(body)); }
  void KeepAnsweringHoldingInput() override { answering_.Due(); }

 private:
  Answering answering_;
  Win32MapiRegistry registry_;
  Win32MapiLibrary library_;
  SimpleMapiMail mail_;
};

}  // namespace

std::unique_ptr<MailSystem> NewSystemMail() {
  return std::make_unique<Win32Mail>();
}

}  // namespace penlet
