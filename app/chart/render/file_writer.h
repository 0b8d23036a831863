#pragma once
// How the program writes every file of its own (bitmaps, images, dumps,
// reports): beside the target, checked after closing, then renamed over it,
// so that a failed write never leaves a half-written file or destroys an
// older one.

#include <functional>
#include <string>

class QIODevice;

// Runs `write` on a temporary file beside `path` and renames it over `path`
// when `write` succeeded and every byte reached the disk. A target that exists
// but is no regular file (a pipe, a terminal, a device) is written directly:
// renaming over it would replace it. A failure raises EFCreateError
// "Cannot create file "path". reason"; `write` returning false gives `reason`.
void WriteFileSafely(const std::string& path, const std::function<bool(QIODevice&)>& write,
                     const std::string& reason = "The file could not be written.");
