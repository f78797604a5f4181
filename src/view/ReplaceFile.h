#pragma once

// Writes a file through a temporary file beside it that is renamed over the
// target only once everything is written, so a failed save never destroys an
// existing file of that name.

#include <QByteArray>
#include <QIODevice>

#include <functional>
#include <string>

namespace sw {

// `write` fills the device and returns false (with `error` set) to abandon the
// save. Throws FileError naming `path` and the reason when anything fails.
void ReplaceFile(const std::string& path,
                 const std::function<bool(QIODevice& out, std::string& error)>& write);

// The same for bytes already in memory.
void ReplaceFile(const std::string& path, const QByteArray& bytes);

} // namespace sw
