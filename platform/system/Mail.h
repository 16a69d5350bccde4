// Handing a message body to the system's mail client through Simple MAPI, and the state of
// that binding over a run: checked once, loaded once, released at exit.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace penlet {

// Simple MAPI send flags and results.
inline constexpr std::uint32_t kMapiLogonUi = 0x1;
inline constexpr std::uint32_t kMapiNewSession = 0x2;
inline constexpr std::uint32_t kMapiDialog = 0x8;
inline constexpr std::uint32_t kMapiSendFlags = kMapiLogonUi | kMapiNewSession | kMapiDialog;
inline constexpr std::uint32_t kMapiSuccess = 0;
inline constexpr std::uint32_t kMapiUserAbort = 1;

// The program's send operation.
class MailSystem {
 public:
  virtual ~MailSystem() = default;
  // Offers a new message whose only content is `body` (ANSI code page bytes) to the mail
  // client, which shows it to the user. Returns the client's result, or kMapiUserAbort when
  // there is no mail client to call. The body is the client's to read and even change: built
  // for this message alone, it is handed over as it is, not copied again (a copy held the window
  // for some 23 ms at 50 MB and 85 ms at 200 MB under Wine).
  virtual std::uint32_t Send(std::string body) = 0;
  // Called through the long work of building a body: the window repaints and answers what
  // other programs send it, while input waits (on the system's side; nothing without a window).
  virtual void KeepAnsweringHoldingInput() {}
};

// What the system side answers when asked whether Simple MAPI is registered.
class MapiRegistry {
 public:
  virtual ~MapiRegistry() = default;
  virtual void Version(unsigned& major, unsigned& minor) = 0;
  // The value "MAPI" of HKLM "SOFTWARE\Microsoft\Windows Messaging Subsystem" read into a
  // zeroed buffer of 9 bytes; false when the key does not open or the value is not read.
  virtual bool MessagingValue(char (&buffer)[9]) = 0;
  // The integer entry "MAPI" of the section "Mail" in the system's profile, default 0.
  virtual int ProfileMapi() = 0;
};

// Whether a mail client has registered Simple MAPI: the registry value on systems after
// 3.51, the profile entry before.
bool SimpleMapiRegistered(MapiRegistry& registry);

// The library "MAPI32.DLL" and its entry point "MAPISendMail".
class MapiLibrary {
 public:
  virtual ~MapiLibrary() = default;
  virtual bool Load() = 0;          // by the system's search order
  virtual bool FindSendMail() = 0;  // false when not loaded or without the entry point
  // MAPISendMail(0, 0, {all zero but lpszNoteText = body}, kMapiSendFlags, 0).
  virtual std::uint32_t CallSendMail(std::string body) = 0;
};

// The send operation over a registry and a library: the check is made at the first Send and
// never again; the entry point is looked up until it is found.
class SimpleMapiMail : public MailSystem {
 public:
  SimpleMapiMail(MapiRegistry& registry, MapiLibrary& library)
      : registry_(registry), library_(library) {}
  std::uint32_t Send(std::string body) override;

 private:
  MapiRegistry& registry_;
  MapiLibrary& library_;
  bool checked_ = false;
  bool loaded_ = false;
  bool found_ = false;
};

// The system's Simple MAPI; the library, once loaded, is released when this goes.
std::unique_ptr<MailSystem> NewSystemMail();

}  // namespace penlet
