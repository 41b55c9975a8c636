// Edits of a freedesktop mimeapps.list that touch only the program's own lines: every other
// line, group and comment stays byte for byte, as other programs write the same file.
#pragma once

#include <string>

namespace krq {

// The value of `key` in `[group]`; "" when absent.
std::string MimeAppsValue(const std::string& text, const std::string& group,
                          const std::string& key);

// `text` with `key=value` in `[group]`: the key's line replaced where it was (later copies of
// it removed), or added after the group's last entry, or in a new group at the end. An empty
// `value` removes the key's lines.
std::string SetMimeAppsValue(const std::string& text, const std::string& group,
                             const std::string& key, const std::string& value);

// A ";"-terminated list of desktop ids with `id` first / without `id`.
std::string WithDesktopIdFirst(const std::string& list, const std::string& id);
std::string WithoutDesktopId(const std::string& list, const std::string& id);

}  // namespace krq
