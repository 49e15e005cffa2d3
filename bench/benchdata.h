#pragma once

#include "data/reflectorlist.h"

#include <QString>

// Records of realistic sizes: country ~8 bytes, code 2, full name ~25,
// short name ~8, address ~13, contact ~12, e-mail ~20, ID 1-3 digits.
ReflectorList RealisticList(int n);

// A database file of `n` realistic records in the bench's scratch folder,
// written once per size and reused.
QString RealisticFile(int n);
// The same records, all running: every one goes into a phonebook export.
QString RunningFile(int n);

// Resident memory of this process in bytes (from /proc/self/statm).
std::size_t ResidentBytes();
// The most resident memory since the last reset (VmHWM), and the reset.
std::size_t PeakResidentBytes();
void ResetPeakResident();
