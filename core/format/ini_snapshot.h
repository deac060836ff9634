#pragma once
// An INI file read once into memory and indexed, for readers that look up
// many keys of one file. Every lookup gives exactly what IniReadString and
// IniReadLong (core/format/ini.h) give on the file as it was read: the same line
// pieces of at most 511 bytes, the first matching section and key, the same
// trimming, quotes and truncation.
#include <ctime>

struct IniSnapshot;

// Reads the regular file fileName whole and indexes it. Returns null when it
// cannot be opened for reading or is not a regular file (errno tells why).
// A read error part way leaves the snapshot with what was read before it.
IniSnapshot* IniSnapshotOpen(const char* fileName);

// Frees the snapshot; null is allowed.
void IniSnapshotClose(IniSnapshot* snapshot);

// The file's modification time when it was opened.
time_t IniSnapshotModificationTime(const IniSnapshot* snapshot);

// As IniReadString on the snapshot's file. A null snapshot stands for a
// missing file: the buffer gets the default value.
int IniSnapshotReadString(const IniSnapshot* snapshot, const char* section, const char* key,
                          const char* defaultValue, char* buffer, int bufferSize);

// As IniReadLong on the snapshot's file.
long IniSnapshotReadLong(const IniSnapshot* snapshot, const char* section, const char* key,
                         long defaultValue);
