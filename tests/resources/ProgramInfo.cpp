// ProgramInfo PROGRAM MANIFEST: prints the version information as Explorer shows it,
// and fails when the manifest resource differs from the built one.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const void* Query(const std::string& block, const wchar_t* path) {
  void* found = nullptr;
  UINT length = 0;
  return VerQueryValueW(block.data(), path, &found, &length) && length > 0 ? found : nullptr;
}

void PrintVersion(const char* field, DWORD high, DWORD low) {
  std::printf("%-18s %u.%u.%u.%u\n", field, HIWORD(high), LOWORD(high), HIWORD(low), LOWORD(low));
}

std::string Manifest(const char* program) {
  HMODULE module = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HRSRC found = FindResourceA(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  auto bytes = static_cast<const char*>(loaded != nullptr ? LockResource(loaded) : nullptr);
  return bytes != nullptr ? std::string(bytes, SizeofResource(module, found)) : "";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    return 2;
  }
  std::wstring program(argv[1], argv[1] + std::strlen(argv[1]));  // an ASCII path
  std::string block(GetFileVersionInfoSizeW(program.c_str(), nullptr), '\0');
  if (block.empty() || !GetFileVersionInfoW(program.c_str(), 0, block.size(), &block[0])) {
    return 1;
  }
  auto fixed = static_cast<const VS_FIXEDFILEINFO*>(Query(block, L"\\"));
  auto translation = static_cast<const WORD*>(Query(block, L"\\VarFileInfo\\Translation"));
  if (fixed == nullptr || translation == nullptr) {
    return 1;
  }
  auto text = [&](const char* field, const wchar_t* name) {
    auto found = static_cast<const wchar_t*>(
        Query(block, (std::wstring(L"\\StringFileInfo\\040904B0\\") + name).c_str()));
    std::printf("%-18s %ls\n", field, found != nullptr ? found : L"(none)");
  };
  wchar_t language[64] = L"";
  VerLanguageNameW(translation[0], language, 64);
  // In the order of Explorer's Details tab.
  text("File description", L"FileDescription");
  PrintVersion("File version", fixed->dwFileVersionMS, fixed->dwFileVersionLS);
  text("Product name", L"ProductName");
  text("Product version", L"ProductVersion");
  PrintVersion("  (as numbers)", fixed->dwProductVersionMS, fixed->dwProductVersionLS);
  std::printf("%-18s %ls (%04X)\n", "Language", language, translation[0]);
  text("Original filename", L"OriginalFilename");

  std::ifstream file(argv[2], std::ios::binary);
  std::string built((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::string embedded = Manifest(argv[1]);
  bool asBuilt = !built.empty() && embedded == built;
  std::printf("%-18s %zu bytes, %s\n", "Manifest", embedded.size(),
              asBuilt ? "as built" : "NOT as built");
  return asBuilt ? 0 : 1;
}
