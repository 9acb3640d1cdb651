#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "card_boxes.h"

// The learner's progress in a lesson: one file per card box beside the
// lesson, base name + ".lt0" … ".lt5", GBK, one entry text per line with
// CR LF and one closing empty line.

std::string progressFileName(const std::string& baseName, int box);

// True when the lesson has saved progress (its ".lt0" exists).
bool hasProgress(const std::string& baseName);

// Writes all six files together: either every file is replaced or, when any
// cannot be written, none is, and `error` says why.
bool writeProgress(const std::string& baseName,
                   const std::array<const std::vector<std::string>*, kBoxCount>& boxes,
                   std::string* error);

// The trimmed, non-blank lines of one box's file; std::nullopt when it can't
// be read.
std::optional<std::vector<std::string>> readProgressBox(const std::string& baseName, int box,
                                                        std::string* error);
