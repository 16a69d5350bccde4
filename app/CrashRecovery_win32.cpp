// The unsaved text written to a file of its own when the program dies of a fault.
//
// By the time of the fault the heap may be broken, so the recovery allocates nothing: what it
// needs was prepared at start, the path is built in a fixed buffer, the editing area's bytes are
// written where they lie, through kernel32 alone. The box that names the file comes last, once
// the file is complete, since showing it takes the heap.
#include "app/CrashRecovery_win32.h"

#include <algorithm>
#include <cstring>

#include "Scintilla.h"
#include "platform/system/Locale.h"
#include "platform/edit/ScintillaEdit_win32.h"
#include "core/PathNames.h"
#include "core/Texts.h"

namespace penlet {
namespace {

constexpr char kRecoveredMark[] = ".recovered-";
constexpr char kRecoveredExtension[] = ".txt";
// Exit code of the process after std::terminate, as std::abort gives.
constexpr UINT kTerminateExitCode = 3;

// Copies the code page 932 text `text` into `buffer`, cut to fit; returns its length.
template <size_t N>
size_t CopyText(const std::string& text, char (&buffer)[N]) {
  const size_t length = std::min(text.size(), N - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return length;
}

bool WriteAll(HANDLE file, const char* bytes, std::intptr_t count) {
  while (count > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::intptr_t>(count, 1 << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0) return false;
    bytes += written;
    count -= written;
  }
  return true;
}

// The bytes [from, to) of a text held in two pieces, `before` its gap and `after` it.
bool WriteRange(HANDLE file, const char* before, std::intptr_t beforeLength, const char* after,
                std::intptr_t from, std::intptr_t to) {
  const std::intptr_t split = std::min(to, beforeLength);
  if (from < split && !WriteAll(file, before + from, split - from)) return false;
  const std::intptr_t start = std::max(from, beforeLength);
  return start >= to || WriteAll(file, after + (start - beforeLength), to - start);
}

}  // namespace

CrashRecovery* CrashRecovery::installed_ = nullptr;
volatile LONG CrashRecovery::recoveringThread_ = 0;

bool CrashRecovery::Pieces::operator==(const Pieces& other) const {
  return before == other.before && beforeLength == other.beforeLength && after == other.after &&
         afterLength == other.afterLength;
}

void CrashRecovery::PathBuffer::Append(const char* bytes, size_t count) {
  // One byte stays free for the terminating NUL.
  if (!fits || count >= sizeof text - length) {
    fits = false;
    return;
  }
  std::memcpy(text + length, bytes, count);
  length += count;
  text[length] = '\0';
}

void CrashRecovery::PathBuffer::AppendNumber(unsigned value, int digits) {
  char number[12];
  int count = 0;
  do {
    number[sizeof number - 1 - count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0 || count < digits);
  Append(number + sizeof number - count, static_cast<size_t>(count));
}

CrashRecovery::CrashRecovery(const ScintillaEdit& edit, const std::string& documentPath)
    : edit_(edit), documentPath_(documentPath), leadBytes_(AnsiLeadBytes()) {
  direct_ =
      reinterpret_cast<DirectFunction>(SendMessageW(edit.Handle(), SCI_GETDIRECTFUNCTION, 0, 0));
  directPointer_ = reinterpret_cast<void*>(SendMessageW(edit.Handle(), SCI_GETDIRECTPOINTER, 0, 0));
  const DWORD start = GetCurrentDirectoryA(sizeof startFolder_, startFolder_);
  if (start == 0 || start >= sizeof startFolder_) startFolder_[0] = '\0';
  const DWORD temp = GetTempPathA(sizeof tempFolder_, tempFolder_);
  if (temp == 0 || temp >= sizeof tempFolder_) tempFolder_[0] = '\0';
  CopyText(Ansi(texts::kUntitledName), untitledName_);
  CopyText(Ansi(texts::kAppTitle), caption_);
  CopyText(Ansi(texts::kRecoveryFailedText), failedText_);
  messageLead_ = CopyText(Ansi(texts::kRecoveredText), message_);

  installed_ = this;
  previousFilter_ = SetUnhandledExceptionFilter(&CrashRecovery::Filter);
  previousTerminate_ = std::set_terminate(&CrashRecovery::Terminate);
}

CrashRecovery::~CrashRecovery() {
  std::set_terminate(previousTerminate_);
  SetUnhandledExceptionFilter(previousFilter_);
  installed_ = nullptr;
}

LONG WINAPI CrashRecovery::Filter(EXCEPTION_POINTERS* exception) {
  if (Enter(exception->ExceptionRecord->ExceptionCode)) installed_->Recover();
  // The process ends now, with the exception's code, and no debugger or crash dialog of the
  // system is started.
  return EXCEPTION_EXECUTE_HANDLER;
}

void CrashRecovery::Terminate() {
  if (Enter(kTerminateExitCode)) installed_->Recover();
  // Ended here rather than by std::abort, whose runtime would show a box of its own.
  for (;;) TerminateProcess(GetCurrentProcess(), kTerminateExitCode);
}

bool CrashRecovery::Enter(UINT exitCode) {
  const LONG self = static_cast<LONG>(GetCurrentThreadId());
  const LONG owner = InterlockedCompareExchange(&recoveringThread_, self, 0);
  if (owner == 0) return installed_ != nullptr;
  // A second fault in the middle of the recovery: trying again could only fault again.
  if (owner == self) {
    for (;;) TerminateProcess(GetCurrentProcess(), exitCode);
  }
  // Another thread is writing the text; it ends the process when it is done.
  for (;;) Sleep(INFINITE);
}

void CrashRecovery::Recover() {
  // A document as it was opened or saved is in its file already.
  if (!edit_.Modified()) return;
  GetLocalTime(&now_);

  // Beside the document; for an untitled one, or when that fails, in the temporary folder.
  const char* document = documentPath_.c_str();
  const size_t length = documentPath_.size();
  const size_t nameStart = FileNameStart(documentPath_, leadBytes_);
  const char* name = length > nameStart ? document + nameStart : untitledName_;
  const size_t nameLength = length > nameStart ? length - nameStart : std::strlen(untitledName_);
  bool written = false;
  if (length > 0) {
    folder_.length = 0;
    folder_.fits = true;
    PrefixFor(document, length, folder_);
    folder_.Append(document, nameStart);
    written = folder_.fits && WriteInto(folder_.text, folder_.length, name, nameLength);
  }
  if (!written && tempFolder_[0]) {
    written = WriteInto(tempFolder_, std::strlen(tempFolder_), name, nameLength);
  }

  const UINT style = MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_TOPMOST | MB_SETFOREGROUND;
  if (written) {
    std::memcpy(message_ + messageLead_, path_.text, path_.length + 1);
    MessageBoxA(nullptr, message_, caption_, style);
  } else {
    MessageBoxA(nullptr, failedText_, caption_, style);
  }
}

void CrashRecovery::PrefixFor(const char* path, size_t length, PathBuffer& folder) const {
  // "C:\dir\name" and "C:name" (the drive's own current folder) stand as they are.
  if (length >= 2 && path[1] == ':') return;
  auto separator = [](char c) { return c == '\\' || c == '/'; };
  if (length >= 1 && separator(path[0])) {
    // "\\server\share\name" stands as it is; "\dir\name" is on the start-up folder's drive.
    if (length >= 2 && separator(path[1])) return;
    if (startFolder_[0] && startFolder_[1] == ':') folder.Append(startFolder_, 2);
    return;
  }
  const size_t start = std::strlen(startFolder_);
  if (start == 0) return;
  folder.Append(startFolder_, start);
  if (FileNameStart(std::string_view(startFolder_, start), leadBytes_) != start) {
    folder.Append("\\", 1);
  }
}

bool CrashRecovery::WriteInto(const char* folder, size_t folderLength, const char* name,
                              size_t nameLength) {
  // Never over an existing file: a name that is taken gets a number.
  for (unsigned attempt = 1; attempt <= 100; ++attempt) {
    path_.length = 0;
    path_.fits = true;
    path_.Append(folder, folderLength);
    path_.Append(name, nameLength);
    path_.Append(kRecoveredMark, sizeof kRecoveredMark - 1);
    path_.AppendNumber(now_.wYear, 4);
    path_.AppendNumber(now_.wMonth, 2);
    path_.AppendNumber(now_.wDay, 2);
    path_.Append("-", 1);
    path_.AppendNumber(now_.wHour, 2);
    path_.AppendNumber(now_.wMinute, 2);
    path_.AppendNumber(now_.wSecond, 2);
    if (attempt > 1) {
      path_.Append("-", 1);
      path_.AppendNumber(attempt, 1);
    }
    path_.Append(kRecoveredExtension, sizeof kRecoveredExtension - 1);
    if (!path_.fits) return false;

    HANDLE file = CreateFileA(path_.text, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      return false;
    }
    const bool written = WriteText(file);
    if (CloseHandle(file) && written) return true;
    // Half a text under this name would pass for the whole.
    DeleteFileA(path_.text);
    return false;
  }
  return false;
}

CrashRecovery::Pieces CrashRecovery::TextPieces() const {
  // Each range lies wholly on one side of the component's gap, so it hands out the pointer
  // without moving the text to close the gap.
  const std::intptr_t length = direct_(directPointer_, SCI_GETLENGTH, 0, 0);
  const std::intptr_t gap =
      std::clamp<std::intptr_t>(direct_(directPointer_, SCI_GETGAPPOSITION, 0, 0), 0, length);
  Pieces pieces{nullptr, gap, nullptr, length - gap};
  if (gap > 0) {
    pieces.before =
        reinterpret_cast<const char*>(direct_(directPointer_, SCI_GETRANGEPOINTER, 0, gap));
  }
  if (length > gap) {
    pieces.after = reinterpret_cast<const char*>(
        direct_(directPointer_, SCI_GETRANGEPOINTER, gap, length - gap));
  }
  return pieces;
}

bool CrashRecovery::WriteText(HANDLE file) const {
  if (!direct_) return false;
  // When another thread faulted, the window's thread still runs and may move the text while it
  // is being written: then it is written again.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const Pieces pieces = TextPieces();
    if ((pieces.beforeLength > 0 && !pieces.before) || (pieces.afterLength > 0 && !pieces.after)) {
      return false;
    }
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        !SetEndOfFile(file)) {
      return false;
    }
    // A composition the user had not committed yet is no part of the text.
    const std::intptr_t length = pieces.beforeLength + pieces.afterLength;
    const Selection draft = edit_.Draft();
    const std::intptr_t draftStart = std::clamp<std::intptr_t>(draft.start, 0, length);
    const std::intptr_t draftEnd = std::clamp<std::intptr_t>(draft.end, draftStart, length);
    if (!WriteRange(file, pieces.before, pieces.beforeLength, pieces.after, 0, draftStart) ||
        !WriteRange(file, pieces.before, pieces.beforeLength, pieces.after, draftEnd, length)) {
      return false;
    }
    if (TextPieces() == pieces) return true;
  }
  return false;
}

}  // namespace penlet
