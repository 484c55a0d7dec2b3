// Stands in for the programs that Windows would start for a map (the World
// Editor) or a web address (the browser): it appends what it was asked to open,
// one line in UTF-8, to the file that the environment variable QV_RECORDER_LOG
// names (a Unix path). Wine hands a program's environment on through Windows'
// own block, so it is read from there rather than with getenv.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>

int main() {
  WCHAR log_w[1024] = {0};
  if (GetEnvironmentVariableW(L"QV_RECORDER_LOG", log_w, 1024) == 0) return 2;
  char log[4096] = {0};
  WideCharToMultiByte(CP_UTF8, 0, log_w, -1, log, sizeof log, nullptr, nullptr);
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args == nullptr || count < 2) return 2;
  char text[4096] = {0};
  WideCharToMultiByte(CP_UTF8, 0, args[1], -1, text, sizeof text, nullptr, nullptr);
  std::FILE* file = std::fopen(log, "a");
  if (file == nullptr) return 1;
  std::fprintf(file, "%s\n", text);
  std::fclose(file);
  return 0;
}
