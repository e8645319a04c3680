// Replacing a whole file so that readers never see it empty or half-written.
#pragma once

#include <filesystem>
#include <string_view>

// The file-system steps of a replacing write, supplied by the platform (and by tests that
// need a step to fail).
struct FileReplaceOps {
    // Creates or truncates `path`, writes all of `bytes` and flushes them to the disk.
    bool (*write_whole)(const std::filesystem::path& path, std::string_view bytes);
    // Puts `from` in the place of `to` in one step, replacing `to` if it exists.
    bool (*replace)(const std::filesystem::path& from, const std::filesystem::path& to);
    void (*remove)(const std::filesystem::path& path);
};

// The sibling that a new version of `target` is written to before it takes its place.
std::filesystem::path replacement_path(const std::filesystem::path& target);

// Writes `bytes` to replacement_path(target) and moves it over `target`. When the move is
// refused (another process holds `target` without delete sharing), `target` is rewritten
// in place instead. A failed write of the replacement leaves `target` as it was.
// Returns whether `target` now holds `bytes`.
bool write_file_replacing(const std::filesystem::path& target, std::string_view bytes, const FileReplaceOps& ops);
