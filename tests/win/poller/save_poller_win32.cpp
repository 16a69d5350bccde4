// Another program looking at a document while Penlet saves it: it polls the name until told to
// stop and counts the moments it found no file there, or a file that was neither text whole.
// Arguments: the document, the stop file, the result file, and the two texts' lengths; each
// text is one byte repeated ('A' for the first, 'B' for the second).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

enum class Found { kNoFile, kInUse, kFirst, kSecond, kTorn };

Found Look(const char* path, DWORD firstLength, DWORD secondLength, std::vector<char>& buffer) {
  if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Found::kNoFile
                                                                          : Found::kInUse;
  }
  HANDLE file =
      CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return GetLastError() == ERROR_FILE_NOT_FOUND ? Found::kNoFile : Found::kInUse;
  }
  DWORD total = 0;
  DWORD got = 0;
  while (ReadFile(file, buffer.data() + total, static_cast<DWORD>(buffer.size()) - total, &got,
                  nullptr) &&
         got > 0) {
    total += got;
    if (total == buffer.size()) break;
  }
  CloseHandle(file);
  const char first = buffer[0];
  for (DWORD i = 0; i < total; ++i) {
    if (buffer[i] != first) return Found::kTorn;
  }
  if (first == 'A' && total == firstLength) return Found::kFirst;
  if (first == 'B' && total == secondLength) return Found::kSecond;
  return Found::kTorn;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) return 2;
  const DWORD firstLength = static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10));
  const DWORD secondLength = static_cast<DWORD>(std::strtoul(argv[5], nullptr, 10));
  std::vector<char> buffer(std::max(firstLength, secondLength) + 1);
  long counts[5] = {};
  const DWORD start = GetTickCount();
  while (GetFileAttributesA(argv[2]) == INVALID_FILE_ATTRIBUTES &&
         GetTickCount() - start < 120000) {
    ++counts[static_cast<int>(Look(argv[1], firstLength, secondLength, buffer))];
  }
  FILE* out = std::fopen(argv[3], "w");
  if (!out) return 3;
  std::fprintf(out, "%ld %ld %ld %ld %ld\n", counts[0], counts[1], counts[2], counts[3], counts[4]);
  std::fclose(out);
  return 0;
}
