// The registry: a tree of keys with typed values, kept in memory and, when a
// backing file is set, saved to it after every change. Key and value names
// are compared without regard to case and keep the spelling they were
// created with. Only the calls the settings stores make are offered.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstdint>
#include <filesystem>

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;
using LSTATUS = LONG;

// The predefined roots; always open, never closed.
inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(std::uintptr_t{0x80000000u});
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t{0x80000001u});
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002u});
inline const HKEY HKEY_USERS = reinterpret_cast<HKEY>(std::uintptr_t{0x80000003u});

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Opens `subKey` below `key`, creating the missing keys on the way. The
// handle has the access `desired` asks for; `disposition` (may be null)
// tells whether the key was new. On failure *result is null.
LSTATUS RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options, REGSAM desired,
                        void* security, PHKEY result, DWORD* disposition);

// Opens an existing key (ERROR_FILE_NOT_FOUND when missing; *result null).
LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, PHKEY result);

// Closes a handle; a closed handle is invalid afterwards (ERROR_INVALID_HANDLE).
LSTATUS RegCloseKey(HKEY key);

// Reads value `name` (null or "": the key's default value). With `data`
// null only the size is reported; a buffer that is too small gives
// ERROR_MORE_DATA with the size needed in *size. Needs KEY_QUERY_VALUE.
LSTATUS RegQueryValueExW(HKEY key, LPCWSTR name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);

// Stores `size` bytes as value `name` of `type`; strings are stored as given,
// so callers include their terminator. Needs KEY_SET_VALUE.
LSTATUS RegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);

LSTATUS RegDeleteValueW(HKEY key, LPCWSTR name);

// Deletes a key that has no subkeys; handles open on it then fail with
// ERROR_KEY_DELETED (1018).
LSTATUS RegDeleteKeyW(HKEY key, LPCWSTR subKey);

// Keeps the registry in `file` from now on: the tree is replaced by the
// file's contents when it exists (an empty tree otherwise), and every change
// is saved to it. An empty path keeps the registry in memory only. False
// when the file exists but could not be read completely (what could be read
// is kept).
bool hvRegistryUseFile(const std::filesystem::path& file);

// Empties the whole tree (and the backing file, when there is one).
void hvRegistryClear();
