// A stand-in MAPI32.DLL for the Windows-side tests: MAPISendMail writes what it received to the
// file named by PENLET_MAPI_RECORD and returns the number in PENLET_MAPI_RESULT (0 without it).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct MapiMessage {
  ULONG ulReserved;
  LPSTR lpszSubject;
  LPSTR lpszNoteText;
  LPSTR lpszMessageType;
  LPSTR lpszDateReceived;
  LPSTR lpszConversationID;
  ULONG flFlags;
  void* lpOriginator;
  ULONG nRecipCount;
  void* lpRecips;
  ULONG nFileCount;
  void* lpFiles;
};

std::string Env(const char* name) {
  char value[MAX_PATH * 2];
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

}  // namespace

// The record: lines "name=value", then "body=" and the body's bytes to the end of the file
// ("nobody" in place of that line when the note text was a null pointer).
extern "C" ULONG WINAPI MAPISendMail(ULONG_PTR session, ULONG_PTR uiParam, MapiMessage* message,
                                     ULONG flags, ULONG reserved) {
  const std::string path = Env("PENLET_MAPI_RECORD");
  if (!path.empty() && message != nullptr) {
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
      const MapiMessage& m = *message;
      const bool othersZero = m.ulReserved == 0 && !m.lpszSubject && !m.lpszMessageType &&
                              !m.lpszDateReceived && !m.lpszConversationID && m.flFlags == 0 &&
                              !m.lpOriginator && !m.lpRecips && !m.lpFiles;
      std::fprintf(out, "session=%lu\nui=%lu\nflags=%lu\nreserved=%lu\n",
                   static_cast<unsigned long>(session), static_cast<unsigned long>(uiParam),
                   static_cast<unsigned long>(flags), static_cast<unsigned long>(reserved));
      std::fprintf(out, "recipients=%lu\nfiles=%lu\nothers=%s\n",
                   static_cast<unsigned long>(m.nRecipCount),
                   static_cast<unsigned long>(m.nFileCount), othersZero ? "zero" : "set");
      if (m.lpszNoteText) {
        std::fprintf(out, "body=");
        std::fwrite(m.lpszNoteText, 1, std::strlen(m.lpszNoteText), out);
      } else {
        std::fprintf(out, "nobody");
      }
      std::fclose(out);
    }
  }
  const std::string result = Env("PENLET_MAPI_RESULT");
  return result.empty() ? 0 : static_cast<ULONG>(std::strtoul(result.c_str(), nullptr, 10));
}
