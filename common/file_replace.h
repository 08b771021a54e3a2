// Replacing a whole file so that it holds either the old or the new contents, never
// a mix: the settings files and the table of results are written this way.
#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace tarvel {

// Writes the bytes to a temporary file beside the target, flushes them to disk and
// renames the temporary file over the target; a failure at any point removes the
// temporary file and leaves the target as it was. A missing target is created. A
// symbolic link keeps pointing where it did: what it points at is replaced. A target
// that nobody may write to is refused (permission_denied) even where the folder would
// let the rename through, and a replaced file keeps its permissions.
// Returns the reason of a failure, or an empty code.
[[nodiscard]] std::error_code ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes);

}  // namespace tarvel
