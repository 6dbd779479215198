// System utilities: the executable's directory and the data root, one-integer
// setting files, date and time, disk and memory figures, the Windows version,
// the display depth, the IME switch and the colour-depth check.
#include <mu.h>
#include <winnls32.h>

#include <cstdio>
#include <cstring>

#include "app/paths.h"
#include "app/shell_rules.h"

namespace mu {
bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }
}  // namespace mu

namespace muSystem {

char exePath[kTextBufferSize];
char dataRoot[kTextBufferSize];
char lastDirName[kTextBufferSize];
int imeEnabled;

namespace {
// Full name of a setting file under GetExeDir(1); false when it does not fit.
bool SettingPath(char* out, const char* fileName) {
  return mu::JoinPath(out, kTextBufferSize, GetExeDir(1), fileName);
}
}  // namespace

char* GetExeDir(int useDataRoot) {
  DWORD length = GetModuleFileNameA(instanceHandle, exePath, kTextBufferSize);
  if (length >= static_cast<DWORD>(kTextBufferSize)) length = kTextBufferSize - 1;
  exePath[length] = '\0';
  mu::CutFileName(exePath, mu::SystemLeadByte);
  if (useDataRoot && dataRoot[0] != '\0') {
    mu::LastDirName(exePath, lastDirName, sizeof lastDirName, mu::SystemLeadByte);
    char redirected[kTextBufferSize];
    // A redirection that would not fit is refused: the executable's own directory stays.
    if (std::snprintf(redirected, sizeof redirected, "%s\\%s", dataRoot, lastDirName) <
        kTextBufferSize) {
      std::memcpy(exePath, redirected, sizeof exePath);
    }
  }
  return exePath;
}

void ReadDataRoot(const char* fileName) {
  char path[kTextBufferSize];
  UINT length = GetWindowsDirectoryA(path, kTextBufferSize);
  dataRoot[0] = '\0';
  if (length == 0 || length >= static_cast<UINT>(kTextBufferSize)) return;
  if (length > 3 && !mu::JoinPath(path, sizeof path, path, "\\")) return;
  if (!mu::JoinPath(path, sizeof path, path, fileName)) return;
  FILE* file = std::fopen(path, "rt");
  if (!file) return;
  char line[kTextBufferSize];
  bool gotLine = std::fgets(line, sizeof line, file) != nullptr;
  std::fclose(file);
  if (!gotLine) return;  // a file without a line gives no data root
  mu::TrimDataRootLine(line, mu::SystemLeadByte);
  std::memcpy(dataRoot, line, sizeof dataRoot);
}

void WriteInt(const char* fileName, int value) {
  char path[kTextBufferSize];
  if (!SettingPath(path, fileName)) return;
  FILE* file = std::fopen(path, "wt");
  if (!file) return;
  std::fprintf(file, "%d", value);
  std::fclose(file);
}

int ReadInt(const char* fileName) {
  char path[kTextBufferSize];
  if (!SettingPath(path, fileName)) return 0;
  FILE* file = std::fopen(path, "rt");
  if (!file) return 0;
  int value = 0;
  if (std::fscanf(file, "%d", &value) != 1) value = 0;
  std::fclose(file);
  return value;
}

void GetDate(int* year, int* month, int* day, char* weekday) {
  SYSTEMTIME t;
  GetLocalTime(&t);
  *year = t.wYear;
  *month = t.wMonth;
  *day = t.wDay;
  std::strcpy(weekday, mu::WeekdayText(t.wDayOfWeek));
}

void GetTime(int* hour, int* minute, int* second) {
  SYSTEMTIME t;
  GetLocalTime(&t);
  *hour = t.wHour;
  *minute = t.wMinute;
  *second = t.wSecond;
}

int GetDiskFree(char drive) {
  char root[] = {drive, ':', '\\', '\0'};
  DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
  if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters,
                         &totalClusters)) {
    return 0;
  }
  return mu::SaturateToInt(static_cast<unsigned long long>(sectorsPerCluster) * bytesPerSector *
                           freeClusters);
}

int GetFreeMemory() {
  MEMORYSTATUS status;
  status.dwLength = sizeof status;  // 32 bytes
  GlobalMemoryStatus(&status);
  return mu::SaturateToInt(status.dwAvailPhys);
}

int GetOSVersion() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
  if (!GetVersionExA(&info)) return -1;
  return mu::VersionCode(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

int GetScreenDepth() {
  HDC dc = GetDC(mainWindow);
  int depth = GetDeviceCaps(dc, BITSPIXEL);
  ReleaseDC(mainWindow, dc);
  return depth;
}

int IsWindowed() { return fullScreen == 0 ? 1 : 0; }

void EnableIME(int enable) {
  WINNLSEnableIME(nullptr, enable);
  imeEnabled = enable;
}

int CheckColorDepth(const char* settingFile) {
  int requested = muDraw::displayDepth;
  int level = mu::ColorDepthLevel(requested);
  if (level == 0) return 1;
  if (!IsWindowed() || GetScreenDepth() >= requested) return 1;

  char text[kTextBufferSize];
  mu::ColorDepthText(level, text, sizeof text);
  Message("%s", text);
  const char* question = mu::ColorDepthQuestion(settingFile);
  if (question && Confirm("%s", question)) {
    if (std::strcmp(settingFile, "*") != 0) WriteInt(settingFile, 1);
    fullScreen = 1;
    return 1;
  }
  Quit();
  return 0;
}

}  // namespace muSystem
