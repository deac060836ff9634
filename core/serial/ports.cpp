#include "core/serial/ports.h"

#include <dirent.h>

#include <cstdint>
#include <cstring>

#include "core/serial/ftdi_layer.h"
#include "core/serial/serial_backend.h"

namespace {

bool StartsWith(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

}  // namespace

std::vector<std::string> serial_list_ftdi() {
  std::vector<std::string> names;
  DWORD count = 0;
  if (FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY) != FT_OK) {
    return names;
  }
  for (DWORD i = 0; i < count && i < static_cast<DWORD>(INT32_MAX); ++i) {
    FT_HANDLE handle = nullptr;
    if (FT_Open(static_cast<int>(i), &handle) != FT_OK) {
      continue;  // busy or gone: nothing to close
    }
    FT_DEVICE type = 0;
    DWORD id = 0;
    char serial_number[16] = {};
    char description[64] = {};
    FT_GetDeviceInfo(handle, &type, &id, serial_number, description, nullptr);
    description[sizeof description - 1] = '\0';
    if (StartsWith(description, FTDI_DESCRIPTION_PREFIX)) {
      names.push_back(std::string(description) + " (" + std::to_string(i + 1) + ")");
    }
    FT_Close(handle);
  }
  return names;
}

std::string serial_ftdi_serial_number(const char* name) {
  const int index = name != nullptr ? serial_ftdi_index(name) : -1;
  if (index < 0) {
    return std::string();
  }
  char serial_number[17] = {};
  if (FT_ListDevices(reinterpret_cast<PVOID>(static_cast<uintptr_t>(index)), serial_number,
                     FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER) != FT_OK) {
    return std::string();
  }
  return std::string(serial_number, strnlen(serial_number, 16));
}

std::vector<std::string> serial_list_tty_in(const char* dir) {
  std::vector<std::string> names;
  DIR* listing = opendir(dir);
  if (listing == nullptr) {
    return names;
  }
  while (const dirent* entry = readdir(listing)) {
    if (StartsWith(entry->d_name, "ttyS") || StartsWith(entry->d_name, "ttyUSB")) {
      names.push_back(entry->d_name);
    }
  }
  closedir(listing);
  return names;
}

std::vector<std::string> serial_list_tty() { return serial_list_tty_in("/dev/"); }

std::vector<std::string> serial_list_ports() {
  std::vector<std::string> names = serial_list_ftdi();
  std::vector<std::string> ttys = serial_list_tty();
  names.insert(names.end(), ttys.begin(), ttys.end());
  return names;
}
