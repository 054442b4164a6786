#pragma once

// Replacing a small file's content so that a reader or a crash sees the old content or the
// new one, never a truncated mix.

#include <filesystem>
#include <string_view>

namespace keyloom {

// Writes `bytes` to a temporary file beside `file`, flushes it to disk and renames it over
// `file` (through a symbolic link to its target). An existing file keeps its permissions.
// False when any step fails; `file` is then left as it was and no temporary file remains.
bool ReplaceFileContent(const std::filesystem::path& file, std::string_view bytes);

}  // namespace keyloom
