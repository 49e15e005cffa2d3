#pragma once

#include <QStringList>

#include <vector>

class CReflector;

// File names for the .cu files of `records`, in the same order: the full
// name plus ".cu", made safe to create in a folder of the user's.
//
// Full names are typed or read from files, so they may hold anything. A
// name never leaves its folder, never makes a hidden file and never
// overwrites a sibling: characters that file systems refuse become "_",
// invisible control and format characters (C1, bidirectional overrides,
// zero-width characters...) are dropped, leading dots become "_", an empty
// name becomes "Reflector", long names are shortened, and a name already
// given (regardless of case) gets " (2)", " (3)" ... before its extension.
QStringList ConnectionFileNames(const std::vector<const CReflector *> &records);

// The longest name given, in UTF-8 bytes: every file system in use takes it.
constexpr int kMaxConnectionFileNameBytes = 255;
