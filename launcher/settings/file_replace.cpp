#include "settings/file_replace.hpp"

std::filesystem::path replacement_path(const std::filesystem::path& target)
{
    std::filesystem::path path = target;
    path += ".new";
    return path;
}

bool write_file_replacing(const std::filesystem::path& target, std::string_view bytes, const FileReplaceOps& ops)
{
    const std::filesystem::path fresh = replacement_path(target);
    if (!ops.write_whole(fresh, bytes)) {
        // A full disk or a crash must not cost the player the file they already have.
        ops.remove(fresh);
        return false;
    }
    if (ops.replace(fresh, target)) return true;
    ops.remove(fresh);
    return ops.write_whole(target, bytes);
}
