// Save of a long Shift-JIS document in the real main window: the document is opened from a temp
// file and saved over it with the Save command. The size in MB on the command line (10 unless
// given).
#include <cstdlib>

#include "bench/Bench_win32.h"

namespace {

using namespace bench;

std::string ReadBack(const std::string& path) {
  std::string bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  CloseHandle(file);
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  const int mb = argc > 1 ? std::atoi(argv[1]) : 10;
  const std::string text = MakeDocument(static_cast<size_t>(mb) << 20);
  const std::string path = WriteDocument(text, "penlet_save_bench.txt");
  Penlet penlet;
  penlet.Form().OpenDocument(path);
  WaitForWrap(penlet.Edit());
  for (int i = 0; i < 3; ++i) {
    const auto start = Clock::now();
    penlet.Form().FileSave1Execute();
    const double saveMs = MsSince(start);
    std::printf("save %2d MB (%zu bytes): %8.1f ms, file %s\n", mb, text.size(), saveMs,
                ReadBack(path) == text ? "right" : "WRONG");
  }
  DeleteFileA(path.c_str());
  return 0;
}
